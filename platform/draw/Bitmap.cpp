#include "Bitmap.h"

#include "DeviceContext.h"

bool CBitmap::CreateCompatibleBitmap(const CDC* dc, int width, int height)
{
    DeleteObject();
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide)
        return false;
    if (static_cast<int64_t>(width) * height > kMaxPixels)
        return false;
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull())
        return false;
    image.fill(0xFF000000u);
    image_ = std::move(image);
    bitsPerPixel_ = dc != nullptr ? dc->GetBitsPerPixel() : 32;
    return true;
}

void CBitmap::DeleteObject()
{
    image_ = QImage();
}
