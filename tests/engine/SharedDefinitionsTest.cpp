// Every reading of a header gives the same definitions, and the project
// files' tables hold the ones of the header's kept instance rather than
// their own equal ones, whether the files were read on the run's thread or
// ahead of it.

#include "AnalysisHelpers.h"
#include "FileIndex.h"

#include <gtest/gtest.h>

TEST(SharedDefinitions, ProjectFilesHoldTheDefinitionsOfTheHeadersKeptInstance)
{
    ProjectFolder folder;
    folder.Write("inc/defs.h", "#pragma once\n#define F(x) ((x) + 1)\n#define V 2\n");
    folder.Write("src/a.cpp", "#include \"defs.h\"\n#undef V\n#define V 3\nint a = F(V);\n");
    folder.Write("src/b.cpp", "#include \"defs.h\"\nint b = F(V);\n");
    folder.Write("src/c.cpp", "#include \"defs.h\"\nint c = F(V);\n");
    CInputSet input;
    input.verbose = false;
    input.userIncludeDirs = {folder.Path("inc")};
    for (const char* name : {"src/a.cpp", "src/b.cpp", "src/c.cpp"}) {
        input.AddFile(folder.Path(name), true, true);
    }
    for (unsigned jobs : {1u, 3u}) {
        CAnalyzer analyzer(&input);
        analyzer.Engine()->SetJobs(jobs);
        analyzer.Run(3, false);
        const CFileIndex& index = analyzer.Engine()->FileIndex();
        ASSERT_EQ(index.files.size(), 1u) << jobs << " threads";
        const auto& header = index.files[0]->macros;
        const SourceFileList& files = analyzer.Engine()->ProjectFiles();
        ASSERT_EQ(files.size(), 3u);
        for (const auto& file : files) {
            EXPECT_TRUE(file->macros.at("F").SameDefinition(header.at("F")))
                << file->path << ", " << jobs << " threads";
        }
        // The file that defines V again holds its own, and the header keeps
        // its V.
        EXPECT_FALSE(files[0]->macros.at("V").SameDefinition(header.at("V")));
        EXPECT_STREQ(files[0]->macros.at("V")->body.at(0).text, "3");
        EXPECT_STREQ(header.at("V")->body.at(0).text, "2");
        EXPECT_TRUE(files[1]->macros.at("V").SameDefinition(header.at("V")));
        EXPECT_TRUE(files[2]->macros.at("V").SameDefinition(header.at("V")));
    }
}
