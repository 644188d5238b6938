#include "AnalysisHelpers.h"
#include "CapturedOutput.h"
#include "FlowBuilder.h"
#include "LanguageTable.h"
#include "UnitKind.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <thread>

namespace {

using Strings = std::vector<std::string>;

const Strings kShapes = {"src/circle.cpp", "src/main.cpp"};

const char* const kShapesModel = "+Unit: Circle 4 0 1 Parent Count:1\n"
                                 "    +Unit: Area 18 1 1 \n"
                                 "    +Unit: Circle 18 1 1 \n"
                                 "    +Unit: Grow 18 1 1 \n"
                                 "    +Unit: center 12 1 0 \n"
                                 "    +Unit: radius 12 1 0 \n"
                                 "+Unit: Nameless Struct1 5 0 1 \n"
                                 "    +Unit: hits 12 1 0 \n"
                                 "+Unit: clamp 18 1 0 \n"
                                 "+Unit: counter 12 1 0 \n"
                                 "+Unit: geo 8 0 1 \n"
                                 "    +Unit: Distance 18 1 0 \n"
                                 "    +Unit: Point 5 0 1 \n"
                                 "        +Unit: x 12 1 0 \n"
                                 "        +Unit: y 12 1 0 \n"
                                 "    +Unit: Shape 4 0 1 Parent Count:0\n"
                                 "        +Unit: Area 18 1 0 \n"
                                 "        +Unit: MoveBy 18 1 1 \n"
                                 "        +Unit: origin 12 1 0 \n"
                                 "        +Unit: ~Shape 18 1 0 \n"
                                 "+Unit: lerp 18 1 0 \n"
                                 "+Unit: main 18 0 1 \n"
                                 "+Unit: stats 12 1 0 \n";

std::string Line(int first, int second)
{
    return std::string(GetLangString(first)) + ": " + GetLangString(second) + "\n";
}

// The shapes project, analysed once.
class ShapesAnalysed : public ::testing::Test {
protected:
    ShapesAnalysed() { a.Run(); }

    ProjectFolder folder {"shapes"};
    Analysis a {folder, kShapes};
};

} // namespace

TEST_F(ShapesAnalysed, SmallProjectGivesTheExpectedModel)
{
    EXPECT_EQ(a.Outline(), kShapesModel);
    EXPECT_EQ(a.Parsed(), kShapes);
    EXPECT_NE(a.log.find(Line(1, 8)), std::string::npos);
    EXPECT_EQ(a.log.find(Line(1, 11)), std::string::npos);
    EXPECT_EQ(a.input.percent, 50); // the last file leaves 100 (n-1)/n
    EXPECT_FALSE(a.analyzer.Busy());
    EXPECT_EQ(a.Engine().FileIndex().files.size(), 3u);

    // Parents, links and the methods' defining files.
    CModelScope* circle = a.Find("Circle");
    ASSERT_NE(circle, nullptr);
    EXPECT_EQ(circle->parent, a.Engine().Root());
    EXPECT_EQ(a.Find("Circle::Area")->parent, circle);
    const ScopeFiles& areaFiles = a.Find("Circle::Area")->definitionFiles;
    EXPECT_EQ(Strings(areaFiles.begin(), areaFiles.end()), Strings {folder.Path("src/circle.cpp")});
    CModelScope* point = a.Find("geo::Point");
    // Both classes hold a Point; Circle was made first (as the qualifier of
    // its constructor's definition).
    ASSERT_EQ(point->LinkedBy().size(), 2u);
    EXPECT_EQ(*point->LinkedBy().begin(), circle);
    EXPECT_EQ(*point->LinkedBy().rbegin(), a.Find("geo::Shape"));
    EXPECT_EQ(point->LinkedByCv().size(), 0u);
}

TEST_F(ShapesAnalysed, EditedSourceIsTheOnlyOneParsed)
{
    folder.AppendComment("src/main.cpp", 5);
    a.Run();
    EXPECT_EQ(a.Parsed(), Strings {"src/main.cpp"});
    EXPECT_EQ(a.Outline(), kShapesModel);
}

TEST_F(ShapesAnalysed, HeaderEditedThreeIncludesDeepIsReadAgain)
{
    // circle.h -> geometry.h -> detail/util.h
    folder.Write("include/detail/util.h",
        "#ifndef UTIL_H\n#define UTIL_H\n#define UTIL_MAX 10\n"
        "extern \"C\" { int clamp(int value, int low, int high); }\n"
        "int wrap(int value);\n#endif\n",
        7);
    a.Run();
    EXPECT_EQ(a.Parsed(), kShapes);
    EXPECT_NE(a.Find("wrap"), nullptr);
    EXPECT_EQ(a.Find("lerp"), nullptr); // nothing stale is left
    // The headers of the old reading are gone; numbers are dense again.
    EXPECT_EQ(a.Engine().FileIndex().files.size(), 3u);
    for (const auto& header : a.Engine().FileIndex().files) {
        for (int32_t k : header->includes) {
            EXPECT_LT(k, 3);
        }
    }
}

TEST(Analyzer, RemovedFileLeavesWithItsHeaders)
{
    ProjectFolder folder("shapes");
    folder.Write("src/extra.cpp", "#include \"extra.h\"\nint more() { return 1; }\n");
    folder.Write("src/extra.h", "int more();\n");
    Analysis a(folder, {"src/circle.cpp", "src/extra.cpp", "src/main.cpp"});
    a.Run();
    EXPECT_EQ(a.Engine().FileIndex().files.size(), 4u);
    EXPECT_NE(a.Find("more"), nullptr);
    a.input.RemoveFile(folder.Path("src/extra.cpp"));
    a.Run();
    EXPECT_TRUE(a.Parsed().empty());
    EXPECT_EQ(a.Find("more"), nullptr);
    EXPECT_EQ(a.Engine().ProjectFiles().size(), 2u);
    EXPECT_EQ(a.Engine().FileIndex().files.size(), 3u);
    EXPECT_EQ(a.Outline(), kShapesModel);
}

TEST_F(ShapesAnalysed, UnreadableOrEmptiedFileKeepsItsRecord)
{
    folder.Remove("src/main.cpp");
    folder.Write("src/circle.cpp", "", 9);
    a.Run();
    EXPECT_TRUE(a.Parsed().empty());
    EXPECT_EQ(a.Outline(), kShapesModel);
}

TEST_F(ShapesAnalysed, FileWithoutAnalyseFlagLeavesTheModel)
{
    a.input.fileFlags[folder.Path("src/main.cpp")].analyse = false;
    a.Run();
    EXPECT_EQ(a.Find("main"), nullptr);
    EXPECT_EQ(a.Engine().ProjectFiles().size(), 1u);
}

TEST_F(ShapesAnalysed, UnchangedRunParsesNothingAndAFlagChangeRebuildsTheModel)
{
    CModelScope* main = a.Find("main");
    const CUnit* before = main->GetFirstUnit();
    const uint64_t generation = a.Engine().ModelGeneration();
    a.Run();
    EXPECT_TRUE(a.Parsed().empty());
    EXPECT_EQ(a.Find("main"), main); // nothing changed: the same model
    EXPECT_EQ(a.Engine().ModelGeneration(), generation);
    EXPECT_EQ(a.Find("main")->GetFirstUnit(), before);
    EXPECT_EQ(a.Outline(), kShapesModel);
    // Not drawing a file changes the model without changing any record.
    a.input.fileFlags[folder.Path("src/main.cpp")].draw = false;
    a.Run();
    EXPECT_TRUE(a.Parsed().empty());
    EXPECT_GT(a.Engine().ModelGeneration(), generation);
    EXPECT_EQ(a.Find("main"), nullptr);
    EXPECT_NE(a.Find("Circle::Grow"), nullptr);
    a.input.fileFlags[folder.Path("src/main.cpp")].draw = true;
    a.Run();
    EXPECT_EQ(a.Outline(), kShapesModel);
}

TEST_F(ShapesAnalysed, StopBeforeTheFirstFileStillBuildsTheModel)
{
    folder.AppendComment("src/circle.cpp", 3);
    a.input.stopRequest = true;
    a.Run();
    EXPECT_TRUE(a.Parsed().empty());
    EXPECT_EQ(a.input.percent, 0);
    EXPECT_EQ(a.log.find(Line(1, 8)), std::string::npos);
    EXPECT_NE(a.log.find(Line(1, 11)), std::string::npos);
    EXPECT_FALSE(a.analyzer.Busy());
    // The changed file's record went; the unvisited one is still there.
    EXPECT_EQ(a.Find("Circle::Area")->definitions.size(), 0u);
    EXPECT_NE(a.Find("main"), nullptr);
    a.input.stopRequest = false;
    a.Run();
    EXPECT_EQ(a.Parsed(), Strings {"src/circle.cpp"});
    EXPECT_EQ(a.Outline(), kShapesModel);
}

TEST(Analyzer, StopDuringARunLeavesAConsistentEngine)
{
    ProjectFolder folder("shapes");
    std::string big = "#include \"circle.h\"\n";
    for (int i = 0; i < 20000; ++i) {
        big += "int f" + std::to_string(i) + "(int a) { if (a) return a + " + std::to_string(i) +
            "; return clamp(a, 0, 1); }\n";
    }
    folder.Write("src/big.cpp", big);
    Analysis a(folder, {"src/big.cpp", "src/circle.cpp", "src/main.cpp"});
    // The first file takes a while to read: a stop soon after the start
    // most likely cuts it short.
    std::thread stopper([&a] {
        while (!a.analyzer.Busy()) {
            std::this_thread::yield();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        a.input.stopRequest = true;
    });
    a.Run();
    stopper.join();
    EXPECT_FALSE(a.analyzer.Busy());
    // Whatever the stop cut short is not kept as if it were whole.
    a.input.stopRequest = false;
    a.Run();
    Analysis fresh(folder, {"src/big.cpp", "src/circle.cpp", "src/main.cpp"});
    fresh.Run();
    EXPECT_EQ(a.Outline(), fresh.Outline());
    EXPECT_EQ(a.Engine().FileIndex().files.size(), fresh.Engine().FileIndex().files.size());
}

TEST_F(ShapesAnalysed, CallsOfAFunction)
{
    EXPECT_EQ(DescribeCalls(a.Engine().GetCalledFunctions(a.Find("main"))),
        (Strings {"c/1@0", "clamp/3@0+", "Grow/1@1+"}));
    EXPECT_EQ(a.Engine().LifelineNames(), (Strings {"Global", "Circle"}));
    EXPECT_TRUE(a.Engine().GetCalledFunctions(a.Find("clamp")).empty());
    EXPECT_TRUE(a.Engine().GetCalledFunctions(nullptr).empty());
    a.Run();
    EXPECT_TRUE(a.Engine().LifelineNames().empty()); // emptied by every merge
}

TEST_F(ShapesAnalysed, FunctionMapAndDefiningUnits)
{
    const auto& map = a.Engine().Functions();
    ASSERT_EQ(map.begin()->first, "Area");
    EXPECT_EQ(map.at("Area").count, 1);
    EXPECT_EQ(map.at("clamp").count, 0);
    EXPECT_EQ(map.at("main").units.size(), 1u);
    // Each entry leads to the function's element, which the previews draw.
    EXPECT_EQ(map.at("main").element, a.Find("main"));
    EXPECT_EQ(map.at("Area").element, a.Find("Circle::Area"));
    // A method declared in its class and defined outside it: the flow chart
    // is built from the definition.
    FunctionBody body;
    CFlowBuilder::BuildFunctionItems(body, a.Find("Circle::Area"), 1);
    ASSERT_EQ(body.root.children.size(), 2u);
    EXPECT_EQ(body.root.children[0].kind, UNIT_IF);
}

TEST_F(ShapesAnalysed, CacheRoundTripParsesNothingAfterwards)
{
    const std::string cache = folder.Path("shapes.car");
    ASSERT_TRUE(a.Engine().SaveCache(cache));

    Analysis b(folder, kShapes);
    {
        CapturedOutput quiet;
        ASSERT_TRUE(b.Engine().LoadCache(cache));
    }
    EXPECT_FALSE(b.Engine().IsAnyFileChanged());
    b.analyzer.RebuildModel(3);
    EXPECT_EQ(b.Outline(), kShapesModel);
    b.Run();
    EXPECT_TRUE(b.Parsed().empty());
    EXPECT_EQ(b.Outline(), kShapesModel);
    ASSERT_TRUE(b.Engine().SaveCache(folder.Path("again.car")));
    EXPECT_EQ(ReadFileBytes(cache), ReadFileBytes(folder.Path("again.car")));

    folder.AppendComment("include/geometry.h", 4);
    EXPECT_TRUE(b.Engine().IsAnyFileChanged());
    b.Run();
    EXPECT_EQ(b.Parsed(), kShapes);
}

// Opening a project compares its files with the disk while the model is
// rebuilt from the records: the two share the records and must not race.
TEST_F(ShapesAnalysed, TheDiskIsComparedWhileTheModelIsRebuilt)
{
    const std::string cache = folder.Path("shapes.car");
    ASSERT_TRUE(a.Engine().SaveCache(cache));
    for (const bool edited : {false, true}) {
        if (edited) {
            folder.AppendComment("include/geometry.h", 4);
        }
        Analysis b(folder, kShapes);
        {
            CapturedOutput quiet;
            ASSERT_TRUE(b.Engine().LoadCache(cache));
        }
        bool changed = !edited;
        std::thread checking([&] { changed = b.Engine().IsAnyFileChanged(); });
        b.analyzer.RebuildModel(3);
        checking.join();
        EXPECT_EQ(changed, edited);
        EXPECT_EQ(b.Outline(), kShapesModel);
    }
}

// A project of many files is compared with the disk on several threads:
// a change to any one file, or a header found elsewhere now, is seen.
TEST(Analyzer, AChangeToAnyOfManyFilesIsSeenAfterALoad)
{
    ProjectFolder folder;
    std::vector<std::string> files;
    for (int i = 0; i < 60; ++i) {
        const std::string n = std::to_string(i);
        folder.Write("inc/h" + n + ".h", "int h" + n + ";\n");
        folder.Write("src/f" + n + ".c", "#include \"h" + n + ".h\"\nint f" + n + ";\n");
        files.push_back("src/f" + n + ".c");
    }
    Analysis a(folder, files);
    a.input.userIncludeDirs = {folder.Path("inc")};
    a.Run();
    const std::string cache = folder.Path("many.car");
    ASSERT_TRUE(a.Engine().SaveCache(cache));
    const auto loaded = [&] {
        auto b = std::make_unique<Analysis>(folder, files);
        b->input.userIncludeDirs = {folder.Path("inc")};
        CapturedOutput quiet;
        EXPECT_TRUE(b->Engine().LoadCache(cache));
        return b;
    };
    EXPECT_FALSE(loaded()->Engine().IsAnyFileChanged());
    // Each edit keeps the size; a touch alone changes nothing.
    const std::map<std::string, std::pair<std::string, std::string>> edits {
        {"src/f0.c", {"#include \"h0.h\"\nint f0;\n", "#include \"h0.h\"\nint g0;\n"}},
        {"src/f59.c", {"#include \"h59.h\"\nint f59;\n", "#include \"h59.h\"\nint f58;\n"}},
        {"inc/h58.h", {"int h58;\n", "int k58;\n"}}};
    for (const auto& [edited, texts] : edits) {
        folder.Write(edited, texts.second, 9);
        EXPECT_TRUE(loaded()->Engine().IsAnyFileChanged()) << edited;
        folder.Write(edited, texts.first, 0);
        folder.Touch(edited, 11);
        EXPECT_FALSE(loaded()->Engine().IsAnyFileChanged()) << edited;
        folder.Touch(edited, 0);
    }
    EXPECT_FALSE(loaded()->Engine().IsAnyFileChanged());
    // A header of the same name beside the last file now comes first.
    folder.Write("src/h59.h", "int other;\n");
    EXPECT_TRUE(loaded()->Engine().IsAnyFileChanged());
}

TEST_F(ShapesAnalysed, RemovingAFileRebuildsTheModel)
{
    a.Engine().RemoveSourceFile(folder.Path("SRC/main.cpp")); // case differs: nothing
    EXPECT_EQ(a.Engine().ProjectFiles().size(), 2u);
    a.Engine().RemoveSourceFile(folder.Path("src/main.cpp"));
    EXPECT_EQ(a.Engine().ProjectFiles().size(), 1u);
    EXPECT_EQ(a.Find("main"), nullptr);
}

TEST(Analyzer, DumpWritesTheFilesAndTheModel)
{
    ProjectFolder folder("shapes");
    Analysis a(folder, {"src/main.cpp"});
    const std::string log = a.Run(true);
    const size_t start = log.find("Start Unit Drawing\n");
    ASSERT_NE(start, std::string::npos);
    EXPECT_NE(log.find("<" + std::string(62, '-') + ">\n" + folder.Path("src/main.cpp") + "\n"),
        std::string::npos);
    EXPECT_NE(log.find("+Unit: [Function] 1 5-5\n int main ( void )\n"), std::string::npos);
    EXPECT_NE(
        log.find("End Unit Drawing\nStart global Drawing\n+Unit: Circle 4 0 1 Parent Count:1\n"),
        std::string::npos);
    EXPECT_NE(log.find("End global Drawing\n"), std::string::npos);
}

// A header edited only in a comment is read again by the files that
// include it, and by no other; those come out with the same tokens, so
// they, and the header itself, take over the units of their former records
// instead of being parsed again, on one thread as on several.
TEST(Analyzer, HeaderEditedInACommentGivesItsIncludersTheirFormerUnits)
{
    for (unsigned jobs : {1u, 4u}) {
        ProjectFolder folder;
        folder.Write("x.h", "#pragma once\nstruct X { int x; };\nint xf(int);\n");
        folder.Write("y.h", "#pragma once\nstruct Y { int y; };\n");
        folder.Write("a.cpp", "#include \"x.h\"\nint a() { return xf(1); }\n");
        folder.Write("b.cpp", "#include \"y.h\"\nint b() { Y y; return y.y; }\n");
        folder.Write("c.cpp", "#include \"x.h\"\nint c() { X v; return v.x; }\n");
        Analysis a {folder, {"a.cpp", "b.cpp", "c.cpp"}};
        a.Engine().SetJobs(jobs);
        a.Run();
        const std::string model = a.Outline();
        const auto unitsOf = [&a] {
            std::map<std::string, const CUnit*> of;
            for (const auto& file : a.Engine().ProjectFiles()) {
                of[file->path] = file->units.data();
            }
            for (const auto& header : a.Engine().FileIndex().files) {
                of[header->path] = header->units.data();
            }
            return of;
        };
        const std::map<std::string, const CUnit*> before = unitsOf();

        folder.AppendComment("x.h", 9);
        a.Run();
        EXPECT_EQ(a.Parsed(), (Strings {"a.cpp", "c.cpp"})) << jobs << " jobs";
        EXPECT_EQ(a.Outline(), model) << jobs << " jobs";
        EXPECT_EQ(unitsOf(), before) << jobs << " jobs";
    }
}

// A file whose time moved on while its bytes stayed the same reads the
// same: neither it nor its includers are read again, and it is kept under
// its new time, which the cache then keeps too, with what tells the bytes
// apart. A file of the same size with other bytes is read again.
TEST(Analyzer, AFileWhoseTimeAloneMovedIsNotReadAgain)
{
    for (unsigned jobs : {1u, 4u}) {
        ProjectFolder folder;
        folder.Write("x.h", "#pragma once\n#define X_MAX 10\nint xf(int);\n");
        folder.Write("a.cpp", "#include \"x.h\"\nint a() { return xf(X_MAX); }\n");
        folder.Write("b.cpp", "int b() { return 2; }\n");
        Analysis a {folder, {"a.cpp", "b.cpp"}};
        a.Engine().SetJobs(jobs);
        a.Run();
        const std::string model = a.Outline();

        folder.Touch("x.h", 9);
        folder.Touch("b.cpp", 9);
        a.Run();
        EXPECT_TRUE(a.Parsed().empty()) << jobs << " jobs";
        EXPECT_EQ(a.Outline(), model) << jobs << " jobs";
        EXPECT_FALSE(a.Engine().IsAnyFileChanged()) << jobs << " jobs";
        const std::string cache = folder.Path("x.car");
        ASSERT_TRUE(a.Engine().SaveCache(cache));
        Analysis loaded {folder, {"a.cpp", "b.cpp"}};
        {
            CapturedOutput quiet;
            ASSERT_TRUE(loaded.Engine().LoadCache(cache));
        }
        EXPECT_FALSE(loaded.Engine().IsAnyFileChanged()) << jobs << " jobs";
        // What the cache kept of the bytes tells a later touch apart too.
        folder.Touch("x.h", 10);
        folder.Touch("a.cpp", 10);
        EXPECT_FALSE(loaded.Engine().IsAnyFileChanged()) << jobs << " jobs";
        loaded.Run();
        EXPECT_TRUE(loaded.Parsed().empty()) << jobs << " jobs";
        EXPECT_EQ(loaded.Outline(), model) << jobs << " jobs";

        folder.Write("x.h", "#pragma once\n#define X_MAX 20\nint xf(int);\n", 12);
        a.Run();
        EXPECT_EQ(a.Parsed(), Strings {"a.cpp"}) << jobs << " jobs";
        folder.Write("b.cpp", "int b() { return 3; }\n", 12);
        a.Run();
        EXPECT_EQ(a.Parsed(), Strings {"b.cpp"}) << jobs << " jobs";
    }
}

// An include whose name is a macro is not followed; its file still counts
// as unchanged until it changes, however many runs pass.
TEST(Analyzer, IncludeNamedByAMacroDoesNotLookChanged)
{
    for (unsigned jobs : {1u, 4u}) {
        ProjectFolder folder;
        folder.Write("x.h", "int xf(int);\n");
        folder.Write("a.cpp",
            "#define X_HEADER \"x.h\"\n#include X_HEADER\n#define HEADER_OF(n) \"x.h\"\n"
            "#include HEADER_OF(x)\nint a() { return 1; }\n");
        folder.Write("b.cpp", "#include \"x.h\"\nint b() { return xf(2); }\n");
        Analysis a {folder, {"a.cpp", "b.cpp"}};
        a.Engine().SetJobs(jobs);
        a.Run();
        const std::string model = a.Outline();
        EXPECT_FALSE(a.Engine().IsAnyFileChanged()) << jobs << " jobs";
        a.Run();
        EXPECT_TRUE(a.Parsed().empty()) << jobs << " jobs";
        EXPECT_EQ(a.Outline(), model) << jobs << " jobs";
    }
}

// An include spelled otherwise than its header's file finds it without
// regard to case, until a file spelled exactly as the include appears:
// from then on that file is read, by a warm run as by a fresh one.
TEST(Analyzer, HeaderSpelledAsTheIncludeTakesOverFromTheOneMatchedWithoutCase)
{
    for (bool sameName : {true, false}) {
        ProjectFolder folder;
        folder.Write("inc/config.h", "int fromLower;\n");
        folder.Write("a.cpp", "#include \"inc/Config.h\"\nint a() { return 1; }\n");
        folder.Write("b.cpp", "#include \"inc/config.h\"\nint b() { return 2; }\n");
        Analysis warm {folder, {"a.cpp", "b.cpp"}};
        warm.input.sameNameOption = sameName;
        warm.Run();
        EXPECT_FALSE(warm.Engine().IsAnyFileChanged()) << sameName;

        folder.Write("inc/Config.h", "int fromUpper;\n", 5);
        EXPECT_TRUE(warm.Engine().IsAnyFileChanged()) << sameName;
        warm.Run();
        if (sameName) {
            EXPECT_EQ(warm.Parsed(), Strings {"a.cpp"});
        }
        Analysis cold {folder, {"a.cpp", "b.cpp"}};
        cold.input.sameNameOption = sameName;
        cold.Run();
        EXPECT_EQ(warm.Outline(), cold.Outline()) << sameName;
        EXPECT_NE(cold.Outline().find("fromUpper"), std::string::npos) << sameName;
        EXPECT_NE(cold.Outline().find("fromLower"), std::string::npos) << sameName;
        EXPECT_FALSE(warm.Engine().IsAnyFileChanged()) << sameName;
    }
}

// A cache large enough to be read back on several threads gives the model
// of the run that saved it.
TEST(Analyzer, LargeCacheReadOnSeveralThreadsGivesTheModelOfItsRun)
{
    ProjectFolder folder;
    Strings files;
    for (int f = 0; f < 40; ++f) {
        std::string text = "#include \"common.h\"\n";
        for (int k = 0; k < 300; ++k) {
            text += "int f" + std::to_string(f) + "_" + std::to_string(k) +
                "(int a) { return twice(a) + " + std::to_string(k) + "; }\n";
        }
        files.push_back("s" + std::to_string(f) + ".cpp");
        folder.Write(files.back(), text);
    }
    folder.Write("common.h", "int twice(int a);\n");
    Analysis a {folder, files};
    a.Run();
    const std::string cache = folder.Path("big.car");
    ASSERT_TRUE(a.Engine().SaveCache(cache));
    ASSERT_GT(std::filesystem::file_size(cache), 1u << 20);
    Analysis loaded {folder, files};
    {
        CapturedOutput quiet;
        ASSERT_TRUE(loaded.Engine().LoadCache(cache));
    }
    loaded.analyzer.RebuildModel(3);
    EXPECT_EQ(loaded.Outline(), a.Outline());
    EXPECT_FALSE(loaded.Engine().IsAnyFileChanged());
}
