#pragma once

#include "DetailScroll.h"

class CScrollView;

// The scroll state of a scrolling window as a detail diagram sees it: the
// detail view and the Visual Setting previews draw through it. Only a real
// change touches the scroll bars, since each change asks for a paint and the
// diagram sets its size on every paint.
class ScrollViewDetailScroll final : public DetailScroll {
public:
    explicit ScrollViewDetailScroll(CScrollView& view) : view_(view) { }

    CSize TotalSize() const override;
    CPoint Position() const override;
    CSize WindowSize() const override;
    void SetTotalSize(CSize size) override;
    void ScrollTo(CPoint position) override;

private:
    CScrollView& view_;
};
