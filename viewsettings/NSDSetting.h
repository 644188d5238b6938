#pragma once

#include "DeviceContext.h"
#include "FontHolder.h"
#include "GdiTypes.h"

#include <cstdint>

// What the Nassi-Shneiderman diagram draws with: background and shading,
// whether the title is drawn, colours and font of each block kind, and the
// start position, sizes and margins in pixels. A value type: copies own fonts
// of their own.
struct CNSDSetting {
    // Every field to its built-in default.
    CNSDSetting();

    // Hands the device context to all nine fonts; the engine calls it before
    // it measures or draws.
    void AttachDC(CDC* dc);

    COLORREF BackGroundColor;
    int32_t HighColorShading; // 0 none, 1 down darken, 2 right darken, 3 down brighten, 4 right
                              // brighten
    uint8_t ShowTitle; // 1 draws the diagram's title
    COLORREF ExceptionColor;
    ColorTriple TitleColor;
    ColorTriple ProcessColor;
    ColorTriple IfColor;
    ColorTriple IfYesColor;
    ColorTriple IfNoColor;
    ColorTriple SwitchColor;
    ColorTriple CaseColor;
    ColorTriple LoopColor;
    ColorTriple TryCatchColor;
    CFontHolder TitleFont;
    CFontHolder ProcessFont;
    CFontHolder IfFont;
    CFontHolder IfYesFont;
    CFontHolder IfNoFont;
    CFontHolder SwitchFont;
    CFontHolder CaseFont;
    CFontHolder LoopFont;
    CFontHolder TryCatchFont;
    int32_t StartX;
    int32_t StartY;
    int32_t LoopWidth;
    int32_t TryCatchWidth;
    int32_t TryCatchHeight;
    int32_t StatementDistance;
    int32_t TextMarginWidth;
    int32_t TextMarginHeight;
    int32_t TitleMarginWidth; // only colour files change the two title margins
    int32_t TitleMarginHeight;
};
