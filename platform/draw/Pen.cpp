#include "Pen.h"

bool CPen::CreatePen(int style, int width, COLORREF colour)
{
    if (style != PS_SOLID && style != PS_DASH && style != PS_DOT && style != PS_NULL)
        style = PS_SOLID;
    style_ = style;
    // A width of 0 or below is a one-pixel pen.
    width_ = width < 1 ? 1 : width;
    colour_ = colour & 0xFFFFFF;
    created_ = true;
    return true;
}

CPen* CPen::BlackPen()
{
    static CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
    return &pen;
}

CPen* CPen::NullPen()
{
    static CPen pen(PS_NULL, 1, RGB(0, 0, 0));
    return &pen;
}
