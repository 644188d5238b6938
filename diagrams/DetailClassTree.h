#pragma once

#include "DetailBox.h"
#include "GdiTypes.h"

#include <cstddef>
#include <memory>
#include <vector>

class CModelScope;
struct CBaseClassInfo;

// A type in the detail diagram with the types it derives from: one node per
// base class in declaration order, each with the access it was inherited
// with and whether the line to it is dotted (a virtual base). The selected
// type's node also holds the boxes of the types linked to it through member
// variables.
struct DetailClassNode {
    std::vector<DetailClassNode> bases;
    std::vector<int> access; // per base: 1 public, 2 protected, 3 private
    std::vector<bool> dotted;
    DetailBox box;
    std::vector<DetailBox> linked;
};

// Builds the tree of a type and its bases. Base names are looked up from the
// derived type's parent, then from the lookup scope (a name beginning with
// "::" from the lookup scope only); a base found nowhere gets a placeholder
// element of its own, kept in `placeholders`.
//
// A base that is already on the path from the selected type (a type deriving
// from itself, directly or through others, as two #ifdef branches can make
// it) is shown as a box without bases instead of being followed again; so
// are all bases once the tree holds kMaxNodes nodes.
class DetailTreeBuilder {
public:
    static constexpr size_t kMaxNodes = 1000;

    DetailTreeBuilder(
        const CModelScope* lookupScope, std::vector<std::unique_ptr<CModelScope>>& placeholders);

    // The node of the selected type, its bases and its linked boxes (each
    // folded, the ones linked through a cv-qualified or pointer member with a
    // dotted line).
    DetailClassNode Build(const CModelScope& selected);

private:
    void BuildNode(DetailClassNode& node, const CModelScope& scope);
    const CModelScope& ResolveBase(const CModelScope& derived, const CBaseClassInfo& base);
    bool IsOnPath(const CModelScope* scope) const;

    const CModelScope* lookupScope_;
    std::vector<std::unique_ptr<CModelScope>>& placeholders_;
    std::vector<const CModelScope*> path_;
    size_t nodes_ = 0;
};

// Distances of the tree's layout.
struct DetailTreeSpacing {
    int inset = 2;
    int gap = 8; // between sibling boxes
    int drop = 32; // between a row of bases and the box below it
};

// Places the tree with its top-left corner at `origin`: every type's bases
// side by side above it, and the linked boxes in a row below the tree.
// Returns the picture size. Every box must have been measured.
CSize LayoutDetailTree(DetailClassNode& root, CPoint origin, const DetailTreeSpacing& spacing);

// Offers a click to the bases (depth first), then the linked boxes, then the
// node's own box; the first box that takes it ends the test.
bool HitTestDetailTree(DetailClassNode& node, CPoint point, bool doubleClick);
