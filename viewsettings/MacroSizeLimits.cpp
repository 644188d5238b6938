#include "MacroSizeLimits.h"

#include <algorithm>

namespace {

void ClampFont(CFontHolder& font)
{
    const int32_t size = ClampFontSize(font.size);
    if (font.font && size != font.size)
        font.Create(font.faceName, size, font.bold);
}

} // namespace

void ClampMacroSizes(CVisualSetting& fonts, ElementStyleTable& styles)
{
    styles.UnitSpace = std::clamp(styles.UnitSpace, 0, kMacroUnitSpaceMax);
    ClampFont(fonts.defaultFont);
    for (auto& [kind, font] : fonts.itemFonts)
        ClampFont(font);
}
