#pragma once

#include "GdiTypes.h"

#include <algorithm>

// The scroll state of the view a detail diagram is drawn in: the scroll
// size, the position of the visible part and the size of that part. A
// scrolling window implements it over its scroll bars; tests, benchmarks and
// views without scroll bars use a ScrollRecord.
class DetailScroll {
public:
    virtual ~DetailScroll() = default;
    virtual CSize TotalSize() const = 0;
    // The diagram point shown at the window's top-left corner.
    virtual CPoint Position() const = 0;
    virtual CSize WindowSize() const = 0;
    // A new scroll size (pixels), with the default page and line steps.
    virtual void SetTotalSize(CSize size) = 0;
    virtual void ScrollTo(CPoint position) = 0;
};

// The scroll state as plain values. Like a scroll bar, it keeps the position
// between 0 and the scroll size less the window.
class ScrollRecord final : public DetailScroll {
public:
    explicit ScrollRecord(CSize window = {}) : window(window) { }

    CSize TotalSize() const override { return total; }
    CPoint Position() const override { return position; }
    CSize WindowSize() const override { return window; }
    void SetTotalSize(CSize size) override
    {
        total = size;
        ScrollTo(position);
    }
    void ScrollTo(CPoint to) override
    {
        position.x = std::clamp(to.x, 0, std::max(0, total.cx - window.cx));
        position.y = std::clamp(to.y, 0, std::max(0, total.cy - window.cy));
    }

    CSize total {10, 10};
    CPoint position;
    CSize window;
};
