#pragma once

#include "CoordinateBounds.h"
#include "DeviceContext.h"
#include "DrawSurface.h"
#include "GdiTypes.h"

#include <cstdint>
#include <string>
#include <string_view>

class CFontHolder;

// Helpers for engines whose layouts are computed in 64 bits (their numbers
// come from colour files and may be anything): coordinates are saturated
// before they reach the device context, and long lines are cut to the clip
// box first, so that no value in a file can overflow a sum or make a dotted
// line run pixel by pixel for minutes. A text is measured and drawn as a
// box that grows with it shows it (ShownLine): a name of megabytes shows
// its first part and "..".

// Selects a font holder's font into the context for one scope and selects
// the previous font back at its end. A holder without a font leaves the
// context's font.
class SelectedFont {
public:
    SelectedFont(CDC& dc, const CFontHolder& holder);
    ~SelectedFont();
    SelectedFont(const SelectedFont&) = delete;
    SelectedFont& operator=(const SelectedFont&) = delete;

    CSize Measure(std::string_view text) const;

private:
    CDC& dc_;
    CFont* previous_;
};

// Selects a solid pen of one colour (and a brush of the same colour) for one
// scope; arrow heads are drawn with them.
class SelectedPen {
public:
    SelectedPen(CDC& dc, COLORREF colour);
    ~SelectedPen();
    SelectedPen(const SelectedPen&) = delete;
    SelectedPen& operator=(const SelectedPen&) = delete;

private:
    CDC& dc_;
    CPen pen_;
    CBrush brush_;
    CPen* oldPen_;
    CBrush* oldBrush_;
};

// A horizontal or vertical line of one pixel width and the given pen style,
// cut to the surface's clip box (a dotted line keeps the phase of its dots).
// A slanted line is drawn as given.
void DrawAxisLine(DrawSurface& surface, int64_t x1, int64_t y1, int64_t x2, int64_t y2,
    COLORREF colour, int penStyle);

// Text with a transparent background in the selected font; skipped when it
// lies wholly below, above or right of the clip box.
void DrawClippedText(
    DrawSurface& surface, int64_t x, int64_t y, COLORREF colour, std::string_view text);

// An arrow head with the selected pen and brush (see DrawSurface); skipped
// when it lies wholly outside the clip box.
void DrawClippedArrowHead(
    DrawSurface& surface, int64_t x, int64_t y, int direction, int size, int filled);
