#include "FlowItem.h"

#include "Unit.h"

CFlowItem::CFlowItem(int32_t kind, bool brace, CUnit* unit) : kind(kind), brace(brace)
{
    units.push_back(unit);
}

int32_t CFlowItem::FirstUnitKind() const
{
    const CUnit* unit = FirstUnit();
    return unit ? unit->kind : -1;
}
