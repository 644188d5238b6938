#pragma once

#include "FontHolder.h"
#include "GdiTypes.h"

#include <cstdint>
#include <map>

// The macro view's colours per kind of model element and its global values.
// Kinds are looked up as CVisualSetting looks up fonts (58 as 18, 57 as 12,
// kinds without an entry get the default colours).
struct ElementStyleTable {
    // The kind's colours, or the default colours.
    ColorTriple& GetColors(int32_t kind);
    const ColorTriple& GetColors(int32_t kind) const;

    // Inserts or overwrites the entry of the kind exactly as given (58 and
    // 57 are not mapped here).
    void SetColors(int32_t kind, COLORREF text, COLORREF border, COLORREF background);

    ColorTriple defaultColors;
    COLORREF BackGroundColor = 0;
    int32_t ContentType =
        0; // function with content: 0 nothing, 1 font, 2 border, 3 background, 4 symbol
    COLORREF ContentColor = 0;
    int32_t PublicType = 0; // 0 nothing, 1 font, 2 border, 3 background
    COLORREF PublicColor = 0;
    int32_t PrivateType = 0;
    COLORREF PrivateColor = 0;
    int32_t ProtectedType = 0;
    COLORREF ProtectedColor = 0;
    int32_t HighColorShading =
        0; // 0 none, 1 down darken, 2 right darken, 3 down brighten, 4 right brighten
    int32_t UnitSpace = 0; // space between boxes
    int32_t Grouping = 0; // 0 none, 1 grouping, 2 border grouping
    std::map<int32_t, ColorTriple> itemColors;
};
