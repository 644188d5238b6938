#include "DspReader.h"
#include "DswReader.h"
#include "RecordingSink.h"
#include "VcprojReader.h"

#include <gtest/gtest.h>

using Names = std::vector<std::string>;

TEST(VcDefineTest, WordsKeepTheirValuesWhenTheyAreNumbers)
{
    VcDefines defines;
    for (const char* text : {"PLAIN", "ONE=1", "VER=0x0400", "OCT=010", "NEG=-5", "TEXT=abc",
             "HALF=12abc", "HUGE=99999999999", " SPACED ", "=7", "", "PLAIN=3", "BAD\rWORD"})
        AddVcDefine(text, defines);
    const VcDefines expected = {{"PLAIN", 0}, {"ONE", 1}, {"VER", 0x400}, {"OCT", 8}, {"NEG", -5},
        {"TEXT", 0}, {"HALF", 0}, {"HUGE", 0}, {"SPACED", 0}};
    EXPECT_EQ(defines, expected);
}

TEST(DspReaderTest, SourceLinesAndDefinitionsOfEveryConfiguration)
{
    RecordingSink sink;
    CDspReader reader(sink, false);
    reader.Read("# Microsoft Developer Studio Project File - Name=\"App\"\r\n"
                "!IF  \"$(CFG)\" == \"App - Win32 Release\"\r\n"
                "# ADD BASE CPP /nologo /D \"WIN32\" /D \"NDEBUG\"\r\n"
                "# ADD CPP /nologo /D \"WIN32\" /D \"_DEBUG\" /D _MBCS /D \"VER=0x0400\"\r\n"
                "# ADD RSC /l 0x409 /d \"_DEBUG\"\r\n"
                "# ADD   CPP  /D \"SPACED\"\t/D \"TABBED\"\r\n"
                "# ADD CPP /D \"VER=2\" /D \"NAME=1\" /D\r\n"
                "!ELSEIF  \"$(CFG)\" == \"App - Win32 Debug\"\r\n"
                "# ADD CPP /D \"WIN32\" /d \"LOWER\"\r\n"
                "SOURCE=.\\main.cpp\r\n"
                "SOURCE=\".\\dir with blank\\main.cpp\"\r\n"
                "SOURCE=.\\a.C\r\n"
                "SOURCE=.\\b.c\"\r\n"
                "SOURCE=.\\util.cc\r\n"
                "SOURCE=.\\res.rc\r\n"
                "SOURCE=.\\a.h\r\n"
                "SOURCE=\r\n"
                "source=.\\lower.cpp\r\n"
                "SOURCE=\"\"\r\n",
        "/nowhere");
    // Only blanks separate options; a quote left at the end of an unquoted
    // name stays part of it.
    EXPECT_EQ(reader.Sources(),
        (Names {".\\main.cpp", ".\\dir with blank\\main.cpp", ".\\a.C", ".\\b.c\""}));
    const VcDefines expected = {
        {"WIN32", 0}, {"NDEBUG", 0}, {"_DEBUG", 0}, {"VER", 0x400}, {"NAME", 1}};
    EXPECT_EQ(reader.Defines(), expected);
    // Nothing exists under /nowhere: every source is reported, though silent.
    EXPECT_TRUE(reader.FoundFiles().empty());
    ASSERT_EQ(sink.errors.size(), 4u);
    EXPECT_EQ(sink.errors[0], "Error: .\\main.cpp The file cannot be opened.");
    EXPECT_TRUE(sink.infos.empty());
}

TEST(DswReaderTest, ProjectLinesNameTheirPaths)
{
    RecordingSink sink;
    CDswReader reader(sink, false);
    reader.ReadProjects("Microsoft Developer Studio Workspace File, Format Version 6.00\n"
                        "Project: \"App\"=.\\App.dsp - Package Owner=<4>\n"
                        "PROJECT: \"Lib\"=\"..\\lib dir\\Lib.dsp\" - Package Owner=<4>\n"
                        "project:\"X\"=x.dsp \n"
                        "Project: \"NoBlank\"=.\\nb.dsp\n"
                        "Project: \"Open\"=\"never closed.dsp\n"
                        "Project: \"Empty\"= - Package\n"
                        "Project:=a.dsp b c\n"
                        "Project: a\n"
                        "Projects: \"Y\"=y.dsp x\n",
        "/nowhere");
    EXPECT_EQ(reader.ProjectPaths(), (Names {".\\App.dsp", "..\\lib dir\\Lib.dsp", "x.dsp"}));
}

TEST(VcprojReaderTest, RelativePathsAndWholeDefinitionAttributes)
{
    RecordingSink sink;
    CVcprojReader reader(sink, false);
    reader.Read("<?xml version=\"1.0\" encoding=\"Windows-1252\"?>\r\n"
                "\t\t\t\tPreprocessorDefinitions=\"WIN32;_DEBUG;;_WINDOWS\"\r\n"
                "\t\t\t\tUndefinePreprocessorDefinitions=\"GONE\"\r\n"
                "\t\t\t\tAdditionalOptions=\"\" PreprocessorDefinitions=\"VER=0x0400;A=&quot;\"\r\n"
                "\t\t\t\tPreprocessorDefinitions=\"_DEBUG=5\"\r\n"
                "\t\t\tRelativePath=\".\\a.cpp\">\r\n"
                "\t\t\tRelativePath=\"..\\B.CPP\"\r\n"
                "\t\t\tRelativePath=\"c.c\"/>\r\n"
                "\t\t\tRelativePath=\"d.cxx\"\r\n"
                "\t\t\tRelativePath=\"e.h\" PreprocessorDefinitions=\"SKIPPED\"\r\n"
                "\t\t\tRelativePath=\"\"\r\n"
                "\t\t\tRelativePath=\"open.cpp\r\n",
        "/nowhere");
    EXPECT_EQ(reader.Sources(), (Names {".\\a.cpp", "..\\B.CPP", "c.c"}));
    const VcDefines expected = {
        {"WIN32", 0}, {"_DEBUG", 0}, {"_WINDOWS", 0}, {"VER", 0x400}, {"A", 0}};
    EXPECT_EQ(reader.Defines(), expected);
    EXPECT_EQ(sink.errors.size(), 3u);
}

TEST(VcprojReaderTest, CommasSeparateDefinitionsAsSemicolonsDo)
{
    RecordingSink sink;
    CVcprojReader reader(sink, false);
    reader.Read(
        "\t\t\t\tPreprocessorDefinitions=\"NDEBUG,WIN32,_CONSOLE\"\r\n"
        "\t\t\t\tPreprocessorDefinitions=\"FPU;_DEBUG;_LIB,MSDOS,;INVERSE=1,MAXLEN=0x10\"\r\n",
        "/nowhere");
    const VcDefines expected = {{"NDEBUG", 0}, {"WIN32", 0}, {"_CONSOLE", 0}, {"FPU", 0},
        {"_DEBUG", 0}, {"_LIB", 0}, {"MSDOS", 0}, {"INVERSE", 1}, {"MAXLEN", 0x10}};
    EXPECT_EQ(reader.Defines(), expected);
}
