#include "MacroViewPicture.h"
#include "MacroViewTest.h"

#include <atomic>
#include <limits>
#include <optional>
#include <thread>
#include <tuple>
#include <utility>

namespace {

constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);

class MacroViewPictureTest : public MacroViewTest {
protected:
    MacroViewPictureTest() { style.HighColorShading = 0; } // flat colours

    std::optional<CSize> Update(MacroViewSteps steps)
    {
        return picture.Update(steps, &model.root, options, 600, &dc);
    }

    // A model with classes, members and both groups.
    void AddModel()
    {
        CModelScope* alpha = model.Add(nullptr, "Alpha", UNIT_CLASS);
        model.Add(alpha, "x", UNIT_VARIABLE);
        model.Add(alpha, "Run", UNIT_FUNCTION);
        model.Add(nullptr, "Beta", UNIT_STRUCT);
        model.Add(nullptr, "main", UNIT_FUNCTION);
        model.Add(nullptr, "counter", UNIT_VARIABLE);
    }

    // Prepares the model's tree on a thread of its own.
    std::optional<PreparedMacroTree> Prepare(int width, bool stopped = false,
        int tallerThan = std::numeric_limits<int>::max(), int widthIfTaller = 0)
    {
        MacroViewPicture::PrepareJob job =
            picture.MakePrepareJob(options, width, tallerThan, widthIfTaller);
        std::optional<PreparedMacroTree> tree;
        std::atomic<bool> stop {stopped};
        std::thread([&] { tree = job.Run(&model.root, stop); }).join();
        return tree;
    }

    std::vector<MacroLayoutNode> nodes;
    MacroViewPicture picture {nodes, groups, boxes, fonts, style};
};

// What a tree shows: every node's element, number, place and sizes, depth first.
std::vector<std::tuple<const CModelScope*, int, int, int, int, int, int, int>> Shape(
    const std::vector<MacroLayoutNode>& nodes)
{
    std::vector<std::tuple<const CModelScope*, int, int, int, int, int, int, int>> out;
    for (const MacroLayoutNode& node : nodes) {
        out.emplace_back(node.scope, node.number, node.absX, node.absY, node.textW, node.textH,
            node.boxW, node.boxH);
        const auto inner = Shape(node.children);
        out.insert(out.end(), inner.begin(), inner.end());
    }
    return out;
}

} // namespace

TEST_F(MacroViewPictureTest, BuildsMeasuresArrangesAndDrawsTheModel)
{
    style.SetColors(UNIT_STRUCT, 0x000000, kRed, kGreen);
    CModelScope* alpha = model.Add(nullptr, "Alpha", UNIT_CLASS);
    model.Add(alpha, "x", UNIT_VARIABLE);
    model.Add(nullptr, "Beta", UNIT_STRUCT);

    EXPECT_FALSE(Update({})) << "nothing asked, nothing arranged";
    EXPECT_TRUE(nodes.empty());

    const std::optional<CSize> size = Update({.build = true});
    ASSERT_TRUE(size);
    ASSERT_EQ(nodes.size(), 2u);
    EXPECT_EQ(picture.NodeCount(), 3);
    EXPECT_EQ(nodes[0].textW, 5 * 6 + 4 + 10) << "measured, with the fold marker";
    for (const MacroLayoutNode& node : nodes) {
        EXPECT_LE(node.absX + node.boxW, size->cx) << node.scope->name;
        EXPECT_LE(node.absY + node.boxH, size->cy) << node.scope->name;
    }

    EXPECT_EQ(dc.GetPixel(nodes[1].absX + 3, nodes[1].absY), kWhite);
    picture.Draw(&dc);
    EXPECT_EQ(dc.GetPixel(nodes[1].absX + 3, nodes[1].absY), kRed);

    // A second build replaces the tree rather than adding to it.
    ASSERT_TRUE(Update({.build = true}));
    EXPECT_EQ(nodes.size(), 2u);
    EXPECT_EQ(picture.NodeCount(), 3);
}

// Only a measure request takes new fonts; an arrange request keeps the
// measured sizes and places the boxes again.
TEST_F(MacroViewPictureTest, MeasureTakesNewFontsArrangeKeepsTheSizes)
{
    model.Add(nullptr, "Alpha", UNIT_CLASS);
    model.Add(nullptr, "Beta", UNIT_STRUCT);
    const std::optional<CSize> first = Update({.build = true});
    ASSERT_TRUE(first);
    const int width = nodes[0].textW;

    ScopedTextMeasurer wide(std::make_shared<FixedWidthTextMeasurer>(9, 10));
    nodes[0].open = 1;
    ASSERT_TRUE(Update({.arrange = true}));
    EXPECT_EQ(nodes[0].textW, width);

    const std::optional<CSize> measured = Update({.measure = true});
    ASSERT_TRUE(measured);
    EXPECT_EQ(nodes[0].textW, width + 5 * 3);
    EXPECT_GT(measured->cx, first->cx);
    EXPECT_EQ(nodes[0].open, 1) << "measuring keeps the tree";
}

// A tree prepared on another thread is the tree a build makes; a build of its
// root takes it as it is, arranged again only when the width or the options
// differ from those it was prepared for.
TEST_F(MacroViewPictureTest, ABuildTakesThePreparedTree)
{
    AddModel();
    std::optional<PreparedMacroTree> prepared = Prepare(600);
    ASSERT_TRUE(prepared);
    const std::optional<CSize> built = Update({.build = true});
    ASSERT_TRUE(built);
    const auto expected = Shape(nodes);
    const int count = picture.NodeCount();
    EXPECT_EQ(Shape(prepared->nodes), expected);
    EXPECT_EQ(prepared->size, *built);
    EXPECT_EQ(prepared->nodeCount, count);
    nodes.clear();

    // Wider texts now show that nothing is measured again.
    {
        ScopedTextMeasurer wide(std::make_shared<FixedWidthTextMeasurer>(9, 10));
        EXPECT_EQ(
            picture.Update({.build = true}, &model.root, options, 600, &dc, std::move(prepared)),
            built);
        EXPECT_EQ(Shape(nodes), expected);
        EXPECT_EQ(picture.NodeCount(), count);
    }

    // Another width or other options arrange it as a build would.
    for (const auto& [width, sort] : {std::pair {200, 1}, std::pair {600, 0}}) {
        options.sort = 1;
        prepared = Prepare(600);
        options.sort = sort;
        const std::optional<CSize> taken =
            picture.Update({.build = true}, &model.root, options, width, &dc, std::move(prepared));
        const auto shape = Shape(nodes);
        EXPECT_EQ(picture.Update({.build = true}, &model.root, options, width, &dc), taken);
        EXPECT_EQ(Shape(nodes), shape) << width << " " << sort;
    }
    options.sort = 1;

    // A measure request measures the taken tree in the picture's fonts.
    prepared = Prepare(600);
    ScopedTextMeasurer wide(std::make_shared<FixedWidthTextMeasurer>(9, 10));
    const std::optional<CSize> remeasured = picture.Update(
        {.build = true, .measure = true}, &model.root, options, 600, &dc, std::move(prepared));
    const auto shape = Shape(nodes);
    EXPECT_EQ(picture.Update({.build = true}, &model.root, options, 600, &dc), remeasured);
    EXPECT_EQ(Shape(nodes), shape);
    EXPECT_NE(shape, expected);
}

// A window about to show its vertical scroll bar for a tall tree gets the
// tree arranged for the narrower width the bar leaves; a tree that fits keeps
// the full width.
TEST_F(MacroViewPictureTest, ATallTreeIsArrangedForTheWidthBesideTheScrollBar)
{
    AddModel();
    const std::optional<CSize> full = Update({.build = true});
    const std::optional<CSize> narrow =
        picture.Update({.build = true}, &model.root, options, 60, &dc);
    ASSERT_TRUE(full && narrow);
    ASSERT_GT(narrow->cy, full->cy) << "the narrower width stacks the boxes";
    const auto narrowShape = Shape(nodes);

    std::optional<PreparedMacroTree> fits = Prepare(600, false, full->cy, 60);
    ASSERT_TRUE(fits);
    EXPECT_EQ(fits->width, 600);
    EXPECT_EQ(fits->size, *full);

    std::optional<PreparedMacroTree> tall = Prepare(600, false, full->cy - 1, 60);
    ASSERT_TRUE(tall);
    EXPECT_EQ(tall->width, 60);
    EXPECT_EQ(tall->size, *narrow);
    EXPECT_EQ(Shape(tall->nodes), narrowShape);
}

// A tree of another root is never taken, and a stopped job gives none.
TEST_F(MacroViewPictureTest, APreparedTreeServesOnlyItsRoot)
{
    AddModel();
    EXPECT_FALSE(Prepare(600, true));
    std::optional<PreparedMacroTree> prepared = Prepare(600);
    ASSERT_TRUE(prepared);
    HandBuiltModel other;
    other.Add(nullptr, "Gamma", UNIT_CLASS);
    ASSERT_TRUE(
        picture.Update({.build = true}, &other.root, options, 600, &dc, std::move(prepared)));
    ASSERT_EQ(nodes.size(), 1u);
    EXPECT_EQ(nodes[0].scope->name, "Gamma");
}

// The shown tree, arranged again for another width away from the window,
// takes exactly the sizes, places and separators an arrangement in place
// gives, and keeps its numbers and its kept bitmaps.
TEST_F(MacroViewPictureTest, AnArrangementMadeAwayEqualsOneMadeInPlace)
{
    AddModel();
    style.Grouping = 1;
    ASSERT_TRUE(Update({.build = true}));
    SetAllNodesOpen(nodes, true);
    ASSERT_TRUE(Update({.arrange = true}));
    nodes[0].number = 42;
    picture.Draw(&dc);
    const MacroBoxCache* kept = nodes[0].children[0].boxCache.get();
    ASSERT_NE(kept, nullptr);

    const MacroViewPicture::ArrangeJob job = picture.MakeArrangeJob(options, 60);
    std::optional<MacroArrangement> arrangement;
    std::atomic<bool> stop {false};
    std::thread([&] { arrangement = job.Run(stop); }).join();
    ASSERT_TRUE(arrangement);

    std::vector<MacroLayoutNode> expected = nodes;
    const CSize expectedSize = CMacroLayout(
        expected, MacroViewPicture::kBorder, style.UnitSpace, 60, style.Grouping, options)
                                   .Arrange();
    ASSERT_NE(Shape(expected), Shape(nodes)) << "the narrower width moves the boxes";
    EXPECT_EQ(picture.TakeArrangement(*arrangement), expectedSize);
    EXPECT_EQ(Shape(nodes), Shape(expected));
    EXPECT_EQ(nodes[0].separators, expected[0].separators);
    EXPECT_FALSE(nodes[0].separators.empty()) << "the class's members are of two kinds";
    EXPECT_EQ(nodes[0].children[0].grouped, expected[0].children[0].grouped);
    EXPECT_EQ(nodes[0].children[0].boxCache.get(), kept);
}

// Everything a paint of the tree reads, depth first.
std::vector<std::vector<int>> Look(const std::vector<MacroLayoutNode>& nodes)
{
    std::vector<std::vector<int>> out;
    for (const MacroLayoutNode& node : nodes) {
        std::vector<int> look {node.absX, node.absY, node.boxW, node.boxH, node.textW, node.textH,
            node.open, node.stackedMembers, node.grouped, node.number};
        look.insert(look.end(), node.separators.begin(), node.separators.end());
        out.push_back(look);
        const auto inner = Look(node.children);
        out.insert(out.end(), inner.begin(), inner.end());
    }
    return out;
}

// Under every option, the shown tree keeps what it shows while the job runs
// and then takes what an arrangement in place gives; a dragged container
// keeps its place when sorting is off.
TEST_F(MacroViewPictureTest, AnArrangementMadeAwayShowsNothingBeforeItIsTaken)
{
    AddModel();
    CModelScope* gamma = model.Add(nullptr, "Gamma", UNIT_CLASS);
    model.Add(gamma, "a", UNIT_VARIABLE, ACCESS_PRIVATE);
    model.Add(gamma, "b", UNIT_VARIABLE, ACCESS_PUBLIC);
    model.Add(model.Add(gamma, "Inner", UNIT_STRUCT), "depth", UNIT_VARIABLE);
    model.Add(gamma, "Go", UNIT_FUNCTION);
    model.Add(model.Add(nullptr, "ns", UNIT_NAMESPACE), "local", UNIT_FUNCTION);
    style.Grouping = 2;
    for (const int sort : {0, 1}) {
        for (const bool fixed : {false, true}) {
            for (const bool autoSort : {false, true}) {
                options = {sort, fixed, autoSort};
                ASSERT_TRUE(Update({.build = true}));
                SetAllNodesOpen(nodes, true);
                ASSERT_TRUE(Update({.arrange = true}));
                nodes.back().absX += 7; // a container dragged
                const auto shown = Look(nodes);

                std::optional<MacroArrangement> arrangement;
                std::atomic<bool> stop {false};
                const MacroViewPicture::ArrangeJob job = picture.MakeArrangeJob(options, 90);
                std::thread([&] { arrangement = job.Run(stop); }).join();
                ASSERT_TRUE(arrangement);
                EXPECT_EQ(Look(nodes), shown) << sort << fixed << autoSort;

                std::vector<MacroLayoutNode> expected = nodes;
                const CSize size = CMacroLayout(expected, MacroViewPicture::kBorder,
                    style.UnitSpace, 90, style.Grouping, options)
                                       .Arrange();
                ASSERT_NE(Look(expected), shown) << sort << fixed << autoSort;
                EXPECT_EQ(picture.TakeArrangement(*arrangement), size);
                EXPECT_EQ(Look(nodes), Look(expected)) << sort << fixed << autoSort;
            }
        }
    }
}

// A tree whose boxes are not in the order the job sorts them is left to an
// arrangement in place.
TEST_F(MacroViewPictureTest, AnArrangementOfATreeOutOfOrderIsRefused)
{
    CModelScope* alpha = model.Add(nullptr, "Alpha", UNIT_CLASS);
    model.Add(alpha, "x", UNIT_VARIABLE);
    model.Add(nullptr, "Beta", UNIT_CLASS);
    ASSERT_TRUE(Update({.build = true}));
    options.sort = 0; // by size: the empty Beta comes first
    const MacroViewPicture::ArrangeJob job = picture.MakeArrangeJob(options, 600);
    std::atomic<bool> stop {false};
    const std::optional<MacroArrangement> arrangement = job.Run(stop);
    ASSERT_TRUE(arrangement);
    const auto shown = Look(nodes);
    EXPECT_FALSE(picture.TakeArrangement(*arrangement));
    EXPECT_EQ(Look(nodes), shown);
}

// A stopped job gives nothing; an arrangement of another tree is refused.
TEST_F(MacroViewPictureTest, AnArrangementServesOnlyTheTreeItWasMadeFor)
{
    AddModel();
    ASSERT_TRUE(Update({.build = true}));
    const MacroViewPicture::ArrangeJob job = picture.MakeArrangeJob(options, 60);
    std::atomic<bool> stop {true};
    EXPECT_FALSE(job.Run(stop));
    stop = false;
    const std::optional<MacroArrangement> arrangement = job.Run(stop);
    ASSERT_TRUE(arrangement);

    nodes[0].children.pop_back();
    EXPECT_FALSE(picture.TakeArrangement(*arrangement));
    nodes.pop_back();
    EXPECT_FALSE(picture.TakeArrangement(*arrangement));
}
