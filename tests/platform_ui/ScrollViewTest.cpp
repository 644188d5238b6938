#include "DeviceContext.h"
#include "ScrollView.h"

#include <QApplication>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace {

// Paints a checkerboard of 50-pixel cells whose colour names the cell, so
// that a screen pixel tells which logical point was drawn there.
class CellView : public CScrollView {
public:
    CRect lastClip;
    CPoint lastOrigin;
    std::vector<std::pair<unsigned, CPoint>> presses;
    bool takeWheel = false;

    static COLORREF CellColour(int x, int y)
    {
        return RGB(x / 50 * 10 % 256, y / 50 * 10 % 256, 128);
    }

protected:
    void OnDraw(CDC* dc) override
    {
        lastClip = dc->GetClipBox();
        lastOrigin = dc->GetWindowOrg();
        for (int y = lastClip.top / 50 * 50; y < lastClip.bottom; y += 50)
            for (int x = lastClip.left / 50 * 50; x < lastClip.right; x += 50)
                dc->FillSolidRect(x, y, 50, 50, CellColour(x, y));
    }
    void OnLButtonDown(unsigned flags, CPoint point) override
    {
        presses.emplace_back(flags, point);
    }
    void OnRButtonDown(unsigned flags, CPoint point) override
    {
        presses.emplace_back(flags, point);
    }
    bool OnMouseWheel(unsigned, int, CPoint) override { return takeWheel; }
};

COLORREF ScreenPixel(CScrollView& view, int x, int y)
{
    return FromQRgb(view.viewport()->grab().toImage().pixel(x, y));
}

// A 320 by 220 window onto a 1000 by 800 picture, shown.
class ShownCellView : public ::testing::Test {
protected:
    void SetUp() override
    {
        view.resize(320, 220);
        view.SetScrollSizes({1000, 800});
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    }

    CellView view;
};

class ScrollViewPainting : public ShownCellView { };
class ScrollViewInput : public ShownCellView { };

} // namespace

TEST_F(ScrollViewPainting, PaintsLogicalCoordinatesAtTheScrollPositionClippedToTheUpdate)
{
    const CRect client = view.GetClientRect();
    EXPECT_EQ(view.horizontalScrollBar()->maximum(), 1000 - client.Width());
    EXPECT_EQ(view.GetPageSize(), CSize(100, 80));
    EXPECT_EQ(view.GetLineSize(), CSize(10, 8));

    view.ScrollToPosition({130, 270});
    EXPECT_EQ(view.GetScrollPosition(), CPoint(130, 270));
    EXPECT_EQ(ScreenPixel(view, 10, 10), CellView::CellColour(140, 280));
    EXPECT_EQ(ScreenPixel(view, 100, 5), CellView::CellColour(230, 275));
    EXPECT_EQ(view.lastOrigin, CPoint(130, 270));
    EXPECT_EQ(view.lastClip, CRect(130, 270, 130 + client.Width(), 270 + client.Height()));

    QApplication::processEvents();
    view.viewport()->repaint(QRect(20, 30, 15, 10));
    EXPECT_EQ(view.lastClip, CRect(150, 300, 165, 310)) << "the clip box is the update rectangle";
    EXPECT_EQ(view.ClientToLogical({1, 2}), CPoint(131, 272));

    view.ScrollToPosition({5000, -40});
    EXPECT_EQ(view.GetScrollPosition(), CPoint(1000 - client.Width(), 0));
    view.SetScrollSizes({10, 10});
    EXPECT_EQ(view.GetScrollPosition(), CPoint(0, 0))
        << "a picture smaller than the window does not scroll";
    EXPECT_EQ(view.GetLineSize(), CSize(1, 1));
}

TEST_F(ScrollViewInput, TroughAndArrowsMoveByPageAndLineTheWheelScrollsAndClicksAreLogical)
{
    QScrollBar* bar = view.verticalScrollBar();
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(view.GetScrollPosition().y, 80);
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(view.GetScrollPosition().y, 88);
    bar->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(view.GetScrollPosition().y, 8);
    QTest::keyClick(&view, Qt::Key_PageDown);
    EXPECT_EQ(view.GetScrollPosition().y, 88);

    auto wheel = [&](int delta) {
        const QPointF at(10, 10);
        QWheelEvent event(at, view.viewport()->mapToGlobal(at), QPoint(), QPoint(0, delta),
            Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view.viewport(), &event);
    };
    wheel(-120);
    EXPECT_GT(view.GetScrollPosition().y, 88);
    const int afterWheel = view.GetScrollPosition().y;
    view.takeWheel = true;
    wheel(-120);
    EXPECT_EQ(view.GetScrollPosition().y, afterWheel)
        << "a view that takes the wheel scrolls itself";

    view.ScrollToPosition({40, 100});
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(5, 6));
    QTest::mouseClick(view.viewport(), Qt::RightButton, Qt::ControlModifier, QPoint(7, 8));
    ASSERT_EQ(view.presses.size(), 2u);
    EXPECT_EQ(view.presses[0], std::pair(MK_LBUTTON, CPoint(45, 106)));
    EXPECT_EQ(view.presses[1], std::pair(MK_RBUTTON | MK_CONTROL, CPoint(47, 108)));
}
