#pragma once

#include "DefaultColorFiles.h"
#include "DetailBoxDiagram.h"
#include "DetailDiagram.h"
#include "DetailKinds.h"
#include "FlowSetting.h"
#include "ModelHolders.h"
#include "MultiSeqDiagram.h"
#include "NSDSetting.h"
#include "PrintImage.h"
#include "ScrollView.h"
#include "ScrollViewDetailScroll.h"
#include "SequenceSetting.h"

#include <memory>

class AppContext;
class CKestrinDoc;
class CTotalView;

// The top-right pane: the diagram of the macro view's selection. For a
// selected function (the document's mode 1) it draws the kind chosen in the
// view selector: 0 flow chart (zoom 1, 4 or 16), 1 sequence, 2 multi-sequence,
// 3 Nassi-Shneiderman; for a type (mode 2) the type's detail box.
//
// The drawing goes through CDetailDiagram, which owns the flow chart's and
// the NSD's items and engines; the view owns the multi-sequence and detail
// box engines, which keep their state between paints. A paint first takes
// the document's selection when the document marks it changed. ClearDetail
// forgets everything that points into the model and is registered with the
// model holders; diagramWidth/diagramHeight feed the frame's Fit button.
//
// The live setting records are read from the default colour files at
// construction and written back at destruction.
class CDetailView : public CScrollView, public PrintableView {
    Q_OBJECT
public:
    CDetailView(AppContext& context, CKestrinDoc& document, QWidget* parent = nullptr);
    ~CDetailView() override;

    // The macro view, whose fonts and colours the detail box is drawn in.
    void SetMacroView(CTotalView* macroView);
    // The view selector's entry: kind and flow zoom.
    void SetKindFromSelector(int index);
    // Forgets the diagram and everything it points at in the model; the
    // scroll area becomes 10 by 10 at the origin. The empty view is painted
    // with the next paints, not at once.
    void ClearDetail();
    // Forgets the multi-sequence diagram's exploration (a new selection).
    void ResetMultiSequence();
    // Takes the document's selection and lays the diagram out without
    // painting (printing and Fit need its size).
    void LayOutNow();

    // The flow chart hit test at a window point: on a box, its explanation
    // shows at the next paint. True when a box was hit.
    bool HitCell(CPoint windowPoint);

    // --- Printing ---
    bool OnPreparePrinting() override;
    CSize PrintImageSize() const override { return GetTotalSize(); }
    void DrawPrintImage(CDC& dc) override;
    COLORREF PrintBackground() const override { return diagram_.Background(); }

    const CDetailDiagram& Diagram() const { return diagram_; }
    const CMultiSeqDiagram& MultiSequence() const { return multiSequence_; }
    const CMacroDetail& DetailBox() const { return detailBox_; }

    int diagramWidth = 0;
    int diagramHeight = 0;

    // The live setting records.
    const CFlowSetting& FlowSetting() const { return flowSetting_; }
    const CSequenceSetting& SequenceSetting() const { return sequenceSetting_; }
    const CNSDSetting& NSDSetting() const { return nsdSetting_; }
    // A changed record (a Visual Setting dialog's OK) replaces the live one;
    // the document's rebuild flag is set, so that the next paint builds the
    // diagram again in the new setting, and the view is repainted.
    void ApplyFlowSetting(const CFlowSetting& setting);
    void ApplySequenceSetting(const CSequenceSetting& setting);
    void ApplyNSDSetting(const CNSDSetting& setting);

protected:
    void OnDraw(CDC* dc) override;
    void OnMouseMove(unsigned flags, CPoint point) override;
    void OnLButtonDown(unsigned flags, CPoint point) override;
    void OnLButtonDblClk(unsigned flags, CPoint point) override;
    void OnRButtonDown(unsigned flags, CPoint point) override;
    void OnRButtonUp(unsigned flags, CPoint point) override;
    bool OnMouseWheel(unsigned flags, int delta, CPoint point) override;

private:
    void SyncSelection();
    // A selection is shown and may take clicks: the document has one, it
    // has been painted, and no Draw is replacing the model.
    bool TakesClicks() const;
    // A function's flow chart is chosen (boxes can be hit).
    bool ShowsFlowChart() const;
    void ClickEngines(CPoint point, bool doubleClick);
    void UpdateDiagramSize();
    CPoint ToWindow(CPoint logical) const;

    // Marks the diagram for a rebuild and repaints.
    void SettingChanged();

    AppContext& context_;
    CKestrinDoc& document_;
    // The diagram engines keep references to these: they are assigned to,
    // never replaced.
    CFlowSetting flowSetting_;
    CSequenceSetting sequenceSetting_;
    CNSDSetting nsdSetting_;
    CMultiSeqDiagram multiSequence_;
    CMacroDetail detailBox_;
    SequenceKind sequenceKind_;
    MultiSequenceKind multiSequenceKind_;
    std::unique_ptr<DetailBoxKind> detailBoxKind_;
    CDetailDiagram diagram_;
    ScrollViewDetailScroll scroll_;
    bool printing_ = false;
    // The default colour files that are written back when the view goes.
    DetailColorFilesWritable colorFilesWritable_;
    ModelHolders::Registration holder_;
};
