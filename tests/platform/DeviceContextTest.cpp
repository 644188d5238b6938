#include "DeviceContext.h"

#include "TestCanvas.h"
#include "TextMeasurer.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

CPen redPen(PS_SOLID, 1, kRed);
CBrush blueBrush(kBlue);

} // namespace

TEST(DeviceContext, LineLeavesOutItsEndPixel)
{
    Canvas c(20, 20);
    c.Use(&redPen);
    c.dc.MoveTo(2, 5);
    c.dc.LineTo(10, 5);
    EXPECT_EQ(c.Bounds(kRed), CRect(2, 5, 10, 6));
    EXPECT_EQ(c.Count(kRed), 8);

    Canvas v(20, 20);
    v.Use(&redPen);
    v.dc.MoveTo(4, 12);
    v.dc.LineTo(4, 3); // upwards: 12 down to 4
    EXPECT_EQ(v.Bounds(kRed), CRect(4, 4, 5, 13));

    Canvas d(20, 20);
    d.Use(&redPen);
    d.dc.MoveTo(0, 0);
    d.dc.LineTo(5, 5);
    EXPECT_EQ(d.Count(kRed), 5);
    EXPECT_EQ(d.dc.GetPixel(4, 4), kRed);
    EXPECT_EQ(d.dc.GetPixel(5, 5), kWhite);
    EXPECT_EQ(d.dc.GetCurrentPosition(), CPoint(5, 5));
}

TEST(DeviceContext, RectangleExcludesRightAndBottomEdge)
{
    Canvas c(20, 20);
    c.Use(&redPen, &blueBrush).dc.Rectangle(2, 3, 10, 8);
    EXPECT_EQ(c.Bounds(kRed), CRect(2, 3, 10, 8));
    EXPECT_EQ(c.Bounds(kBlue), CRect(3, 4, 9, 7));
    EXPECT_EQ(c.Count(kRed), 2 * 8 + 2 * 3);
}

TEST(DeviceContext, ShapeWithoutPenIsOnePixelSmaller)
{
    Canvas c(20, 20);
    c.Use(CPen::NullPen(), &blueBrush).dc.Rectangle(2, 3, 10, 8);
    EXPECT_EQ(c.Bounds(kBlue), CRect(2, 3, 9, 7));

    Canvas e(30, 30);
    e.Use(CPen::NullPen(), &blueBrush).dc.Ellipse(0, 0, 21, 11);
    CRect b = e.Bounds(kBlue);
    EXPECT_EQ(b.left, 0);
    EXPECT_EQ(b.top, 0);
    EXPECT_LE(b.right, 20);
    EXPECT_LE(b.bottom, 10);
}

TEST(DeviceContext, EllipseAndRoundRectStayInsideTheirBox)
{
    Canvas c(40, 40);
    c.Use(&redPen, &blueBrush).dc.Ellipse(5, 5, 25, 15);
    EXPECT_EQ(c.Bounds(kRed), CRect(5, 5, 25, 15));
    EXPECT_EQ(c.dc.GetPixel(15, 10), kBlue);
    EXPECT_EQ(c.dc.GetPixel(5, 5), kWhite); // the corner lies outside

    Canvas r(40, 40);
    r.Use(&redPen, CBrush::HollowBrush()).dc.RoundRect(2, 2, 30, 20, 17, 17);
    EXPECT_EQ(r.Bounds(kRed), CRect(2, 2, 30, 20));
    EXPECT_EQ(r.dc.GetPixel(2, 2), kWhite);
    EXPECT_EQ(r.dc.GetPixel(16, 10), kWhite); // hollow
}

TEST(DeviceContext, PolygonAndPolyline)
{
    Canvas c(30, 30);
    CPoint triangle[] = {{2, 2}, {2, 20}, {20, 20}, {2, 2}};
    c.Use(&redPen, &blueBrush).dc.Polygon(triangle, 4);
    EXPECT_EQ(c.Bounds(kRed), CRect(2, 2, 21, 21)); // a polygon's vertices are drawn
    EXPECT_EQ(c.dc.GetPixel(5, 15), kBlue);
    EXPECT_EQ(c.dc.GetPixel(15, 5), kWhite);

    // A one-pixel outline closes on the fill on every side: no pixel of a
    // row is left white between the row's outermost outline pixels.
    Canvas d(50, 40);
    CPoint diamond[] = {{22, 2}, {44, 17}, {22, 32}, {2, 17}, {22, 2}};
    d.Use(&redPen, &blueBrush).dc.Polygon(diamond, 5);
    for (int y = 2; y <= 32; ++y) {
        int left = 50, right = -1;
        for (int x = 0; x < 50; ++x)
            if (d.dc.GetPixel(x, y) == kRed) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        for (int x = left; x <= right; ++x)
            EXPECT_NE(d.dc.GetPixel(x, y), kWhite) << x << "," << y;
    }

    Canvas p(30, 30);
    CPoint open[] = {{2, 2}, {10, 2}, {10, 10}};
    p.Use(&redPen).dc.Polyline(open, 3);
    EXPECT_EQ(p.dc.GetPixel(10, 2), kRed);
    EXPECT_EQ(p.dc.GetPixel(10, 9), kRed);
    EXPECT_EQ(p.dc.GetPixel(10, 10), kWhite); // the last point is left out
}

TEST(DeviceContext, DottedPenFillsGapsOnlyWhenOpaque)
{
    Canvas c(40, 5);
    CPen dot(PS_DOT, 1, kRed);
    c.dc.SelectObject(&dot);
    c.dc.SetBkColor(kBlue);
    c.dc.SetBkMode(OPAQUE);
    c.dc.MoveTo(0, 1);
    c.dc.LineTo(12, 1);
    EXPECT_EQ(c.dc.GetPixel(0, 1), kRed);
    EXPECT_EQ(c.dc.GetPixel(3, 1), kBlue);
    EXPECT_EQ(c.dc.GetPixel(6, 1), kRed);

    c.dc.SetBkMode(TRANSPARENT);
    c.dc.MoveTo(0, 3);
    c.dc.LineTo(12, 3);
    EXPECT_EQ(c.dc.GetPixel(0, 3), kRed);
    EXPECT_EQ(c.dc.GetPixel(3, 3), kWhite);
}

TEST(DeviceContext, WindowOriginAndClipBoxAreLogical)
{
    Canvas c(50, 40);
    EXPECT_EQ(c.dc.GetClipBox(), CRect(0, 0, 50, 40));
    c.dc.SetWindowOrg(100, 200);
    EXPECT_EQ(c.dc.GetClipBox(), CRect(100, 200, 150, 240));
    c.dc.FillSolidRect(100, 200, 2, 2, kRed);
    c.dc.SetWindowOrg(0, 0);
    EXPECT_EQ(c.Bounds(kRed), CRect(0, 0, 2, 2));

    c.dc.IntersectClipRect(CRect(10, 10, 20, 20));
    EXPECT_EQ(c.dc.GetClipBox(), CRect(10, 10, 20, 20));
    c.dc.FillSolidRect(0, 0, 50, 40, kBlue);
    EXPECT_EQ(c.Bounds(kBlue), CRect(10, 10, 20, 20));
    c.dc.ResetClip();
    EXPECT_EQ(c.dc.GetClipBox(), CRect(0, 0, 50, 40));
}

TEST(DeviceContext, BlockTransfersCombinePixels)
{
    Canvas dst(8, 8);
    Canvas src(8, 8);
    src.dc.FillSolidRect(0, 0, 8, 8, RGB(0x0F, 0xF0, 0x33));
    dst.dc.FillSolidRect(0, 0, 8, 8, RGB(0x30, 0x0F, 0x11));

    dst.dc.BitBlt(0, 0, 2, 2, &src.dc, 0, 0, SRCCOPY);
    EXPECT_EQ(dst.dc.GetPixel(1, 1), RGB(0x0F, 0xF0, 0x33));
    EXPECT_EQ(dst.dc.GetPixel(2, 2), RGB(0x30, 0x0F, 0x11));

    dst.dc.BitBlt(2, 0, 2, 2, &src.dc, 0, 0, SRCPAINT);
    EXPECT_EQ(dst.dc.GetPixel(2, 0), RGB(0x3F, 0xFF, 0x33));

    dst.dc.BitBlt(4, 0, 2, 2, &src.dc, 0, 0, SRCAND);
    EXPECT_EQ(dst.dc.GetPixel(4, 0), RGB(0x00, 0x00, 0x11));

    dst.dc.BitBlt(6, 0, 2, 2, nullptr, 0, 0, DSTINVERT);
    EXPECT_EQ(dst.dc.GetPixel(6, 0), RGB(0xCF, 0xF0, 0xEE));
    EXPECT_EQ(dst.dc.GetPixel(6, 2), RGB(0x30, 0x0F, 0x11));

    // A transfer needs a source unless it only inverts.
    EXPECT_FALSE(dst.dc.BitBlt(0, 0, 2, 2, nullptr, 0, 0, SRCCOPY));
}

TEST(DeviceContext, BlockTransferHonoursOriginsAndClipping)
{
    Canvas src(10, 10);
    src.dc.FillSolidRect(3, 4, 1, 1, kRed);
    src.dc.SetWindowOrg(100, 100);
    Canvas dst(10, 10);
    dst.dc.SetWindowOrg(-5, -5);
    // Source logical (103, 104) is device (3, 4); destination logical (0, 0) is device (5, 5).
    dst.dc.BitBlt(-3, -4, 10, 10, &src.dc, 100, 100, SRCCOPY);
    dst.dc.SetWindowOrg(0, 0);
    EXPECT_EQ(dst.dc.GetPixel(5, 5), kRed);
    EXPECT_EQ(dst.Count(kRed), 1);
    // The part beyond the destination image was dropped, nothing else changed.
    EXPECT_EQ(dst.dc.GetPixel(1, 1), kWhite);
}

TEST(DeviceContext, MemoryContextTakesBitsPerPixel)
{
    CDC screen;
    screen.CreateCompatibleDC(nullptr);
    screen.SetBitsPerPixel(8);
    CDC mem;
    mem.CreateCompatibleDC(&screen);
    EXPECT_EQ(mem.GetBitsPerPixel(), 8);
    CBitmap bitmap;
    EXPECT_TRUE(bitmap.CreateCompatibleBitmap(&mem, 4, 4));
    EXPECT_EQ(bitmap.BitsPerPixel(), 8);
    EXPECT_FALSE(bitmap.CreateCompatibleBitmap(&mem, 0, 4));
    EXPECT_FALSE(bitmap.CreateCompatibleBitmap(&mem, 100000, 100000));
    EXPECT_FALSE(bitmap.IsCreated());
}

TEST(DeviceContext, SelectObjectReturnsWhatWasSelected)
{
    Canvas c(4, 4);
    CPen* old = c.dc.SelectObject(&redPen);
    EXPECT_EQ(old, CPen::BlackPen());
    EXPECT_EQ(c.dc.SelectObject(old), &redPen);
    EXPECT_EQ(c.dc.SelectObject(&blueBrush), CBrush::WhiteBrush());
    CBitmap other;
    other.CreateCompatibleBitmap(&c.dc, 2, 2);
    EXPECT_EQ(c.dc.SelectObject(&other), &c.bitmap);
    EXPECT_EQ(c.dc.GetClipBox(), CRect(0, 0, 2, 2));
}

TEST(DeviceContext, OpaqueTextPaintsItsExtent)
{
    ScopedTextMeasurer fixed(std::make_shared<FixedWidthTextMeasurer>(6, 10));
    Canvas c(60, 20);
    c.dc.SetBkColor(kBlue);
    c.dc.SetBkMode(OPAQUE);
    c.dc.SetTextColor(kRed);
    c.dc.TextOut(5, 5, "    "); // blanks: only the background shows
    EXPECT_EQ(c.dc.GetPixel(5, 5), kBlue);
    EXPECT_EQ(c.dc.GetPixel(28, 14), kBlue);
    EXPECT_EQ(c.dc.GetPixel(29, 14), kWhite);

    Canvas t(60, 20);
    t.dc.SetBkMode(TRANSPARENT);
    t.dc.SetBkColor(kBlue);
    t.dc.TextOut(5, 5, "abcd");
    EXPECT_EQ(t.Count(kBlue), 0);
    EXPECT_LT(t.Count(kWhite), 60 * 20); // something was drawn
}

TEST(DeviceContext, TextOfAnyEncodingIsMeasuredAndDrawn)
{
    Canvas c(200, 30);
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(100, "DejaVu Sans"));
    c.dc.SelectObject(&font);
    const std::string utf8 = "gr\xC3\xBC\xC3\x9F"; // UTF-8 letters
    const std::string latin1 = "gr\xFC\xDF"; // the same in Latin-1
    const std::string broken = "x\xC3(\xFF\xFE"; // neither
    EXPECT_EQ(c.dc.GetTextExtent(utf8).cx, c.dc.GetTextExtent(latin1).cx);
    EXPECT_GT(c.dc.GetTextExtent(broken).cx, c.dc.GetTextExtent("x").cx);
    EXPECT_TRUE(c.dc.TextOut(0, 0, broken));
    EXPECT_EQ(c.dc.GetTextExtent("").cx, 0);
}
