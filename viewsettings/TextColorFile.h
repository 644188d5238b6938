#pragma once

#include "ElementStyleTable.h"
#include "GdiTypes.h"
#include "VisualSetting.h"

#include <string>

// The macro view's line-oriented colour file (.cif, and the default file
// "Color/default"): a header line, the global values, a line of three
// colours per element kind and three lines per font. Colours are written as
// the decimal numbers red, green and blue. Reading takes the values by
// position; the key words are not looked at. The unit space and the font
// sizes read are brought into the ranges of MacroSizeLimits.h.

// Reads the file into the pair. False without any message when the file
// cannot be opened; false with "could not be read" when it ends early or a
// value is not a number. Either way the pair is unchanged.
bool LoadColorInfoFile(const std::string& path, CVisualSetting& fonts, ElementStyleTable& styles);

// Writes the whole pair. When it cannot be written the user sees "could not
// be written", false is returned and the old file is intact.
bool SaveColorInfoFile(
    const std::string& path, const CVisualSetting& fonts, const ElementStyleTable& styles);
// The text SaveColorInfoFile writes.
std::string ColorInfoFileText(const CVisualSetting& fonts, const ElementStyleTable& styles);

// "R G B" in decimal.
std::string FormatColor(COLORREF color);
