#include "MemDC.h"

CMemDC::CMemDC(CDC* target, COLORREF background) : target_(target)
{
    if (target_ == nullptr) {
        CreateCompatibleDC(nullptr);
        return;
    }
    if (target_->IsPrinting()) {
        ShareTarget(*target_);
        return;
    }
    memDC_ = true;
    targetClip_ = target_->GetClipBox();
    CreateCompatibleDC(target_);
    const int width = targetClip_.Width();
    const int height = targetClip_.Height();
    if (bitmap_.CreateCompatibleBitmap(target_, width, height))
        oldBitmap_ = SelectObject(&bitmap_);
    FillSolidRect(0, 0, width, height, background);
    SetWindowOrg(targetClip_.left, targetClip_.top);
}

CMemDC::~CMemDC()
{
    if (!memDC_)
        return;
    if (bitmap_.IsCreated())
        target_->BitBlt(targetClip_.left, targetClip_.top, targetClip_.Width(),
            targetClip_.Height(), this, targetClip_.left, targetClip_.top, SRCCOPY);
    SelectObject(oldBitmap_);
}
