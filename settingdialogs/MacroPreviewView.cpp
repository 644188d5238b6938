#include "MacroPreviewView.h"

#include "MacroLayout.h"
#include "MacroLayoutTree.h"
#include "MacroMap.h"

#include <algorithm>

CMacroPreviewView::CMacroPreviewView(const COptions& options, QWidget* parent)
    : CPreviewView(options, "preview.dat", parent)
{
}

CMacroPreviewView::~CMacroPreviewView() = default;

void CMacroPreviewView::SetSetting(CVisualSetting* fonts, ElementStyleTable* styles)
{
    fonts_ = fonts;
    styles_ = styles;
    dirty = true;
}

int CMacroPreviewView::GetClientWidth() const
{
    return std::max(0, GetClientRect().Width());
}

void CMacroPreviewView::OnAnalysed(CModelScope* root)
{
    nodes_.clear();
    root_ = root;
}

COLORREF CMacroPreviewView::Background() const
{
    return styles_ != nullptr ? styles_->BackGroundColor : 0xFFFFFF;
}

void CMacroPreviewView::BuildLayout(CDC* dc)
{
    nodes_.clear();
    BuildMacroLayout(root_, nodes_, groups_);
    MeasureLayout(nodes_, *fonts_, *styles_, dc, kBorder);
}

void CMacroPreviewView::Paint(CDC* dc)
{
    if (root_ == nullptr || fonts_ == nullptr || styles_ == nullptr)
        return;
    if (dirty) {
        BuildLayout(dc);
        SetAllNodesOpen(nodes_, true);
        MacroArrangeOptions arrange;
        arrange.sort = 1;
        arrange.autoSort = true;
        CMacroLayout layout(
            nodes_, kBorder, styles_->UnitSpace, GetClientWidth(), styles_->Grouping, arrange);
        SetScrollSizes(layout.Arrange());
        dirty = false;
        CountLayout();
    }
    CMacroMap map(dc, nodes_, *fonts_, *styles_, kBorder, boxes_);
    map.Draw();
}
