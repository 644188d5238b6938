#pragma once

#include "GdiTypes.h"
#include "MacroLayoutNode.h"

#include <cstdint>
#include <utility>
#include <vector>

// What an arrangement made away from the window gives the boxes of a layout
// tree, for the shown tree to take over: the box sizes, marks and separators,
// by the node's place depth first (each node before its content). The
// relative positions are left in the nodes themselves (paints never read
// them); the absolute ones follow from them when the tree takes the rest.
struct MacroArrangement {
    struct Box {
        int32_t width = 0;
        int32_t height = 0;
    };
    enum Mark : uint8_t { kStackedMembers = 1, kGrouped = 2 };

    // One per node.
    std::vector<Box> boxes;
    std::vector<uint8_t> marks;
    // The separators of the nodes that have any, in the order of the nodes.
    std::vector<std::pair<uint32_t, std::vector<int>>> separators;
    // A digest of the tree's elements and their numbers of children, depth
    // first: the tree takes the arrangement only while it is the same.
    uint64_t digest = 0;
    // How the nodes are placed from their relative positions.
    int border = 0;
    bool autoSort = true;
    // The arranged size (the scroll size).
    CSize size;
};

// Starts or continues the digest of a tree with a node.
uint64_t AddToLayoutDigest(uint64_t digest, const MacroLayoutNode& node);

// Gives every node the box size, marks and separators recorded for it and
// places the tree from its relative positions. False when the tree does not
// hold the recorded elements in the recorded order (some nodes may have
// taken theirs then: it needs arranging again).
bool TakeArrangement(std::vector<MacroLayoutNode>& nodes, const MacroArrangement& arrangement);
