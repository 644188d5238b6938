#include "DspReader.h"
#include "DswReader.h"
#include "RecordingSink.h"
#include "TempFolder.h"
#include "VcProjectImport.h"
#include "VcprojReader.h"

#include <atomic>
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

// Files written with a CR alone at each line end (as old Macintosh tools
// wrote them) are read line by line like any other.
TEST_F(VcWorkspaceFiles, ACarriageReturnAloneEndsALineInEveryKindOfFile)
{
    const std::string mac = folder_.Write("cr/mac.cpp", "int mac;\n");
    folder_.Write("cr/Mac.dsp",
        "# ADD CPP /nologo /D \"MAC\"\rSOURCE=..\\ws\\Shared\\util.c\rSOURCE=.\\mac.cpp\r");
    folder_.Write("cr/Cr.dsw",
        "Microsoft Developer Studio Workspace File, Format Version 6.00\r"
        "Project: \"App\"=..\\ws\\App\\App.dsp - Package Owner=<4>\r"
        "Project: \"Mac\"=.\\Mac.dsp - Package Owner=<4>\r");
    folder_.Write("cr/Mac.vcproj",
        "<VisualStudioProject>\r\t\t\t\tPreprocessorDefinitions=\"NET;X\"/>\r"
        "\t\t\t<File RelativePath=\".\\mac.cpp\"></File>\r");
    RecordingSink sink;
    CDswReader workspace(sink, false);
    ASSERT_TRUE(workspace.Open(folder_.Path() + "/cr/Cr.dsw"));
    workspace.ReadProjects();
    workspace.LoadProjects();
    EXPECT_EQ(workspace.Files(),
        (Names {ws_ + "/App/src/main.cpp", ws_ + "/Shared/util.c", ws_ + "/Shared/util.c", mac}));
    EXPECT_EQ(workspace.Defines().count("MAC"), 1u);

    CVcprojReader net(sink, false);
    ASSERT_TRUE(net.Open(folder_.Path() + "/cr/Mac.vcproj"));
    net.Read();
    EXPECT_EQ(net.FoundFiles(), Names {mac});
    EXPECT_EQ(net.Defines(), (VcDefines {{"NET", 0}, {"X", 0}}));
}

// A workspace that names one project many times, under other spellings too,
// reads it once; a project that repeats its sources finds and reports each
// file once.
TEST_F(VcWorkspaceFiles, ProjectsAndSourcesNamedAgainAreReadOnce)
{
    const std::string a = folder_.Write("ws/Rep/a.cpp", "int a;\n");
    folder_.Write("ws/Rep/Rep.dsp",
        "SOURCE=.\\a.cpp\r\nSOURCE=.\\gone.cpp\r\nSOURCE=.\\a.cpp\r\nSOURCE=.\\A.CPP\r\n"
        "SOURCE=.\\gone.cpp\r\nSOURCE=.\\a.cpp\r\n");
    folder_.Write("ws/Again.dsw",
        "Project: \"Rep\"=.\\Rep\\Rep.dsp - Package Owner=<4>\r\n"
        "Project: \"App\"=.\\App\\App.dsp - Package Owner=<4>\r\n"
        "Project: \"Rep\"=.\\Rep\\Rep.dsp - Package Owner=<4>\r\n"
        "Project: \"Rep2\"=.\\rep\\REP.DSP - Package Owner=<4>\r\n"
        "Project: \"Rep3\"=\"..\\ws\\Rep\\Rep.dsp\" - Package Owner=<4>\r\n");

    RecordingSink sink;
    CDspReader project(sink, true);
    ASSERT_TRUE(project.Open(ws_ + "/Rep/Rep.dsp"));
    project.Read();
    EXPECT_EQ(project.Sources(), (Names {".\\a.cpp", ".\\gone.cpp", ".\\A.CPP"}));
    EXPECT_EQ(project.FoundFiles(), Names {a});
    EXPECT_EQ(sink.infos, Names {a});
    EXPECT_EQ(sink.errors, Names {"Error: .\\gone.cpp The file cannot be opened."});

    RecordingSink workspaceSink;
    CDswReader workspace(workspaceSink, true);
    ASSERT_TRUE(workspace.Open(ws_ + "/Again.dsw"));
    workspace.ReadProjects();
    workspace.LoadProjects();
    EXPECT_EQ(workspace.Files(), (Names {a, ws_ + "/App/src/main.cpp", ws_ + "/Shared/util.c"}));
    EXPECT_EQ(workspaceSink.infos,
        (Names {"Info: Load \".\\Rep\\Rep.dsp\"", a, "Info: Load \".\\App\\App.dsp\"",
            ws_ + "/App/src/main.cpp", ws_ + "/Shared/util.c"}));
}

namespace {

// Sets the stop request once the first found file has been reported.
class StoppingSink : public RecordingSink {
public:
    explicit StoppingSink(std::atomic<bool>& stop) : stop_(stop) { }
    void Write(MessageKind kind, std::string_view line) override
    {
        RecordingSink::Write(kind, line);
        if (kind == MessageKind::Info && line.substr(0, 5) != "Info:")
            stop_ = true;
    }

private:
    std::atomic<bool>& stop_;
};

} // namespace

TEST_F(VcWorkspaceFiles, AStopRequestEndsTheImportWithWhatWasFound)
{
    std::atomic<bool> stop {false};
    StoppingSink sink(stop);
    const VcProjectContent content = ReadVcProjectFile(ws_ + "/All.dsw", sink, true, &stop);
    EXPECT_TRUE(content.read);
    EXPECT_TRUE(content.stopped);
    EXPECT_EQ(content.files, Names {ws_ + "/App/src/main.cpp"});
    EXPECT_EQ(content.defines.count("WIN32"), 1u) << "the project's lines were read";
    EXPECT_EQ(sink.infos, (Names {"Info: Load \".\\App\\App.dsp\"", ws_ + "/App/src/main.cpp"}));
    EXPECT_TRUE(sink.errors.empty()) << "nothing more was looked at";
}

// An import that brings no source says so in the pane, whatever kind of file
// it read; one that brings sources, or could not read its file, does not.
TEST_F(VcWorkspaceFiles, AnImportThatBringsNoSourceSaysSo)
{
    const std::string dsp =
        folder_.Write("none/None.dsp", "# ADD CPP /D \"ONLY\"\rSOURCE=.\\gone.cpp\r");
    const std::string dsw =
        folder_.Write("none/None.dsw", "Project: \"None\"=.\\None.dsp - Package Owner=<4>\r\n");
    const std::string vcproj = folder_.Write("none/None.vcproj", "<VisualStudioProject>\r\n");
    for (const std::string& path : {dsp, dsw, vcproj}) {
        RecordingSink sink;
        const VcProjectContent content = ReadVcProjectFile(path, sink, true);
        EXPECT_TRUE(content.read) << path;
        EXPECT_TRUE(content.files.empty()) << path;
        ASSERT_FALSE(sink.infos.empty()) << path;
        EXPECT_EQ(sink.infos.back(),
            "Warning: " + path + " - No source file of this project could be opened.");
        RecordingSink quiet;
        ReadVcProjectFile(path, quiet, false);
        EXPECT_EQ(quiet.errors.size(), path == vcproj ? 0u : 1u) << "only the missing source";
    }
    RecordingSink words;
    EXPECT_EQ(ReadVcProjectFile(dsp, words, true).defines.size(), 1u) << "the words still come";
    for (const std::string& path : {ws_ + "/App/App.dsp", folder_.Path() + "/none/Gone.dsp"}) {
        RecordingSink sink;
        ReadVcProjectFile(path, sink, true);
        for (const std::string& line : sink.infos)
            EXPECT_EQ(line.find("No source file"), std::string::npos) << line;
    }
}
