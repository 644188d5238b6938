#pragma once

#include "GdiTypes.h"

// A pen: style (PS_SOLID, PS_DASH, PS_DOT, PS_NULL), width in pixels and
// colour. A pen made by the default constructor is a null pen until one of the
// creation calls gives it a style.
class CPen {
public:
    CPen() = default;
    CPen(int style, int width, COLORREF colour) { CreatePen(style, width, colour); }

    bool CreatePen(int style, int width, COLORREF colour);
    void DeleteObject() { created_ = false; }
    bool IsCreated() const { return created_; }

    int Style() const { return style_; }
    int Width() const { return width_; }
    COLORREF Colour() const { return colour_; }
    // True when the pen draws nothing (a null pen, or one never created).
    bool IsNull() const { return !created_ || style_ == PS_NULL; }

    // The pens every device context starts with or may select.
    static CPen* BlackPen();
    static CPen* NullPen();

private:
    bool created_ = false;
    int style_ = PS_SOLID;
    int width_ = 1;
    COLORREF colour_ = 0;
};
