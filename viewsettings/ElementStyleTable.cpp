#include "ElementStyleTable.h"

#include "VisualSetting.h"

ColorTriple& ElementStyleTable::GetColors(int32_t kind)
{
    return FindMacroEntry(itemColors, kind, defaultColors);
}

const ColorTriple& ElementStyleTable::GetColors(int32_t kind) const
{
    return FindMacroEntry(itemColors, kind, defaultColors);
}

void ElementStyleTable::SetColors(int32_t kind, COLORREF text, COLORREF border, COLORREF background)
{
    itemColors[kind] = ColorTriple {text, border, background};
}
