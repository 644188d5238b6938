#include "AnalysedSource.h"
#include "TestCanvas.h"

#include "DetailDiagram.h"
#include "FlowSetting.h"
#include "MemDC.h"
#include "NSDSetting.h"
#include "TextMeasurer.h"
#include "UnitKind.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

// A function of `statements` statements of every kind, the shape of an
// old interpreter loop.
std::string LargeFunction(int statements)
{
    std::string body;
    int written = 0;
    for (int i = 0; written < statements; ++i) {
        const std::string n = std::to_string(i);
        switch (i % 8) {
        case 0:
            body +=
                "if (a > " + n + ") { b = " + n + "; } else if (b) c = 1; else { c = 2; d = 3; }\n";
            written += 6;
            break;
        case 1:
            body += "while (a < " + n + ") { a++; if (b) break; if (c) continue; }\n";
            written += 6;
            break;
        case 2:
            body += "switch (a) { case 1: b = 1; case 2: b = 2; break; case 3: return 3; default: "
                    "; }\n";
            written += 10;
            break;
        case 3:
            body += "if (c) goto l" + n + "; a = 0; l" + n + ": b = a;\n";
            written += 5;
            break;
        case 4:
            body += "for (c = 0; c < 9; c++) { do { a--; } while (a > 0); }\n";
            written += 4;
            break;
        default:
            body += "a = a + " + n + "; b = a * 2;\n";
            written += 2;
            break;
        }
    }
    return "int machine(int a, int b, int c, int d)\n{\n" + body + "return a;\n}\n";
}

const char* const kSource = R"(
struct Parser {
    int next(int c);
    int peek(int c);
};
int declared_only(int x);
int Parser::next(int c)
{
    if (c)
        return 1;
    while (c < 10)
        c++;
    return 2;
}
int chain(int a, int b)
{
    if (a) b = 1; if (a) b = 2; if (a) b = 3; if (a) b = 4; if (a) b = 5;
    if (a) b = 1; if (a) b = 2; if (a) b = 3; if (a) b = 4; if (a) b = 5;
    if (a) b = 1; if (a) b = 2; if (a) b = 3; if (a) b = 4; if (a) b = 5;
    if (a) b = 1; if (a) b = 2; if (a) b = 3; if (a) b = 4; if (a) b = 5;
    return b;
}
)";

// A kind that records what the entry hands it.
struct RecordingKind : DetailDiagramKind {
    void Prepare(DetailPaint& paint) override
    {
        ++prepared;
        paint.dirty = false;
        paint.diagramSize = CSize(123, 45);
        paint.scroll.SetTotalSize(paint.diagramSize);
    }
    void Draw(DetailPaint& paint) override
    {
        ++drawn;
        if (reenter)
            reenter(paint);
    }
    COLORREF Background() const override { return 0x123456; }

    int prepared = 0;
    int drawn = 0;
    std::function<void(DetailPaint&)> reenter;
};

struct Entry {
    explicit Entry(const std::string& source = kSource, DetailUse use = DetailUse::View)
        : model(source), diagram(flow, nsd, use)
    {
    }
    void Paint(DetailScroll& scroll)
    {
        CMemDC memory(&window.dc, diagram.Background());
        diagram.DrawContents(&memory, scroll);
    }

    ScopedTextMeasurer measurer {std::make_shared<FixedWidthTextMeasurer>(6, 10)};
    AnalysedSource model;
    CFlowSetting flow;
    CNSDSetting nsd;
    CDetailDiagram diagram;
    Canvas window {200, 200};
};

} // namespace

// Printing, no selection and a paint inside a paint draw nothing.
TEST(DetailDiagram, RefusedPaints)
{
    Entry e;
    ScrollRecord scroll(CSize(200, 200));
    e.diagram.Select(e.model.Find("chain"), CDetailDiagram::kFunctionMode);
    CDC printer;
    printer.CreateCompatibleDC(nullptr);
    printer.SetPrinting(true);
    e.diagram.DrawContents(&printer, scroll);
    EXPECT_EQ(e.diagram.FlowItems(), nullptr);

    e.diagram.Select(nullptr, CDetailDiagram::kFunctionMode);
    e.Paint(scroll);
    EXPECT_EQ(e.window.CountNot(0xFFFFFF), 0);

    RecordingKind kind;
    kind.reenter = [&](DetailPaint& paint) {
        EXPECT_TRUE(e.diagram.IsPainting());
        e.diagram.DrawContents(paint.dc, paint.scroll);
    };
    e.diagram.SetKind(CDetailDiagram::kSequence, &kind);
    e.diagram.Select(e.model.Find("chain"), CDetailDiagram::kFunctionMode);
    e.diagram.ChooseView(CDetailDiagram::kSequence, 4);
    e.Paint(scroll);
    EXPECT_EQ(kind.drawn, 1);
    EXPECT_FALSE(e.diagram.IsPainting());
}

// The flow chart and the diagram are built from the function's definition:
// a method defined outside its class draws its body; a function that is
// only declared draws Start and End.
TEST(DetailDiagram, BuildsFromTheDefinition)
{
    Entry e;
    ScrollRecord scroll(CSize(200, 200));
    e.diagram.Select(e.model.Find("Parser::next"), CDetailDiagram::kFunctionMode);
    e.Paint(scroll);
    ASSERT_NE(e.diagram.FlowPainter(), nullptr);
    EXPECT_EQ(e.diagram.FlowItems()->root.children.size(), 3u);
    EXPECT_EQ(e.diagram.FlowPainter()->Rows(), 4);

    e.diagram.ChooseView(CDetailDiagram::kNSD, 4);
    e.Paint(scroll);
    ASSERT_NE(e.diagram.NSD(), nullptr);
    EXPECT_EQ(e.diagram.NSD()->RootBlock().children.size(), 3u);
    EXPECT_EQ(e.diagram.NSD()->RootNode().title, "Nassi-Shneiderman Diagrams - next");

    for (const char* name : {"declared_only", "Parser::peek"}) {
        e.diagram.Select(e.model.Find(name), CDetailDiagram::kFunctionMode);
        e.diagram.ChooseView(CDetailDiagram::kFlowChart, 4);
        e.Paint(scroll);
        EXPECT_TRUE(e.diagram.FlowItems()->root.children.empty()) << name;
        EXPECT_EQ(e.diagram.DiagramSize(), CSize(100, 160)) << name;
    }
}

// A zoom change keeps the point at the window's centre; another diagram
// starts at the top-left corner, a new flow chart at its Start box.
TEST(DetailDiagram, ScrollingFollowsZoomAndSelection)
{
    Entry e;
    ScrollRecord scroll(CSize(100, 100));
    e.diagram.Select(e.model.Find("chain"), CDetailDiagram::kFunctionMode);
    e.diagram.ChooseView(CDetailDiagram::kFlowChart, 1);
    e.Paint(scroll);
    ASSERT_EQ(e.diagram.DiagramSize(), CSize(150, 1680)); // 2 columns, 40 rows
    const CFlowItem* first = &e.diagram.FlowItems()->root.children.front();

    scroll.ScrollTo(CPoint(50, 100));
    e.diagram.ChooseView(CDetailDiagram::kFlowChart, 16);
    EXPECT_FALSE(e.diagram.IsDirty());
    e.Paint(scroll);
    EXPECT_EQ(&e.diagram.FlowItems()->root.children.front(), first); // same items
    EXPECT_EQ(e.diagram.DiagramSize(), CSize(660, 6720));
    EXPECT_EQ(scroll.position, CPoint((50 + 50) * 660 / 150 - 50, (100 + 50) * 6720 / 1680 - 50));

    e.diagram.ChooseView(CDetailDiagram::kNSD, 16);
    e.Paint(scroll);
    EXPECT_EQ(scroll.position, CPoint(0, 0));
    EXPECT_EQ(scroll.total, e.diagram.NSD()->Size());

    e.diagram.ChooseView(CDetailDiagram::kFlowChart, 4);
    e.Paint(scroll);
    scroll.ScrollTo(CPoint(30, 300));
    e.diagram.Select(e.model.Find("Parser::next"), CDetailDiagram::kFunctionMode);
    e.Paint(scroll);
    const CFlowChartPainter& next = *e.diagram.FlowPainter();
    EXPECT_EQ(
        scroll.position, CPoint(next.StartCell().x * next.XSpace() + next.XSize() / 2 - 50, 0))
        << "on its Start box";

    e.diagram.Clear(scroll);
    EXPECT_EQ(scroll.total, CSize(10, 10));
    EXPECT_EQ(e.diagram.FlowPainter(), nullptr);
}

// A new chart of a wide function opens on its Start box, whose column lies
// far right of the origin; a zoom change then keeps the centre, or shows
// Start again from the top-left corner. The NSD opens on its title and
// first block at the top-left corner.
TEST(DetailDiagram, WideFunctionOpensOnItsStart)
{
    std::string cases;
    for (int i = 0; i < 60; ++i)
        cases += "case " + std::to_string(i) + ": if (a) { b = " + std::to_string(i) +
            "; } else { while (b) b--; } break;\n";
    Entry e("int run(int a, int b)\n{\n    switch (a) {\n" + cases + "    }\n    return b;\n}\n");
    ScrollRecord scroll(CSize(400, 300));
    e.diagram.Select(e.model.Find("run"), CDetailDiagram::kFunctionMode);
    e.diagram.ChooseView(CDetailDiagram::kFlowChart, 4);
    e.Paint(scroll);
    const CFlowChartPainter* painter = e.diagram.FlowPainter();
    ASSERT_NE(painter, nullptr);
    const int startLeft = painter->StartCell().x * painter->XSpace();
    ASSERT_GT(startLeft, 2 * 400); // the axis lies beyond the first window
    EXPECT_EQ(scroll.position.y, 0);
    EXPECT_EQ(scroll.position.x + 200, startLeft + painter->XSize() / 2);

    const CPoint centre(scroll.position.x + 200, scroll.position.y + 150);
    const CSize before = scroll.total;
    e.diagram.ChooseView(CDetailDiagram::kFlowChart, 1);
    e.Paint(scroll);
    EXPECT_NEAR(scroll.position.x + 200, centre.x * scroll.total.cx / before.cx, 1);

    // From the top-left corner, a larger zoom shows Start again: that corner
    // of the chart is empty.
    scroll.ScrollTo(CPoint(0, 0));
    e.diagram.ChooseView(CDetailDiagram::kFlowChart, 4);
    e.Paint(scroll);
    EXPECT_EQ(scroll.position, CPoint(startLeft + painter->XSize() / 2 - 200, 0));

    e.diagram.ChooseView(CDetailDiagram::kNSD, 1);
    e.Paint(scroll);
    EXPECT_GT(scroll.total.cx, 400);
    EXPECT_EQ(scroll.position, CPoint(0, 0));
    const NSDBlock& first = e.diagram.NSD()->RootBlock().children.front();
    EXPECT_LT(first.x, 400);
    EXPECT_LT(first.y, 300);
    EXPECT_GT(e.diagram.NSD()->RootNode().titleHeight, 0);

    // Back to the chart: built again, so on Start again.
    e.diagram.ChooseView(CDetailDiagram::kFlowChart, 4);
    e.Paint(scroll);
    ASSERT_NE(e.diagram.FlowPainter(), nullptr);
    EXPECT_EQ(scroll.position.x + 200, startLeft + e.diagram.FlowPainter()->XSize() / 2);
}

// A zoom level whose columns a colour file set to nothing has no width: a
// zoom change from it keeps the centre in height and does not divide by
// the width it never had.
TEST(DetailDiagram, ZoomFromALevelOfNoWidthKeepsTheCentreInHeight)
{
    Entry e;
    e.flow.Ratio1x.XSpace = 0;
    e.flow.Ratio1x.XSize = 0;
    ScrollRecord scroll(CSize(100, 100));
    e.diagram.Select(e.model.Find("chain"), CDetailDiagram::kFunctionMode);
    e.diagram.ChooseView(CDetailDiagram::kFlowChart, 1);
    e.Paint(scroll);
    ASSERT_EQ(scroll.total.cx, 0);
    scroll.ScrollTo(CPoint(0, 400));
    const CSize before = scroll.total;
    e.diagram.ChooseView(CDetailDiagram::kFlowChart, 4);
    e.Paint(scroll);
    EXPECT_EQ(scroll.position.x, 0);
    EXPECT_EQ(scroll.position.y, (400 + 50) * scroll.total.cy / before.cy - 50);
}

// A click on a box shows its explanation at the next paint and sends the
// item's source lines to the code window; a click in a gap changes nothing.
TEST(DetailDiagram, ClickShowsExplanationAndSource)
{
    Entry e;
    e.flow.HighColorShading = 0;
    std::vector<std::pair<int, int>> shown;
    e.diagram.SetShowCodeLine([&](int first, int last) { shown.emplace_back(first, last); });
    ScrollRecord scroll(CSize(200, 200));
    e.diagram.Select(e.model.Find("Parser::next"), CDetailDiagram::kFunctionMode);
    e.Paint(scroll);
    scroll.ScrollTo(CPoint(0, 0));

    EXPECT_FALSE(e.diagram.HitCell(CPoint(85, 100), scroll));
    EXPECT_FALSE(e.diagram.ExplanationOn());
    // The while loop's head: column 1 (its lane is column 0), row 2.
    EXPECT_TRUE(e.diagram.HitCell(CPoint(110, 170), scroll));
    EXPECT_EQ(e.diagram.ClickedCell(), CPoint(1, 2));
    e.Paint(scroll);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], std::make_pair(11, 11));
    // In the last column and the last-but-one row, the box goes above.
    EXPECT_EQ(e.window.dc.GetPixel(101, 80 + 28), e.flow.LoopColor.background);

    e.diagram.HideExplanation();
    e.Paint(scroll);
    EXPECT_EQ(shown.size(), 1u);
}

// A preview keeps its scroll position through zooms and new selections
// (only the diagram's size bounds it) and never shows an explanation.
TEST(DetailDiagram, PreviewKeepsItsPositionAndShowsNoExplanation)
{
    Entry e(kSource, DetailUse::Preview);
    std::vector<std::pair<int, int>> shown;
    e.diagram.SetShowCodeLine([&](int first, int last) { shown.emplace_back(first, last); });
    ScrollRecord scroll(CSize(100, 100));
    e.diagram.Select(e.model.Find("chain"), CDetailDiagram::kFunctionMode);
    e.diagram.ChooseView(CDetailDiagram::kFlowChart, 1);
    e.Paint(scroll);
    ASSERT_EQ(e.diagram.DiagramSize(), CSize(150, 1680));
    EXPECT_EQ(scroll.total, CSize(150, 1680));

    scroll.ScrollTo(CPoint(50, 100));
    e.diagram.ChooseView(CDetailDiagram::kFlowChart, 16);
    e.Paint(scroll);
    EXPECT_EQ(scroll.total, CSize(660, 6720));
    EXPECT_EQ(scroll.position, CPoint(50, 100)) << "no centre kept";

    e.diagram.Select(e.model.Find("Parser::next"), CDetailDiagram::kFunctionMode);
    e.Paint(scroll);
    ASSERT_NE(e.diagram.FlowPainter(), nullptr);
    const CSize size = e.diagram.DiagramSize();
    EXPECT_EQ(scroll.total, size);
    EXPECT_EQ(scroll.position,
        CPoint(std::min(50, std::max(0, size.cx - 100)), std::min(100, std::max(0, size.cy - 100))))
        << "a rebuild does not go back to the corner";

    // The box the view would explain (see ClickShowsExplanationAndSource).
    e.diagram.ChooseView(CDetailDiagram::kFlowChart, 4);
    scroll.ScrollTo(CPoint(0, 0));
    e.Paint(scroll);
    EXPECT_TRUE(e.diagram.HitCell(CPoint(110, 170), scroll));
    e.Paint(scroll);
    EXPECT_TRUE(shown.empty());
}

// The other kinds draw through the engines registered for them.
TEST(DetailDiagram, OtherKindsAndTheTypeBox)
{
    Entry e;
    RecordingKind multi;
    RecordingKind box;
    e.diagram.SetKind(CDetailDiagram::kMultiSequence, &multi);
    e.diagram.SetTypeDiagram(&box);
    ScrollRecord scroll(CSize(200, 200));

    e.diagram.Select(e.model.Find("chain"), CDetailDiagram::kFunctionMode);
    e.diagram.ChooseView(CDetailDiagram::kMultiSequence, 4);
    EXPECT_EQ(e.diagram.Background(), 0x123456u);
    e.Paint(scroll);
    EXPECT_EQ(multi.prepared, 1);
    EXPECT_EQ(e.diagram.DiagramSize(), CSize(123, 45));
    EXPECT_FALSE(e.diagram.IsDirty());

    e.diagram.ChooseView(CDetailDiagram::kSequence, 4); // none registered: nothing
    e.Paint(scroll);
    EXPECT_EQ(e.window.CountNot(0xFFFFFF), 0);

    e.diagram.Select(e.model.Find("Parser"), CDetailDiagram::kTypeMode);
    e.Paint(scroll);
    EXPECT_EQ(box.drawn, 1);
    EXPECT_EQ(multi.drawn, 1);
}

// A function of 5000 statements at every kind: every box has a cell of its
// own inside the grid, every jump a target; every block of the diagram lies
// inside its parent and the top-level blocks fill the diagram's height.
TEST(DetailDiagram, LargeFunctionLaysOutConsistently)
{
    Entry e(LargeFunction(5000));
    ScrollRecord scroll(CSize(200, 200));
    e.diagram.Select(e.model.Find("machine"), CDetailDiagram::kFunctionMode);
    e.diagram.ChooseView(CDetailDiagram::kFlowChart, 4);
    e.Paint(scroll);
    const CFlowChartPainter& chart = *e.diagram.FlowPainter();
    std::set<std::pair<int, int>> cells;
    int boxes = 0;
    std::function<void(const std::vector<CFlowItem>&)> visit = [&](const std::vector<CFlowItem>&
                                                                       items) {
        for (const CFlowItem& item : items) {
            if (item.kind >= UNIT_BREAK && item.kind <= UNIT_GOTO) {
                const CPoint target(item.col, item.row);
                EXPECT_TRUE(chart.ItemAt(target) || target == chart.EndCell() || target.y == 0);
                continue;
            }
            if (item.kind == UNIT_ELSE) {
                visit(item.children);
                continue;
            }
            ++boxes;
            EXPECT_TRUE(item.col >= 0 && item.col < chart.Cols() && item.row >= 1 &&
                item.row <= chart.Rows());
            EXPECT_TRUE(cells.insert({item.col, item.row}).second) << item.col << "," << item.row;
            if (item.kind >= UNIT_FOR && item.kind <= UNIT_DO) {
                EXPECT_TRUE(cells.insert({item.col, item.row + item.height - 1}).second);
            }
            visit(item.children);
        }
    };
    visit(e.diagram.FlowItems()->root.children);
    EXPECT_GT(boxes, 2000);

    e.diagram.ChooseView(CDetailDiagram::kNSD, 4);
    e.Paint(scroll);
    const NSDBlock& root = e.diagram.NSD()->RootBlock();
    std::function<void(const NSDBlock&)> inside = [&](const NSDBlock& parent) {
        for (const NSDBlock& b : parent.children) {
            EXPECT_TRUE(b.x >= parent.x && b.y >= parent.y &&
                b.x + b.width <= parent.x + parent.width &&
                b.y + b.height <= parent.y + parent.height)
                << b.kind << " at " << b.x << "," << b.y;
            inside(b);
        }
    };
    NSDBlock frame;
    frame.x = e.nsd.StartX;
    frame.y = e.nsd.StartY + e.diagram.NSD()->RootNode().titleHeight;
    frame.width = root.width;
    frame.height = root.height;
    frame.children = root.children;
    inside(frame);
    int filled = 0;
    for (const NSDBlock& b : root.children)
        filled += b.kind == UNIT_ELSE || b.kind == UNIT_ELSE_IF ? 0 : b.height;
    EXPECT_EQ(filled, root.height);
}
