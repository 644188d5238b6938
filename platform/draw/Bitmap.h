#pragma once

#include "GdiTypes.h"

#include <QImage>

class CDC;

// A bitmap that a memory device context draws into: 32-bit RGB pixels, with
// the bits per pixel of the device it was made compatible with as its
// reported colour depth.
class CBitmap {
public:
    // The largest bitmap the layer makes, in pixels (1 GiB of pixels).
    static constexpr int64_t kMaxPixels = int64_t(1) << 28;
    static constexpr int kMaxSide = 1 << 20;

    CBitmap() = default;
    CBitmap(const CBitmap&) = delete;
    CBitmap& operator=(const CBitmap&) = delete;

    // A black bitmap of w by h pixels. False, and no bitmap, when a side is not
    // positive or the bitmap would be larger than the layer allows.
    bool CreateCompatibleBitmap(const CDC* dc, int width, int height);
    void DeleteObject();

    bool IsCreated() const { return !image_.isNull(); }
    CSize GetSize() const { return {image_.width(), image_.height()}; }
    int BitsPerPixel() const { return bitsPerPixel_; }

    QImage& Image() { return image_; }
    const QImage& Image() const { return image_; }

private:
    QImage image_;
    int bitsPerPixel_ = 32;
};
