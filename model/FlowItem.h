#pragma once

#include "FlowUnits.h"
#include "LazyVector.h"

#include <cstdint>
#include <memory>
#include <vector>

class CModelScope;
class CUnit;

// One statement item of a function, as the flow chart and the
// Nassi-Shneiderman diagram draw it. The five placement fields are 0 when
// the item is built; the diagrams store their layout there. An item refers
// to the units it stands for (they belong to the code model) and owns its
// children.
class CFlowItem {
public:
    CFlowItem() = default;
    CFlowItem(int32_t kind, bool brace, CUnit* unit);

    int32_t col = 0;
    int32_t row = 0;
    int32_t leftWidth = 0;
    int32_t rightWidth = 0;
    int32_t height = 0;
    int32_t kind = 0; // the unit kind of the item's own unit (49 for a label item)
    bool brace = false; // the brace-block flag of its unit
    // First the item's own unit; a do loop adds its while, a grouped run the
    // first unit of every item merged into it.
    CFlowUnits units;
    std::vector<CFlowItem> children;

    // The item's own unit, or nullptr.
    CUnit* FirstUnit() const { return units.empty() ? nullptr : units.front(); }
    // The kind of the item's own unit, or -1 when it has none. Kept from
    // construction: the builder's passes ask it of every item many times, and
    // reading it from the unit costs a cache miss each time on long bodies.
    int32_t FirstUnitKind() const { return firstUnitKind_; }

private:
    int32_t firstUnitKind_ = -1;
};

// The statement items of one function: the function's model element (given
// by the caller, not owned), the function unit's children the items were
// built from, and the root item whose children are the body's top-level
// items.
struct FunctionBody {
    const CModelScope* function = nullptr;
    const LazyVector<CUnit>* functionChildren = nullptr;
    CFlowItem root;
};
