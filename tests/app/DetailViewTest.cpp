#include "ViewsFixture.h"

#include "FlowItem.h"
#include "Options.h"

#include <QWheelEvent>

namespace {

// The first cell of the flow chart whose item is of the kind.
std::optional<CPoint> CellOfKind(const CFlowChartPainter& painter, int kind)
{
    for (int row = 1; row <= painter.Rows(); ++row)
        for (int col = 0; col <= painter.Cols(); ++col)
            if (const CFlowItem* item = painter.ItemAt(CPoint(col, row));
                item != nullptr && item->kind == kind)
                return CPoint(col, row);
    return std::nullopt;
}

int CountNotWhite(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += (image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
    return count;
}

} // namespace

// The whole path through the main window: a function picked in the macro
// view is drawn as a flow chart, the code window shows its definition's file
// with its lines marked, and a flow box under the mouse (or clicked) marks
// that box's lines in the same file.
TEST(DetailView, SelectingAFunctionDrawsItsFlowChartAndItsBoxesMarkTheirLines)
{
    ViewsFixture f;
    f.Choose(kFlow4);
    f.Select("Plan");
    CDetailView& detail = f.Detail();
    EXPECT_EQ(f.program.Doc().mode, 1);
    ASSERT_NE(detail.Diagram().FlowPainter(), nullptr);
    EXPECT_GT(detail.diagramWidth, 0);
    EXPECT_EQ(CSize(detail.diagramWidth, detail.diagramHeight), detail.GetTotalSize());
    EXPECT_GT(CountNotWhite(detail.viewport()->grab().toImage()), 2000);

    // Plan is declared in garden.h and defined in garden.cpp, lines 59 to 73.
    const std::string shown = f.Frame().CodeWindow()->CurrentFile();
    EXPECT_EQ(std::filesystem::path(shown).filename(), "garden.cpp");
    EXPECT_EQ((std::pair(f.Code().HighlightFirst(), f.Code().HighlightLast())), std::pair(58, 72));

    // The mouse over the condition "need > 20" (line 64) shows its
    // explanation and marks its line.
    const CFlowChartPainter& painter = *detail.Diagram().FlowPainter();
    const std::optional<CPoint> condition = CellOfKind(painter, 33);
    ASSERT_TRUE(condition.has_value());
    const CPoint box(condition->x * painter.XSpace() + 3, condition->y * painter.YSpace() + 3);
    detail.ScrollToPosition({0, std::max(0, box.y - 100)});
    QTest::mouseMove(detail.viewport(), f.InWindow(box));
    EXPECT_TRUE(detail.Diagram().ExplanationOn());
    EXPECT_EQ(detail.Diagram().ClickedCell(), *condition);
    EXPECT_EQ(f.Frame().CodeWindow()->CurrentFile(), shown);
    EXPECT_EQ(f.Code().HighlightFirst(), 63);

    // Without automatic explanations a click shows it; a click in the gap
    // between boxes changes nothing.
    f.program.context->Options().autoShowDetailContent = false;
    QTest::mouseMove(detail.viewport(), QPoint(1, 1));
    EXPECT_FALSE(detail.Diagram().ExplanationOn());
    const CPoint first(painter.EndCell().x * painter.XSpace() + 3, painter.YSpace() + 3);
    QTest::mouseClick(detail.viewport(), Qt::LeftButton, {}, f.InWindow(first));
    detail.RedrawNow();
    EXPECT_EQ(detail.Diagram().ClickedCell(), CPoint(painter.EndCell().x, 1));
    EXPECT_EQ(f.Code().HighlightFirst(), 60) << "int water = 0;";
    const CPoint gap(first.x + painter.XSize() + 2, first.y);
    QTest::mouseClick(detail.viewport(), Qt::LeftButton, {}, f.InWindow(gap));
    EXPECT_EQ(detail.Diagram().ClickedCell(), CPoint(painter.EndCell().x, 1));

    // Nothing selected: the pane paints its background only.
    f.Macro().ClearSelection();
    detail.RedrawNow();
    EXPECT_LT(CountNotWhite(detail.viewport()->grab().toImage()), 50);
}

// Changing the flow chart's zoom keeps its items and the point at the
// window's centre; another view kind and back builds it again at the top.
// A zoom level a colour file set to nothing draws without dividing by 0.
TEST(DetailView, ZoomKeepsTheCentreAndZeroSizesAreHarmless)
{
    ViewsFixture f;
    f.Choose(kFlow4);
    f.Select("Long");
    CDetailView& detail = f.Detail();
    const FunctionBody* items = detail.Diagram().FlowItems();
    const CSize before = detail.GetTotalSize();
    const CRect window = detail.GetClientRect();
    ASSERT_GT(before.cy, 3 * window.Height());
    detail.ScrollToPosition({0, before.cy / 3});
    const CPoint position = detail.GetScrollPosition();

    f.Choose(kFlow16);
    const CSize after = detail.GetTotalSize();
    EXPECT_EQ(detail.Diagram().FlowItems(), items) << "the same items, laid out once";
    EXPECT_GT(after.cy, before.cy);
    const int h = window.Height() / 2;
    const int64_t expectedY = (static_cast<int64_t>(position.y) + h) * after.cy / before.cy - h;
    EXPECT_EQ(detail.GetScrollPosition().y, expectedY);

    f.Choose(kNSD);
    f.Choose(kFlow4);
    EXPECT_EQ(detail.GetScrollPosition(), CPoint(0, 0));

    // Zero sizes at 1x: painting, the mouse and a zoom change stay whole.
    CFlowSetting flow = detail.FlowSetting();
    flow.Ratio1x.XSpace = flow.Ratio1x.YSpace = 0;
    flow.Ratio1x.XSize = flow.Ratio1x.YSize = 0;
    detail.ApplyFlowSetting(flow);
    f.Choose(kFlow1);
    QTest::mouseMove(detail.viewport(), QPoint(30, 30));
    detail.ScrollToPosition({5, 5});
    f.Choose(kFlow4);
    EXPECT_GE(detail.GetTotalSize().cy, 0);
    f.Frame().Commands().Execute(IDC_SPLIT_FIT);
}

// A wheel notch moves the detail view by a line and 50 pixels, and the macro
// view by a line and the notch's 120, either way.
TEST(DetailView, WheelNotchesMoveALineAndTheirOwnStep)
{
    ViewsFixture f;
    f.Choose(kFlow4);
    f.Select("Long");
    const auto notch = [](CScrollView& view, int delta) {
        const QPointF at(20, 20);
        QWheelEvent event(at, view.viewport()->mapToGlobal(at), QPoint(), QPoint(0, delta),
            Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view.viewport(), &event);
        return view.GetScrollPosition().y;
    };
    CDetailView& detail = f.Detail();
    ASSERT_GT(detail.GetTotalSize().cy, 2000);
    const int line = detail.GetLineSize().cy;
    ASSERT_GT(line, 0);
    detail.ScrollToPosition({0, 1000});
    EXPECT_EQ(notch(detail, -120), 1000 + line + 50);
    EXPECT_EQ(notch(detail, 120), 1000);

    CTotalView& macro = f.Macro();
    macro.SetScrollSizes({400, 5000});
    const int macroLine = macro.GetLineSize().cy;
    ASSERT_GT(macroLine, 0);
    macro.ScrollToPosition({0, 1000});
    EXPECT_EQ(notch(macro, -120), 1000 + macroLine + 120);
    EXPECT_EQ(notch(macro, 120), 1000);
    EXPECT_EQ(notch(macro, 240), 1000 - macroLine - 240);
}

// After the model was replaced (Reanalyze, Clear All) the detail pane holds
// nothing of it: clicks and moves where the diagrams were do nothing.
TEST(DetailView, ClicksAfterTheModelWasReplacedDoNothing)
{
    ViewsFixture f;
    CDetailView& detail = f.Detail();
    f.Choose(kMultiSeq);
    f.Select("Plan");
    ASSERT_FALSE(detail.MultiSequence().Columns().empty());
    const MultiSeqEntry& entry = detail.MultiSequence().Columns().front().entries.front();
    const CPoint marker(static_cast<int>(entry.x + 5 + entry.textH / 2),
        static_cast<int>(entry.y + entry.BoxHeight() / 2));
    // A click on the marker folds the entry: the engine takes clicks.
    ASSERT_TRUE(entry.unfolded);
    QTest::mouseClick(detail.viewport(), Qt::LeftButton, {}, f.InWindow(marker));
    EXPECT_FALSE(detail.MultiSequence().Columns().front().entries.front().unfolded);

    f.Frame().Reanalyze();
    EXPECT_TRUE(detail.MultiSequence().Columns().empty());
    EXPECT_EQ(detail.Diagram().Selection(), nullptr);
    EXPECT_EQ(detail.diagramWidth, 0);
    QTest::mouseClick(detail.viewport(), Qt::LeftButton, {}, f.InWindow(marker));
    QTest::mouseDClick(detail.viewport(), Qt::LeftButton, {}, f.InWindow(marker));
    detail.RedrawNow();
    EXPECT_TRUE(detail.MultiSequence().Columns().empty());

    // The type box, then Clear All.
    f.Macro().UnfoldAll();
    f.Select("Vegetable");
    ASSERT_NE(detail.DetailBox().Tree(), nullptr);
    f.Macro().ClearAll();
    EXPECT_EQ(detail.DetailBox().Tree(), nullptr);
    for (int y = 5; y < 300; y += 40)
        QTest::mouseClick(detail.viewport(), Qt::LeftButton, {}, QPoint(60, y));
    EXPECT_EQ(detail.DetailBox().Tree(), nullptr);

    // And the flow chart: nothing to hit after the model went.
    f.Frame().Commands().Execute(ID_DRAW);
    ASSERT_TRUE(WaitFor([&f] { return !f.program.context->drawRunning; }));
    f.Macro().UnfoldAll();
    f.Choose(kFlow4);
    f.Select("Plan");
    ASSERT_NE(detail.Diagram().FlowPainter(), nullptr);
    f.Macro().ClearAll();
    EXPECT_EQ(detail.Diagram().FlowPainter(), nullptr);
    QTest::mouseMove(detail.viewport(), QPoint(100, 100));
    QTest::mouseClick(detail.viewport(), Qt::RightButton, {}, QPoint(100, 100));
    EXPECT_FALSE(detail.Diagram().ExplanationOn());
}
