#include "FlowItem.h"

#include "Unit.h"

CFlowItem::CFlowItem(int32_t kind, bool brace, CUnit* unit)
    : kind(kind), brace(brace), firstUnitKind_(unit ? unit->kind : -1)
{
    units.push_back(unit);
}
