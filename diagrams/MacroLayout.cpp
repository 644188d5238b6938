#include "MacroLayout.h"

#include "MacroArrangement.h"

#include "ModelScope.h"
#include "UnitKind.h"

#include <algorithm>
#include <map>
#include <span>

namespace {

int32_t KindOf(const MacroLayoutNode& node)
{
    return node.scope != nullptr ? node.scope->kind : 0;
}

bool IsStackedKind(int32_t kind)
{
    return kind == UNIT_CLASS || kind == UNIT_STRUCT || kind == UNIT_UNION;
}

// Kinds that one stacked run of members shares: struct and union count as
// class, a multiple-declared variable as a variable.
int32_t MemberRunKind(int32_t kind)
{
    if (kind == UNIT_STRUCT || kind == UNIT_UNION)
        return UNIT_CLASS;
    if (kind == UNIT_MULTIPLE_VARIABLE)
        return UNIT_VARIABLE;
    return kind;
}

// An arrangement in place: sizes and marks go into the nodes.
struct NodeBoxes {
    // The places of a vector's nodes are not needed.
    struct Places {
        explicit Places(size_t) { }
        void Set(size_t, size_t) { }
        size_t operator[](size_t) const { return 0; }
    };

    static int Width(const MacroLayoutNode& node, size_t) { return node.boxW; }
    static int ShownHeight(const MacroLayoutNode& node, size_t) { return node.ShownHeight(); }
    static void SetBox(MacroLayoutNode& node, size_t, int width, int height)
    {
        node.boxW = width;
        node.boxH = height;
    }
    static void SetStacked(MacroLayoutNode& node, size_t) { node.stackedMembers = 1; }
    static void SetGrouped(MacroLayoutNode& node, size_t, bool grouped)
    {
        node.grouped = grouped ? 1 : 0;
    }
    static void SetSeparators(MacroLayoutNode& node, size_t, std::vector<int>&& separators)
    {
        node.separators = std::move(separators);
    }
};

// An arrangement away from the window: sizes and marks go into a record, by
// the node's place depth first.
struct RecordBoxes {
    struct Places {
        explicit Places(size_t count) : places(count) { }
        void Set(size_t i, size_t at) { places[i] = static_cast<uint32_t>(at); }
        size_t operator[](size_t i) const { return places[i]; }
        std::vector<uint32_t> places;
    };

    int Width(const MacroLayoutNode&, size_t at) const { return out.boxes[at].width; }
    int ShownHeight(const MacroLayoutNode& node, size_t at) const
    {
        return node.open ? out.boxes[at].height : node.textH;
    }
    void SetBox(MacroLayoutNode&, size_t at, int width, int height)
    {
        out.boxes[at] = {width, height};
    }
    void SetStacked(MacroLayoutNode&, size_t at)
    {
        out.marks[at] |= MacroArrangement::kStackedMembers;
    }
    void SetGrouped(MacroLayoutNode&, size_t at, bool grouped)
    {
        if (grouped)
            out.marks[at] |= MacroArrangement::kGrouped;
        else
            out.marks[at] &= static_cast<uint8_t>(~MacroArrangement::kGrouped);
    }
    void SetSeparators(MacroLayoutNode&, size_t at, std::vector<int>&& separators)
    {
        if (!separators.empty())
            out.separators.emplace_back(static_cast<uint32_t>(at), std::move(separators));
    }

    MacroArrangement& out;
};

constexpr int kStopCheckNodes = 4096;

// Counts the nodes and makes their digest, depth first. False when a sibling
// vector is out of the order of sort `mode`, or once `stop` is set.
bool Survey(const std::vector<MacroLayoutNode>& nodes, int mode, const std::atomic<bool>* stop,
    int& untilCheck, size_t& count, uint64_t& digest)
{
    if (!InSiblingOrder(nodes, mode))
        return false;
    for (const MacroLayoutNode& node : nodes) {
        if (--untilCheck <= 0) {
            if (stop != nullptr && stop->load(std::memory_order_relaxed))
                return false;
            untilCheck = kStopCheckNodes;
        }
        ++count;
        digest = AddToLayoutDigest(digest, node);
        if (!Survey(node.children, mode, stop, untilCheck, count, digest))
            return false;
    }
    return true;
}

void PlaceAll(std::span<MacroLayoutNode> list, int originX, int originY, int border)
{
    for (MacroLayoutNode& node : list) {
        node.absX = node.relX + originX;
        node.absY = node.relY + originY;
        if (node.open)
            PlaceAll(node.children, node.absX, node.absY + node.textH + border, border);
    }
}

void PlaceLeaves(std::span<MacroLayoutNode> list, int originX, int originY, int border)
{
    for (MacroLayoutNode& node : list) {
        if (!IsMacroContainerKind(KindOf(node))) {
            node.absX = node.relX + originX;
            node.absY = node.relY + originY;
        }
        if (node.open)
            PlaceLeaves(node.children, node.absX, node.absY + node.textH + border, border);
    }
}

} // namespace

void PlaceLayoutNodes(std::vector<MacroLayoutNode>& nodes, int border, bool autoSort)
{
    if (autoSort)
        PlaceAll(nodes, 0, 0, border);
    else
        PlaceLeaves(nodes, 0, 0, border);
}

CMacroLayout::CMacroLayout(std::vector<MacroLayoutNode>& list, int borderValue, int space,
    int viewWidth, int groupingMode, const MacroArrangeOptions& options)
    : nodes(list),
      border(borderValue),
      unitSpace(space),
      width(std::max(0, viewWidth)),
      grouping(groupingMode),
      options_(options)
{
}

CSize CMacroLayout::Arrange()
{
    inClass = 0;
    SortLayoutNodes(nodes, options_.sort);
    NodeBoxes boxes;
    size_t next = 0;
    CSize size = SizeFlow(boxes, nodes, next, 0);
    if (Stopped())
        return size;
    PlaceLayoutNodes(nodes, border, options_.autoSort);
    return size;
}

void CMacroLayout::ArrangeInto(MacroArrangement& out)
{
    out = MacroArrangement();
    out.border = border;
    out.autoSort = options_.autoSort;
    int untilCheck = 0;
    size_t count = 0;
    uint64_t digest = 0;
    if (!Survey(nodes, options_.sort, stop, untilCheck, count, digest))
        return;
    out.boxes.resize(count);
    out.marks.assign(count, 0);
    out.digest = digest;
    inClass = 0;
    RecordBoxes boxes {out};
    size_t next = 0;
    out.size = SizeFlow(boxes, nodes, next, 0);
    // Each node's separators were recorded after its content's.
    std::sort(out.separators.begin(), out.separators.end(),
        [](const auto& a, const auto& b) { return a.first < b.first; });
}

template <class Boxes>
CSize CMacroLayout::SizeNode(
    Boxes& boxes, MacroLayoutNode& node, size_t at, size_t& next, int depth)
{
    const int saved = inClass;
    const bool stacked = IsStackedKind(KindOf(node));
    inClass = stacked ? 1 : 0;
    CSize content;
    if (stacked) {
        content = StackMembers(boxes, node.children, node, at, next, depth + 1);
        boxes.SetStacked(node, at);
        content.cx += 1;
        content.cy += 1;
    } else {
        content = SizeFlow(boxes, node.children, next, depth + 1);
    }
    inClass = saved;
    return content;
}

template <class Boxes>
void CMacroLayout::SizeChild(Boxes& boxes, MacroLayoutNode& child, size_t& next, int depth)
{
    const size_t at = next++;
    boxes.SetGrouped(child, at, false);
    CSize content = SizeNode(boxes, child, at, next, depth);
    boxes.SetBox(child, at, std::max(child.textW + 2 * border, content.cx),
        child.textH + content.cy + 2 * border);
}

template <class Boxes>
CSize CMacroLayout::StackMembers(Boxes& boxes, std::span<MacroLayoutNode> children,
    MacroLayoutNode& parent, size_t parentAt, size_t& next, int depth)
{
    std::vector<int> separators;
    int y = Step();
    int previousHeight = 0;
    int widthResult = 0;
    size_t previousAt = 0;
    for (size_t i = 0; i < children.size(); ++i) {
        if (Stopped())
            return {0, 0};
        MacroLayoutNode& child = children[i];
        const size_t at = next;
        SizeChild(boxes, child, next, depth);
        bool joinable = false;
        if (i > 0) {
            MacroLayoutNode& previous = children[i - 1];
            if (MemberRunKind(KindOf(child)) != MemberRunKind(KindOf(previous))) {
                // Under the box as shown: a closed nested type shows its
                // caption only.
                separators.push_back(
                    previous.relY + boxes.ShownHeight(previous, previousAt) + Gap() / 2 + 1);
                y += border + 2;
            } else {
                joinable = true;
            }
        }
        const int32_t runKind = MemberRunKind(KindOf(child));
        if (joinable && (runKind == UNIT_VARIABLE || runKind == UNIT_FUNCTION) && grouping != 0) {
            y += previousHeight - (grouping == 2 ? 1 : 0);
            boxes.SetGrouped(child, at, true);
            boxes.SetGrouped(children[i - 1], previousAt, true);
        } else {
            y += Step() + previousHeight;
        }
        child.relX = Step();
        child.relY = y;
        widthResult = std::max(widthResult, Step() + boxes.Width(child, at) + Step());
        previousHeight = boxes.ShownHeight(child, at);
        if (previousHeight < 1)
            previousHeight = 0;
        previousAt = at;
    }
    if (!children.empty())
        boxes.SetSeparators(parent, parentAt, std::move(separators));
    return {widthResult, previousHeight + Gap() + y};
}

template <class Boxes>
CSize CMacroLayout::SizeFlow(
    Boxes& boxes, std::span<MacroLayoutNode> children, size_t& next, int depth)
{
    // Nothing to lay out takes no room (an empty view is 0 by 0).
    if (children.empty())
        return {0, 0};
    typename Boxes::Places at(children.size());
    for (size_t i = 0; i < children.size(); ++i) {
        if (Stopped())
            return {0, 0};
        at.Set(i, next);
        SizeChild(boxes, children[i], next, depth);
    }

    std::map<int32_t, int> kindCellWidth;
    if (options_.fixedSizeArrange) {
        for (size_t i = 0; i < children.size(); ++i) {
            int& cell = kindCellWidth[KindOf(children[i])];
            cell = std::max(cell, boxes.Width(children[i], at[i]) + Step());
        }
    }

    int x = Step();
    int y = Step();
    int rowHeight = 0;
    int widthResult = 0;
    for (size_t i = 0; i < children.size(); ++i) {
        MacroLayoutNode& child = children[i];
        const int cell =
            options_.fixedSizeArrange ? kindCellWidth[KindOf(child)] : boxes.Width(child, at[i]);
        // A box fits when it and the room that follows it (which the width
        // result takes in) stay within the view, so that a row that fits
        // gives a picture no wider than the view.
        const bool overflows =
            static_cast<int64_t>(x) + cell + border + Gap() + 2LL * Gap() * depth >
            static_cast<int64_t>(width);
        const bool kindChanges = i > 0 && KindOf(child) != KindOf(children[i - 1]);
        if (overflows || kindChanges) {
            x = Step();
            y += Step() + rowHeight;
            rowHeight = 0;
        }
        child.relX = x;
        child.relY = y;
        x += border + Gap() + cell;
        widthResult = std::max(widthResult, x);
        rowHeight = std::max(rowHeight, boxes.ShownHeight(child, at[i]));
    }
    return {widthResult, y + rowHeight + Gap()};
}
