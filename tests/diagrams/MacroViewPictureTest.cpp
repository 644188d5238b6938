#include "MacroViewPicture.h"
#include "MacroViewTest.h"

#include <optional>

namespace {

constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);

class MacroViewPictureTest : public MacroViewTest {
protected:
    MacroViewPictureTest() { style.HighColorShading = 0; } // flat colours

    std::optional<CSize> Update(MacroViewSteps steps, CModelScope* root)
    {
        return picture.Update(steps, root, options, 600, &dc);
    }
    std::optional<CSize> Update(MacroViewSteps steps) { return Update(steps, &model.root); }

    std::vector<MacroLayoutNode> nodes;
    MacroViewPicture picture {nodes, groups, boxes, fonts, style};
};

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

TEST_F(MacroViewPictureTest, NoModelRootLeavesAnEmptyPicture)
{
    model.Add(nullptr, "Alpha", UNIT_CLASS);
    ASSERT_TRUE(Update({.build = true}));
    ASSERT_FALSE(nodes.empty());

    EXPECT_EQ(Update({.build = true}, nullptr), CSize(0, 0));
    EXPECT_TRUE(nodes.empty());
    EXPECT_EQ(picture.NodeCount(), 0);
    picture.Draw(&dc);
    EXPECT_EQ(canvas.CountNot(kWhite), 0);
}
