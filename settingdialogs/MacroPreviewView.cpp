#include "MacroPreviewView.h"

#include "MacroViewPicture.h"

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

void CMacroPreviewView::Paint(CDC* dc)
{
    if (root_ == nullptr || fonts_ == nullptr || styles_ == nullptr)
        return;
    MacroViewPicture picture(nodes_, groups_, boxes_, *fonts_, *styles_);
    if (dirty) {
        MacroArrangeOptions arrange;
        arrange.sort = 1;
        arrange.autoSort = true;
        picture.Update({.build = true}, root_, arrange, GetClientWidth(), dc);
        SetAllNodesOpen(nodes_, true);
        if (const std::optional<CSize> size =
                picture.Update({.arrange = true}, root_, arrange, GetClientWidth(), dc))
            SetScrollSizes(*size);
        dirty = false;
        CountLayout();
    }
    picture.Draw(dc);
}
