#include "AnalysisHelpers.h"
#include "ProjectFileRemoval.h"

#include <gtest/gtest.h>

TEST(ProjectFileRemoval, ManyFilesLeaveTheProjectAndTheModelIsBuiltOnce)
{
    ProjectFolder folder("shapes");
    folder.Write("src/extra.cpp", "struct Extra { int e; };\n");
    Analysis a(folder, {"src/circle.cpp", "src/main.cpp", "src/extra.cpp"});
    a.Run();
    ASSERT_NE(a.Find("Extra"), nullptr);
    ASSERT_NE(a.Find("main"), nullptr);
    const uint64_t generation = a.Engine().ModelGeneration();

    // The holders are reset while the old model is still in place.
    int resets = 0;
    uint64_t seenAtReset = 0;
    const auto reset = [&] {
        ++resets;
        seenAtReset = a.Engine().ModelGeneration();
    };
    RemoveProjectFiles({folder.Path("src/main.cpp"), folder.Path("src/extra.cpp"),
                           folder.Path("src/elsewhere.cpp")},
        a.input, &a.Engine(), reset);
    EXPECT_EQ(resets, 1);
    EXPECT_EQ(seenAtReset, generation);
    EXPECT_EQ(a.Engine().ModelGeneration(), generation + 1) << "one rebuild for both";
    EXPECT_EQ(a.input.paths, std::set<std::string> {folder.Path("src/circle.cpp")});
    EXPECT_EQ(a.input.fileFlags.size(), 1u);
    ASSERT_EQ(a.Engine().ProjectFiles().size(), 1u);
    EXPECT_EQ(a.Find("Extra"), nullptr);
    EXPECT_EQ(a.Find("main"), nullptr);
    EXPECT_NE(a.Find("Circle"), nullptr);

    // Files no longer in the project change neither the files nor the model.
    RemoveProjectFiles({folder.Path("src/main.cpp")}, a.input, &a.Engine(), reset);
    EXPECT_EQ(a.Engine().ModelGeneration(), generation + 1);
    EXPECT_NE(a.Find("Circle"), nullptr);
}

TEST(ProjectFileRemoval, WithoutAnEngineOnlyTheFileSetChanges)
{
    CInputSet input;
    input.AddFile("/p/a.cpp", true, true);
    input.AddFile("/p/b.cpp", true, false);
    int resets = 0;
    RemoveProjectFiles({"/p/b.cpp"}, input, nullptr, [&] { ++resets; });
    EXPECT_EQ(input.paths, std::set<std::string> {"/p/a.cpp"});
    EXPECT_EQ(input.fileFlags.count("/p/b.cpp"), 0u);
    EXPECT_EQ(resets, 1);
}
