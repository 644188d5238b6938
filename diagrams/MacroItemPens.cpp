#include "MacroItemPens.h"

#include "ElementStyleTable.h"
#include "ModelScope.h"
#include "UnitKind.h"

CMacroItemPens::CMacroItemPens(CDC* dc, int penWidth, const ElementStyleTable& style)
    : dc_(dc), style_(style), greyPen_(PS_SOLID, penWidth, 0x808080), whiteBrush_(0xFFFFFF)
{
    oldPen_ = dc_->SelectObject(&greyPen_);
    oldBrush_ = dc_->SelectObject(&whiteBrush_);
}

CMacroItemPens::~CMacroItemPens()
{
    dc_->SelectObject(oldPen_);
    dc_->SelectObject(oldBrush_);
}

void CMacroItemPens::SetItem(const CModelScope* scope)
{
    access_ = 0;
    content_ = false;
    if (scope == nullptr)
        return;
    const CUnit* first = scope->GetFirstUnit();
    content_ = !scope->definitions.empty() && first != nullptr && first->IsFunction();
    if (first != nullptr)
        access_ = GetUnitAccess(*first);
}

const ColorTriple& CMacroItemPens::KindColours(const CModelScope* scope) const
{
    return style_.GetColors(scope != nullptr ? GetUnitCategory(scope->kind) : 0);
}

COLORREF CMacroItemPens::Pick(int where, COLORREF kindColour) const
{
    if (content_ && style_.ContentType == where)
        return style_.ContentColor;
    if (access_ == ACCESS_PUBLIC && style_.PublicType == where)
        return style_.PublicColor;
    if (access_ == ACCESS_PROTECTED && style_.ProtectedType == where)
        return style_.ProtectedColor;
    if (access_ == ACCESS_PRIVATE && style_.PrivateType == where)
        return style_.PrivateColor;
    return kindColour;
}

COLORREF CMacroItemPens::GetFillColour(const CModelScope* scope) const
{
    return Pick(3, KindColours(scope).background);
}

COLORREF CMacroItemPens::GetBorderColour(const CModelScope* scope, bool grouped) const
{
    if (style_.Grouping == 2 && grouped)
        return GetFillColour(scope);
    return Pick(2, KindColours(scope).border);
}

COLORREF CMacroItemPens::GetTextColour(const CModelScope* scope) const
{
    return Pick(1, KindColours(scope).text);
}
