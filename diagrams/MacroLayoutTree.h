#pragma once

#include "GdiTypes.h"
#include "MacroLayoutNode.h"

#include <atomic>
#include <vector>

class CDC;
class CModelScope;
struct MacroGroups;
class CVisualSetting;
struct ElementStyleTable;

// Builds the layout tree of an element's children. In a class, struct, union
// or placeholder every member is a node; in a namespace or the root, the
// variables and enums go under a "Global Variable(s)" node and the functions
// under a "Global Function(s)" node, which follow the other members (both
// stand for the view's group elements). Every new node is closed, at (0, 0),
// unnumbered.
void BuildLayoutTree(CModelScope* element, std::vector<MacroLayoutNode>& out, MacroGroups& groups);

// Builds the tree of the model root into `nodes` and numbers it; returns the
// node count.
int BuildMacroLayout(CModelScope* root, std::vector<MacroLayoutNode>& nodes, MacroGroups& groups);

// Measures every node's caption in the font of its kind (the default font
// for an element without units), grown by 2 + 2 x border, widened by the
// function mark when the style asks for it and by the fold marker when the
// node has children; drops every kept bitmap. Once `stop` is set, the nodes
// not yet measured are left as they are: false then, true otherwise.
bool MeasureLayout(std::vector<MacroLayoutNode>& nodes, CVisualSetting& fonts,
    const ElementStyleTable& style, CDC* dc, int border, const std::atomic<bool>* stop = nullptr);

// The topmost node whose box (both ends included; the caption only for a
// closed node) holds the point, searching open nodes' contents too; null when
// none does.
MacroLayoutNode* HitTestMacroNodes(std::vector<MacroLayoutNode>& nodes, CPoint point);
