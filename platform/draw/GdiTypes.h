#pragma once

#include <algorithm>
#include <cstdint>

// The small value types of the drawing layer: colours, points, sizes,
// rectangles, and the numbers that choose pen styles, background modes and
// raster operations.

// A colour: red in the low byte, then green, then blue; the high byte is 0.
using COLORREF = uint32_t;

constexpr COLORREF RGB(int r, int g, int b)
{
    return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int GetRValue(COLORREF c)
{
    return static_cast<int>(c & 0xFF);
}
constexpr int GetGValue(COLORREF c)
{
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int GetBValue(COLORREF c)
{
    return static_cast<int>((c >> 16) & 0xFF);
}

struct CPoint {
    int x = 0;
    int y = 0;
    constexpr CPoint() = default;
    constexpr CPoint(int px, int py) : x(px), y(py) { }
    friend constexpr bool operator==(const CPoint&, const CPoint&) = default;
};

struct CSize {
    int cx = 0;
    int cy = 0;
    constexpr CSize() = default;
    constexpr CSize(int w, int h) : cx(w), cy(h) { }
    friend constexpr bool operator==(const CSize&, const CSize&) = default;
};

// A rectangle that holds its left and top edge but not its right and bottom
// edge: (0, 0, 2, 2) covers four pixels.
struct CRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    constexpr CRect() = default;
    constexpr CRect(int l, int t, int r, int b) : left(l), top(t), right(r), bottom(b) { }

    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    constexpr bool IsRectEmpty() const { return right <= left || bottom <= top; }
    constexpr void OffsetRect(int dx, int dy)
    {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
    }
    // The common part of two rectangles; empty (all 0) when they do not meet.
    static constexpr CRect Intersect(const CRect& a, const CRect& b)
    {
        CRect r(std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom));
        if (r.IsRectEmpty())
            return {};
        return r;
    }
    friend constexpr bool operator==(const CRect&, const CRect&) = default;
};

// Pen styles.
constexpr int PS_SOLID = 0;
constexpr int PS_DASH = 1;
constexpr int PS_DOT = 2;
constexpr int PS_NULL = 5;

// Background modes.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// Raster operations of a block transfer.
using RasterOp = uint32_t;
constexpr RasterOp SRCCOPY = 0x00CC0020; // destination = source
constexpr RasterOp SRCPAINT = 0x00EE0086; // destination = destination OR source
constexpr RasterOp SRCAND = 0x008800C6; // destination = destination AND source
constexpr RasterOp DSTINVERT = 0x00550009; // destination = NOT destination

// Formats of CDC::DrawText: one horizontal alignment, a vertical one (for a
// single line), and flags.
constexpr unsigned DT_LEFT = 0x0000;
constexpr unsigned DT_CENTER = 0x0001;
constexpr unsigned DT_RIGHT = 0x0002;
constexpr unsigned DT_TOP = 0x0000;
constexpr unsigned DT_VCENTER = 0x0004;
constexpr unsigned DT_BOTTOM = 0x0008;
constexpr unsigned DT_WORDBREAK = 0x0010;
constexpr unsigned DT_SINGLELINE = 0x0020;
constexpr unsigned DT_NOCLIP = 0x0100;
constexpr unsigned DT_CALCRECT = 0x0400;

// What CDC::GetTextMetrics tells about the selected font, in pixels.
struct TEXTMETRIC {
    int tmHeight = 0; // a line: ascent + descent
    int tmAscent = 0; // above the base line
    int tmDescent = 0; // below it
    int tmAveCharWidth = 0; // an average lower-case letter
    int tmMaxCharWidth = 0; // the widest of "W" and "M"
};

// Font weights.
constexpr int FW_DONTCARE = 0;
constexpr int FW_EXTRABOLD = 800;

// The fixed resolution every font size is converted with.
constexpr int kScreenDpi = 96;
