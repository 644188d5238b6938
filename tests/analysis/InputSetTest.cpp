#include "InputSet.h"

#include <gtest/gtest.h>

TEST(InputSet, FreshInstanceDefaults)
{
    CInputSet input;
    EXPECT_TRUE(input.verbose);
    EXPECT_TRUE(input.sameNameOption);
    EXPECT_FALSE(input.searchSystemIncludes);
    EXPECT_FALSE(input.stopRequest);
    EXPECT_EQ(input.percent, 0);
    EXPECT_TRUE(CInputSet(true).searchSystemIncludes);
}

TEST(InputSet, PresentPathKeepsItsFlags)
{
    CInputSet input;
    input.AddFile("a.cpp", true, false);
    input.AddFile("a.cpp", true, true);
    input.AddFiles({"a.cpp", "b.cpp"});
    ASSERT_EQ(input.paths.size(), 2u);
    EXPECT_FALSE(input.fileFlags["a.cpp"].draw);
    EXPECT_TRUE(input.fileFlags["b.cpp"].draw);
    input.RemoveFile("a.cpp");
    EXPECT_EQ(input.paths.count("a.cpp"), 0u);
    EXPECT_EQ(input.fileFlags.count("a.cpp"), 0u);
}

TEST(InputSet, PathsAreCaseSensitiveButMergedFilesAreNot)
{
    CInputSet input;
    input.AddFiles({"src/a.cpp", "src/A.cpp"});
    ASSERT_EQ(input.paths.size(), 2u);
    EXPECT_EQ(*input.paths.begin(), "src/A.cpp"); // byte order: upper case first
    std::string path = "src/A.cpp";
    input.AddNoCase(path);
    EXPECT_EQ(path, "src/A.cpp");
    EXPECT_TRUE(input.ContainsNoCase("SRC/a.CPP"));
    EXPECT_EQ(input.mergedFiles.size(), 1u);
}

TEST(InputSet, ClearKeepsNumbersDirectoriesAndDefines)
{
    CInputSet input;
    input.AddFile("a.c", true, true);
    input.AddNoCase("a.c");
    EXPECT_EQ(input.AddNumber("a.c"), 0);
    EXPECT_EQ(input.AddNumber("b.h"), 1);
    EXPECT_EQ(input.FindNumber("b.h"), 1);
    EXPECT_EQ(input.FindNumber("B.h"), -1);
    input.defines.push_back({"WIN32", 1});
    input.SetDefaultIncludeDirs();
    input.Clear();
    EXPECT_TRUE(input.paths.empty());
    EXPECT_TRUE(input.fileFlags.empty());
    EXPECT_TRUE(input.mergedFiles.empty());
    EXPECT_EQ(input.fileNumbers.size(), 2u);
    EXPECT_EQ(input.defines.size(), 1u);
    EXPECT_EQ(input.includeDirs.size(), 4u);
}

TEST(InputSet, DefaultIncludeDirsReplaceTheLists)
{
    CInputSet input;
    input.includeDirs = {"x"};
    input.SetDefaultIncludeDirs();
    input.SetDefaultIncludeDirs();
    EXPECT_EQ(input.includeDirs.size(), 4u);
    EXPECT_EQ(input.userIncludeDirs.size(), 1u);
}
