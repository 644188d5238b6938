#pragma once

#include "DetailDiagramKind.h"
#include "DetailScroll.h"
#include "FlowChartPainter.h"
#include "FlowItem.h"
#include "GdiTypes.h"
#include "NSDDiagram.h"

#include <array>
#include <memory>

class CDC;
class CModelScope;
struct CFlowSetting;
struct CNSDSetting;

// Where a detail diagram is shown: the detail view, or a Visual Setting
// dialog's preview, which keeps its scroll position on a rebuild, sets the
// scroll size without keeping the centre and shows no explanations.
enum class DetailUse { View, Preview };

// The drawing entry of the detail pane: for the selected function the flow
// chart (zoom 1, 4 or 16), the sequence diagram, the multi-sequence diagram
// or the Nassi-Shneiderman diagram, by the view kind; for a selected class,
// struct, union or enum the type box.
//
// It owns the statement items and the engines of the flow chart and of the
// Nassi-Shneiderman diagram and rebuilds them from the selected function's
// definition when the dirty flag is set. The other kinds are drawn through
// DetailDiagramKind objects that their owners register. Painting never
// re-enters itself: a paint that arrives while one runs draws nothing.
class CDetailDiagram {
public:
    // View kinds and selection modes.
    static constexpr int kFlowChart = 0;
    static constexpr int kSequence = 1;
    static constexpr int kMultiSequence = 2;
    static constexpr int kNSD = 3;
    static constexpr int kFunctionMode = 1;
    static constexpr int kTypeMode = 2;

    // The settings stay owned by the caller (the view's live records, or a
    // dialog's working copies) and must outlive the entry.
    CDetailDiagram(
        const CFlowSetting& flowSetting, CNSDSetting& nsdSetting, DetailUse use = DetailUse::View);
    ~CDetailDiagram();
    CDetailDiagram(const CDetailDiagram&) = delete;
    CDetailDiagram& operator=(const CDetailDiagram&) = delete;

    // The selected model element and mode (1 function, 2 type, other values
    // nothing); marks the diagram dirty. The element belongs to the model,
    // which must outlive its selection.
    void Select(const CModelScope* element, int mode);
    // The view selector's choice (kind 0 to 3, flow zoom 1, 4 or 16). Marks
    // the diagram dirty, except when the flow chart stays and only its zoom
    // changes: then the items and grid stay and the centre is kept.
    void ChooseView(int viewKind, int zoom);
    void MarkDirty() { dirty_ = true; }
    bool IsDirty() const { return dirty_; }
    // The engine of view kind 1 or 2, and of the type box; not owned.
    void SetKind(int viewKind, DetailDiagramKind* kind);
    void SetTypeDiagram(DetailDiagramKind* kind) { typeDiagram_ = kind; }
    // Where the source of a clicked flow chart box is shown.
    void SetShowCodeLine(ShowCodeLineHook hook);

    // The whole paint: nothing when printing, without a selection or while
    // a paint runs; otherwise the diagram of the mode and view kind.
    void DrawContents(CDC* dc, DetailScroll& scroll);
    // The two halves of a paint, without its refusals: Prepare rebuilds
    // what is dirty and sets the diagram and scroll size, Draw draws.
    void Prepare(CDC* dc, DetailScroll& scroll);
    void Draw(CDC* dc, DetailScroll& scroll);
    // The colour a paint of the current view kind starts from.
    COLORREF Background() const;
    // Forgets both diagrams and the clicked box; the scroll area becomes
    // 10 by 10 at the origin.
    void Clear(DetailScroll& scroll);

    // A click at a window point on the flow chart: on a box, that box's
    // cell becomes the clicked cell and its explanation shows at the next
    // paint. Returns whether a box was hit.
    bool HitCell(CPoint windowPoint, const DetailScroll& scroll);
    // Clicked cell (0, 0), explanation off.
    void HideExplanation();
    // The explanation box goes left of the clicked box (right button held).
    void SetExplainLeft(bool left) { explainLeft_ = left; }

    const CModelScope* Selection() const { return selection_; }
    int Mode() const { return mode_; }
    int ViewKind() const { return viewKind_; }
    int Zoom() const { return zoom_; }
    CSize DiagramSize() const { return diagramSize_; }
    CPoint ClickedCell() const { return clickedCell_; }
    bool ExplanationOn() const { return explanationOn_; }
    bool IsPainting() const { return painting_; }
    const FunctionBody* FlowItems() const { return flowItems_.get(); }
    const CFlowChartPainter* FlowPainter() const { return flowPainter_.get(); }
    const FunctionBody* NSDItems() const { return nsdItems_.get(); }
    const CNSDDiagram* NSD() const { return nsd_.get(); }

private:
    DetailPaint PaintOf(CDC* dc, DetailScroll& scroll);
    DetailDiagramKind* RegisteredKind() const;
    void PrepareFlowChart(DetailScroll& scroll);
    void DrawFlowChart(CDC* dc);
    void PrepareNSD(CDC* dc, DetailScroll& scroll);
    void DrawNSD(CDC* dc);
    void KeepScrollCentre(DetailScroll& scroll);
    void ShowStartBox(DetailScroll& scroll);

    const CFlowSetting& flowSetting_;
    CNSDSetting& nsdSetting_;
    DetailUse use_;
    const CModelScope* selection_ = nullptr;
    int mode_ = 0;
    bool dirty_ = false;
    int viewKind_ = kFlowChart;
    int zoom_ = 4;
    std::unique_ptr<FunctionBody> flowItems_;
    std::unique_ptr<CFlowChartPainter> flowPainter_;
    std::unique_ptr<FunctionBody> nsdItems_;
    std::unique_ptr<CNSDDiagram> nsd_;
    std::array<DetailDiagramKind*, 4> kinds_ {};
    DetailDiagramKind* typeDiagram_ = nullptr;
    CSize diagramSize_;
    CPoint clickedCell_;
    bool explanationOn_ = false;
    bool explainLeft_ = false;
    bool painting_ = false;
    ShowCodeLineHook showCodeLine_;
};
