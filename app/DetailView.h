#pragma once

#include "FlowSetting.h"
#include "ModelHolders.h"
#include "NSDSetting.h"
#include "ScrollView.h"
#include "SequenceSetting.h"

class AppContext;
class CKestrinDoc;

// The top-right pane: the diagram of the macro view's selection. For a
// selected function (the document's mode 1) it draws the kind chosen in the
// view selector: 0 flow chart (zoom 1, 4 or 16), 1 sequence, 2 multi-sequence,
// 3 Nassi-Shneiderman; for a type (mode 2) the type's detail box.
//
// The diagram engines plug in at OnDraw, which reads the document's selection
// (rootScope, selectedScope, selectedNode, mode) and rebuilds its structures
// when the document's `dirty` flag is set; ClearDetail is the view's reset when
// the model is replaced (it is registered with the model holders), and
// diagramWidth/diagramHeight feed the frame's Fit button and the print chooser.
// The live setting records are read from the default colour files at
// construction and written back at destruction.
class CDetailView : public CScrollView {
    Q_OBJECT
public:
    CDetailView(AppContext& context, CKestrinDoc& document, QWidget* parent = nullptr);
    ~CDetailView() override;

    // The view selector's entry: kind and flow zoom.
    void SetKindFromSelector(int index);
    // Forgets the diagram and everything it points at in the model.
    void ClearDetail();
    // Forgets the multi-sequence diagram's exploration (a new selection).
    void ResetMultiSequence() {}

    int viewKind = 0;
    int zoom = 4;
    int diagramWidth = 0;
    int diagramHeight = 0;

    CFlowSetting flowSetting;
    CSequenceSetting sequenceSetting;
    CNSDSetting nsdSetting;

protected:
    void OnDraw(CDC* dc) override;

private:
    AppContext& context_;
    CKestrinDoc& document_;
    ModelHolders::Registration holder_;
};
