#include "DrawSurface.h"
#include "MemDC.h"
#include "TestCanvas.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);

// A canvas with a drawing surface over it.
struct Sheet : Canvas {
    DrawSurface surface;
    Sheet(int w, int h, int shading, COLORREF background = kWhite, int bits = 32)
        : Canvas(w, h, bits), surface(&dc, shading, background)
    {
    }
};

COLORREF Channels(int r, int g, int b)
{
    auto clamp = [](int v) { return std::clamp(v, 0, 255); };
    return RGB(clamp(r), clamp(g), clamp(b));
}

} // namespace

TEST(DrawSurface, FlatFillWithoutShadingOrInLowColour)
{
    const COLORREF fill = RGB(100, 150, 200);
    for (auto [shading, bits] : {std::pair {0, 32}, std::pair {1, 8}, std::pair {4, 15}}) {
        Sheet c(40, 40, shading, kWhite, bits);
        EXPECT_FALSE(c.surface.IsHighColour());
        c.surface.FillShadedBox(5, 6, 20, 10, fill);
        EXPECT_EQ(c.Count(fill), 200) << shading << " " << bits;
        EXPECT_EQ(c.dc.GetPixel(24, 15), fill);
        EXPECT_EQ(c.dc.GetPixel(25, 15), kWhite);
        EXPECT_EQ(c.dc.GetPixel(24, 16), kWhite);
    }
    EXPECT_EQ(Sheet(10, 10, 0).surface.bitsPerPixel, 0);
}

TEST(DrawSurface, DarkeningRampRunsDownOrRight)
{
    const COLORREF fill = RGB(100, 20, 0); // blue at 0 stays 0
    Sheet down(40, 80, 1);
    down.surface.FillShadedBox(0, 0, 10, 60, fill);
    // 60 rows over 30 pens: rows 2k and 2k+1 use pen k, lowered by k+1.
    EXPECT_EQ(down.dc.GetPixel(5, 0), Channels(99, 19, 0));
    EXPECT_EQ(down.dc.GetPixel(5, 1), Channels(99, 19, 0));
    EXPECT_EQ(down.dc.GetPixel(5, 2), Channels(98, 18, 0));
    EXPECT_EQ(down.dc.GetPixel(9, 59), Channels(70, 0, 0)); // green stopped at 0
    EXPECT_EQ(down.dc.GetPixel(10, 30), kWhite);
    EXPECT_EQ(down.dc.GetPixel(5, 60), kWhite);

    Sheet right(80, 20, 2);
    right.surface.FillShadedBox(0, 0, 30, 10, fill);
    for (int i = 0; i < 30; ++i)
        EXPECT_EQ(right.dc.GetPixel(i, 9), Channels(100 - (i + 1), 20 - (i + 1), 0)) << i;
    EXPECT_EQ(right.dc.GetPixel(0, 10), kWhite);
}

TEST(DrawSurface, LighteningRampStopsAt255)
{
    const COLORREF fill = RGB(250, 100, 255);
    Sheet down(20, 40, 3);
    down.surface.FillShadedBox(0, 0, 10, 20, fill);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(down.dc.GetPixel(3, i), Channels(250 + i + 1, 100 + i + 1, 255)) << i;

    Sheet right(40, 20, 4);
    right.surface.FillShadedBox(0, 0, 40, 5, fill); // 40 columns, 20 pens: two columns each
    EXPECT_EQ(right.dc.GetPixel(0, 0), Channels(251, 101, 255));
    EXPECT_EQ(right.dc.GetPixel(1, 0), Channels(251, 101, 255));
    EXPECT_EQ(right.dc.GetPixel(39, 4), Channels(255, 120, 255));
}

TEST(DrawSurface, BandedRampIsSymmetric)
{
    const COLORREF fill = RGB(200, 200, 200);
    Sheet c(20, 40, 1);
    c.surface.FillBandedBox(0, 0, 10, 30, fill);
    EXPECT_EQ(c.dc.GetPixel(0, 0), Channels(198, 198, 198));
    EXPECT_EQ(c.dc.GetPixel(0, 14), Channels(170, 170, 170));
    EXPECT_EQ(c.dc.GetPixel(0, 15), Channels(170, 170, 170));
    EXPECT_EQ(c.dc.GetPixel(0, 29), Channels(198, 198, 198));

    Sheet light(20, 40, 4);
    light.surface.FillBandedBox(0, 0, 20, 5, RGB(10, 250, 0));
    EXPECT_EQ(light.dc.GetPixel(0, 0), Channels(12, 252, 2));
    EXPECT_EQ(light.dc.GetPixel(9, 0), Channels(30, 255, 20));
    EXPECT_EQ(light.dc.GetPixel(19, 0), Channels(12, 252, 2));
}

TEST(DrawSurface, BoxesOutsideTheClipAreSkipped)
{
    Sheet c(100, 100, 0);
    DrawSurface& surface = c.surface;
    surface.clip = CRect(40, 40, 60, 60);
    surface.FillShadedBox(10, 45, 29, 5, kRed); // ends left of the clip
    surface.FillShadedBox(61, 45, 5, 5, kRed); // starts right of it
    surface.FillShadedBox(45, 10, 5, 29, kRed); // above
    surface.FillShadedBox(45, 61, 5, 5, kRed); // below
    EXPECT_EQ(c.Count(kRed), 0);
    surface.FillShadedBox(10, 45, 30, 5, kRed); // touches the left edge
    EXPECT_EQ(c.Count(kRed), 150);
    surface.FillShadedBox(60, 70, 5, 5, kGreen); // touches the right edge
    EXPECT_EQ(c.Count(kGreen), 0);
    surface.FillShadedBox(60, 60, 5, 5, kGreen); // touches the corner
    EXPECT_EQ(c.Count(kGreen), 25);
}

TEST(DrawSurface, FramedBoxOutlinesOnlyWhenBorderDiffers)
{
    const COLORREF fill = RGB(100, 100, 100);
    Sheet same(40, 40, 1);
    same.surface.DrawShadedFramedBox(5, 5, 20, 30, fill, fill, 0);
    EXPECT_EQ(same.dc.GetPixel(5, 5), Channels(99, 99, 99));
    EXPECT_EQ(same.dc.GetPixel(24, 34), Channels(70, 70, 70));

    Sheet framed(40, 40, 1);
    framed.surface.DrawShadedFramedBox(5, 5, 20, 30, fill, kRed, 0);
    EXPECT_EQ(framed.Count(kRed), 2 * 20 + 2 * 28);
    EXPECT_EQ(framed.dc.GetPixel(24, 34), kRed);
    EXPECT_EQ(framed.dc.GetPixel(6, 6), Channels(98, 98, 98)); // row 1: pen 1

    Sheet dotted(40, 40, 1);
    dotted.surface.DrawShadedFramedBox(5, 5, 20, 30, fill, kRed, 1);
    EXPECT_EQ(dotted.dc.GetPixel(5, 5), kRed);
    EXPECT_NE(dotted.dc.GetPixel(8, 5), kRed);
    EXPECT_LT(dotted.Count(kRed), 2 * 20 + 2 * 28);
    EXPECT_GT(dotted.Count(kRed), 30);
}

TEST(DrawSurface, PrimitivesPutPenAndBrushBack)
{
    Sheet c(60, 60, 1);
    CPen pen(PS_SOLID, 1, kGreen);
    CBrush brush(kGreen);
    c.Use(&pen, &brush);
    DrawSurface& surface = c.surface;
    surface.FillShadedBox(0, 0, 10, 10, kRed);
    surface.DrawShadedFramedBox(0, 0, 10, 10, kRed, kWhite, 1);
    surface.DrawEllipseBox(10, 10, 20, 20, kRed, kWhite);
    surface.DrawHexagon(10, 10, 20, 20, kRed, kWhite);
    surface.DrawRoundFrame(0, 0, 20, 20, kRed, kRed, 1);
    surface.DrawCapOval(0, 0, 20, 20, kRed, kRed, 1);
    surface.DrawStyledLine(0, 0, 10, 10, kRed, 2, PS_DASH);
    surface.FillArrowHead(30, 30, 1, 4, kRed, 1);
    EXPECT_EQ(c.dc.GetCurrentPen(), &pen);
    EXPECT_EQ(c.dc.GetCurrentBrush(), &brush);
}

TEST(DrawSurface, ArrowHeadsPointTheirWay)
{
    struct Case {
        int direction;
        CPoint filledNear;
        CPoint emptyNear;
    };
    // Tip at (20, 20), size 6: the wings lie on the side opposite the point.
    const Case cases[] = {{0, {20, 24}, {20, 16}}, {1, {20, 16}, {20, 24}}, {2, {24, 20}, {16, 20}},
        {3, {16, 20}, {24, 20}}, {9, {16, 20}, {24, 20}}};
    CPen pen(PS_SOLID, 1, kRed);
    for (const Case& k : cases) {
        Sheet c(40, 40, 0);
        c.Use(&pen);
        c.surface.FillArrowHead(20, 20, k.direction, 6, kGreen, 1);
        EXPECT_EQ(c.dc.GetPixel(k.filledNear.x, k.filledNear.y), kGreen) << k.direction;
        EXPECT_EQ(c.dc.GetPixel(k.emptyNear.x, k.emptyNear.y), kWhite) << k.direction;
        EXPECT_EQ(c.dc.GetPixel(20, 20), kRed) << k.direction;
    }

    Sheet open(40, 40, 0);
    open.Use(&pen);
    open.surface.DrawArrowHead(20, 20, 3, 6, 0);
    EXPECT_EQ(open.dc.GetPixel(14, 14), kRed);
    EXPECT_EQ(open.dc.GetPixel(14, 26), kRed);
    EXPECT_EQ(open.dc.GetPixel(15, 25), kRed);
    EXPECT_EQ(open.dc.GetPixel(26, 26), kWhite);
    EXPECT_EQ(open.dc.GetPixel(16, 20), kWhite); // open: nothing filled
}

TEST(DrawSurface, MaskFillLaysRampInsideAndOutsideColourAround)
{
    const COLORREF fill = RGB(120, 160, 200);
    Sheet c(80, 80, 1, kGreen);
    c.dc.FillSolidRect(0, 0, 80, 80, kRed); // the picture under the box
    c.surface.DrawEllipseBox(10, 10, 60, 30, fill, fill);
    // Outside the ellipse but inside its box: the surface's background.
    EXPECT_EQ(c.dc.GetPixel(10, 10), kGreen);
    EXPECT_EQ(c.dc.GetPixel(69, 39), kGreen);
    // Inside: the ramp (row 15 of 30 uses pen 15, lowered by 16).
    EXPECT_EQ(c.dc.GetPixel(40, 25), Channels(104, 144, 184));
    // Beyond the box nothing changed.
    EXPECT_EQ(c.dc.GetPixel(9, 25), kRed);
    EXPECT_EQ(c.dc.GetPixel(70, 25), kRed);

    Sheet low(80, 80, 1, kGreen, 8);
    low.dc.FillSolidRect(0, 0, 80, 80, kRed);
    low.surface.DrawEllipseBox(10, 10, 60, 30, fill, kWhite);
    EXPECT_EQ(low.dc.GetPixel(10, 10), kRed); // no mask pass in low colour
    EXPECT_EQ(low.dc.GetPixel(40, 25), fill);
    EXPECT_EQ(low.dc.GetPixel(10, 25), kWhite); // outline in the border colour
}

TEST(DrawSurface, TriangleUsesItsMaskColourOutside)
{
    const COLORREF fill = RGB(50, 50, 50);
    const COLORREF mask = RGB(1, 2, 3);
    Sheet c(60, 60, 1, kGreen);
    c.surface.DrawTriangle(0, 0, 40, 40, fill, kRed, mask, 0);
    EXPECT_EQ(c.dc.GetPixel(38, 2), mask); // above the diagonal: outside
    EXPECT_EQ(c.dc.GetPixel(0, 0), kRed); // the outline starts at the corner
    EXPECT_EQ(c.dc.GetPixel(39, 39), kRed);
    EXPECT_EQ(c.dc.GetPixel(5, 30), Channels(27, 27, 27)); // row 30 of 40: pen 22
}

// A shape far wider than the part being painted is shaded only there, with
// the ramp it has when it is painted whole.
TEST(DrawSurface, ShadingInsideTheClipMatchesTheWholeShape)
{
    const COLORREF fill = RGB(120, 160, 200);
    const CRect window(150, 5, 190, 35);
    for (int shading : {1, 2}) {
        Sheet whole(400, 60, shading, kGreen);
        Canvas part(400, 60);
        part.dc.IntersectClipRect(window);
        DrawSurface clipped(&part.dc, shading, kGreen);
        for (DrawSurface* surface : {&whole.surface, &clipped}) {
            surface->DrawTriangle(-1000, 0, 3000, 40, fill, kRed, kGreen, 0);
            surface->DrawEllipseBox(120, 20, 200, 30, fill, fill);
        }
        for (int y = window.top; y < window.bottom; ++y)
            for (int x = window.left; x < window.right; ++x)
                ASSERT_EQ(part.dc.GetPixel(x, y), whole.dc.GetPixel(x, y))
                    << shading << " " << x << "," << y;
    }
}

TEST(DrawSurface, DiamondAndHexagonInLowColour)
{
    Sheet c(60, 60, 2, kWhite, 8);
    c.surface.DrawDiamond(0, 0, 40, 40, kGreen);
    EXPECT_EQ(c.dc.GetPixel(20, 20), kGreen);
    EXPECT_EQ(c.dc.GetPixel(20, 0), DrawSurface::kMaskInk);
    EXPECT_EQ(c.dc.GetPixel(2, 2), kWhite);

    Sheet h(60, 60, 0, kWhite, 8);
    h.surface.DrawHexagon(0, 0, 41, 21, kGreen, kRed);
    EXPECT_EQ(h.dc.GetPixel(0, 10), kRed);
    EXPECT_EQ(h.dc.GetPixel(20, 10), kGreen);
    EXPECT_EQ(h.dc.GetPixel(1, 1), kWhite);
}

TEST(DrawSurface, TransparentTextLeavesOpaqueModeAndColour)
{
    Sheet c(60, 30, 0);
    c.dc.SetBkMode(TRANSPARENT);
    c.surface.DrawTransparentText(2, 2, kRed, "Hi");
    EXPECT_EQ(c.dc.GetBkMode(), OPAQUE);
    EXPECT_EQ(c.dc.GetTextColor(), kRed);
    EXPECT_GT(c.CountNot(kWhite), 0);
}

TEST(MemDC, PaintsOffScreenAndCopiesTheClipBoxBack)
{
    Canvas target(100, 80);
    target.dc.IntersectClipRect(CRect(20, 10, 70, 50));
    {
        CMemDC mem(&target.dc, kGreen);
        EXPECT_TRUE(mem.IsMemDC());
        EXPECT_EQ(mem.GetClipBox(), CRect(20, 10, 70, 50));
        mem.FillSolidRect(30, 20, 5, 5, kRed);
        // Nothing reaches the target before the end.
        EXPECT_EQ(target.Count(kRed), 0);
    }
    EXPECT_EQ(target.Count(kRed), 25);
    EXPECT_EQ(target.dc.GetPixel(30, 20), kRed);
    EXPECT_EQ(target.dc.GetPixel(20, 10), kGreen);
    EXPECT_EQ(target.dc.GetPixel(69, 49), kGreen);
    EXPECT_EQ(target.dc.GetPixel(70, 49), kWhite);
    EXPECT_EQ(target.dc.GetPixel(19, 10), kWhite);
}

TEST(MemDC, PrintingDrawsStraightIntoTheTarget)
{
    Canvas printer(50, 50);
    printer.dc.SetPrinting(true);
    {
        CMemDC mem(&printer.dc, kGreen);
        EXPECT_FALSE(mem.IsMemDC());
        EXPECT_TRUE(mem.IsPrinting());
        mem.FillSolidRect(0, 0, 3, 3, kRed);
        EXPECT_EQ(printer.Count(kRed), 9); // at once
    }
    EXPECT_EQ(printer.Count(kRed), 9);
    EXPECT_EQ(printer.Count(kGreen), 0); // no background fill, no copy
}
