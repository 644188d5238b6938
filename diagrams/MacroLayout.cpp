#include "MacroLayout.h"

#include "ModelScope.h"
#include "UnitKind.h"

#include <algorithm>
#include <map>
#include <tuple>

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

const std::string& NameOf(const MacroLayoutNode& node)
{
    static const std::string empty;
    return node.scope != nullptr ? node.scope->name : empty;
}

} // namespace

int MacroAccessRank(const CModelScope* scope)
{
    if (scope == nullptr)
        return 0;
    const CUnit* unit = scope->GetFirstUnit();
    if (unit == nullptr)
        return 0;
    switch (GetUnitAccess(*unit)) {
    case ACCESS_PUBLIC:
        return 3;
    case ACCESS_PROTECTED:
        return 2;
    case ACCESS_PRIVATE:
        return 1;
    default:
        return 0;
    }
}

bool LessBySize(const MacroLayoutNode& a, const MacroLayoutNode& b)
{
    if (KindOf(a) != KindOf(b))
        return KindOf(a) < KindOf(b);
    if (a.children.size() != b.children.size())
        return a.children.size() < b.children.size();
    const int ra = MacroAccessRank(a.scope);
    const int rb = MacroAccessRank(b.scope);
    if (ra != rb)
        return ra < rb;
    return NameOf(a) < NameOf(b);
}

bool LessByName(const MacroLayoutNode& a, const MacroLayoutNode& b)
{
    if (KindOf(a) != KindOf(b))
        return KindOf(a) < KindOf(b);
    return NameOf(a) < NameOf(b);
}

namespace {

// What the sibling orders compare of a node, taken once per node: sorting
// moves these small keys, and each node is moved once, to its place. The
// order by name leaves the children and the rank at 0.
struct SortKey {
    int32_t kind;
    size_t children;
    int rank;
    const std::string* name;
    size_t index;
};

// Everything the orders compare but the name.
auto Ranks(const SortKey& key)
{
    return std::tie(key.kind, key.children, key.rank);
}

bool KeyLessButName(const SortKey& a, const SortKey& b)
{
    return Ranks(a) < Ranks(b);
}

bool KeyLess(const SortKey& a, const SortKey& b)
{
    if (Ranks(a) != Ranks(b))
        return Ranks(a) < Ranks(b);
    return *a.name < *b.name;
}

bool InNameOrder(const std::vector<SortKey>& keys)
{
    for (size_t i = 1; i < keys.size(); ++i) {
        if (*keys[i].name < *keys[i - 1].name)
            return false;
    }
    return true;
}

// As a stable sort of the nodes by LessBySize (mode 0) or LessByName, then
// the same for every node's children; `keys` is room to reuse.
void SortTree(std::vector<MacroLayoutNode>& nodes, int mode, std::vector<SortKey>& keys)
{
    if (nodes.size() > 1) {
        keys.clear();
        for (size_t i = 0; i < nodes.size(); ++i) {
            const MacroLayoutNode& node = nodes[i];
            keys.push_back({KindOf(node), mode == 0 ? node.children.size() : 0,
                mode == 0 ? MacroAccessRank(node.scope) : 0, &NameOf(node), i});
        }
        // Keys already in name order (as an element's children come) need
        // not compare names: a stable sort keeps that order.
        std::stable_sort(keys.begin(), keys.end(), InNameOrder(keys) ? KeyLessButName : KeyLess);
        size_t first = 0;
        while (first < keys.size() && keys[first].index == first)
            ++first;
        if (first < keys.size()) {
            std::vector<MacroLayoutNode> sorted;
            sorted.reserve(nodes.size());
            for (const SortKey& key : keys)
                sorted.push_back(std::move(nodes[key.index]));
            nodes.swap(sorted);
        }
    }
    for (MacroLayoutNode& node : nodes)
        SortTree(node.children, mode, keys);
}

} // namespace

void SortLayoutNodes(std::vector<MacroLayoutNode>& nodes, int mode)
{
    if (mode != 0 && mode != 1)
        return;
    std::vector<SortKey> keys;
    SortTree(nodes, mode, keys);
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
    CSize size = SizeFlow(nodes, 0);
    if (Stopped())
        return size;
    if (options_.autoSort)
        PlaceAll(nodes, 0, 0);
    else
        PlaceLeaves(nodes, 0, 0);
    return size;
}

CSize CMacroLayout::SizeNode(MacroLayoutNode& node, int depth)
{
    const int saved = inClass;
    const bool stacked = IsStackedKind(KindOf(node));
    inClass = stacked ? 1 : 0;
    CSize content;
    if (stacked) {
        content = StackMembers(node.children, &node, depth + 1);
        node.stackedMembers = 1;
        content.cx += 1;
        content.cy += 1;
    } else {
        content = SizeFlow(node.children, depth + 1);
    }
    inClass = saved;
    return content;
}

void CMacroLayout::SizeChild(MacroLayoutNode& child, int depth)
{
    child.grouped = 0;
    CSize content = SizeNode(child, depth);
    child.boxW = std::max(child.textW + 2 * border, content.cx);
    child.boxH = child.textH + content.cy + 2 * border;
}

CSize CMacroLayout::StackMembers(
    std::vector<MacroLayoutNode>& children, MacroLayoutNode* parent, int depth)
{
    if (parent != nullptr && !children.empty())
        parent->separators.clear();
    int y = Step();
    int previousHeight = 0;
    int widthResult = 0;
    for (size_t i = 0; i < children.size(); ++i) {
        if (Stopped())
            return {0, 0};
        MacroLayoutNode& child = children[i];
        SizeChild(child, depth);
        bool joinable = false;
        if (i > 0) {
            MacroLayoutNode& previous = children[i - 1];
            if (MemberRunKind(KindOf(child)) != MemberRunKind(KindOf(previous))) {
                // Under the box as shown: a closed nested type shows its
                // caption only.
                if (parent != nullptr)
                    parent->separators.push_back(
                        previous.relY + previous.ShownHeight() + Gap() / 2 + 1);
                y += border + 2;
            } else {
                joinable = true;
            }
        }
        const int32_t runKind = MemberRunKind(KindOf(child));
        if (joinable && (runKind == UNIT_VARIABLE || runKind == UNIT_FUNCTION) && grouping != 0) {
            y += previousHeight - (grouping == 2 ? 1 : 0);
            child.grouped = 1;
            children[i - 1].grouped = 1;
        } else {
            y += Step() + previousHeight;
        }
        child.relX = Step();
        child.relY = y;
        widthResult = std::max(widthResult, Step() + child.boxW + Step());
        previousHeight = child.ShownHeight();
        if (previousHeight < 1)
            previousHeight = 0;
    }
    return {widthResult, previousHeight + Gap() + y};
}

CSize CMacroLayout::SizeFlow(std::vector<MacroLayoutNode>& children, int depth)
{
    // Nothing to lay out takes no room (an empty view is 0 by 0).
    if (children.empty())
        return {0, 0};
    for (MacroLayoutNode& child : children) {
        if (Stopped())
            return {0, 0};
        SizeChild(child, depth);
    }

    std::map<int32_t, int> kindCellWidth;
    if (options_.fixedSizeArrange) {
        for (const MacroLayoutNode& child : children) {
            int& cell = kindCellWidth[KindOf(child)];
            cell = std::max(cell, child.boxW + Step());
        }
    }

    int x = Step();
    int y = Step();
    int rowHeight = 0;
    int widthResult = 0;
    for (size_t i = 0; i < children.size(); ++i) {
        MacroLayoutNode& child = children[i];
        const int cell = options_.fixedSizeArrange ? kindCellWidth[KindOf(child)] : child.boxW;
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
        rowHeight = std::max(rowHeight, child.ShownHeight());
    }
    return {widthResult, y + rowHeight + Gap()};
}

void CMacroLayout::PlaceAll(std::vector<MacroLayoutNode>& list, int originX, int originY)
{
    for (MacroLayoutNode& node : list) {
        node.absX = node.relX + originX;
        node.absY = node.relY + originY;
        if (node.open)
            PlaceAll(node.children, node.absX, node.absY + node.textH + border);
    }
}

void CMacroLayout::PlaceLeaves(std::vector<MacroLayoutNode>& list, int originX, int originY)
{
    for (MacroLayoutNode& node : list) {
        if (!IsMacroContainerKind(KindOf(node))) {
            node.absX = node.relX + originX;
            node.absY = node.relY + originY;
        }
        if (node.open)
            PlaceLeaves(node.children, node.absX, node.absY + node.textH + border);
    }
}
