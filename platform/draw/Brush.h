#pragma once

#include "GdiTypes.h"

// A brush: a solid colour, or hollow (fills nothing).
class CBrush {
public:
    CBrush() = default;
    explicit CBrush(COLORREF colour) { CreateSolidBrush(colour); }

    bool CreateSolidBrush(COLORREF colour);
    bool CreateHollowBrush();
    void DeleteObject() { created_ = false; }
    bool IsCreated() const { return created_; }

    bool IsHollow() const { return !created_ || hollow_; }
    COLORREF Colour() const { return colour_; }

    // The brushes every device context starts with or may select.
    static CBrush* WhiteBrush();
    static CBrush* HollowBrush();

private:
    bool created_ = false;
    bool hollow_ = false;
    COLORREF colour_ = 0;
};
