#include "DetailClassTree.h"

#include "ModelScope.h"
#include "UnitDetail.h"

#include <algorithm>

namespace {

bool IsClassLike(const CModelScope& scope)
{
    return scope.kind == UNIT_CLASS || scope.kind == UNIT_STRUCT || scope.kind == UNIT_UNION;
}

const CModelScope* FindMember(const CModelScope* scope, const std::string& name)
{
    if (scope == nullptr || !scope->scopeChildren)
        return nullptr;
    CModelScope key;
    key.name = name;
    return scope->FindChild(key);
}

// The class named by the qualifiers and name, looked up from `from`.
const CModelScope* FindQualified(const CModelScope* from, const CQualifiedName& name)
{
    const CModelScope* scope = from;
    for (const std::string& qualifier : name.scopes)
        scope = FindMember(scope, qualifier);
    const CModelScope* found = FindMember(scope, name.name);
    return found != nullptr && IsClassLike(*found) ? found : nullptr;
}

} // namespace

DetailTreeBuilder::DetailTreeBuilder(
    const CModelScope* lookupScope, std::vector<std::unique_ptr<CModelScope>>& placeholders)
    : lookupScope_(lookupScope), placeholders_(placeholders)
{
}

DetailClassNode DetailTreeBuilder::Build(const CModelScope& selected)
{
    DetailClassNode root;
    path_.assign(1, &selected);
    nodes_ = 1;
    BuildNode(root, selected);
    path_.clear();

    for (int dotted = 0; dotted < 2; ++dotted) {
        for (const CModelScope* holder :
            dotted == 0 ? selected.LinkedBy() : selected.LinkedByCv()) {
            DetailBox& box = root.linked.emplace_back();
            box.Fill(*holder);
            box.dottedLink = dotted == 1;
            box.CloseAll();
        }
    }
    return root;
}

bool DetailTreeBuilder::IsOnPath(const CModelScope* scope) const
{
    return std::find(path_.begin(), path_.end(), scope) != path_.end();
}

void DetailTreeBuilder::BuildNode(DetailClassNode& node, const CModelScope& scope)
{
    node.box.Fill(scope);
    const CUnit* unit = scope.GetDefiningUnit();
    const CClassInfo* record = unit != nullptr ? AsClassInfo(*unit) : nullptr;
    if (record == nullptr || (scope.kind != UNIT_CLASS && scope.kind != UNIT_STRUCT))
        return;
    for (const CBaseClassInfo& entry : record->bases) {
        const CModelScope& base = ResolveBase(scope, entry);
        node.access.push_back(scope.kind == UNIT_STRUCT ? ACCESS_PUBLIC : entry.access);
        node.dotted.push_back(entry.isVirtual);
        DetailClassNode& child = node.bases.emplace_back();
        ++nodes_;
        if (IsOnPath(&base) || nodes_ > kMaxNodes) {
            child.box.Fill(base);
            continue;
        }
        path_.push_back(&base);
        BuildNode(child, base);
        path_.pop_back();
    }
}

const CModelScope& DetailTreeBuilder::ResolveBase(
    const CModelScope& derived, const CBaseClassInfo& base)
{
    const CQualifiedName& name = base.qualifiedName;
    const CModelScope* found = nullptr;
    if (!name.relative) {
        found = FindQualified(lookupScope_, name);
    } else {
        found = FindQualified(derived.parent, name);
        if (found == nullptr)
            found = FindQualified(lookupScope_, name);
    }
    if (found != nullptr)
        return *found;
    auto placeholder = std::make_unique<CModelScope>();
    placeholder->name = name.ToString();
    placeholder->kind = derived.kind;
    placeholders_.push_back(std::move(placeholder));
    return *placeholders_.back();
}

namespace {

// The width of the row of the node's bases, each as wide as its box or the
// row of its own bases, whichever is wider.
int BasesRowWidth(const DetailClassNode& node, int gap)
{
    int row = 0;
    for (size_t i = 0; i < node.bases.size(); ++i) {
        const DetailClassNode& base = node.bases[i];
        row += (i > 0 ? gap : 0) + std::max(BasesRowWidth(base, gap), base.box.width);
    }
    return row;
}

// Places the node's subtree at the origin; returns its right edge and the
// bottom of its box.
CPoint LayoutNode(DetailClassNode& node, CPoint origin, const DetailTreeSpacing& spacing)
{
    DetailBox& box = node.box;
    if (node.bases.empty()) {
        box.Place(origin.x, origin.y, spacing.inset);
        return {origin.x + box.width, origin.y + box.height};
    }
    const int row = BasesRowWidth(node, spacing.gap);
    int x = origin.x + (row < box.width ? (box.width - row) / 2 : 0);
    int lowest = origin.y;
    int right = origin.x;
    for (DetailClassNode& base : node.bases) {
        const CPoint end = LayoutNode(base, {x, origin.y}, spacing);
        x = end.x + spacing.gap;
        lowest = std::max(lowest, end.y);
        right = std::max(right, end.x);
    }
    const int boxX = origin.x + (row > box.width ? (row - box.width) / 2 : 0);
    box.Place(boxX, lowest + spacing.drop, spacing.inset);
    return {std::max(right, boxX + box.width), box.y + box.height};
}

} // namespace

CSize LayoutDetailTree(DetailClassNode& root, CPoint origin, const DetailTreeSpacing& spacing)
{
    const CPoint tree = LayoutNode(root, origin, spacing);
    int total = 0;
    for (size_t i = 0; i < root.linked.size(); ++i)
        total += (i > 0 ? spacing.gap : 0) + root.linked[i].width;
    int x = total < tree.x ? (tree.x - total) / 2 + 1 : 0;
    const int y = tree.y + 2 * spacing.drop;
    int right = tree.x;
    int bottom = tree.y;
    for (DetailBox& box : root.linked) {
        box.Place(x, y, spacing.inset);
        right = std::max(right, x + box.width);
        bottom = std::max(bottom, y + box.height);
        x += box.width + spacing.gap;
    }
    return {right + 12, bottom + 12};
}

bool HitTestDetailTree(DetailClassNode& node, CPoint point, bool doubleClick)
{
    for (DetailClassNode& base : node.bases) {
        if (HitTestDetailTree(base, point, doubleClick))
            return true;
    }
    for (DetailBox& box : node.linked) {
        if (box.HitTest(point, doubleClick))
            return true;
    }
    return node.box.HitTest(point, doubleClick);
}
