#include "DeviceContext.h"

#include "TestCanvas.h"
#include "TextMeasurer.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);

} // namespace

// Texts of blanks only paint their opaque extent (6 pixels a character, 10
// high), which shows where each line went.
TEST(DeviceContextText, DrawTextPlacesAndClipsLines)
{
    ScopedTextMeasurer fixed(std::make_shared<FixedWidthTextMeasurer>(6, 10));
    struct Case {
        const char* text;
        CRect rect;
        unsigned format;
        CRect painted;
        int height;
    };
    const Case cases[] = {
        {"   ", {10, 10, 70, 40}, DT_LEFT | DT_SINGLELINE, {10, 10, 28, 20}, 10},
        {"   ", {10, 10, 70, 40}, DT_CENTER | DT_SINGLELINE, {31, 10, 49, 20}, 10},
        {"   ", {10, 10, 70, 40}, DT_RIGHT | DT_VCENTER | DT_SINGLELINE, {52, 20, 70, 30}, 10},
        {"   ", {10, 10, 70, 40}, DT_LEFT | DT_BOTTOM | DT_SINGLELINE, {10, 30, 28, 40}, 10},
        // Clipped to the rectangle unless told not to.
        {"      ", {10, 10, 30, 40}, DT_LEFT | DT_SINGLELINE, {10, 10, 30, 20}, 10},
        {"      ", {10, 10, 30, 40}, DT_LEFT | DT_SINGLELINE | DT_NOCLIP, {10, 10, 46, 20}, 10},
        // Line ends, a carriage return before one dropped; vertical
        // alignment is for single lines only.
        {"  \r\n    ", {10, 10, 70, 40}, DT_LEFT | DT_VCENTER, {10, 10, 34, 30}, 20},
        {"  \n    ", {10, 10, 70, 40}, DT_RIGHT, {46, 10, 70, 30}, 20},
    };
    for (const Case& c : cases) {
        Canvas canvas(100, 60);
        canvas.dc.SetBkColor(kRed);
        CRect rect = c.rect;
        EXPECT_EQ(canvas.dc.DrawText(c.text, rect, c.format), c.height);
        EXPECT_EQ(canvas.Bounds(kRed), c.painted) << "format " << c.format;
        EXPECT_EQ(rect, c.rect); // only DT_CALCRECT changes it
    }
}

TEST(DeviceContextText, DrawTextMeasuresWithCalcRect)
{
    ScopedTextMeasurer fixed(std::make_shared<FixedWidthTextMeasurer>(6, 10));
    struct Case {
        const char* text;
        int width;
        unsigned format;
        CSize extent;
    };
    const Case cases[] = {
        {"abcd", 100, DT_SINGLELINE, {24, 10}},
        {"aa bb cc", 100, DT_SINGLELINE, {48, 10}},
        // Breaks between words where a line would be wider than the rectangle.
        {"aa bb cc", 30, DT_WORDBREAK, {30, 20}},
        {"aa bb cc dd", 12, DT_WORDBREAK, {12, 40}},
        {"aa bb cc", 30, DT_SINGLELINE | DT_WORDBREAK, {48, 10}},
        // A word wider than the rectangle stays whole.
        {"abcdefgh ij", 12, DT_WORDBREAK, {48, 20}},
        {"one\n\nthree", 100, DT_LEFT, {30, 30}},
    };
    for (const Case& c : cases) {
        Canvas canvas(20, 20);
        CRect rect(5, 7, 5 + c.width, 9);
        const int height = canvas.dc.DrawText(c.text, rect, c.format | DT_CALCRECT);
        EXPECT_EQ(CSize(rect.Width(), rect.Height()), c.extent) << c.text << " in " << c.width;
        EXPECT_EQ(height, c.extent.cy);
        EXPECT_EQ(CPoint(rect.left, rect.top), CPoint(5, 7));
        EXPECT_EQ(canvas.CountNot(RGB(255, 255, 255)), 0); // nothing drawn
    }
}

// Every other pixel of the outline is inverted; a second call puts them back.
TEST(DeviceContextText, FocusRectangleInvertsAndRestores)
{
    Canvas canvas(30, 30);
    canvas.dc.SetWindowOrg(-5, -5);
    canvas.dc.DrawFocusRect(CRect(0, 0, 10, 6));
    canvas.dc.SetWindowOrg(0, 0);
    EXPECT_EQ(canvas.Bounds(RGB(0, 0, 0)), CRect(5, 5, 15, 11));
    EXPECT_EQ(canvas.Count(RGB(0, 0, 0)), (2 * 10 + 2 * 4) / 2);
    EXPECT_EQ(canvas.dc.GetPixel(5, 5), RGB(0, 0, 0));
    EXPECT_EQ(canvas.dc.GetPixel(6, 5), RGB(255, 255, 255));
    canvas.dc.SetWindowOrg(-5, -5);
    canvas.dc.DrawFocusRect(CRect(0, 0, 10, 6));
    canvas.dc.SetWindowOrg(0, 0);
    EXPECT_EQ(canvas.CountNot(RGB(255, 255, 255)), 0);
}

TEST(DeviceContextText, MetricsAndSavedClip)
{
    ScopedTextMeasurer fixed(std::make_shared<FixedWidthTextMeasurer>(6, 10));
    Canvas canvas(40, 40);
    const TEXTMETRIC metrics = canvas.dc.GetTextMetrics();
    EXPECT_EQ(metrics.tmHeight, 10);
    EXPECT_EQ(metrics.tmAscent + metrics.tmDescent, 10);
    EXPECT_GT(metrics.tmAscent, metrics.tmDescent);
    EXPECT_EQ(metrics.tmAveCharWidth, 6);
    EXPECT_EQ(metrics.tmMaxCharWidth, 6);

    canvas.dc.IntersectClipRect(CRect(2, 2, 30, 30));
    const CDC::SavedClip saved = canvas.dc.SaveClip();
    canvas.dc.IntersectClipRect(CRect(10, 10, 20, 20));
    EXPECT_EQ(canvas.dc.GetClipBox(), CRect(10, 10, 20, 20));
    canvas.dc.RestoreClip(saved);
    EXPECT_EQ(canvas.dc.GetClipBox(), CRect(2, 2, 30, 30));
    canvas.dc.ResetClip();
    const CDC::SavedClip none = canvas.dc.SaveClip();
    canvas.dc.IntersectClipRect(CRect(1, 1, 3, 3));
    canvas.dc.RestoreClip(none);
    EXPECT_EQ(canvas.dc.GetClipBox(), CRect(0, 0, 40, 40));
}
