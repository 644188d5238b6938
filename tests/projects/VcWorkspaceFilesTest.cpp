#include "DspReader.h"
#include "DswReader.h"
#include "RecordingSink.h"
#include "TempFolder.h"
#include "VcprojReader.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

using Names = std::vector<std::string>;

// A workspace of three projects in their own folders, with sources in
// nested folders, names in the wrong letter case, CR LF line ends, two
// configurations, a missing project, a broken one and a FIFO.
class VcWorkspaceFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        ws_ = folder_.Path() + "/ws";
        folder_.Write("ws/All.dsw",
            "Microsoft Developer Studio Workspace File, Format Version 6.00\r\n"
            "Project: \"App\"=.\\App\\App.dsp - Package Owner=<4>\r\n"
            "Project: \"Lib\"=\"..\\ws\\Lib Dir\\LIB.DSP\" - Package Owner=<4>\r\n"
            "Project: \"Gone\"=.\\Gone\\Gone.dsp - Package Owner=<4>\r\n"
            "Project: \"Broken\"=.\\Broken.dsp - Package Owner=<4>\r\n"
            "Project: \"Pipe\"=.\\pipe.dsp - Package Owner=<4>\r\n"
            "Project: \"Folder\"=.\\Folder.dsp - Package Owner=<4>\r\n");
        folder_.Write("ws/App/App.dsp",
            "!IF  \"$(CFG)\" == \"App - Win32 Release\"\r\n"
            "# ADD CPP /nologo /D \"WIN32\" /D \"NDEBUG\" /D \"VER=0x0400\"\r\n"
            "!ELSEIF  \"$(CFG)\" == \"App - Win32 Debug\"\r\n"
            "# ADD CPP /nologo /D \"WIN32\" /D \"_DEBUG\" /D \"VER=1\"\r\n"
            "!ENDIF\r\n"
            "SOURCE=.\\Src\\MAIN.cpp\r\n"
            "SOURCE=..\\Shared\\util.c\r\n"
            "SOURCE=.\\missing.cpp\r\n"
            "SOURCE=C:\\abs\\x.cpp\r\n"
            "SOURCE=.\\pipe.cpp\r\n"
            "SOURCE=.\\dir.cpp\r\n");
        folder_.Write("ws/App/src/main.cpp", "int main() { }\n");
        folder_.Write("ws/Shared/util.c", "int util;\n");
        std::filesystem::create_directories(ws_ + "/App/dir.cpp");
        ASSERT_EQ(::mkfifo((ws_ + "/App/pipe.cpp").c_str(), 0600), 0);
        folder_.Write("ws/Lib Dir/lib.dsp",
            "# ADD CPP /D \"LIBRARY\"\n"
            "SOURCE=\"sub\\deep\\Lib.cpp\"\n");
        folder_.Write("ws/Lib Dir/sub/Deep/lib.cpp", "int lib;\n");
        folder_.Write("ws/Broken.dsp", std::string("\0\xff\xfeSOURCE=\r\r\n# ADD", 18));
        ASSERT_EQ(::mkfifo((ws_ + "/pipe.dsp").c_str(), 0600), 0);
        std::filesystem::create_directories(ws_ + "/Folder.dsp");
    }

    TempFolder folder_;
    std::string ws_;
};

} // namespace

TEST_F(VcWorkspaceFiles, WorkspaceBringsEveryProjectsFoundSourcesAndWords)
{
    const std::filesystem::path before = std::filesystem::current_path();
    RecordingSink sink;
    CDswReader reader(sink, true);
    ASSERT_TRUE(reader.Open(ws_ + "/All.dsw"));
    reader.ReadProjects();
    reader.LoadProjects();

    EXPECT_EQ(reader.Files(),
        (Names {
            ws_ + "/App/src/main.cpp", ws_ + "/Shared/util.c", ws_ + "/Lib Dir/sub/Deep/lib.cpp"}));
    const VcDefines expected = {
        {"WIN32", 0}, {"NDEBUG", 0}, {"VER", 0x400}, {"_DEBUG", 0}, {"LIBRARY", 0}};
    EXPECT_EQ(reader.Defines(), expected);
    EXPECT_EQ(std::filesystem::current_path(), before);

    // The missing, drive-letter, FIFO and folder sources, then the missing
    // and unreadable projects.
    EXPECT_EQ(sink.errors,
        (Names {"Error: .\\missing.cpp The file cannot be opened.",
            "Error: C:\\abs\\x.cpp The file cannot be opened.",
            "Error: .\\pipe.cpp The file cannot be opened.",
            "Error: .\\dir.cpp The file cannot be opened.",
            "Error: .\\Gone\\Gone.dsp The file cannot be opened.",
            "Error: .\\pipe.dsp The file cannot be opened.",
            "Error: .\\Folder.dsp The file cannot be opened."}));
    EXPECT_EQ(sink.infos,
        (Names {"Info: Load \".\\App\\App.dsp\"", ws_ + "/App/src/main.cpp", ws_ + "/Shared/util.c",
            "Info: Load \"..\\ws\\Lib Dir\\LIB.DSP\"", ws_ + "/Lib Dir/sub/Deep/lib.cpp",
            "Info: Load \".\\Gone\\Gone.dsp\"", "Info: Load \".\\Broken.dsp\"",
            "Info: Load \".\\pipe.dsp\"", "Info: Load \".\\Folder.dsp\""}));
}

TEST_F(VcWorkspaceFiles, SilentReadersReportOnlyMissingSources)
{
    RecordingSink sink;
    CDswReader reader(sink, false);
    ASSERT_TRUE(reader.Open(ws_ + "/All.dsw"));
    reader.ReadProjects();
    reader.LoadProjects();
    EXPECT_EQ(reader.Files().size(), 3u);
    EXPECT_EQ(sink.errors.size(), 4u);
    EXPECT_TRUE(sink.infos.empty());

    // A project opened on its own gives the same as within the workspace.
    CDspReader project(sink, false);
    ASSERT_TRUE(project.Open(ws_ + "/App/App.dsp"));
    project.Read();
    EXPECT_EQ(project.FoundFiles(), (Names {ws_ + "/App/src/main.cpp", ws_ + "/Shared/util.c"}));
    EXPECT_EQ(project.Defines().at("VER"), 0x400);
}

TEST_F(VcWorkspaceFiles, UnreadableProjectFilesYieldNothing)
{
    for (const std::string& path : {ws_ + "/none.dsw", ws_ + "/pipe.dsp", ws_ + "/Folder.dsp"}) {
        RecordingSink sink;
        CDswReader workspace(sink, true);
        EXPECT_FALSE(workspace.Open(path)) << path;
        workspace.ReadProjects();
        workspace.LoadProjects();
        EXPECT_TRUE(workspace.ProjectPaths().empty()) << path;
        EXPECT_EQ(sink.errors, (Names {"Error: " + path + " The file cannot be opened."}));

        RecordingSink quiet;
        CDspReader project(quiet, false);
        EXPECT_FALSE(project.Open(path)) << path;
        project.Read();
        EXPECT_TRUE(quiet.errors.empty()) << path;

        CVcprojReader net(quiet, false);
        EXPECT_FALSE(net.Open(path)) << path;
        net.Read();
        EXPECT_EQ(
            quiet.errors, (Names {"Error: " + path + " - The project file could not be read."}));
    }
}

TEST_F(VcWorkspaceFiles, NetProjectFindsItsSourcesBesideIt)
{
    folder_.Write("net/App.vcproj",
        "<VisualStudioProject ProjectType=\"Visual C++\" Version=\"7.10\">\r\n"
        "\t<Configurations>\r\n"
        "\t\t<Configuration Name=\"Debug|Win32\">\r\n"
        "\t\t\t<Tool Name=\"VCCLCompilerTool\"\r\n"
        "\t\t\t\tPreprocessorDefinitions=\"WIN32;_DEBUG;;_WINDOWS\"/>\r\n"
        "\t\t<Configuration Name=\"Release|Win32\">\r\n"
        "\t\t\t\tPreprocessorDefinitions=\"WIN32;NDEBUG\"/>\r\n"
        "\t<Files>\r\n"
        "\t\t\t<File RelativePath=\".\\Code\\View.CPP\"></File>\r\n"
        "\t\t\t<File RelativePath=\"..\\ws\\shared\\UTIL.C\"></File>\r\n"
        "\t\t\t<File RelativePath=\".\\gone.c\"></File>\r\n"
        "\t\t\t<File RelativePath=\".\\Code\\View.h\"></File>\r\n");
    folder_.Write("net/code/view.cpp", "int view;\n");
    RecordingSink sink;
    CVcprojReader reader(sink, true);
    ASSERT_TRUE(reader.Open(folder_.Path() + "/net/./App.vcproj"));
    reader.Read();
    const Names found = {folder_.Path() + "/net/code/view.cpp", ws_ + "/Shared/util.c"};
    EXPECT_EQ(reader.FoundFiles(), found);
    EXPECT_EQ(sink.infos, found);
    EXPECT_EQ(sink.errors, (Names {"Error: .\\gone.c The file cannot be opened."}));
    const VcDefines expected = {{"WIN32", 0}, {"_DEBUG", 0}, {"_WINDOWS", 0}, {"NDEBUG", 0}};
    EXPECT_EQ(reader.Defines(), expected);
}
