#include "Brush.h"

bool CBrush::CreateSolidBrush(COLORREF colour)
{
    colour_ = colour & 0xFFFFFF;
    hollow_ = false;
    created_ = true;
    return true;
}

bool CBrush::CreateHollowBrush()
{
    colour_ = 0;
    hollow_ = true;
    created_ = true;
    return true;
}

CBrush* CBrush::WhiteBrush()
{
    static CBrush brush(RGB(255, 255, 255));
    return &brush;
}

CBrush* CBrush::HollowBrush()
{
    static CBrush brush = [] {
        CBrush b;
        b.CreateHollowBrush();
        return b;
    }();
    return &brush;
}
