#include "DetailBoxDiagram.h"

#include "DetailBoxPainter.h"
#include "ModelScope.h"

namespace {

constexpr CPoint kOrigin {4, 4};
constexpr COLORREF kLinkColour = 0x000000;

void MeasureNode(DetailClassNode& node, CDC& dc, const CVisualSetting& fonts, int inset)
{
    for (DetailClassNode& base : node.bases)
        MeasureNode(base, dc, fonts, inset);
    node.box.Measure(dc, fonts, inset);
    for (DetailBox& box : node.linked)
        box.Measure(dc, fonts, inset);
}

} // namespace

CMacroDetail::CMacroDetail() = default;
CMacroDetail::~CMacroDetail() = default;

void CMacroDetail::Reset()
{
    tree_.reset();
    placeholders_.clear();
    selected_ = nullptr;
    lookupScope_ = nullptr;
    relayout_ = false;
    size_ = {};
}

CSize CMacroDetail::Layout(CDC& dc, const CModelScope* selection, const CModelScope* lookupScope,
    const CVisualSetting& fonts, bool selectionChanged)
{
    if (selection == nullptr)
        return size_;
    const bool rebuild = selectionChanged || !tree_ || selection != selected_;
    if (rebuild) {
        tree_.reset();
        placeholders_.clear();
        selected_ = selection;
        lookupScope_ = lookupScope;
        DetailTreeBuilder builder(lookupScope_, placeholders_);
        tree_ = std::make_unique<DetailClassNode>(builder.Build(*selected_));
    }
    if (rebuild || relayout_) {
        MeasureNode(*tree_, dc, fonts, spacing_.inset);
        size_ = LayoutDetailTree(*tree_, kOrigin, spacing_);
        relayout_ = false;
    }
    return size_;
}

void CMacroDetail::Paint(CDC& dc, const CVisualSetting& fonts, const ElementStyleTable& style)
{
    if (!tree_)
        return;
    DetailBoxPainter painter(dc, fonts, style, spacing_.inset);
    PaintNode(painter, *tree_);
    const DetailBox& selected = tree_->box;
    for (auto linked = tree_->linked.rbegin(); linked != tree_->linked.rend(); ++linked) {
        painter.DrawBox(*linked);
        painter.DrawConnector(selected, *linked, kLinkColour, linked->dottedLink, true);
    }
}

void CMacroDetail::PaintNode(DetailBoxPainter& painter, const DetailClassNode& node)
{
    for (size_t i = 0; i < node.bases.size(); ++i) {
        PaintNode(painter, node.bases[i]);
        painter.DrawConnector(node.bases[i].box, node.box,
            DetailBoxPainter::AccessColour(node.access[i]), node.dotted[i], false);
    }
    painter.DrawBox(node.box);
}

CSize CMacroDetail::Draw(CDC& dc, const CModelScope* selection, const CModelScope* lookupScope,
    const CVisualSetting& fonts, const ElementStyleTable& style, bool selectionChanged)
{
    const CSize size = Layout(dc, selection, lookupScope, fonts, selectionChanged);
    if (selection != nullptr)
        Paint(dc, fonts, style);
    return size;
}

bool CMacroDetail::OnClick(CPoint point, bool doubleClick)
{
    if (!tree_ || !HitTestDetailTree(*tree_, point, doubleClick))
        return false;
    relayout_ = true;
    return true;
}
