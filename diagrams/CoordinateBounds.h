#pragma once

#include <algorithm>
#include <cstdint>

// The bounds every diagram keeps its numbers in. The numbers of a layout come
// from colour files and from the size of the code, and may be anything; kept
// within these bounds, no sum of a few of them overflows and no coordinate
// handed to the device context is beyond what it can draw.

// The largest coordinate handed to the device context, either way.
constexpr int64_t kPixelLimit = int64_t {1} << 30;

// The largest size a layout stores in 32 bits, either way: the sum of a few
// places and sizes stays within the pixel limit.
constexpr int64_t kSizeLimit = kPixelLimit / 4;

// The largest placement number (a margin, a space, a size) a layout takes
// from a setting record, either way.
constexpr int32_t kSettingLimit = 1 << 16;

// The flow chart's box sizes and spaces, which its grid multiplies by the
// number of rows and columns in 32 bits, are kept between 0 and this.
constexpr int32_t kFlowCellLimit = 1 << 12;

inline int ToPixel(int64_t value)
{
    return static_cast<int>(std::clamp(value, -kPixelLimit, kPixelLimit));
}

inline int NarrowSize(int64_t value)
{
    return static_cast<int>(std::clamp(value, -kSizeLimit, kSizeLimit));
}

// In 64 bits, so that products of two stay exact.
inline int64_t SettingNumber(int32_t value)
{
    return std::clamp(value, -kSettingLimit, kSettingLimit);
}

inline int FlowCellSize(int32_t value)
{
    return std::clamp(value, 0, kFlowCellLimit);
}
