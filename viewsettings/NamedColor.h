#pragma once

#include "GdiTypes.h"

#include <cstddef>

// The fixed table of named colours that every colour list of the Visual
// Setting dialogs offers. Colours are 0x00BBGGRR (red in the low byte).

struct NamedColor {
    COLORREF color;
    char name[24]; // zero-terminated, at most 23 characters, zero-filled behind
};

constexpr size_t kNamedColorCount = 140;
constexpr size_t kCustomColorIndex = 139; // "custom": any colour not in the table

// The table, "black" first and "custom" last. Only the colour of the
// "custom" entry changes at run time (SetCustomColor).
extern NamedColor NamedColorTable[kNamedColorCount];

// The index of the first entry, in table order, whose colour is the value;
// when there is none the value becomes the colour of "custom" and its index
// is returned. So black always shows as "black", 0xFF00FF as "fuchsia".
size_t SelectNamedColor(COLORREF color);

// Makes the value the colour of the "custom" entry.
void SetCustomColor(COLORREF color);
