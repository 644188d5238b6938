#pragma once

#include "DetailDiagram.h"
#include "DetailKinds.h"
#include "FlowSetting.h"
#include "NSDSetting.h"
#include "PreviewView.h"
#include "ScrollViewDetailScroll.h"
#include "SequenceSetting.h"

#include <memory>

// The previews of the three detail diagrams: the first function of the
// sample, drawn through the detail diagram's entry as a preview (no
// explanations, the scroll position kept on a rebuild).
class CDetailPreviewView : public CPreviewView {
    Q_OBJECT
public:
    CDetailPreviewView(
        const COptions& options, const std::string& sample, QWidget* parent = nullptr);
    ~CDetailPreviewView() override;

    // The function drawn; none when the sample has none.
    const CModelScope* Function() const { return function_; }
    const CDetailDiagram* Diagram() const { return diagram_.get(); }

protected:
    void OnAnalysed(CModelScope* root) override;
    void Paint(CDC* dc) override;
    // Makes the diagram entry on the setting handed in; the records must
    // outlive the view.
    void MakeDiagram(const CFlowSetting& flow, CNSDSetting& nsd, int viewKind, int zoom);

    std::unique_ptr<CDetailDiagram> diagram_;

private:
    ScrollViewDetailScroll scroll_;
    const CModelScope* function_ = nullptr;
};

// The flow chart of "flowpreview.dat" at one zoom level.
class CFlowPreviewView : public CDetailPreviewView {
    Q_OBJECT
public:
    explicit CFlowPreviewView(const COptions& options, QWidget* parent = nullptr);
    // The setting to draw with (the dialog's working record).
    void SetSetting(const CFlowSetting* setting);
    // 1, 4 or 16; marks the diagram dirty.
    void SetZoom(int zoom);
    int Zoom() const { return zoom_; }

protected:
    COLORREF Background() const override;

private:
    const CFlowSetting* setting_ = nullptr;
    CNSDSetting unusedNSD_;
    int zoom_ = 1;
};

// The Nassi-Shneiderman diagram of "NSDpreview.dat".
class CNSDPreviewView : public CDetailPreviewView {
    Q_OBJECT
public:
    explicit CNSDPreviewView(const COptions& options, QWidget* parent = nullptr);
    void SetSetting(CNSDSetting* setting);

protected:
    COLORREF Background() const override;

private:
    CNSDSetting* setting_ = nullptr;
    CFlowSetting unusedFlow_;
};

// The sequence diagram of "Sequencepreview.dat", asked of the preview's own
// analysis.
class CSequencePreviewView : public CDetailPreviewView {
    Q_OBJECT
public:
    explicit CSequencePreviewView(const COptions& options, QWidget* parent = nullptr);
    void SetSetting(const CSequenceSetting* setting);

protected:
    COLORREF Background() const override;

private:
    const CSequenceSetting* setting_ = nullptr;
    std::unique_ptr<SequenceKind> kind_;
    CFlowSetting unusedFlow_;
    CNSDSetting unusedNSD_;
};
