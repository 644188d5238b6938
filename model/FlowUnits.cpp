#include "FlowUnits.h"

void CFlowUnits::PushSpilled(CUnit* unit)
{
    if (spilled_.empty()) {
        spilled_.reserve(2 * kInline);
        spilled_.assign(inline_, inline_ + size_);
    }
    spilled_.push_back(unit);
    ++size_;
}
