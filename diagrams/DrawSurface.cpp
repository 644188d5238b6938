#include "DrawSurface.h"

#include <algorithm>
#include <array>

namespace {

constexpr COLORREF kWhite = 0xFFFFFF;

int Clamp255(int v)
{
    return std::clamp(v, 0, 255);
}

COLORREF Shifted(COLORREF c, int delta)
{
    return RGB(Clamp255(GetRValue(c) + delta), Clamp255(GetGValue(c) + delta),
        Clamp255(GetBValue(c) + delta));
}

// Keeps the pen and brush of a context and selects them back at its end.
class SelectionGuard {
public:
    explicit SelectionGuard(CDC* dc)
        : dc_(dc), pen_(dc->GetCurrentPen()), brush_(dc->GetCurrentBrush())
    {
    }
    ~SelectionGuard()
    {
        dc_->SelectObject(pen_);
        dc_->SelectObject(brush_);
    }
    SelectionGuard(const SelectionGuard&) = delete;
    SelectionGuard& operator=(const SelectionGuard&) = delete;

private:
    CDC* dc_;
    CPen* pen_;
    CBrush* brush_;
};

} // namespace

DrawSurface::DrawSurface(CDC* context, int shadingMode, COLORREF backgroundColour)
    : dc(context),
      penWidth(1),
      bitsPerPixel(shadingMode > 0 && context != nullptr ? context->GetBitsPerPixel() : 0),
      shading(shadingMode),
      clip(context != nullptr ? context->GetClipBox() : CRect()),
      background(backgroundColour)
{
}

bool DrawSurface::IsVisible(int x, int y, int w, int h) const
{
    return x + w >= clip.left && x <= clip.right && y + h >= clip.top && y <= clip.bottom;
}

void DrawSurface::DrawPlainLine(int x1, int y1, int x2, int y2)
{
    dc->MoveTo(x1, y1);
    dc->LineTo(x2, y2);
}

void DrawSurface::DrawStyledLine(
    int x1, int y1, int x2, int y2, COLORREF colour, int width, int penStyle)
{
    SelectionGuard guard(dc);
    CPen pen(penStyle, width, colour);
    dc->SelectObject(&pen);
    DrawPlainLine(x1, y1, x2, y2);
}

void DrawSurface::FrameBox(int x, int y, int w, int h, COLORREF colour, int width)
{
    Frame(x, y, w, h, PS_SOLID, width, colour);
}

void DrawSurface::Frame(int x, int y, int w, int h, int penStyle, int width, COLORREF colour)
{
    if (!IsVisible(x, y, w, h))
        return;
    SelectionGuard guard(dc);
    CPen pen(penStyle, width, colour);
    dc->SelectObject(&pen);
    dc->SelectObject(CBrush::HollowBrush());
    dc->Rectangle(x, y, x + w, y + h);
}

// One-pixel lines of a ramp: odd shading modes lay one line per row, even ones
// one line per column. Darkening ramps have 30 steps of 1, lightening ones 20.
// A banded ramp runs from both edges to the middle in steps of 2.
void DrawSurface::FillRamp(int x, int y, int w, int h, COLORREF colour, bool banded)
{
    const bool darken = shading < 3;
    const int steps = darken ? 30 : 20;
    std::array<CPen, 30> pens;
    for (int k = 0; k < steps; ++k) {
        int delta;
        if (banded) {
            int band = k < steps / 2 ? k : steps - 1 - k;
            delta = 2 * (band + 1);
        } else {
            delta = k + 1;
        }
        pens[k].CreatePen(PS_SOLID, 1, Shifted(colour, darken ? -delta : delta));
    }
    SelectionGuard guard(dc);
    // Only the lines that meet the clip rectangle are drawn: a wide block
    // (a switch of a hundred cases) would otherwise cost a line for every
    // column of the whole picture.
    const auto within = [](int from, int extent, int clipLow, int clipHigh) {
        const int64_t first = std::max<int64_t>(0, int64_t {clipLow} - from - 1);
        const int64_t end = std::min<int64_t>(extent, int64_t {clipHigh} - from + 2);
        return std::pair<int, int>(static_cast<int>(first), static_cast<int>(std::max(first, end)));
    };
    if (shading % 2 != 0) {
        const auto [first, end] = within(y, h, clip.top, clip.bottom);
        for (int i = first; i < end; ++i) {
            dc->SelectObject(&pens[static_cast<int64_t>(i) * steps / h]);
            dc->MoveTo(x, y + i);
            dc->LineTo(x + w, y + i);
        }
    } else {
        const auto [first, end] = within(x, w, clip.left, clip.right);
        for (int i = first; i < end; ++i) {
            dc->SelectObject(&pens[static_cast<int64_t>(i) * steps / w]);
            dc->MoveTo(x + i, y);
            dc->LineTo(x + i, y + h);
        }
    }
}

// A flat rectangle in low colour, the ramp otherwise.
void DrawSurface::FillBox(int x, int y, int w, int h, COLORREF colour, bool banded)
{
    if (!IsVisible(x, y, w, h))
        return;
    if (IsHighColour()) {
        FillRamp(x, y, w, h, colour, banded);
        return;
    }
    SelectionGuard guard(dc);
    CPen pen(PS_SOLID, penWidth, colour);
    CBrush brush(colour);
    dc->SelectObject(&pen);
    dc->SelectObject(&brush);
    dc->Rectangle(x, y, x + w, y + h);
}

void DrawSurface::FillShadedBox(int x, int y, int w, int h, COLORREF colour)
{
    FillBox(x, y, w, h, colour, false);
}

void DrawSurface::FillBandedBox(int x, int y, int w, int h, COLORREF colour)
{
    FillBox(x, y, w, h, colour, true);
}

void DrawSurface::DrawShadedFramedBox(
    int x, int y, int w, int h, COLORREF fill, COLORREF border, int dotted)
{
    FillShadedBox(x, y, w, h, fill);
    if (border != fill)
        Frame(x, y, w, h, dotted == 1 ? PS_DOT : PS_SOLID, penWidth, border);
}

void DrawSurface::DrawRoundFrame(
    int x, int y, int w, int h, COLORREF penColour, COLORREF inner, int filled)
{
    if (!IsVisible(x, y, w, h))
        return;
    SelectionGuard guard(dc);
    CPen pen(PS_SOLID, 1, penColour);
    dc->SelectObject(&pen);
    dc->SelectObject(CBrush::HollowBrush());
    dc->RoundRect(x, y, x + w, y + h, w / 2, h / 2);
    if (filled == 1) {
        CBrush brush(inner);
        dc->SelectObject(&brush);
        dc->Ellipse(x + 2, y + 2, x + w - 2, y + h - 2);
    }
}

void DrawSurface::DrawCapOval(
    int x, int y, int w, int h, COLORREF colour, COLORREF lower, int withLower)
{
    if (!IsVisible(x, y, w, h))
        return;
    SelectionGuard guard(dc);
    dc->SelectObject(CPen::NullPen());
    CBrush brush(colour);
    dc->SelectObject(&brush);
    dc->Ellipse(x + 2, y, x + w - 2, y + h / 2 + 1);
    if (withLower == 1) {
        CBrush lowerBrush(lower);
        dc->SelectObject(&lowerBrush);
        dc->Rectangle(x + 2, y + h / 2, x + w - 2, y + h);
    }
}

template <typename DrawShape, typename DrawOutline>
void DrawSurface::ShapeRule(int x, int y, int w, int h, COLORREF fill, COLORREF border,
    COLORREF outside, DrawShape drawShape, DrawOutline drawOutline)
{
    if (!IsVisible(x, y, w, h))
        return;
    SelectionGuard guard(dc);
    if (!IsHighColour()) {
        CPen pen(PS_SOLID, 1, border);
        CBrush brush(fill);
        dc->SelectObject(&pen);
        dc->SelectObject(&brush);
        drawShape();
        return;
    }
    dc->FillSolidRect(x, y, w, h, kWhite);
    {
        CPen ink(PS_SOLID, 1, kMaskInk);
        CBrush inkBrush(kMaskInk);
        dc->SelectObject(&ink);
        dc->SelectObject(&inkBrush);
        drawShape();
    }
    ShadeShapeWith(x, y, w, h, fill, outside);
    if (border != fill) {
        CPen pen(PS_SOLID, 1, border);
        dc->SelectObject(&pen);
        dc->SelectObject(CBrush::HollowBrush());
        drawOutline();
    }
}

void DrawSurface::DrawRoundBox(int x, int y, int w, int h, COLORREF fill, COLORREF border)
{
    auto shape = [&] { dc->RoundRect(x, y, x + w, y + h, 17, 17); };
    ShapeRule(x, y, w, h, fill, border, background, shape, shape);
}

void DrawSurface::DrawEllipseBox(int x, int y, int w, int h, COLORREF fill, COLORREF border)
{
    auto shape = [&] { dc->Ellipse(x, y, x + w, y + h); };
    ShapeRule(x, y, w, h, fill, border, background, shape, shape);
}

void DrawSurface::DrawHexagon(int x, int y, int w, int h, COLORREF fill, COLORREF border)
{
    const int r = x + w - 1;
    const int b = y + h - 1;
    const int my = y + (h - 1) / 2;
    const CPoint points[7] = {{x, my}, {x + (w - 1) / 4, y}, {x + 3 * (w - 1) / 4, y}, {r, my},
        {x + 3 * (w - 1) / 4, b}, {x + (w - 1) / 4, b}, {x, my}};
    ShapeRule(
        x, y, w, h, fill, border, background, [&] { dc->Polygon(points, 7); },
        [&] { dc->Polyline(points, 7); });
}

void DrawSurface::DrawTriangle(
    int x, int y, int w, int h, COLORREF fill, COLORREF border, COLORREF mask, int right)
{
    const int r = x + w - 1;
    const int b = y + h - 1;
    CPoint points[4];
    if (right == 1) {
        points[0] = {r, y};
        points[1] = {x, b};
        points[2] = {r, b};
        points[3] = {r, y};
    } else {
        points[0] = {x, y};
        points[1] = {x, b};
        points[2] = {r, b};
        points[3] = {x, y};
    }
    ShapeRule(
        x, y, w, h, fill, border, mask, [&] { dc->Polygon(points, 4); },
        [&] { dc->Polyline(points, 4); });
}

void DrawSurface::DrawDiamond(int x, int y, int w, int h, COLORREF fill)
{
    if (!IsVisible(x, y, w, h))
        return;
    const CPoint points[5] = {
        {x + w / 2, y}, {x + w, y + h / 2}, {x + w / 2, y + h}, {x, y + h / 2}, {x + w / 2, y}};
    SelectionGuard guard(dc);
    CPen pen(PS_SOLID, 1, kMaskInk);
    dc->SelectObject(&pen);
    if (!IsHighColour()) {
        CBrush brush(fill);
        dc->SelectObject(&brush);
        dc->Polygon(points, 5);
        return;
    }
    dc->FillSolidRect(x, y, w, h, kWhite);
    CBrush ink(kMaskInk);
    dc->SelectObject(&ink);
    dc->Polygon(points, 5);
    ShadeShape(x, y, w, h, fill);
}

void DrawSurface::DrawArrowHead(int x, int y, int direction, int size, int filled)
{
    const int s = size;
    CPoint wing1;
    CPoint wing2;
    switch (direction) {
    case 0:
        wing1 = {x - s, y + s};
        wing2 = {x + s, y + s};
        break;
    case 1:
        wing1 = {x + s, y - s};
        wing2 = {x - s, y - s};
        break;
    case 2:
        wing1 = {x + s, y - s};
        wing2 = {x + s, y + s};
        break;
    default:
        wing1 = {x - s, y - s};
        wing2 = {x - s, y + s};
        break;
    }
    const CPoint tip(x, y);
    if (filled == 1) {
        const CPoint triangle[3] = {wing1, tip, wing2};
        dc->Polygon(triangle, 3);
    } else {
        const CPoint open[4] = {wing1, tip, wing2, tip};
        dc->Polyline(open, 4);
    }
}

void DrawSurface::FillArrowHead(int x, int y, int direction, int size, COLORREF colour, int filled)
{
    CBrush brush(colour);
    CBrush* old = dc->SelectObject(&brush);
    DrawArrowHead(x, y, direction, size, filled);
    dc->SelectObject(old);
}

void DrawSurface::DrawTransparentText(int x, int y, COLORREF colour, const char* text)
{
    DrawTransparentText(
        x, y, colour, text != nullptr ? std::string_view(text) : std::string_view());
}

void DrawSurface::DrawTransparentText(int x, int y, COLORREF colour, std::string_view text)
{
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(colour);
    dc->TextOut(x, y, text);
    dc->SetBkMode(OPAQUE);
}

void DrawSurface::ShadeShape(int x, int y, int w, int h, COLORREF colour)
{
    ShadeShapeWith(x, y, w, h, colour, background);
}

// The shape was drawn in near-black on white. A holds the ramp OR the shape,
// which keeps the ramp inside the shape and white outside it; the inverted
// box OR the outside colour is near-white inside and the outside colour
// outside; AND-ing the two leaves the ramp inside and the outside colour
// outside.
void DrawSurface::ShadeShapeWith(int x, int y, int w, int h, COLORREF colour, COLORREF outside)
{
    // Only the part of the box that meets the clip rectangle is shaded, the
    // ramp laid as for the whole box: a block as wide as a switch of a
    // hundred cases would otherwise take bitmaps of the picture's width.
    const auto left = static_cast<int>(std::max<int64_t>(x, int64_t {clip.left} - 1));
    const auto top = static_cast<int>(std::max<int64_t>(y, int64_t {clip.top} - 1));
    const auto right =
        static_cast<int>(std::min<int64_t>(int64_t {x} + w, int64_t {clip.right} + 1));
    const auto bottom =
        static_cast<int>(std::min<int64_t>(int64_t {y} + h, int64_t {clip.bottom} + 1));
    if (right <= left || bottom <= top)
        return;
    const int vw = right - left;
    const int vh = bottom - top;
    CBitmap rampBitmap;
    CBitmap outsideBitmap;
    if (!rampBitmap.CreateCompatibleBitmap(dc, vw, vh) ||
        !outsideBitmap.CreateCompatibleBitmap(dc, vw, vh))
        return;
    CDC rampDC;
    rampDC.CreateCompatibleDC(dc);
    rampDC.SelectObject(&rampBitmap);
    DrawSurface(&rampDC, shading, kWhite).FillShadedBox(x - left, y - top, w, h, colour);
    rampDC.BitBlt(0, 0, vw, vh, dc, left, top, SRCPAINT);

    CDC outsideDC;
    outsideDC.CreateCompatibleDC(dc);
    outsideDC.SelectObject(&outsideBitmap);
    outsideDC.FillSolidRect(0, 0, vw, vh, outside);

    dc->BitBlt(left, top, vw, vh, nullptr, 0, 0, DSTINVERT);
    dc->BitBlt(left, top, vw, vh, &outsideDC, 0, 0, SRCPAINT);
    dc->BitBlt(left, top, vw, vh, &rampDC, 0, 0, SRCAND);
}
