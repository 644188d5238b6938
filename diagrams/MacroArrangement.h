#pragma once

#include "GdiTypes.h"

#include <cstdint>
#include <vector>

class CModelScope;

// The sizes and places a layout tree's boxes were given by an arrangement
// made away from the window, one entry per node, depth first (each node
// before its content), for the shown tree to take over.
struct MacroArrangement {
    struct Box {
        // Which node it is, to check that the tree is still the same.
        CModelScope* scope = nullptr;
        uint32_t children = 0;
        int relX = 0;
        int relY = 0;
        int absX = 0;
        int absY = 0;
        int boxW = 0;
        int boxH = 0;
        uint8_t stackedMembers = 0;
        uint8_t grouped = 0;
        // Into `separators`, or -1 when the node has none.
        int32_t separators = -1;
    };

    std::vector<Box> boxes;
    std::vector<std::vector<int>> separators;
    // The arranged size (the scroll size).
    CSize size;
};
