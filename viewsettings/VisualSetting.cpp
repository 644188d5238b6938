#include "VisualSetting.h"

#include "UnitKind.h"

int32_t MacroLookupKind(int32_t kind)
{
    if (kind == UNIT_GLOBAL_FUNCTIONS)
        return UNIT_FUNCTION;
    if (kind == UNIT_GLOBAL_VARIABLES)
        return UNIT_VARIABLE;
    return kind;
}

void CVisualSetting::AttachDC(CDC* dc)
{
    for (auto& [kind, font] : itemFonts)
        font.dc = dc;
    defaultFont.dc = dc;
}

CFontHolder& CVisualSetting::GetItemFont(int32_t kind)
{
    return FindMacroEntry(itemFonts, kind, defaultFont);
}

const CFontHolder& CVisualSetting::GetItemFont(int32_t kind) const
{
    return FindMacroEntry(itemFonts, kind, defaultFont);
}

void CVisualSetting::SetItemFont(int32_t kind, const std::string& face, int32_t size, uint8_t bold)
{
    CFontHolder& font = itemFonts[kind];
    font = defaultFont;
    font.Create(face, size, bold);
}
