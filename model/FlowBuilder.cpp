#include "FlowBuilder.h"

#include "ModelScope.h"
#include "Unit.h"

#include <algorithm>
#include <initializer_list>
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

// Rebuilds the list in one pass, in order: `place(item, out, handOut)` puts
// each item into `out` (or into an item there); `handOut(item)` gives the
// item's children out to be gone through right after it. One pass that
// rebuilds the list: moving children out in place would shift the rest of
// the list each time (minutes for a switch of many thousand cases).
template <typename Place> void RebuildInOrder(std::vector<CFlowItem>& items, Place place)
{
    std::vector<CFlowItem> out;
    out.reserve(items.size());
    // The children handed out and still to go through, the next one last.
    std::vector<CFlowItem> pending;
    const auto handOut = [&pending](CFlowItem& item) {
        pending.insert(pending.end(), std::make_move_iterator(item.children.rbegin()),
            std::make_move_iterator(item.children.rend()));
        item.children.clear();
    };
    for (CFlowItem& item : items) {
        place(std::move(item), out, handOut);
        while (!pending.empty()) {
            CFlowItem next = std::move(pending.back());
            pending.pop_back();
            place(std::move(next), out, handOut);
        }
    }
    items = std::move(out);
}

// Goes through the list in order; an item for which `spills` says yes hands
// its children out to follow it, and they are gone through next.
template <typename Spills> void SpillChildren(std::vector<CFlowItem>& items, Spills spills)
{
    RebuildInOrder(items, [&spills](CFlowItem&& item, std::vector<CFlowItem>& out, auto& handOut) {
        if (spills(item))
            handOut(item);
        out.push_back(std::move(item));
    });
}

uint64_t KindBit(int32_t kind)
{
    return kind >= 0 && kind < 64 ? uint64_t {1} << kind : ~uint64_t {0};
}

bool AnyKindIn(uint64_t kinds, std::initializer_list<int32_t> wanted)
{
    uint64_t bits = 0;
    for (const int32_t kind : wanted)
        bits |= KindBit(kind);
    return (kinds & bits) != 0;
}

bool AnyOfKind(const std::vector<CFlowItem>& items, std::initializer_list<int32_t> kinds)
{
    return std::any_of(items.begin(), items.end(), [&](const CFlowItem& item) {
        return std::find(kinds.begin(), kinds.end(), item.FirstUnitKind()) != kinds.end();
    });
}

} // namespace

void CFlowBuilder::BuildFunctionItems(FunctionBody& body, CUnit* function, int flag)
{
    if (!function || function->kind != UNIT_FUNCTION) {
        return;
    }
    body.functionChildren = &function->children;
    std::vector<CFlowItem>& items = body.root.children;
    uint64_t kinds = 0;
    items = BuildItems(function->children, kinds);
    // The passes only move and drop items, so a kind missing now is missing
    // throughout, and a pass that acts on items of missing kinds would only
    // go through the tree to find nothing.
    if (AnyKindIn(kinds, {UNIT_JUST_BRACE})) {
        FlattenBlocks(items);
    }
    if (flag == 1 && AnyKindIn(kinds, {UNIT_TRY, UNIT_CATCH, UNIT_THROW})) {
        RemoveTryCatchThrow(items);
    }
    if (AnyKindIn(kinds, {UNIT_ELSE_IF, UNIT_ELSE})) {
        AttachElseChains(items);
    }
    if (AnyKindIn(kinds, {UNIT_LABEL})) {
        SplitLabels(items);
    }
    if (AnyKindIn(kinds, {UNIT_SWITCH})) {
        RegroupSwitches(items);
    }
    if (AnyKindIn(kinds, {UNIT_DO})) {
        JoinDoWhile(items);
    }
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

std::vector<CFlowItem> CFlowBuilder::BuildItems(std::span<CUnit> units)
{
    uint64_t kinds = 0;
    return BuildItems(units, kinds);
}

std::vector<CFlowItem> CFlowBuilder::BuildItems(std::span<CUnit> units, uint64_t& kinds)
{
    std::vector<CFlowItem> items;
    items.reserve(units.size());
    for (CUnit& unit : units) {
        if (unit.IsPreprocessing()) {
            continue;
        }
        kinds |= KindBit(unit.kind);
        CFlowItem& item = items.emplace_back(unit.kind, unit.brace, &unit);
        item.children = BuildItems(unit.children, kinds);
    }
    return items;
}

// Each pass below rebuilds its list in one go (erasing or inserting in place
// costs the rest of the list each time). An item replaced by its children
// takes them as the pass left them: none of them is replaced again. A list
// with nothing to change is left where it is: most lists of a long body have
// nothing, and rebuilding them all moves every item once a pass.

void CFlowBuilder::FlattenBlocks(std::vector<CFlowItem>& items)
{
    if (!AnyOfKind(items, {UNIT_JUST_BRACE})) {
        for (CFlowItem& item : items)
            FlattenBlocks(item.children);
        return;
    }
    std::vector<CFlowItem> out;
    out.reserve(items.size());
    for (CFlowItem& item : items) {
        FlattenBlocks(item.children);
        if (item.FirstUnitKind() == UNIT_JUST_BRACE) {
            out.insert(out.end(), std::make_move_iterator(item.children.begin()),
                std::make_move_iterator(item.children.end()));
        } else {
            out.push_back(std::move(item));
        }
    }
    items = std::move(out);
}

void CFlowBuilder::RemoveTryCatchThrow(std::vector<CFlowItem>& items)
{
    if (!AnyOfKind(items, {UNIT_TRY, UNIT_CATCH, UNIT_THROW})) {
        for (CFlowItem& item : items)
            RemoveTryCatchThrow(item.children);
        return;
    }
    std::vector<CFlowItem> out;
    out.reserve(items.size());
    for (CFlowItem& item : items) {
        RemoveTryCatchThrow(item.children);
        const int32_t kind = item.FirstUnitKind();
        if (kind == UNIT_TRY) {
            out.insert(out.end(), std::make_move_iterator(item.children.begin()),
                std::make_move_iterator(item.children.end()));
        } else if (kind != UNIT_CATCH && kind != UNIT_THROW) {
            out.push_back(std::move(item));
        }
    }
    items = std::move(out);
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
    if (!AnyOfKind(items, {UNIT_ELSE_IF, UNIT_ELSE}))
        return;
    std::vector<CFlowItem> out;
    out.reserve(items.size());
    for (CFlowItem& item : items) {
        const int32_t kind = item.FirstUnitKind();
        if ((kind == UNIT_ELSE_IF || kind == UNIT_ELSE) && !out.empty() &&
            AttachElse(out.back(), item) == ElseAnswer::Attached) {
            continue;
        }
        out.push_back(std::move(item));
    }
    items = std::move(out);
}

void CFlowBuilder::SplitLabels(std::vector<CFlowItem>& items)
{
    if (!AnyOfKind(items, {UNIT_LABEL})) {
        for (CFlowItem& item : items)
            SplitLabels(item.children);
        return;
    }
    SpillChildren(items, [](CFlowItem& item) {
        if (item.FirstUnitKind() == UNIT_LABEL) {
            // The label becomes an item of its own, followed by every
            // statement it labels (a labelled block keeps all of them).
            item.kind = UNIT_EXPRESSION_STATEMENT;
            return true;
        }
        SplitLabels(item.children);
        return false;
    });
}

void CFlowBuilder::RegroupCases(std::vector<CFlowItem>& items)
{
    // A label and whatever precedes the first label stay in the list; any
    // other item goes to the last label kept. A label whose first child is a
    // label hands its children out first; they follow it and are gone
    // through next.
    size_t lastLabel = 0;
    bool anyLabel = false;
    RebuildInOrder(items, [&](CFlowItem&& item, std::vector<CFlowItem>& out, auto& handOut) {
        const bool label = IsCaseLabel(item.FirstUnitKind());
        if (label && !item.children.empty() && IsCaseLabel(item.children.front().FirstUnitKind()))
            handOut(item);
        if (!label && anyLabel) {
            out[lastLabel].children.push_back(std::move(item));
            return;
        }
        if (label) {
            lastLabel = out.size();
            anyLabel = true;
        }
        out.push_back(std::move(item));
    });
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
    if (!AnyOfKind(items, {UNIT_DO})) {
        for (CFlowItem& item : items)
            JoinDoWhile(item.children);
        return;
    }
    std::vector<CFlowItem> out;
    out.reserve(items.size());
    for (CFlowItem& item : items) {
        JoinDoWhile(item.children);
        if (!out.empty() && item.FirstUnitKind() == UNIT_WHILE &&
            out.back().FirstUnitKind() == UNIT_DO && out.back().units.size() == 1) {
            out.back().units.push_back(item.FirstUnit());
        } else {
            out.push_back(std::move(item));
        }
    }
    items = std::move(out);
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
