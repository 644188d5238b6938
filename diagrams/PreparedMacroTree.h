#pragma once

#include "GdiTypes.h"
#include "MacroArrangeOptions.h"
#include "MacroLayoutNode.h"

#include <vector>

class CModelScope;

// A macro view's layout tree built, measured and arranged away from the
// paint (for a huge model that takes seconds), for the paint that first shows
// the model to take over instead of building its own.
struct PreparedMacroTree {
    // The model root it was built from.
    CModelScope* root = nullptr;
    std::vector<MacroLayoutNode> nodes;
    int nodeCount = 0;
    // What it was arranged for, and the arranged size.
    MacroArrangeOptions options;
    int width = 0;
    CSize size;
};
