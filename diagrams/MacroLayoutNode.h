#pragma once

#include "Bitmap.h"
#include "DeviceContext.h"
#include "LazyVector.h"
#include "MacroSeparators.h"

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

class CModelScope;

// The bitmap copy of a drawn leaf box, kept so that later paints copy it back
// instead of drawing the box again. It counts itself in a counter (the
// view's box-bitmap count) while it lives.
struct MacroBoxCache {
    explicit MacroBoxCache(int32_t* counter) : counter(counter) { }
    ~MacroBoxCache()
    {
        if (counter != nullptr)
            --*counter;
    }
    MacroBoxCache(const MacroBoxCache&) = delete;
    MacroBoxCache& operator=(const MacroBoxCache&) = delete;

    CDC dc;
    CBitmap bitmap;
    int32_t* counter;
};

// A node of the macro view's layout tree: one box per model element, with
// its caption size, box size, relative and absolute position, fold state and
// content. Copies take everything but the kept bitmap.
struct MacroLayoutNode {
    MacroLayoutNode() = default;
    explicit MacroLayoutNode(CModelScope* element) : scope(element) { }
    MacroLayoutNode(const MacroLayoutNode& other);
    MacroLayoutNode& operator=(const MacroLayoutNode& other);
    MacroLayoutNode(MacroLayoutNode&&) noexcept = default;
    MacroLayoutNode& operator=(MacroLayoutNode&&) noexcept = default;
    ~MacroLayoutNode() = default;

    // The height the box shows: the whole box when open, the caption when
    // closed.
    int ShownHeight() const { return open ? boxH : textH; }
    bool HasChildren() const { return !children.empty(); }
    // Releases the kept bitmap (the counter it was counted in falls by one).
    void DropCache();

    // The fields are in an order that leaves no padding: a tree may have
    // millions of nodes.
    MacroSeparators separators;
    int relX = 0;
    int relY = 0;
    int absX = 0;
    int absY = 0;
    int foldMark = 0;
    int textW = 0;
    int textH = 0;
    int boxW = 0;
    int boxH = 0;
    int number = 0;
    uint8_t open = 0;
    uint8_t stackedMembers = 0;
    uint8_t grouped = 0;
    uint8_t cached = 0;
    std::unique_ptr<MacroBoxCache> boxCache;
    CModelScope* scope = nullptr;
    LazyVector<MacroLayoutNode> children;
};

// Writes running numbers depth first (each node before its children) from
// `counter` on; `counter` ends one past the last number.
void NumberLayoutNodes(int& counter, std::span<MacroLayoutNode> nodes);

// Opens or closes a node. A leaf whose shown height changes drops its kept
// bitmap, which no longer matches it.
void SetNodeOpen(MacroLayoutNode& node, bool open);
// Opens or closes every node of the tree (Fold All, Unfold All).
void SetAllNodesOpen(std::span<MacroLayoutNode> nodes, bool open);

// The element kinds whose nodes hold other nodes when placed.
bool IsMacroContainerKind(int32_t kind);
