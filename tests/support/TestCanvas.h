#pragma once

#include "DeviceContext.h"

#include <algorithm>

// A memory context drawing into a white bitmap of w by h pixels, with the
// colour depth it reports, and ways to find what was drawn on it.
struct Canvas {
    CDC dc;
    CBitmap bitmap;

    Canvas(int w, int h, int bitsPerPixel = 32)
    {
        dc.CreateCompatibleDC(nullptr);
        dc.SetBitsPerPixel(bitsPerPixel);
        bitmap.CreateCompatibleBitmap(&dc, w, h);
        dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, w, h, RGB(255, 255, 255));
    }
    // Selects the pen and, when given, the brush.
    Canvas& Use(CPen* pen, CBrush* brush = nullptr)
    {
        dc.SelectObject(pen);
        if (brush != nullptr)
            dc.SelectObject(brush);
        return *this;
    }
    int Count(COLORREF colour) const
    {
        int n = 0;
        ForEachPixel([&](int, int, COLORREF c) { n += c == colour; });
        return n;
    }
    int CountNot(COLORREF colour) const
    {
        return bitmap.GetSize().cx * bitmap.GetSize().cy - Count(colour);
    }
    // The smallest rectangle holding every pixel of the colour.
    CRect Bounds(COLORREF colour) const
    {
        CRect r(1 << 20, 1 << 20, -1, -1);
        ForEachPixel([&](int x, int y, COLORREF c) {
            if (c != colour)
                return;
            r.left = std::min(r.left, x);
            r.top = std::min(r.top, y);
            r.right = std::max(r.right, x + 1);
            r.bottom = std::max(r.bottom, y + 1);
        });
        return r;
    }

private:
    template <typename Visit> void ForEachPixel(Visit visit) const
    {
        for (int y = 0; y < bitmap.GetSize().cy; ++y)
            for (int x = 0; x < bitmap.GetSize().cx; ++x)
                visit(x, y, dc.GetPixel(x, y));
    }
};
