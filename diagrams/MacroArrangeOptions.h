#pragma once

#include <cstdint>

// How the macro view is sorted and arranged: the caller's choice (the main
// view takes it from the options, a preview from its own settings).
struct MacroArrangeOptions {
    // Siblings ordered 0 by size, 1 by name, any other value not at all.
    int32_t sort = 1;
    // Every box of one kind in a row area gets the same width.
    bool fixedSizeArrange = true;
    // Every node is placed from the computed layout; otherwise leaves only.
    bool autoSort = true;

    bool operator==(const MacroArrangeOptions&) const = default;
};

// How many leaf boxes a view keeps as bitmaps, and how many it keeps now.
// Owned by the view; a failed bitmap lowers the budget so that no further
// box is kept.
struct MacroBoxBudget {
    int32_t budget = 1000;
    int32_t count = 0;
};
