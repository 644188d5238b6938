#pragma once

#include <algorithm>
#include <cstdint>

// The point sizes a font read from a colour file may have: the sizes the
// Visual Setting dialogs offer. A file may say anything (a size of minus two
// billion, of a million); what is read is brought to the nearest of these,
// so that no one who measures, lists or draws with the size meets a number
// it cannot handle.
inline constexpr int32_t kFontSizeMin = 6;
inline constexpr int32_t kFontSizeMax = 32;

inline int32_t ClampFontSize(int32_t size)
{
    return std::clamp(size, kFontSizeMin, kFontSizeMax);
}
