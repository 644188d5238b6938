#include "MacroLayoutNode.h"

#include "UnitKind.h"

#include <span>

MacroLayoutNode::MacroLayoutNode(const MacroLayoutNode& other)
    : separators(other.separators),
      relX(other.relX),
      relY(other.relY),
      absX(other.absX),
      absY(other.absY),
      foldMark(other.foldMark),
      textW(other.textW),
      textH(other.textH),
      boxW(other.boxW),
      boxH(other.boxH),
      number(other.number),
      open(other.open),
      stackedMembers(other.stackedMembers),
      grouped(other.grouped),
      cached(0),
      scope(other.scope),
      children(other.children)
{
}

MacroLayoutNode& MacroLayoutNode::operator=(const MacroLayoutNode& other)
{
    if (this == &other)
        return *this;
    MacroLayoutNode copy(other);
    *this = std::move(copy);
    return *this;
}

void MacroLayoutNode::DropCache()
{
    boxCache.reset();
    cached = 0;
}

void NumberLayoutNodes(int& counter, std::span<MacroLayoutNode> nodes)
{
    for (MacroLayoutNode& node : nodes) {
        node.number = counter++;
        NumberLayoutNodes(counter, node.children);
    }
}

void SetNodeOpen(MacroLayoutNode& node, bool open)
{
    const int before = node.ShownHeight();
    node.open = open ? 1 : 0;
    if (!node.HasChildren() && node.cached && node.ShownHeight() != before)
        node.DropCache();
}

void SetAllNodesOpen(std::span<MacroLayoutNode> nodes, bool open)
{
    for (MacroLayoutNode& node : nodes) {
        SetNodeOpen(node, open);
        SetAllNodesOpen(node.children, open);
    }
}

bool IsMacroContainerKind(int32_t kind)
{
    switch (kind) {
    case UNIT_CLASS:
    case UNIT_STRUCT:
    case UNIT_UNION:
    case UNIT_NAMESPACE:
    case UNIT_PLACEHOLDER:
    case UNIT_GLOBAL_VARIABLES:
    case UNIT_GLOBAL_FUNCTIONS:
        return true;
    default:
        return false;
    }
}
