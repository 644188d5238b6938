#pragma once

#include "GdiTypes.h"
#include "MacroArrangeOptions.h"
#include "MacroLayoutNode.h"
#include "MacroSiblingOrder.h"

#include <atomic>
#include <cstdint>
#include <span>
#include <vector>

struct MacroArrangement;

// Sorts, sizes and places the macro view's layout tree for one arrangement.
//
// Siblings are sorted by size or by name; the members of
// a class, struct or union are stacked one under the other, every other
// content flows in rows that wrap at the view's width; then absolute
// positions are given to every node (auto sort) or to leaves only.
class CMacroLayout {
public:
    CMacroLayout(std::vector<MacroLayoutNode>& nodes, int border, int unitSpace, int width,
        int grouping, const MacroArrangeOptions& options);

    // Sorts, sizes and places the whole tree; returns its total size. Once
    // `stop` is set, the boxes not yet sized are left as they are and the
    // size returned means nothing.
    CSize Arrange();
    // Sizes the tree as Arrange does, but what paints read stays as it is:
    // the box sizes, marks and separators go to `out`, the relative
    // positions into the nodes (paints never read them), and nothing is
    // placed; TakeArrangement then gives the tree the rest. The tree is not
    // sorted: when its siblings are not in the options' order (an arranged
    // tree's are), `out` holds no boxes. Once `stop` is set, `out` means
    // nothing.
    void ArrangeInto(MacroArrangement& out);

    std::vector<MacroLayoutNode>& nodes;
    int inClass = 0;
    int border;
    int unitSpace;
    int width;
    int grouping;
    // Looked at before each box is sized; may be null.
    const std::atomic<bool>* stop = nullptr;

private:
    bool Stopped() const { return stop != nullptr && stop->load(std::memory_order_relaxed); }
    int Gap() const { return inClass == 1 ? unitSpace : 3 * unitSpace; }
    int Step() const { return Gap() + border; }
    // Where the sizes go (the nodes, or a record) is the Boxes' business;
    // `next` is the place depth first of the next node sized.
    template <class Boxes>
    CSize SizeNode(Boxes& boxes, MacroLayoutNode& node, size_t at, size_t& next, int depth);
    template <class Boxes>
    void SizeChild(Boxes& boxes, MacroLayoutNode& child, size_t& next, int depth);
    template <class Boxes>
    CSize StackMembers(Boxes& boxes, std::span<MacroLayoutNode> children, MacroLayoutNode& parent,
        size_t parentAt, size_t& next, int depth);
    template <class Boxes>
    CSize SizeFlow(Boxes& boxes, std::span<MacroLayoutNode> children, size_t& next, int depth);

    MacroArrangeOptions options_;
};

// Gives absolute positions from the relative ones: to every node (auto
// sort), or to leaves only, containers keeping theirs; only open nodes'
// content is placed.
void PlaceLayoutNodes(std::vector<MacroLayoutNode>& nodes, int border, bool autoSort);
