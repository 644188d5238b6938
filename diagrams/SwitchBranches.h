#pragma once

// What the diagrams draw as the branches of a switch.

#include "UnitKind.h"

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <utility>
#include <vector>

// The branches of a switch, in both diagrams, are its cases. Statements
// before its first case, which only a jump reaches (declarations, or calls
// of macros that stand for cases, as windowsx.h's HANDLE_MSG), become a
// branch of their own with an empty label, the first of the switch's
// children; laid out as they stood, they left the cases' places (the NSD
// stacked them above the cases, the flow chart put them in the first case's
// cell). `Block` is a diagram's block with a `kind` and its `children`.
template <class Block> void GroupStatementsBeforeCases(std::vector<Block>& children)
{
    size_t first = 0;
    while (first < children.size() && children[first].kind != UNIT_CASE &&
        children[first].kind != UNIT_DEFAULT)
        ++first;
    if (first == 0)
        return;
    Block branch;
    branch.kind = UNIT_CASE;
    const auto end = children.begin() + static_cast<std::ptrdiff_t>(first);
    branch.children.assign(std::make_move_iterator(children.begin()), std::make_move_iterator(end));
    children.erase(children.begin(), end);
    children.insert(children.begin(), std::move(branch));
}

// A case label inside another statement than its switch (Duff's device puts
// them inside a loop, others inside an if's block) is no branch there: it
// stands as a statement showing the label, its statements after it. Laid
// out as a case it took a column the statement around it had no room for,
// and the NSD drew the cases after it below the picture's edge.
template <class Block> void DissolveCasesOutsideTheirSwitch(std::vector<Block>& children)
{
    size_t cases = 0;
    for (const Block& b : children)
        cases += b.kind == UNIT_CASE || b.kind == UNIT_DEFAULT ? 1 : 0;
    if (cases == 0)
        return;
    std::vector<Block> out;
    out.reserve(children.size());
    for (Block& b : children) {
        if (b.kind != UNIT_CASE && b.kind != UNIT_DEFAULT) {
            out.push_back(std::move(b));
            continue;
        }
        std::vector<Block> after = std::move(b.children);
        b.children.clear();
        b.kind = UNIT_EXPRESSION_STATEMENT;
        out.push_back(std::move(b));
        for (Block& a : after)
            out.push_back(std::move(a));
    }
    children = std::move(out);
}

// The children of a block of kind `kind` reshaped as above: a switch's
// leading statements grouped, case labels elsewhere dissolved.
template <class Block> void ShapeBranches(std::vector<Block>& children, int32_t kind)
{
    if (kind == UNIT_SWITCH)
        GroupStatementsBeforeCases(children);
    else
        DissolveCasesOutsideTheirSwitch(children);
}
