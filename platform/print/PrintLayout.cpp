#include "PrintLayout.h"

#include "PrintError.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

constexpr double kMmPerViewPixel = 0.25;

int ToPixels(double mm, double perMm)
{
    return static_cast<int>(std::lround(mm * perMm));
}

int DivideUp(int value, int by)
{
    return (value + by - 1) / by;
}

} // namespace

PrintLayout::Edges PrintLayout::ToPixels(const PrintMargins& margins) const
{
    return {::ToPixels(margins.top, metrics_.pixelsPerMmY),
        ::ToPixels(margins.bottom, metrics_.pixelsPerMmY),
        ::ToPixels(margins.left, metrics_.pixelsPerMmX),
        ::ToPixels(margins.right, metrics_.pixelsPerMmX)};
}

int PrintLayout::Prepare(
    int width, int height, const PrinterMetrics& metrics, PrintMargins& margins)
{
    if (width <= 0 || height <= 0)
        throw PrintError("Printer Error : No Image To Printer.");
    if (metrics.paper.cx <= 0 || metrics.paper.cy <= 0)
        throw PrintError("Printer Error : Paper Size is Zero.");
    if (metrics.pixelsPerMmX <= 0.0 || metrics.pixelsPerMmY <= 0.0)
        throw PrintError("Printer Error : Printer Pixel/mm is Zero.");
    metrics_ = metrics;
    picture_ = {width, height};
    scaleX_ = metrics.pixelsPerMmX * kMmPerViewPixel;
    scaleY_ = metrics.pixelsPerMmY * kMmPerViewPixel;
    printed_ = {std::max(1, static_cast<int>(scaleX_ * width)),
        std::max(1, static_cast<int>(scaleY_ * height))};

    // A margin is only rewritten when the printer's border raised it, so that
    // a margin the user typed stays exactly as typed.
    margins_ = ToPixels(margins);
    auto raise = [](int& edge, int border, double& mm, double perMm) {
        if (edge < border) {
            edge = border;
            mm = border / perMm;
        }
    };
    raise(margins_.top, metrics.unprintableTop, margins.top, metrics.pixelsPerMmY);
    raise(margins_.bottom, metrics.unprintableBottom, margins.bottom, metrics.pixelsPerMmY);
    raise(margins_.left, metrics.unprintableLeft, margins.left, metrics.pixelsPerMmX);
    raise(margins_.right, metrics.unprintableRight, margins.right, metrics.pixelsPerMmX);
    margins.pageWidthMm = metrics.paper.cx / metrics.pixelsPerMmX;
    margins.pageHeightMm = metrics.paper.cy / metrics.pixelsPerMmY;
    margins.minTop = metrics.unprintableTop / metrics.pixelsPerMmY;
    margins.minBottom = metrics.unprintableBottom / metrics.pixelsPerMmY;
    margins.minLeft = metrics.unprintableLeft / metrics.pixelsPerMmX;
    margins.minRight = metrics.unprintableRight / metrics.pixelsPerMmX;

    page_ = {std::max(1, metrics.paper.cx - margins_.left - margins_.right),
        std::max(1, metrics.paper.cy - margins_.top - margins_.bottom)};
    columns_ = DivideUp(printed_.cx, page_.cx);
    rows_ = DivideUp(printed_.cy, page_.cy);
    return PageCount();
}

bool PrintLayout::MarginsChanged(const PrintMargins& margins)
{
    if (columns_ == 0)
        return false;
    Edges now = ToPixels(margins);
    now.top = std::max(now.top, metrics_.unprintableTop);
    now.bottom = std::max(now.bottom, metrics_.unprintableBottom);
    now.left = std::max(now.left, metrics_.unprintableLeft);
    now.right = std::max(now.right, metrics_.unprintableRight);
    if (now == margins_)
        return false;
    margins_ = now;
    return true;
}

PrintLayout::Page PrintLayout::GetPage(int number) const
{
    Page page;
    if (columns_ == 0 || number < 1 || number > PageCount())
        return page;
    const int index = number - 1;
    const int row = index / columns_;
    const int column = index % columns_;
    const bool lastColumn = column == columns_ - 1;
    const bool lastRow = row == rows_ - 1;
    const int width = lastColumn ? printed_.cx - column * page_.cx : page_.cx;
    const int height = lastRow ? printed_.cy - row * page_.cy : page_.cy;
    page.target = {margins_.left, margins_.top, margins_.left + width, margins_.top + height};
    // Edges in view pixels, so that neighbouring pages share theirs.
    auto edge = [](int pagesBefore, int pageSize, double scale) {
        return static_cast<int>(pagesBefore * static_cast<double>(pageSize) / scale);
    };
    page.source.left = std::min(edge(column, page_.cx, scaleX_), picture_.cx - 1);
    page.source.top = std::min(edge(row, page_.cy, scaleY_), picture_.cy - 1);
    page.source.right =
        lastColumn ? picture_.cx : std::min(edge(column + 1, page_.cx, scaleX_), picture_.cx);
    page.source.bottom =
        lastRow ? picture_.cy : std::min(edge(row + 1, page_.cy, scaleY_), picture_.cy);
    return page;
}
