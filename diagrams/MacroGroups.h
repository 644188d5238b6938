#pragma once

#include "ModelScope.h"

// The two group elements of a macro view, "Global Function(s)" and
// "Global Variable(s)", under which the free functions and the variables
// and enums of a namespace or the root are shown. Each view owns its pair;
// the layout nodes point at them, so the pair outlives the nodes.
struct MacroGroups {
    MacroGroups();
    MacroGroups(const MacroGroups&) = delete;
    MacroGroups& operator=(const MacroGroups&) = delete;

    CModelScope functions;
    CModelScope variables;
};
