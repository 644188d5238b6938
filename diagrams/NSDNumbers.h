#pragma once

#include <algorithm>
#include <cstdint>

// The arithmetic of the Nassi-Shneiderman layout. Sizes are worked out in 64
// bits (products such as height x available height overflow 32 bits for
// large functions) and stored within 2^28 pixels either way, so that sums of
// a few places and sizes never overflow; the setting's sizes are taken within
// 65536 pixels either way.

inline int NarrowSize(int64_t value)
{
    constexpr int64_t kLimit = int64_t {1} << 28;
    return static_cast<int>(std::clamp<int64_t>(value, -kLimit, kLimit));
}

inline int SaneSettingSize(int32_t value)
{
    constexpr int kLimit = 1 << 16;
    return std::clamp(value, -kLimit, kLimit);
}

// part * whole / total, or `even` when there is no total to divide by (a
// size a colour file set to 0 or below).
inline int64_t ShareOf(int64_t part, int64_t whole, int64_t total, int64_t even)
{
    if (total <= 0)
        return even;
    return part * whole / total;
}
