#pragma once

#include "DeviceContext.h"
#include "GdiTypes.h"

// The off-screen drawing context a view paints into. Made on the target's
// clip box: the caller draws in the target's coordinates into a bitmap filled
// with the background colour, and the destructor copies the bitmap back to
// the target in one block transfer. A printing target is drawn into directly
// and nothing is copied at the end.
class CMemDC : public CDC {
public:
    CMemDC(CDC* target, COLORREF background);
    ~CMemDC() override;

    // True when drawing goes to the memory bitmap.
    bool IsMemDC() const { return memDC_; }
    const CRect& TargetClip() const { return targetClip_; }

private:
    CBitmap bitmap_;
    CBitmap* oldBitmap_ = nullptr;
    CDC* target_;
    CRect targetClip_;
    bool memDC_ = false;
};
