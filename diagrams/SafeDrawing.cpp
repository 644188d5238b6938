#include "SafeDrawing.h"

#include "FontHolder.h"

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
    surface.DrawStyledLine(ToPixel(x1), ToPixel(y1), ToPixel(x2), ToPixel(y2), colour, 1,
                           penStyle);
}

void DrawClippedText(DrawSurface& surface, int64_t x, int64_t y, COLORREF colour,
                     const std::string& text)
{
    if (x > surface.clip.right || y > surface.clip.bottom)
        return;
    // Text starting far to the left or above cannot reach the clip box unless
    // it is as long; such texts are drawn, everything else that far out is not.
    const int64_t reach = int64_t(1) << 24;
    if (x < surface.clip.left - reach || y < surface.clip.top - reach)
        return;
    surface.DrawTransparentText(ToPixel(x), ToPixel(y), colour, text.c_str());
}
