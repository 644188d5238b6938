#pragma once

#include "CoordinateBounds.h"

#include <cstdint>

// The arithmetic of the Nassi-Shneiderman layout. Sizes are worked out in 64
// bits (products such as height x available height overflow 32 bits for
// large functions) and stored with NarrowSize; the setting's sizes are taken
// with SettingNumber.

// part * whole / total, or `even` when there is no total to divide by (a
// size a colour file set to 0 or below).
inline int64_t ShareOf(int64_t part, int64_t whole, int64_t total, int64_t even)
{
    if (total <= 0)
        return even;
    return part * whole / total;
}
