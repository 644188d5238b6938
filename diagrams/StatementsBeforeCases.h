#pragma once

#include "UnitKind.h"

#include <cstddef>
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
