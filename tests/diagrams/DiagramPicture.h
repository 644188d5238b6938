#pragma once

#include "DeviceContext.h"
#include "TestCanvas.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <string>

// A diagram drawn on a white canvas of the size it reports: drawn once on a
// small canvas to learn the size, then on a canvas of that size (at most
// 4000 by 4000 pixels).
inline std::unique_ptr<Canvas> DrawPicture(const std::function<CSize(CDC&)>& draw)
{
    Canvas probe(8, 8);
    const CSize size = draw(probe.dc);
    auto canvas =
        std::make_unique<Canvas>(std::clamp(size.cx, 1, 4000), std::clamp(size.cy, 1, 4000));
    draw(canvas->dc);
    return canvas;
}

// The same, written to a PNG file; false when it cannot be written.
inline bool SavePicture(const std::string& path, const std::function<CSize(CDC&)>& draw)
{
    return DrawPicture(draw)->bitmap.Image().save(QString::fromStdString(path), "PNG");
}
