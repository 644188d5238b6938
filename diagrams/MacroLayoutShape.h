#pragma once

#include "MacroArrangement.h"
#include "MacroLayoutNode.h"

#include <atomic>
#include <vector>

// Arranging a huge layout tree for another width away from the window: a
// copy of the tree's shape is arranged on another thread while the window
// keeps showing the tree, which then takes the copy's sizes and places.

// Copies of the nodes with what arranging reads: element, caption size, fold
// state, position (a container keeps it when sorting is off) and content.
// Kept bitmaps, numbers and sizes are not copied. False, with `to` partly
// filled, once `stop` is set.
bool CopyLayoutShape(const std::vector<MacroLayoutNode>& from, std::vector<MacroLayoutNode>& to,
    const std::atomic<bool>& stop);

// The sizes and places of an arranged tree's nodes (its size and width are
// left to the caller).
MacroArrangement RecordArrangement(const std::vector<MacroLayoutNode>& arranged);

// Gives every node the box size, position, separators and grouping recorded
// for it. False when the tree does not hold the recorded elements in the
// recorded order: the nodes met before the difference have taken theirs.
bool TakeArrangement(std::vector<MacroLayoutNode>& nodes, const MacroArrangement& arrangement);
