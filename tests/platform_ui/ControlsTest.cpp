#include "DeviceContext.h"
#include "HyperLink.h"
#include "MySplitter.h"
#include "UiRecorder.h"
#include "XPGroupBox.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

// A splitter whose bar a test can drag.
struct DraggableSplitter : CMySplitter {
    using CMySplitter::CMySplitter;
    void Drag(int position) { moveSplitter(position, 1); }
};

struct SplitterWindow {
    explicit SplitterWindow(Qt::Orientation orientation, QSize size) : splitter(orientation)
    {
        splitter.addWidget(new QWidget);
        splitter.addWidget(new QWidget);
        splitter.resize(size);
        splitter.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&splitter));
    }
    DraggableSplitter splitter;
};

} // namespace

TEST(SplitterTest, ModesKeepTheSecondPaneAndCollapseStepByStep)
{
    SplitterWindow rows(Qt::Vertical, {400, 600});
    CMySplitter& s = rows.splitter;
    ASSERT_EQ(s.GetMode(), 1);
    EXPECT_EQ(s.SecondPaneCurrentSize(), 150);
    s.resize(400, 800);
    QApplication::processEvents();
    EXPECT_EQ(s.SecondPaneCurrentSize(), 150) << "a resize keeps the second pane's size";

    // Up: 1 -> 0 (the second pane fills the window), then nothing more.
    struct Step {
        void (CMySplitter::*action)();
        int mode;
        int first; // -1: whatever the rest is
        int second;
    };
    const Step steps[] = {
        {&CMySplitter::CollapseLess, 0, 0, -1},
        {&CMySplitter::CollapseLess, 0, 0, -1},
        {&CMySplitter::CollapseMore, 1, -1, 150},
        {&CMySplitter::CollapseMore, 2, -1, 0},
        {&CMySplitter::CollapseMore, 2, -1, 0},
        {&CMySplitter::CollapseLess, 1, -1, 150},
    };
    for (const Step& step : steps) {
        (s.*step.action)();
        EXPECT_EQ(s.GetMode(), step.mode);
        if (step.first >= 0) {
            EXPECT_EQ(s.FirstPaneSize(), step.first);
        }
        if (step.second >= 0) {
            EXPECT_EQ(s.SecondPaneCurrentSize(), step.second);
        }
    }
    s.SetMode(7);
    EXPECT_EQ(s.GetMode(), 2);

    // Dragging a hidden pane open keeps the dragged size in mode 1.
    s.Relayout();
    rows.splitter.Drag(s.Extent() - 120 - s.handleWidth());
    EXPECT_EQ(s.GetMode(), 1);
    EXPECT_EQ(s.RememberedSize(), 120);
    s.resize(400, 700);
    QApplication::processEvents();
    EXPECT_EQ(s.SecondPaneCurrentSize(), 120);
}

TEST(SplitterTest, ColumnSharesAndFitSizes)
{
    SplitterWindow columns(Qt::Horizontal, {900, 300});
    CMySplitter& s = columns.splitter;
    s.ShowTwoThirds();
    EXPECT_EQ(s.RememberedSize(), 600);
    EXPECT_EQ(s.SecondPaneCurrentSize(), 600);
    s.ShowHalf();
    EXPECT_EQ(s.RememberedSize(), 450);
    s.ShowThird();
    EXPECT_EQ(s.RememberedSize(), 300);

    const std::pair<int, int> fits[] = {{1000, 0}, {0, 2}, {200, 1}, {900, 1}};
    for (const auto& [size, mode] : fits) {
        s.SetSecondPaneSize(size);
        EXPECT_EQ(s.GetMode(), mode) << size;
    }
    EXPECT_EQ(s.SecondPaneCurrentSize(), 900 - s.handleWidth())
        << "a diagram as wide as the window";
}

TEST(GroupBoxTest, TitleGradientRisesAcrossThirtyShadesOrIsPlainOnFewColours)
{
    QImage image(60, 8, QImage::Format_RGB32);
    image.fill(Qt::black);
    CDC dc;
    dc.AttachImage(&image);
    FillTitleGradient(dc, CRect(0, 0, 60, 8), RGB(100, 150, 240));
    // Column x is drawn with shade 30x/60; shade k raises each channel by 2(k+1), capped.
    const std::pair<int, COLORREF> columns[] = {{0, RGB(102, 152, 242)}, {1, RGB(102, 152, 242)},
        {2, RGB(104, 154, 244)}, {30, RGB(132, 182, 255)}, {59, RGB(160, 210, 255)}};
    for (const auto& [x, colour] : columns)
        for (int y : {0, 7})
            EXPECT_EQ(dc.GetPixel(x, y), colour) << x << "," << y;

    dc.SetBitsPerPixel(16);
    FillTitleGradient(dc, CRect(0, 0, 60, 8), RGB(100, 150, 240));
    EXPECT_EQ(dc.GetPixel(30, 4), RGB(100, 150, 240)) << "a plain fill";
    EXPECT_EQ(dc.GetPixel(0, 4), RGB(0, 0, 0)) << "outlined in the selected pen";

    // The band across the top of the header style starts with the first shade.
    CXPGroupBox box("Colours");
    box.resize(200, 80);
    box.SetBackgroundColors(RGB(100, 150, 240), RGB(255, 255, 255));
    box.SetHeaderStyle(1);
    const QImage picture = box.Render();
    EXPECT_EQ(FromQRgb(picture.pixel(1, 3)), RGB(102, 152, 242));
    EXPECT_EQ(FromQRgb(picture.pixel(100, 70)), RGB(255, 255, 255))
        << "the body in the frame colour";
    box.SetText("Select View");
    EXPECT_EQ(box.Title(), " Select View ");
}

TEST(HyperLinkTest, OnlyAClickOnTheTextOpensTheLink)
{
    UiRecorder ui;
    CHyperLink link;
    link.SetURL("mailto:support@example.org");
    link.SetText("support@example.org");
    link.resize(400, 40);
    link.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&link));
    const QSize text = link.TextExtent();
    ASSERT_GT(text.width(), 20);
    ASSERT_LT(text.width(), 390);

    const std::pair<QPoint, bool> points[] = {
        {{0, 0}, true},
        {{text.width() - 1, text.height() - 1}, true},
        {{text.width(), 0}, false},
        {{0, text.height()}, false},
        {{390, 5}, false},
    };
    for (const auto& [point, inside] : points)
        EXPECT_EQ(link.IsOnText(point), inside) << point.x() << "," << point.y();

    QTest::mouseClick(&link, Qt::LeftButton, {}, QPoint(390, 5));
    EXPECT_TRUE(ui.Texts(UiCallKind::OpenUrl).empty()) << "beyond the end of the text";
    QTest::mouseClick(&link, Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_EQ(
        ui.Texts(UiCallKind::OpenUrl), std::vector<std::string> {"mailto:support@example.org"});
}
