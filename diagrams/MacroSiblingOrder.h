#pragma once

#include "MacroLayoutNode.h"

#include <span>
#include <vector>

class CModelScope;

// Sibling orders. By size: kind, then number of children, then access rank
// (none 0, private 1, protected 2, public 3), then name. By name: kind, then
// name. Names compare byte by byte.
bool LessBySize(const MacroLayoutNode& a, const MacroLayoutNode& b);
bool LessByName(const MacroLayoutNode& a, const MacroLayoutNode& b);
// Sorts every sibling vector of the tree: mode 0 by size, 1 by name, any
// other value not at all.
void SortLayoutNodes(std::vector<MacroLayoutNode>& nodes, int mode);
// Whether no node of the vector (its children aside) comes before the one in
// front of it by sort mode 0 or 1; any other mode keeps every order.
bool InSiblingOrder(std::span<const MacroLayoutNode> nodes, int mode);
// The access rank of an element from its first unit.
int MacroAccessRank(const CModelScope* scope);
