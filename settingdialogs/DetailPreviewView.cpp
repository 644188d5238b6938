#include "DetailPreviewView.h"

CDetailPreviewView::CDetailPreviewView(
    const COptions& options, const std::string& sample, QWidget* parent)
    : CPreviewView(options, sample, parent), scroll_(*this)
{
}

CDetailPreviewView::~CDetailPreviewView() = default;

void CDetailPreviewView::OnAnalysed(CModelScope* root)
{
    function_ = root != nullptr ? FirstFunction() : nullptr;
    if (diagram_)
        diagram_->Select(function_, CDetailDiagram::kFunctionMode);
}

void CDetailPreviewView::MakeDiagram(
    const CFlowSetting& flow, CNSDSetting& nsd, int viewKind, int zoom)
{
    diagram_ = std::make_unique<CDetailDiagram>(flow, nsd, DetailUse::Preview);
    diagram_->ChooseView(viewKind, zoom);
    diagram_->Select(function_, CDetailDiagram::kFunctionMode);
    dirty = true;
}

void CDetailPreviewView::Paint(CDC* dc)
{
    if (!diagram_ || function_ == nullptr)
        return;
    if (dirty) {
        diagram_->MarkDirty();
        dirty = false;
        CountLayout();
    }
    diagram_->DrawContents(dc, scroll_);
}

// --- Flow chart ---

CFlowPreviewView::CFlowPreviewView(const COptions& options, QWidget* parent)
    : CDetailPreviewView(options, "flowpreview.dat", parent)
{
}

void CFlowPreviewView::SetSetting(const CFlowSetting* setting)
{
    setting_ = setting;
    if (setting_ != nullptr)
        MakeDiagram(*setting_, unusedNSD_, CDetailDiagram::kFlowChart, zoom_);
}

void CFlowPreviewView::SetZoom(int zoom)
{
    zoom_ = zoom;
    if (diagram_)
        diagram_->ChooseView(CDetailDiagram::kFlowChart, zoom_);
    dirty = true;
}

COLORREF CFlowPreviewView::Background() const
{
    return setting_ != nullptr ? setting_->BackGroundColor : 0xFFFFFF;
}

// --- Nassi-Shneiderman diagram ---

CNSDPreviewView::CNSDPreviewView(const COptions& options, QWidget* parent)
    : CDetailPreviewView(options, "NSDpreview.dat", parent)
{
}

void CNSDPreviewView::SetSetting(CNSDSetting* setting)
{
    setting_ = setting;
    if (setting_ != nullptr)
        MakeDiagram(unusedFlow_, *setting_, CDetailDiagram::kNSD, 1);
}

COLORREF CNSDPreviewView::Background() const
{
    return setting_ != nullptr ? setting_->BackGroundColor : 0xFFFFFF;
}

// --- Sequence diagram ---

CSequencePreviewView::CSequencePreviewView(const COptions& options, QWidget* parent)
    : CDetailPreviewView(options, "Sequencepreview.dat", parent)
{
}

void CSequencePreviewView::SetSetting(const CSequenceSetting* setting)
{
    setting_ = setting;
    if (setting_ == nullptr)
        return;
    kind_ = std::make_unique<SequenceKind>([this] { return Engine(); }, *setting_);
    MakeDiagram(unusedFlow_, unusedNSD_, CDetailDiagram::kSequence, 1);
    diagram_->SetKind(CDetailDiagram::kSequence, kind_.get());
}

COLORREF CSequencePreviewView::Background() const
{
    return setting_ != nullptr ? setting_->BackGroundColor : 0xFFFFFF;
}
