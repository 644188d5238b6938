#include "MacroItemPens.h"
#include "MacroMap.h"
#include "MacroViewTest.h"

namespace {

constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);

class MacroMapTest : public MacroViewTest {
protected:
    MacroMapTest() { style.HighColorShading = 0; } // flat colours: pixels are easy to name

    void Layout(std::vector<MacroLayoutNode>& nodes, int grouping = 0)
    {
        Measure(nodes);
        Arrange(nodes, 600, 4, grouping);
    }
    void Paint(std::vector<MacroLayoutNode>& nodes)
    {
        CMacroMap map(&dc, nodes, fonts, style, 1, boxes);
        map.Draw();
        drawn = map.DrawList();
    }

    std::vector<MacroLayoutNode*> drawn;
};

} // namespace

TEST_F(MacroMapTest, OnlyNodesMeetingTheClipAreDrawnParentsFirst)
{
    CModelScope* a = model.Add(nullptr, "Alpha", UNIT_CLASS);
    model.Add(a, "x", UNIT_VARIABLE);
    model.Add(nullptr, "Beta", UNIT_STRUCT); // a row of its own, lower down
    std::vector<MacroLayoutNode> nodes = Tree();
    SetAllNodesOpen(nodes, true);
    Layout(nodes);
    ASSERT_GT(nodes[1].absY, nodes[0].absY + nodes[0].boxH);

    dc.IntersectClipRect(CRect(0, nodes[0].absY, 600, nodes[0].absY + nodes[0].boxH));
    Paint(nodes);
    ASSERT_EQ(drawn.size(), 2u);
    EXPECT_EQ(drawn[0], &nodes[0].children[0]); // highest number first
    EXPECT_EQ(drawn[1], &nodes[0]); // drawn first: parents before content
    EXPECT_EQ(dc.GetPixel(nodes[1].absX + 2, nodes[1].absY + 2), kWhite);

    dc.ResetClip();
    dc.IntersectClipRect(CRect(0, nodes[1].absY, 600, 400));
    Paint(nodes);
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0], &nodes[1]);
}

TEST_F(MacroMapTest, FoldMarkerNeedsACaptionOfThirteenPixels)
{
    CModelScope* a = model.Add(nullptr, "A", UNIT_CLASS);
    model.Add(a, "x", UNIT_VARIABLE);
    std::vector<MacroLayoutNode> nodes = Tree();
    Layout(nodes);
    Paint(nodes);
    const ColorTriple& colours = style.GetColors(UNIT_CLASS);
    const COLORREF average = AverageColour(colours.text, colours.background);
    // Closed: a filled circle inside the rounded square of side foldMark - 4.
    ASSERT_EQ(nodes[0].foldMark, 10);
    EXPECT_EQ(dc.GetPixel(nodes[0].absX + 7, nodes[0].absY + 7), average);

    ScopedTextMeasurer small(std::make_shared<FixedWidthTextMeasurer>(6, 8)); // caption 12 high
    dc.FillSolidRect(0, 0, 600, 400, kWhite);
    Layout(nodes);
    ASSERT_EQ(nodes[0].textH, 12);
    Paint(nodes);
    EXPECT_EQ(dc.GetPixel(nodes[0].absX + 6, nodes[0].absY + 6), colours.background);
}

TEST_F(MacroMapTest, BorderGroupingJoinsMembersWithoutABorderBetween)
{
    style.SetColors(UNIT_VARIABLE, 0x000000, kRed, kGreen);
    CModelScope* a = model.Add(nullptr, "A", UNIT_CLASS);
    model.Add(a, "aa", UNIT_VARIABLE);
    model.Add(a, "bb", UNIT_VARIABLE);
    std::vector<MacroLayoutNode> nodes = Tree();
    nodes[0].open = 1;

    style.Grouping = 0;
    Layout(nodes, 0);
    Paint(nodes);
    const MacroLayoutNode& second = nodes[0].children[1];
    EXPECT_EQ(dc.GetPixel(second.absX + 3, second.absY), kRed);

    style.Grouping = 2;
    dc.FillSolidRect(0, 0, 600, 400, kWhite);
    Layout(nodes, 2);
    Paint(nodes);
    const MacroLayoutNode& first = nodes[0].children[0];
    EXPECT_EQ(second.absY, first.absY + first.textH - 1);
    EXPECT_EQ(dc.GetPixel(second.absX + 3, second.absY), kGreen);
    EXPECT_EQ(dc.GetPixel(first.absX + 3, first.absY), kGreen);
}

TEST_F(MacroMapTest, FunctionMarkShowsDefinition)
{
    style.ContentType = 4;
    style.SetColors(UNIT_FUNCTION, 0x000000, kWhite, kWhite);
    model.Add(nullptr, "defined", UNIT_FUNCTION, 0, true);
    model.Add(nullptr, "declared", UNIT_FUNCTION, 0, false);
    std::vector<MacroLayoutNode> nodes = Tree();
    ASSERT_EQ(nodes.size(), 1u); // the functions group
    nodes[0].open = 1;
    Layout(nodes);
    Paint(nodes);
    const COLORREF average = AverageColour(0x000000, kWhite);
    for (const MacroLayoutNode& node : nodes[0].children) {
        const bool isDefined = node.scope->name == "defined";
        const int x = node.absX + 4;
        const int y = node.absY + 4;
        EXPECT_EQ(dc.GetPixel(x + 4, y + 2), average) << node.scope->name; // the circle
        EXPECT_EQ(dc.GetPixel(x + 4, y + 7), isDefined ? 0x000000 : kWhite) << node.scope->name;
    }
}

TEST_F(MacroMapTest, LeafBoxesAreKeptUpToTheBudget)
{
    std::vector<MacroLayoutNode> nodes;
    for (const char* name : {"e1", "e2", "e3", "e4"})
        nodes.emplace_back(model.Add(nullptr, name, UNIT_ENUM));
    int counter = 0;
    NumberLayoutNodes(counter, nodes);
    Layout(nodes);
    boxes.budget = 2;
    Paint(nodes);
    EXPECT_EQ(boxes.count, 2);
    EXPECT_EQ(nodes[0].cached + nodes[1].cached + nodes[2].cached + nodes[3].cached, 2);

    // A later paint copies the kept bitmap back instead of drawing.
    MacroLayoutNode& kept = nodes[0].cached ? nodes[0] : nodes[1];
    kept.boxCache->dc.FillSolidRect(0, 0, 4, 4, kRed);
    Paint(nodes);
    EXPECT_EQ(dc.GetPixel(kept.absX + 1, kept.absY + 1), kRed);

    // Opening a leaf changes its size: its bitmap goes.
    SetAllNodesOpen(nodes, true);
    EXPECT_EQ(boxes.count, 0);
}

TEST_F(MacroMapTest, BoxPartlyOutsideTheClipIsNeverKept)
{
    std::vector<MacroLayoutNode> nodes;
    nodes.emplace_back(model.Add(nullptr, "edge", UNIT_ENUM));
    Layout(nodes);
    dc.IntersectClipRect(CRect(0, 0, nodes[0].absX + 5, 400));
    Paint(nodes);
    EXPECT_EQ(nodes[0].cached, 0);
    EXPECT_EQ(boxes.count, 0);
}

TEST_F(MacroMapTest, ItemPensPickColoursByContentAccessAndKind)
{
    style.ContentType = 3;
    style.ContentColor = 0x111111;
    style.PublicType = 1;
    style.PublicColor = 0x222222;
    style.PrivateType = 2;
    style.PrivateColor = 0x333333;
    CModelScope* cls = model.Add(nullptr, "C", UNIT_CLASS);
    CModelScope* body = model.Add(cls, "run", UNIT_FUNCTION, ACCESS_PUBLIC, true);
    CModelScope* hidden = model.Add(cls, "secret", UNIT_VARIABLE, ACCESS_PRIVATE);

    CPen* before = dc.GetCurrentPen();
    {
        CMacroItemPens pens(&dc, 1, style);
        EXPECT_NE(dc.GetCurrentPen(), before);
        pens.SetItem(body);
        EXPECT_TRUE(pens.HasContent());
        EXPECT_EQ(pens.Access(), ACCESS_PUBLIC);
        EXPECT_EQ(pens.GetFillColour(body), 0x111111u);
        EXPECT_EQ(pens.GetTextColour(body), 0x222222u);
        EXPECT_EQ(pens.GetBorderColour(body, false), style.GetColors(UNIT_FUNCTION).border);

        pens.SetItem(hidden);
        EXPECT_FALSE(pens.HasContent());
        EXPECT_EQ(pens.GetBorderColour(hidden, false), 0x333333u);
        style.Grouping = 2;
        EXPECT_EQ(pens.GetBorderColour(hidden, true), style.GetColors(UNIT_VARIABLE).background);

        pens.SetItem(&groups.functions);
        EXPECT_EQ(pens.GetFillColour(&groups.functions), style.GetColors(UNIT_FUNCTION).background);
    }
    EXPECT_EQ(dc.GetCurrentPen(), before);
}
