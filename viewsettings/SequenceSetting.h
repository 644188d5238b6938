#pragma once

#include "FontHolder.h"
#include "GdiTypes.h"

#include <cstdint>

// What the sequence diagram draws with: background and shading, the colours
// of arrows, objects, caller texts and called entries, three fonts and the
// placement numbers in pixels. A value type: copies own fonts of their own.
struct CSequenceSetting {
    // Every field to its built-in default.
    CSequenceSetting();

    COLORREF BackGroundColor;
    int32_t HighColorShading; // 0 none, 1 down darken, 2 right darken, 3 down brighten, 4 right
                              // brighten
    COLORREF ArrowLineColor; // message arrows
    COLORREF ObjectMiddleColor; // the middle line under an object
    ColorTriple ObjectColor; // object boxes
    COLORREF CallerTextColor;
    ColorTriple CalledColor; // called entries
    CFontHolder ObjectFont;
    CFontHolder CallerFont;
    CFontHolder CalledFont;
    int32_t StartX;
    int32_t StartY;
    int32_t ObjectSpaceX;
    int32_t ObjectSpaceY;
    int32_t StreamBoxSizeWidth;
    int32_t StreamBoxSizeHeight;
    int32_t MinimumObjectDistance;
    int32_t EachObjectInterval;
    int32_t MethodUpperSpace;
    int32_t MethodLowerSpace;
    int32_t ArrowSize;
    int32_t EachStreamSpace;
};
