#include "SafeDrawing.h"

#include "FontHolder.h"
#include "ShownText.h"

#include <cstdlib>
#include <string_view>
#include <utility>

SelectedFont::SelectedFont(CDC& dc, const CFontHolder& holder)
    : dc_(dc), previous_(dc.SelectObject(holder.font.get()))
{
}

SelectedFont::~SelectedFont()
{
    if (previous_ != nullptr)
        dc_.SelectObject(previous_);
}

CSize SelectedFont::Measure(std::string_view text) const
{
    std::string room;
    return dc_.GetTextExtent(ShownLine(text, room));
}

SelectedPen::SelectedPen(CDC& dc, COLORREF colour)
    : dc_(dc), pen_(PS_SOLID, 1, colour), brush_(colour)
{
    oldPen_ = dc_.SelectObject(&pen_);
    oldBrush_ = dc_.SelectObject(&brush_);
}

SelectedPen::~SelectedPen()
{
    dc_.SelectObject(oldPen_);
    dc_.SelectObject(oldBrush_);
}

void DrawAxisLine(DrawSurface& surface, int64_t x1, int64_t y1, int64_t x2, int64_t y2,
    COLORREF colour, int penStyle)
{
    // A margin keeps the cut ends outside the visible part.
    const int64_t margin = 4;
    const CRect& clip = surface.clip;
    if (y1 == y2 || x1 == x2) {
        const bool horizontal = y1 == y2;
        int64_t& a = horizontal ? x1 : y1;
        int64_t& b = horizontal ? x2 : y2;
        const int64_t across = horizontal ? y1 : x1;
        const int64_t low = (horizontal ? clip.left : clip.top) - margin;
        const int64_t high = (horizontal ? clip.right : clip.bottom) + margin;
        const int64_t acrossLow = (horizontal ? clip.top : clip.left) - margin;
        const int64_t acrossHigh = (horizontal ? clip.bottom : clip.right) + margin;
        if (across < acrossLow || across > acrossHigh || std::max(a, b) < low ||
            std::min(a, b) > high)
            return;
        // Move the start inwards by an even number of pixels so that the dots
        // stay where the whole line would put them.
        const int64_t step = b >= a ? 1 : -1;
        const int64_t startLimit = step > 0 ? low : high;
        const int64_t endLimit = step > 0 ? high : low;
        if ((startLimit - a) * step > 0)
            a += (((startLimit - a) * step) & ~int64_t(1)) * step;
        if ((b - endLimit) * step > 0)
            b = endLimit;
    }
    surface.DrawStyledLine(ToPixel(x1), ToPixel(y1), ToPixel(x2), ToPixel(y2), colour, 1, penStyle);
}

void DrawClippedText(
    DrawSurface& surface, int64_t x, int64_t y, COLORREF colour, std::string_view whole)
{
    std::string room;
    const std::string_view text = ShownLine(whole, room);
    const CRect& clip = surface.clip;
    if (x > clip.right || y > clip.bottom)
        return;
    // The height of a line of the font (an empty text measures that), and,
    // only for a text starting left of the clip box, its width.
    if (y + surface.dc->GetTextExtent(std::string_view()).cy < clip.top)
        return;
    if (x < clip.left && x + surface.dc->GetTextExtent(text).cx < clip.left)
        return;
    surface.DrawTransparentText(ToPixel(x), ToPixel(y), colour, text);
}

void DrawClippedArrowHead(
    DrawSurface& surface, int64_t x, int64_t y, int direction, int size, int filled)
{
    const CRect& clip = surface.clip;
    const int64_t reach = std::abs(static_cast<int64_t>(size)) + 1;
    if (x + reach < clip.left || x - reach > clip.right || y + reach < clip.top ||
        y - reach > clip.bottom)
        return;
    surface.DrawArrowHead(ToPixel(x), ToPixel(y), direction, size, filled);
}
