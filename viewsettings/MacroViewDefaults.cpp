#include "MacroViewDefaults.h"

#include "UnitKind.h"

void SetMacroViewDefaults(CVisualSetting& fonts, ElementStyleTable& styles)
{
    styles.defaultColors = ColorTriple {0x000000, 0xFFFFFF, 0xFFFFFF};
    styles.BackGroundColor = 0xFFFFFF;
    styles.ContentType = 2;
    styles.ContentColor = 0x000000;
    styles.PublicType = 1;
    styles.PublicColor = 0x006400;
    styles.PrivateType = 1;
    styles.PrivateColor = 0x0000C8;
    styles.ProtectedType = 1;
    styles.ProtectedColor = 0xC80000;
    styles.HighColorShading = 1;
    styles.UnitSpace = 4;
    styles.Grouping = 0;

    fonts.defaultFont.Create("Arial", 10, 0);

    struct KindDefaults {
        int32_t kind;
        COLORREF text, border, background;
        uint8_t bold;
    };
    const KindDefaults kinds[] = {
        {UNIT_CLASS, 0x000000, 0x969696, 0x66FFCC, 1},
        {UNIT_STRUCT, 0x000000, 0x969696, 0xFFD2D2, 1},
        {UNIT_UNION, 0x000000, 0x969696, 0xFFFFFF, 1},
        {UNIT_ENUM, 0x000000, 0xFFFFFF, 0xFFFFFF, 0},
        {UNIT_NAMESPACE, 0x000000, 0xDAF5F6, 0xDAF5F6, 1},
        {UNIT_VARIABLE, 0x000000, 0xF3FAFF, 0xF3FAFF, 0},
        {UNIT_FUNCTION, 0x000000, 0xD2D2FF, 0xF8F0E8, 0},
    };
    for (const KindDefaults& k : kinds) {
        styles.SetColors(k.kind, k.text, k.border, k.background);
        fonts.SetItemFont(k.kind, "Arial", 10, k.bold);
    }
}
