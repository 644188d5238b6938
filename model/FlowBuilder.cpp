#include "FlowBuilder.h"

#include "ModelScope.h"
#include "Unit.h"

#include <iterator>

namespace {

bool IsCaseLabel(int32_t kind)
{
    return kind == UNIT_CASE || kind == UNIT_DEFAULT;
}

bool IsSimpleStatement(int32_t kind)
{
    return kind == UNIT_BREAK || kind == UNIT_CONTINUE || kind == UNIT_RETURN ||
        kind == UNIT_GOTO || kind == UNIT_EXPRESSION_STATEMENT || kind == UNIT_THROW;
}

// Moves the children of items[i] out to follow it, in order.
void MoveChildrenAfter(std::vector<CFlowItem>& items, size_t i)
{
    std::vector<CFlowItem> children = std::move(items[i].children);
    items[i].children.clear();
    items.insert(items.begin() + static_cast<std::ptrdiff_t>(i) + 1,
        std::make_move_iterator(children.begin()), std::make_move_iterator(children.end()));
}

} // namespace

void CFlowBuilder::BuildFunctionItems(FunctionBody& body, CUnit* function, int flag)
{
    if (!function || function->kind != UNIT_FUNCTION) {
        return;
    }
    body.functionChildren = &function->children;
    std::vector<CFlowItem>& items = body.root.children;
    items = BuildItems(function->children);
    FlattenBlocks(items);
    if (flag == 1) {
        RemoveTryCatchThrow(items);
    }
    AttachElseChains(items);
    SplitLabels(items);
    RegroupSwitches(items);
    JoinDoWhile(items);
    if (flag == 1) {
        GroupExpressions(items);
    } else {
        GroupSimpleStatements(items);
    }
}

void CFlowBuilder::BuildFunctionItems(FunctionBody& body, const CModelScope* function, int flag)
{
    body.function = function;
    if (function) {
        BuildFunctionItems(body, function->GetDefiningUnit(), flag);
    }
}

std::vector<CFlowItem> CFlowBuilder::BuildItems(std::vector<CUnit>& units)
{
    std::vector<CFlowItem> items;
    items.reserve(units.size());
    for (CUnit& unit : units) {
        if (unit.IsPreprocessing()) {
            continue;
        }
        CFlowItem item(unit.kind, unit.brace, &unit);
        item.children = BuildItems(unit.children);
        items.push_back(std::move(item));
    }
    return items;
}

void CFlowBuilder::ReplaceByChildren(std::vector<CFlowItem>& items, size_t i)
{
    MoveChildrenAfter(items, i);
    items.erase(items.begin() + static_cast<std::ptrdiff_t>(i));
}

void CFlowBuilder::FlattenBlocks(std::vector<CFlowItem>& items)
{
    size_t i = 0;
    while (i < items.size()) {
        FlattenBlocks(items[i].children);
        if (items[i].FirstUnitKind() == UNIT_JUST_BRACE) {
            ReplaceByChildren(items, i); // the same position is looked at again
        } else {
            ++i;
        }
    }
}

void CFlowBuilder::RemoveTryCatchThrow(std::vector<CFlowItem>& items)
{
    size_t i = 0;
    while (i < items.size()) {
        RemoveTryCatchThrow(items[i].children);
        const int32_t kind = items[i].FirstUnitKind();
        if (kind == UNIT_TRY) {
            ReplaceByChildren(items, i);
        } else if (kind == UNIT_CATCH || kind == UNIT_THROW) {
            items.erase(items.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            ++i;
        }
    }
}

CFlowBuilder::ElseAnswer CFlowBuilder::AttachElse(CFlowItem& previous, CFlowItem& elseItem)
{
    const int32_t kind = previous.FirstUnitKind();
    const ElseAnswer afterIf = kind == UNIT_IF ? ElseAnswer::After : ElseAnswer::No;
    if (kind == UNIT_ELSE_IF) {
        return ElseAnswer::After;
    }
    const CUnit* unit = previous.FirstUnit();
    if (unit && unit->brace) {
        return afterIf;
    }
    if (previous.children.empty()) {
        return ElseAnswer::No;
    }
    CFlowItem& last = previous.children.back();
    if (last.FirstUnitKind() == UNIT_ELSE) {
        return afterIf;
    }
    switch (AttachElse(last, elseItem)) {
    case ElseAnswer::Attached:
        return ElseAnswer::Attached;
    case ElseAnswer::After:
        previous.children.push_back(std::move(elseItem));
        return ElseAnswer::Attached;
    case ElseAnswer::No:
        break;
    }
    return afterIf;
}

void CFlowBuilder::AttachElseChains(std::vector<CFlowItem>& items)
{
    size_t i = 1;
    while (i < items.size()) {
        const int32_t kind = items[i].FirstUnitKind();
        if ((kind == UNIT_ELSE_IF || kind == UNIT_ELSE) &&
            AttachElse(items[i - 1], items[i]) == ElseAnswer::Attached) {
            items.erase(items.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            ++i;
        }
    }
}

void CFlowBuilder::SplitLabels(std::vector<CFlowItem>& items)
{
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i].FirstUnitKind() == UNIT_LABEL) {
            // The label becomes an item of its own, followed by every
            // statement it labels (a labelled block keeps all of them).
            items[i].kind = UNIT_EXPRESSION_STATEMENT;
            MoveChildrenAfter(items, i);
        }
        SplitLabels(items[i].children);
    }
}

void CFlowBuilder::RegroupCases(std::vector<CFlowItem>& items)
{
    for (size_t i = 0; i < items.size(); ++i) {
        CFlowItem& item = items[i];
        if (IsCaseLabel(item.FirstUnitKind()) && !item.children.empty() &&
            IsCaseLabel(item.children.front().FirstUnitKind())) {
            MoveChildrenAfter(items, i);
        }
    }
    size_t lastLabel = items.size(); // none seen yet
    size_t i = 0;
    while (i < items.size()) {
        if (IsCaseLabel(items[i].FirstUnitKind())) {
            lastLabel = i++;
        } else if (lastLabel < items.size()) {
            items[lastLabel].children.push_back(std::move(items[i]));
            items.erase(items.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            ++i;
        }
    }
}

void CFlowBuilder::RegroupSwitches(std::vector<CFlowItem>& items)
{
    for (CFlowItem& item : items) {
        RegroupSwitches(item.children);
        if (item.FirstUnitKind() == UNIT_SWITCH) {
            RegroupCases(item.children);
        }
    }
}

void CFlowBuilder::JoinDoWhile(std::vector<CFlowItem>& items)
{
    size_t i = 0;
    while (i < items.size()) {
        JoinDoWhile(items[i].children);
        if (i > 0 && items[i].FirstUnitKind() == UNIT_WHILE &&
            items[i - 1].FirstUnitKind() == UNIT_DO && items[i - 1].units.size() == 1) {
            items[i - 1].units.push_back(items[i].FirstUnit());
            items.erase(items.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            ++i;
        }
    }
}

void CFlowBuilder::GroupExpressions(std::vector<CFlowItem>& items)
{
    GroupRuns(items, false);
}

void CFlowBuilder::GroupSimpleStatements(std::vector<CFlowItem>& items)
{
    GroupRuns(items, true);
}

void CFlowBuilder::GroupRuns(std::vector<CFlowItem>& items, bool jumpEndsRun)
{
    // Compacts in one pass: an item that joins the open run gives it its
    // first unit and is dropped; every other item moves down to `kept`.
    size_t run = 0;
    bool open = false;
    size_t kept = 0;
    for (size_t i = 0; i < items.size(); ++i) {
        const int32_t kind = items[i].kind;
        if (kind == UNIT_EXPRESSION_STATEMENT || (jumpEndsRun && IsSimpleStatement(kind))) {
            if (open) {
                items[run].units.push_back(items[i].FirstUnit());
                open = kind == UNIT_EXPRESSION_STATEMENT;
                continue;
            }
            if (kind == UNIT_EXPRESSION_STATEMENT) {
                run = kept;
                open = true;
            }
        } else {
            open = false;
            GroupRuns(items[i].children, jumpEndsRun);
        }
        if (kept != i)
            items[kept] = std::move(items[i]);
        ++kept;
    }
    items.erase(items.begin() + static_cast<std::ptrdiff_t>(kept), items.end());
}
