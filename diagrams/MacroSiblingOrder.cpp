#include "MacroSiblingOrder.h"

#include "ModelScope.h"
#include "UnitKind.h"

#include <algorithm>
#include <span>
#include <tuple>

namespace {

int32_t KindOf(const MacroLayoutNode& node)
{
    return node.scope != nullptr ? node.scope->kind : 0;
}

std::string_view NameOf(const MacroLayoutNode& node)
{
    return node.scope != nullptr ? node.scope->name.view() : std::string_view();
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
    std::string_view name;
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
    return a.name < b.name;
}

bool InNameOrder(const std::vector<SortKey>& keys)
{
    for (size_t i = 1; i < keys.size(); ++i) {
        if (keys[i].name < keys[i - 1].name)
            return false;
    }
    return true;
}

// As a stable sort of the nodes by LessBySize (mode 0) or LessByName, then
// the same for every node's children; `keys` is room to reuse. Nodes
// already in order (as a tree sorted before comes) need no keys: a
// namespace of millions of variables would take as many.
void SortTree(std::span<MacroLayoutNode> nodes, int mode, std::vector<SortKey>& keys)
{
    if (nodes.size() > 1 && !InSiblingOrder(nodes, mode)) {
        keys.clear();
        keys.reserve(nodes.size());
        for (size_t i = 0; i < nodes.size(); ++i) {
            const MacroLayoutNode& node = nodes[i];
            keys.push_back({KindOf(node), mode == 0 ? node.children.size() : 0,
                mode == 0 ? MacroAccessRank(node.scope) : 0, NameOf(node), i});
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
            std::move(sorted.begin(), sorted.end(), nodes.begin());
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

bool InSiblingOrder(std::span<const MacroLayoutNode> nodes, int mode)
{
    if (mode != 0 && mode != 1)
        return true;
    for (size_t i = 1; i < nodes.size(); ++i) {
        if (mode == 0 ? LessBySize(nodes[i], nodes[i - 1]) : LessByName(nodes[i], nodes[i - 1]))
            return false;
    }
    return true;
}
