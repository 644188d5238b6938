#pragma once

#include "DeviceContext.h"
#include "GdiTypes.h"

#include <string_view>

// The surface a diagram engine draws with: the device context, the pen
// width, the colour depth, the shading mode, the clip rectangle and the
// background colour, and the drawing primitives.
//
// With a shading mode above 0 on a device of 16 bits per pixel or more, filled
// shapes are painted with a colour ramp (modes 1 and 2 darken, 3 and 4
// lighten; odd modes run top to bottom, even ones left to right); otherwise
// they are flat. Box arguments are left x, top y, width w, height h.
class DrawSurface {
public:
    // Near-black in which shapes are drawn before their ramp is laid in.
    static constexpr COLORREF kMaskInk = 0x010000;

    DrawSurface(CDC* dc, int shading, COLORREF background);

    bool IsHighColour() const { return bitsPerPixel >= 16; }
    // Whether a box meets the clip rectangle (touching counts).
    bool IsVisible(int x, int y, int w, int h) const;

    void DrawPlainLine(int x1, int y1, int x2, int y2);
    void DrawStyledLine(int x1, int y1, int x2, int y2, COLORREF colour, int width, int penStyle);
    void FrameBox(int x, int y, int w, int h, COLORREF colour, int width);
    void FillShadedBox(int x, int y, int w, int h, COLORREF colour);
    void FillBandedBox(int x, int y, int w, int h, COLORREF colour);
    void DrawShadedFramedBox(
        int x, int y, int w, int h, COLORREF fill, COLORREF border, int dotted);
    void DrawRoundFrame(int x, int y, int w, int h, COLORREF penColour, COLORREF inner, int filled);
    void DrawCapOval(int x, int y, int w, int h, COLORREF colour, COLORREF lower, int withLower);
    void DrawRoundBox(int x, int y, int w, int h, COLORREF fill, COLORREF border);
    void DrawEllipseBox(int x, int y, int w, int h, COLORREF fill, COLORREF border);
    void DrawHexagon(int x, int y, int w, int h, COLORREF fill, COLORREF border);
    void DrawTriangle(
        int x, int y, int w, int h, COLORREF fill, COLORREF border, COLORREF mask, int right);
    void DrawDiamond(int x, int y, int w, int h, COLORREF fill);
    // Direction 0 points up, 1 down, 2 left, anything else right.
    void DrawArrowHead(int x, int y, int direction, int size, int filled);
    void FillArrowHead(int x, int y, int direction, int size, COLORREF colour, int filled);
    void DrawTransparentText(int x, int y, COLORREF colour, const char* text);
    void DrawTransparentText(int x, int y, COLORREF colour, std::string_view text);
    // Lays the ramp of `colour` into a shape just drawn in kMaskInk on white
    // inside the box; the white outside becomes the background colour (or the
    // given outside colour).
    void ShadeShape(int x, int y, int w, int h, COLORREF colour);
    void ShadeShapeWith(int x, int y, int w, int h, COLORREF colour, COLORREF outside);

    CDC* dc;
    int penWidth = 1;
    int bitsPerPixel = 0;
    int shading = 0;
    CRect clip;
    COLORREF background = 0xFFFFFF;

private:
    void Frame(int x, int y, int w, int h, int penStyle, int width, COLORREF colour);
    void FillBox(int x, int y, int w, int h, COLORREF colour, bool banded);
    void FillRamp(int x, int y, int w, int h, COLORREF colour, bool banded);
    // Draws a polygon (or other shape) by the shape rule: flat in low colour,
    // masked ramp in high colour, border outline when it differs.
    template <typename DrawShape, typename DrawOutline>
    void ShapeRule(int x, int y, int w, int h, COLORREF fill, COLORREF border, COLORREF outside,
        DrawShape drawShape, DrawOutline drawOutline);
};
