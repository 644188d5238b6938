#include "AnalysedSource.h"
#include "TestCanvas.h"

#include "FlowBuilder.h"
#include "FlowChartPainter.h"
#include "FlowItemText.h"
#include "FlowSetting.h"
#include "TextMeasurer.h"
#include "UnitKind.h"

#include <gtest/gtest.h>

namespace {

bool IsJump(int32_t kind)
{
    return kind >= UNIT_BREAK && kind <= UNIT_GOTO;
}

// kind@col,row for an item with a cell, kind>col,row for a jump and its
// target, children in brackets.
std::string Describe(const std::vector<CFlowItem>& items)
{
    std::string text;
    for (const CFlowItem& item : items) {
        text += text.empty() ? "" : " ";
        text += std::to_string(item.kind) + (IsJump(item.kind) ? ">" : "@") +
            std::to_string(item.col) + "," + std::to_string(item.row);
        if (!item.children.empty())
            text += "[" + Describe(item.children) + "]";
    }
    return text;
}

// The flow chart of f's body, laid out with the default setting; texts are
// 6 pixels a character and 10 high.
struct Chart {
    explicit Chart(const std::string& body, int zoom = 4) : source(FunctionF(body))
    {
        CFlowBuilder::BuildFunctionItems(items, source.Find("f"), 1);
        painter.Layout();
        painter.SetZoom(zoom);
    }
    void Draw(CDC& dc)
    {
        painter.SetDC(&dc);
        painter.Draw();
    }

    ScopedTextMeasurer measurer {std::make_shared<FixedWidthTextMeasurer>(6, 10)};
    AnalysedSource source;
    FunctionBody items;
    CFlowSetting setting;
    CFlowChartPainter painter {&items.root, setting};
};

} // namespace

// Cells of every statement kind: source body -> items, grid size.
// The parts of a for head, each without the semicolon that ends it; an
// empty part shows nothing.
TEST(FlowChart, ForHeadPartsLeaveTheirSeparatorsOut)
{
    Chart chart("for (a = 0; a < b; a++) c = 1; for (;;) c = 2; for (; b;) b--;");
    ASSERT_EQ(chart.items.root.children.size(), 3u);
    const auto parts = [&](size_t i) {
        const ForTexts texts = ForHeadTexts(chart.items.root.children[i].FirstUnit());
        return std::vector<std::string> {
            texts.init.Whole(), texts.condition.Whole(), texts.step.Whole()};
    };
    EXPECT_EQ(parts(0), (std::vector<std::string> {"a = 0", "a < b", "a ++"}));
    EXPECT_EQ(parts(1), (std::vector<std::string> {"", "", ""}));
    EXPECT_EQ(parts(2), (std::vector<std::string> {"", "b", ""}));
}

TEST(FlowChart, LayoutOfEveryStatementKind)
{
    struct Case {
        const char* body;
        const char* items;
        int cols;
        int rows;
    };
    const Case cases[] = {
        {"", "", 0, 0},
        {"a = 1;", "49@0,1", 1, 1},
        // The yes branch stands left of the axis; the no path goes down.
        {"if (a) b = 1; c = 2;", "33@1,1[49@0,2] 49@1,3", 2, 3},
        // Each link of a chain one row lower and one branch further right.
        {"if (a) b = 1; else if (c) d = 1; else e = 1; f = 1;",
            "33@1,1[49@0,2] 34@3,2[49@2,3] 35@4,3[49@4,3] 49@1,4", 5, 4},
        // A tall link after a short one: the chain's rows grow from the if's
        // row, so the statement after it stands below the tall branch.
        {"if (a) { while (b) c = 1; } else if (c) d = 1; else if (a) { while (b) c = 1; } b = 1;",
            "33@2,1[37@1,2[49@1,3]] 34@4,2[49@3,3] 34@7,3[37@6,4[49@6,5]] 49@2,7", 8, 7},
        // A loop takes its head, its body and its end row, and a lane on the left.
        {"for (a = 0; a < b; a++) c = 1; while (b) { c = 1; d = 2; } do { c = 1; } while (b);",
            "36@1,1[49@1,2] 37@1,4[49@1,5] 38@1,7[49@1,8]", 2, 9},
        // Jumps take no cell: continue goes to the loop head, break to its
        // end, return to the End box.
        {"while (a) { if (b) continue; if (c) break; if (a) return 1; b = 1; } return 0;",
            "37@1,1[33@1,2[40>1,1] 33@1,3[39>1,6] 33@1,4[41>1,7] 49@1,5] 41>1,7", 2, 6},
        // Three cases: the middle one straddles the switch's column; a break
        // leaves for the item after the switch; fall-through needs no break.
        {"switch (a) { case 1: b = 1; case 2: c = 2; break; default: d = 3; } e = 4;",
            "43@2,1[45@0,2[49@0,3] 45@2,2[49@2,3 39>2,4] 46@4,2[49@4,3]] 49@2,4", 6, 4},
        // Statements before the first case are a branch of their own with an
        // empty label (windowsx.h's HANDLE_MSG stands for a case): among the
        // cases they overlapped the first one.
        {"switch (a) { x = 1; case 1: b = 1; break; default: d = 3; } e = 4;",
            "43@2,1[45@0,2[49@0,3] 45@2,2[49@2,3 39>2,4] 46@4,2[49@4,3]] 49@2,4", 6, 4},
        // A case inside a loop (Duff's device) is a statement there.
        {"switch (a) { case 0: do { b = 1; case 7: c = 2; } while (n); }",
            "43@1,1[45@1,2[38@1,3[49@1,4 49@1,5 49@1,6]]]", 3, 7},
        // Four cases: two left of the switch's column, two right; the last
        // statement's breaks reach the End box.
        {"switch (a) { case 1: b = 1; break; case 2: b = 2; break; case 3: b = 3; break; "
         "default: b = 4; break; }",
            "43@3,1[45@0,2[49@0,3 39>3,4] 45@2,2[49@2,3 39>3,4] 45@4,2[49@4,3 39>3,4] "
            "46@6,2[49@6,3 39>3,4]]",
            8, 3},
        // A goto jumps to the statements holding its label; without one it
        // keeps cell (0, 0).
        {"a = 1; if (b) goto out; c = 2; out: a = 3; goto missing;",
            "49@0,1 33@0,2[42>0,3] 49@0,3 42>0,0", 1, 3},
        // A continue outside every loop goes to the Start box.
        {"continue; a = 1;", "40>0,0 49@0,1", 1, 1},
        // try and catch dissolve; nested blocks merge into one run.
        {"try { a = 1; { b = 2; } } catch (...) { c = 3; } d = 4;", "49@0,1", 1, 1},
    };
    for (const Case& c : cases) {
        Chart chart(c.body);
        EXPECT_EQ(Describe(chart.items.root.children), c.items) << c.body;
        EXPECT_EQ(chart.painter.Cols(), c.cols) << c.body;
        EXPECT_EQ(chart.painter.Rows(), c.rows) << c.body;
        EXPECT_EQ(chart.painter.EndCell().y, c.rows + 1) << c.body;
    }
}

// A switch inside a loop whose break leaves for a break after it: both end
// at the loop's end; an if chain's exit is the item after the whole chain.
TEST(FlowChart, BreakExitsFollowTheEnclosingStatement)
{
    Chart chart("while (a) { switch (b) { case 1: c = 1; break; } break; } d = 1;");
    const CFlowItem& loop = chart.items.root.children.front();
    const CPoint end(loop.col, loop.row + loop.height - 1);
    const CFlowItem& inner = loop.children[0].children[0].children[1];
    ASSERT_EQ(inner.kind, UNIT_BREAK);
    EXPECT_EQ(CPoint(inner.col, inner.row), end);
    EXPECT_EQ(chart.painter.ItemAt(end), &loop);
    EXPECT_EQ(chart.painter.ItemAt(CPoint(loop.col, loop.row)), &loop);
}

// Pixels of a drawn chart (flat colours, zoom 4: boxes 80 by 40 on a
// 100 by 80 pitch).
TEST(FlowChart, DrawsShapesConnectorsInTheirColours)
{
    Chart chart("if (a) b = 1; c = 2;");
    chart.setting.HighColorShading = 0;
    Canvas canvas(300, 400);
    chart.Draw(canvas.dc);

    struct Probe {
        CPoint at;
        COLORREF colour;
        const char* what;
    };
    const CFlowSetting& s = chart.setting;
    const Probe probes[] = {
        // Fills are probed beside their texts, which the fonts of the
        // machine may draw wider or taller.
        {{105, 20}, s.StartEndColor.background, "Start box, column 1"},
        {{105, 340}, s.StartEndColor.background, "End box, row 4"},
        {{118, 100}, s.ConditionColor.background, "if hexagon"},
        {{2, 190}, s.ProcessingColor.background, "yes branch box"},
        {{70, 100}, s.ConditionYesColor, "yes connector leaves to the left"},
        {{40, 130}, s.ConditionYesColor, "and goes down to the branch"},
        {{140, 200}, s.ConditionNoColor, "no connector goes straight down"},
        {{40, 220}, s.NormalLineColor, "the branch goes down"},
        {{90, 230}, s.NormalLineColor, "and across, above the next box"},
        {{140, 300}, s.NormalLineColor, "the last box goes down to End"},
        {{250, 200}, 0xFFFFFF, "nothing right of the chart"},
    };
    for (const Probe& p : probes)
        EXPECT_EQ(canvas.dc.GetPixel(p.at.x, p.at.y), p.colour) << p.what;

    // The yes label "Y" stands left of the hexagon, unless the level has no
    // labels.
    auto inkLeftOfHexagon = [&](int explainType) {
        chart.setting.Ratio4x.ExplainType = explainType;
        chart.painter.SetZoom(4);
        Canvas c(300, 400);
        chart.Draw(c.dc);
        int ink = 0;
        for (int y = 86; y < 100; ++y)
            for (int x = 84; x < 100; ++x)
                ink += c.dc.GetPixel(x, y) != 0xFFFFFF;
        return ink;
    };
    EXPECT_GT(inkLeftOfHexagon(1), 0);
    EXPECT_EQ(inkLeftOfHexagon(0), 0);
}

// A condition exactly as wide as the room between the hexagon's margins
// (grown with the slant of its sides: 25 pixels here) is cut with "..": no
// ink right of the hexagon. One character narrower, it is centred whole.
TEST(FlowChart, ConditionAsWideAsTheHexagonRoomIsCut)
{
    const auto inkRightOfHexagon = [](int characters) {
        Chart chart("if (" + std::string(static_cast<size_t>(characters), 'W') + ") b = 1;");
        CFlowLayout& level = chart.setting.Ratio4x;
        level.ShowText = 1;
        level.ExplainType = 0;
        level.XSize = 404; // margin trunc(5 * 101 / 20) = 25, room 354 = 59 characters
        level.YSize = 40;
        level.XSpace = 520;
        level.YSpace = 80;
        chart.setting.HighColorShading = 0;
        chart.painter.SetZoom(4);
        Canvas canvas(1600, 300);
        chart.Draw(canvas.dc);
        int ink = 0;
        const int x0 = chart.painter.StartCell().x * 520;
        for (int y = 80; y < 120; ++y)
            for (int x = x0 + 405; x < x0 + 515; ++x)
                ink += canvas.dc.GetPixel(x, y) != 0xFFFFFF;
        return ink;
    };
    EXPECT_EQ(inkRightOfHexagon(59), 0);
    EXPECT_EQ(inkRightOfHexagon(60), 0);
    EXPECT_GT(inkRightOfHexagon(58), 0) << "centred, glyphs wider than measured spill out";
}

// When both ways out of an if jump, the yes label stands right of the
// hexagon and the no label right of the lane the jumps go down in. A yes
// label wider than the room before the lane ("Yes" at the zooms that spell
// the labels out) must not run into the no label.
TEST(FlowChart, WideYesLabelBesideAJumpClearsTheNoLabel)
{
    Chart chart("if (a) return 1; return 0;");
    CFlowLayout& level = chart.setting.Ratio4x;
    level.ExplainType = 2; // "Yes" and "No", 18 and 12 pixels measured
    level.XSize = 80;
    level.YSize = 40;
    level.XSpace = 100; // 10 pixels between the hexagon and the lane
    level.YSpace = 80;
    chart.setting.HighColorShading = 0;
    chart.painter.SetZoom(4);
    Canvas canvas(400, 300);
    chart.Draw(canvas.dc);

    const int x1 = chart.painter.StartCell().x * 100 + 80;
    const int cy = 80 + 20; // the if's row
    int yesInk = 0;
    int noInk = 0;
    for (int y = cy + 3; y < cy + 10; ++y) {
        for (int x = x1 + 13; x < x1 + 25; ++x) {
            const COLORREF c = canvas.dc.GetPixel(x, y);
            const int r = GetRValue(c), g = GetGValue(c);
            yesInk += g > r + 40;
            noInk += r > g + 40;
        }
    }
    EXPECT_GT(noInk, 0) << "the no label stands right of the lane";
    EXPECT_EQ(yesInk, 0) << "no yes-coloured ink within the no label";
}

// A click point -> the cell it hits; gaps between boxes hit nothing.
TEST(FlowChart, HitTestByCellPitch)
{
    Chart chart("if (a) b = 1; c = 2;");
    struct Case {
        CPoint at;
        std::optional<CPoint> cell;
    };
    const Case cases[] = {
        {{150, 100}, CPoint(1, 1)},
        {{0, 0}, CPoint(0, 0)},
        {{179, 119}, CPoint(1, 1)},
        {{180, 100}, std::nullopt},
        {{150, 120}, std::nullopt},
        {{-5, 10}, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(chart.painter.CellAt(c.at), c.cell) << c.at.x << "," << c.at.y;
    // A pitch a colour file set to 0 has no cells.
    chart.setting.Ratio4x.XSpace = 0;
    chart.painter.SetZoom(4);
    EXPECT_EQ(chart.painter.CellAt(CPoint(150, 100)), std::nullopt);
    EXPECT_EQ(chart.painter.DiagramSize().cx, 0);
}

// Where the explanation box of a clicked cell goes: right of it, below it in
// the last column, above it when that is the last-but-one row, left of it
// with the left flag.
TEST(FlowChart, ExplanationBoxPlacement)
{
    struct Case {
        const char* body;
        CPoint cell;
        bool left;
        CPoint box;
    };
    const Case cases[] = {
        {"if (a) b = 1; c = 2;", {0, 2}, false, {100, 160}},
        {"if (a) b = 1; else if (c) d = 1; else e = 1; f = 1;", {4, 3}, false, {400, 320}},
        {"if (a) b = 1; c = 2;", {1, 1}, false, {100, 0}},
        {"if (a) b = 1; c = 2;", {1, 3}, true, {0, 240}},
    };
    for (const Case& c : cases) {
        Chart chart(c.body);
        chart.setting.HighColorShading = 0;
        Canvas canvas(600, 500);
        chart.Draw(canvas.dc);
        const CFlowItem* item = chart.painter.ShowExplanation(c.cell, c.left);
        ASSERT_NE(item, nullptr) << c.body;
        // The box's bottom-left corner, clear of its text, in the item's fill.
        EXPECT_EQ(canvas.dc.GetPixel(c.box.x + 1, c.box.y + 28),
            chart.painter.ColoursOf(*item).background)
            << c.body << " cell " << c.cell.x << "," << c.cell.y;
    }
    Chart chart("a = 1;");
    Canvas canvas(100, 100);
    chart.Draw(canvas.dc);
    EXPECT_EQ(chart.painter.ShowExplanation(CPoint(5, 5), false), nullptr);
}

// Sizes a colour file set to 0 or below draw nothing sensible, but nothing
// fails.
TEST(FlowChart, DegenerateSizesDrawWithoutFailing)
{
    Chart chart("if (a) b = 1; while (c) { switch (a) { case 1: b = 2; } } return 1;");
    for (CFlowLayout* level :
        {&chart.setting.Ratio1x, &chart.setting.Ratio4x, &chart.setting.Ratio16x}) {
        level->XSize = -3;
        level->YSize = 0;
        level->XSpace = 0;
        level->YSpace = -40;
        level->ArrowSize = -2;
        level->ShowText = 1;
        level->ExplainType = 2;
    }
    chart.setting.Ratio16x.XSpace = chart.setting.Ratio16x.XSize = INT32_MAX;
    chart.setting.Ratio16x.YSpace = chart.setting.Ratio16x.ArrowSize = INT32_MAX;
    for (int zoom : {1, 4, 16}) {
        chart.painter.SetZoom(zoom);
        Canvas canvas(50, 50);
        chart.Draw(canvas.dc);
        chart.painter.ShowExplanation(CPoint(0, 1), true);
        EXPECT_EQ(chart.painter.DiagramSize().cx, zoom == 16 ? 4 * 4096 : 0);
    }
}
