#include "ElementStyleTable.h"

#include "VisualSetting.h"

ColorTriple& ElementStyleTable::GetColors(int32_t kind)
{
    auto found = itemColors.find(MacroLookupKind(kind));
    return found == itemColors.end() ? defaultColors : found->second;
}

const ColorTriple& ElementStyleTable::GetColors(int32_t kind) const
{
    auto found = itemColors.find(MacroLookupKind(kind));
    return found == itemColors.end() ? defaultColors : found->second;
}

void ElementStyleTable::SetColors(int32_t kind, COLORREF text, COLORREF border, COLORREF background)
{
    itemColors[kind] = ColorTriple{text, border, background};
}
