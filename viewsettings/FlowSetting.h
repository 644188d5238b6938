#pragma once

#include "FontHolder.h"
#include "GdiTypes.h"

#include <cstdint>

// What the flow chart draws with: colours shared by its three zoom levels and
// one layout per level. A value type: copies own fonts of their own.

// One zoom level's sizes, texts and fonts.
struct CFlowLayout {
    uint8_t ShowText = 0; // 1: boxes show their statement texts
    CFontHolder StartEndFont;
    CFontHolder ProcessingFont;
    CFontHolder ConditionFont;
    CFontHolder LoopFont;
    CFontHolder ExplainFont;
    int32_t XSize = 0; // box width
    int32_t YSize = 0; // box height
    int32_t XSpace = 0; // horizontal cell pitch (gap = XSpace - XSize)
    int32_t YSpace = 0; // vertical cell pitch (gap = YSpace - YSize)
    int32_t ArrowSize = 0;
    int32_t ExplainType = 0; // 0 none, 1 short labels, 2 full labels
};

struct CFlowSetting {
    // Every field to its built-in default.
    CFlowSetting();

    // The layout of a zoom level: 4 and 16 give their own, any other 1x.
    CFlowLayout& LayoutForZoom(int zoom);
    const CFlowLayout& LayoutForZoom(int zoom) const;

    COLORREF BackGroundColor;
    int32_t HighColorShading; // 0 none, 1 down darken, 2 right darken, 3 down brighten, 4 right
                              // brighten
    COLORREF NormalLineColor;
    COLORREF LoopArrowColor;
    COLORREF ConditionYesColor;
    COLORREF ConditionNoColor;
    COLORREF ReturnLineColor;
    ColorTriple StartEndColor;
    ColorTriple ProcessingColor;
    ColorTriple ConditionColor;
    ColorTriple LoopColor;
    CFlowLayout Ratio1x;
    CFlowLayout Ratio4x;
    CFlowLayout Ratio16x;
};
