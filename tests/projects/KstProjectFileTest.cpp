#include "KstProjectFile.h"
#include "TempFolder.h"

#include <climits>
#include <gtest/gtest.h>

TEST(ProjectFileTest, WrittenBytesAreExactAndReadBackTheSame)
{
    const std::map<std::string, int32_t> defines = {{"WIN32", 1}, {"DEPTH", INT32_MIN}};
    const std::vector<ProjectFileEntry> files = {
        {"/src/a.cpp", true, true}, {"/src/b c.c", false, true}, {"/src/d.cc", true, false}};
    const std::string bytes = FormatProjectFile(defines, files);
    EXPECT_EQ(bytes,
        "Kestrin Project File\r\nV0.7\r\n<Option>\r\n</Option>\r\n<Define>\r\n2\r\n"
        "DEPTH\r\n-2147483648\r\nWIN32\r\n1\r\n</Define>\r\n<File>\r\n"
        "/src/a.cpp\r\n1 1\r\n/src/b c.c\r\n0 1\r\n/src/d.cc\r\n1 0\r\n</File>\r\n");
    ProjectFileContent content;
    ASSERT_TRUE(ParseProjectFile(bytes, content));
    EXPECT_EQ(content.defines, defines);
    EXPECT_EQ(content.files, files);
    EXPECT_FALSE(content.sectionOpen);
    EXPECT_EQ(FormatProjectFile(content.defines, content.files), bytes);
    EXPECT_EQ(FormatProjectFile({}, {}),
        "Kestrin Project File\r\nV0.7\r\n<Option>\r\n</Option>\r\n<Define>\r\n"
        "0\r\n</Define>\r\n<File>\r\n</File>\r\n");
}

TEST(ProjectFileTest, OlderAndOddFilesAreReadAsFarAsTheyGo)
{
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<ProjectFileEntry> files;
        std::map<std::string, int32_t> defines;
        bool sectionOpen;
    };
    const Case cases[] = {
        {"V0.6: no flags lines, both flags set", "x\nV0.6\n<File>\n/a.cpp\n/b.c\n</File>\n",
            {{"/a.cpp"}, {"/b.c"}}, {}, false},
        {"no version line reads as V0.6", "x\n<FILE>\n/a.cpp\n</FILE>\n", {{"/a.cpp"}}, {}, false},
        {"markers in any case, LF ends", "KESTRIN\nv0.7\n<file>\n/a.cpp\n0 0\n</file>\n",
            {{"/a.cpp", false, false}}, {}, false},
        {"a short path is skipped, its flags line still read",
            "x\nV0.7\n<File>\nab\n0 0\n/c.cpp\n1 0\n</File>\n", {{"/c.cpp", true, false}}, {},
            false},
        {"a line that is no flags line is read as what it is",
            "x\nV0.7\n<File>\n/a.cpp\njunk\n</File>\n", {{"/a.cpp"}, {"junk"}}, {}, false},
        {"one missing flags line shifts nothing",
            "x\nV0.7\n<File>\n/a.cpp\n0 1\n/b.cpp\n/c.cpp\n1 0\n/d.cpp\n0 0\n</File>\n",
            {{"/a.cpp", false, true}, {"/b.cpp"}, {"/c.cpp", true, false},
                {"/d.cpp", false, false}},
            {}, false},
        {"the last path without flags does not take the section end",
            "x\nV0.7\n<File>\n/a.cpp\n</File>\n<Define>\n0\n</Define>\n", {{"/a.cpp"}}, {}, false},
        {"a flags line without its path is passed over",
            "x\nV0.7\n<File>\n/a.cpp\n1 0\n0 1\n/b.cpp\n0 0\n</File>\n",
            {{"/a.cpp", true, false}, {"/b.cpp", false, false}}, {}, false},
        {"a file cut inside the section end", "x\nV0.7\n<File>\n/a.cpp\n1 1\n</Fi", {{"/a.cpp"}},
            {}, true},
        {"cut right after a path", "x\nV0.7\n<File>\n/a.cpp\n1 0\n/b.cpp\n",
            {{"/a.cpp", true, false}, {"/b.cpp"}}, {}, true},
        {"a flags line with one number keeps the second flag",
            "x\nV0.7\n<File>\n/a.cpp\n 0\n</File>\n", {{"/a.cpp", false, true}}, {}, false},
        {"a name given twice keeps its first value; values stay within 32 bits",
            "x\n<Define>\n3\nA\n5\nA\n7\nBIG\n99999999999\n</Define>\n", {},
            {{"A", 5}, {"BIG", INT32_MAX}}, false},
        {"the first line is never a marker", "<File>\n/a.cpp\n", {}, {}, false},
        {"an unclosed section keeps what was read", "x\n<File>\n/a.cpp\n", {{"/a.cpp"}}, {}, true},
        {"lines outside the sections are ignored", "x\n/stray.cpp\n<Option>\nwhatever\n</Option>\n",
            {}, {}, false},
    };
    for (const Case& c : cases) {
        ProjectFileContent content;
        ASSERT_TRUE(ParseProjectFile(c.bytes, content)) << c.name;
        EXPECT_EQ(content.files, c.files) << c.name;
        EXPECT_EQ(content.defines, c.defines) << c.name;
        EXPECT_EQ(content.sectionOpen, c.sectionOpen) << c.name;
    }
    ProjectFileContent content;
    EXPECT_FALSE(ParseProjectFile(std::string("x\n<File>\n/a\0b.cpp\n", 19), content))
        << "a zero byte";
    EXPECT_TRUE(content.files.empty());

    EXPECT_EQ(CachePathOf("/p/project.kst"), "/p/project.car");
    EXPECT_EQ(CachePathOf("kst"), "");
}

// A project file is read from its file line by line, as from its bytes: a
// flags line that falls across the reader's 64 KiB pieces still goes with
// its path. What cannot be a project file is not read.
TEST(ProjectFileTest, AFileIsReadLineByLineAsItsBytesAre)
{
    TempFolder folder;
    std::map<std::string, int32_t> defines;
    std::vector<ProjectFileEntry> files;
    for (int i = 0; i < 3000; ++i) {
        defines.emplace("WORD" + std::to_string(i), i);
        files.push_back({"/src/file" + std::to_string(i) + ".cpp", i % 2 == 0, i % 3 == 0});
    }
    const std::string bytes = FormatProjectFile(defines, files);
    ASSERT_GT(bytes.size(), 65536u);
    const std::string path = folder.Write("big.kst", bytes);
    ProjectFileContent content;
    ASSERT_EQ(LoadProjectFile(path, bytes.size(), content), ReadResult::Ok);
    EXPECT_EQ(content.defines, defines);
    EXPECT_EQ(content.files, files);
    EXPECT_FALSE(content.sectionOpen);

    const std::string cut = folder.Write("cut.kst", "x\nV0.7\n<File>\n/a.cpp\n1 0\n</Fi");
    ASSERT_EQ(LoadProjectFile(cut, 100, content), ReadResult::Ok);
    EXPECT_EQ(content.files, (std::vector<ProjectFileEntry> {{"/a.cpp", true, false}}));
    EXPECT_TRUE(content.sectionOpen);

    EXPECT_EQ(LoadProjectFile(path, bytes.size() - 1, content), ReadResult::ReadFailed);
    EXPECT_TRUE(content.files.empty());
    const std::string zero = folder.Write("zero.kst", std::string("x\n<File>\n/a\0b.cpp\n", 19));
    EXPECT_EQ(LoadProjectFile(zero, 100, content), ReadResult::ReadFailed);
    EXPECT_TRUE(content.files.empty());
    EXPECT_EQ(LoadProjectFile(folder.File("none.kst"), 100, content), ReadResult::CannotOpen);
}
