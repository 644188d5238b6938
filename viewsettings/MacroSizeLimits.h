#pragma once

#include "ElementStyleTable.h"
#include "FontSizeLimits.h"
#include "VisualSetting.h"

#include <cstdint>

// The sizes a macro view setting read from a colour file may hold. A file
// may say anything (a space of a million, a font size below zero); the
// macro layout adds these up in int for every box of the model, so what is
// read is brought into the ranges the setting dialog offers.
inline constexpr int32_t kMacroUnitSpaceMax = 32;
inline constexpr int32_t kMacroFontSizeMin = kFontSizeMin;
inline constexpr int32_t kMacroFontSizeMax = kFontSizeMax;

// Brings the unit space and every font size of the pair into the ranges
// above; a font outside them is made anew at the nearest size.
void ClampMacroSizes(CVisualSetting& fonts, ElementStyleTable& styles);
