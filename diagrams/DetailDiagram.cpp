#include "DetailDiagram.h"

#include "FlowBuilder.h"
#include "ModelScope.h"
#include "NSDSetting.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

// Sets a flag for the lifetime of the guard.
class Busy {
public:
    explicit Busy(bool& flag) : flag_(flag) { flag_ = true; }
    ~Busy() { flag_ = false; }
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;

private:
    bool& flag_;
};

// The statement items of the function's defining unit (the one with the
// body), in the form of the flag: 1 flow chart, 0 Nassi-Shneiderman.
std::unique_ptr<FunctionBody> BuildItems(const CModelScope* function, int flag)
{
    auto body = std::make_unique<FunctionBody>();
    CFlowBuilder::BuildFunctionItems(*body, function, flag);
    return body;
}

// Keeps a point that stood at `centre` of an old extent at the same share of
// the new one; 0 when the result is below 1 or there is no old extent.
int KeptOrigin(int position, int half, int newExtent, int oldExtent)
{
    if (oldExtent <= 0)
        return 0;
    const int64_t origin = (static_cast<int64_t>(position) + half) * newExtent / oldExtent - half;
    if (origin < 1)
        return 0;
    return static_cast<int>(std::min<int64_t>(origin, std::numeric_limits<int>::max()));
}

} // namespace

CDetailDiagram::CDetailDiagram(
    const CFlowSetting& flowSetting, CNSDSetting& nsdSetting, DetailUse use)
    : flowSetting_(flowSetting), nsdSetting_(nsdSetting), use_(use)
{
}

CDetailDiagram::~CDetailDiagram()
{
    // The engines refer to the items: they go first.
    nsd_.reset();
    nsdItems_.reset();
    flowPainter_.reset();
    flowItems_.reset();
}

void CDetailDiagram::Select(const CModelScope* element, int mode)
{
    selection_ = element;
    mode_ = mode;
    dirty_ = true;
}

void CDetailDiagram::ChooseView(int viewKind, int zoom)
{
    const bool zoomOnly = viewKind == kFlowChart && viewKind_ == kFlowChart;
    viewKind_ = viewKind;
    zoom_ = zoom;
    if (!zoomOnly)
        dirty_ = true;
}

void CDetailDiagram::SetKind(int viewKind, DetailDiagramKind* kind)
{
    if (viewKind == kSequence || viewKind == kMultiSequence)
        kinds_[static_cast<size_t>(viewKind)] = kind;
}

void CDetailDiagram::SetShowCodeLine(ShowCodeLineHook hook)
{
    showCodeLine_ = std::move(hook);
    if (flowPainter_)
        flowPainter_->SetShowCodeLine(showCodeLine_);
}

DetailPaint CDetailDiagram::PaintOf(CDC* dc, DetailScroll& scroll)
{
    return DetailPaint {dc, selection_, dirty_, scroll, diagramSize_};
}

void CDetailDiagram::DrawContents(CDC* dc, DetailScroll& scroll)
{
    if (dc == nullptr || dc->IsPrinting() || selection_ == nullptr || painting_)
        return;
    Busy busy(painting_);
    Prepare(dc, scroll);
    Draw(dc, scroll);
}

// The engine of the current mode and view kind other than the flow chart and
// the Nassi-Shneiderman diagram, or none.
DetailDiagramKind* CDetailDiagram::RegisteredKind() const
{
    if (mode_ == kTypeMode)
        return typeDiagram_;
    if (mode_ == kFunctionMode && (viewKind_ == kSequence || viewKind_ == kMultiSequence))
        return kinds_[static_cast<size_t>(viewKind_)];
    return nullptr;
}

void CDetailDiagram::Prepare(CDC* dc, DetailScroll& scroll)
{
    if (selection_ == nullptr)
        return;
    if (mode_ == kFunctionMode && viewKind_ == kFlowChart) {
        PrepareFlowChart(scroll);
    } else if (mode_ == kFunctionMode && viewKind_ == kNSD) {
        PrepareNSD(dc, scroll);
    } else if (DetailDiagramKind* kind = RegisteredKind()) {
        DetailPaint paint = PaintOf(dc, scroll);
        kind->Prepare(paint);
    }
}

void CDetailDiagram::Draw(CDC* dc, DetailScroll& scroll)
{
    if (mode_ == kFunctionMode && viewKind_ == kFlowChart) {
        DrawFlowChart(dc);
    } else if (mode_ == kFunctionMode && viewKind_ == kNSD) {
        DrawNSD(dc);
    } else if (DetailDiagramKind* kind = RegisteredKind()) {
        DetailPaint paint = PaintOf(dc, scroll);
        kind->Draw(paint);
    }
}

void CDetailDiagram::PrepareFlowChart(DetailScroll& scroll)
{
    bool rebuilt = false;
    if (dirty_) {
        flowPainter_.reset();
        flowItems_ = BuildItems(selection_, 1);
        flowPainter_ = std::make_unique<CFlowChartPainter>(&flowItems_->root, flowSetting_);
        flowPainter_->SetShowCodeLine(showCodeLine_);
        flowPainter_->Layout();
        dirty_ = false;
        rebuilt = true;
    }
    if (flowItems_ && selection_) {
        flowPainter_->SetZoom(zoom_);
        diagramSize_ = flowPainter_->DiagramSize();
        if (use_ != DetailUse::View)
            scroll.SetTotalSize(diagramSize_);
        else if (rebuilt)
            ShowStartBox(scroll);
        else
            KeepScrollCentre(scroll);
    }
}

// A new chart opens on its Start box: the top row, and where the chart is
// wider than the window, Start's column in the middle. The top-level axis of
// a function with a large switch lies far to the right of the origin.
void CDetailDiagram::ShowStartBox(DetailScroll& scroll)
{
    scroll.SetTotalSize(diagramSize_);
    const int64_t centre =
        static_cast<int64_t>(flowPainter_->StartCell().x) * flowPainter_->XSpace() +
        flowPainter_->XSize() / 2;
    const int64_t x = centre - scroll.WindowSize().cx / 2;
    const int64_t right = std::max(0, diagramSize_.cx - scroll.WindowSize().cx);
    scroll.ScrollTo(CPoint(static_cast<int>(std::clamp<int64_t>(x, 0, right)), 0));
}

void CDetailDiagram::DrawFlowChart(CDC* dc)
{
    if (!flowItems_ || selection_ == nullptr)
        return;
    flowPainter_->SetDC(dc);
    flowPainter_->Draw();
    if (use_ == DetailUse::View && explanationOn_ && clickedCell_ != CPoint(0, 0)) {
        const CFlowItem* item = flowPainter_->ShowExplanation(clickedCell_, explainLeft_);
        flowPainter_->ShowSourceOfItem(item);
    }
}

void CDetailDiagram::PrepareNSD(CDC* dc, DetailScroll& scroll)
{
    if (dirty_ && selection_ != nullptr) {
        nsd_.reset();
        nsdItems_ = BuildItems(selection_, 0);
        nsd_ = std::make_unique<CNSDDiagram>(nsdItems_->root, nsdSetting_, selection_->name);
        nsd_->SetDC(dc);
        nsd_->Measure();
        nsdSetting_.AttachDC(nullptr); // the context lives for this paint only
        dirty_ = false;
        scroll.ScrollTo(CPoint(0, 0));
    }
    if (nsdItems_ && selection_ != nullptr) {
        diagramSize_ = nsd_->Size();
        scroll.SetTotalSize(diagramSize_);
    }
}

void CDetailDiagram::DrawNSD(CDC* dc)
{
    if (!nsdItems_ || selection_ == nullptr)
        return;
    nsd_->SetDC(dc);
    if (nsdSetting_.ShowTitle == 1)
        nsd_->DrawTitle();
    nsd_->DrawTree(nsd_->RootBlock());
    nsdSetting_.AttachDC(nullptr);
}

// A new scroll size keeps the point at the window's centre where it was, in
// proportion: switching zoom levels stays on the same part of the chart. At
// the top-left corner, a chart that fitted the window or was not scrolled
// yet, it shows the Start box, as a new chart does: the corner of a wide
// chart at a larger zoom can be empty.
void CDetailDiagram::KeepScrollCentre(DetailScroll& scroll)
{
    const CSize before = scroll.TotalSize();
    const CPoint position = scroll.Position();
    if (before == diagramSize_) {
        scroll.SetTotalSize(diagramSize_);
        return;
    }
    if (position == CPoint(0, 0)) {
        ShowStartBox(scroll);
        return;
    }
    scroll.SetTotalSize(diagramSize_);
    const CSize window = scroll.WindowSize();
    const int x = KeptOrigin(position.x, window.cx / 2, diagramSize_.cx, before.cx);
    const int y = KeptOrigin(position.y, window.cy / 2, diagramSize_.cy, before.cy);
    scroll.ScrollTo(CPoint(x, y));
}

COLORREF CDetailDiagram::Background() const
{
    if (viewKind_ == kFlowChart)
        return flowSetting_.BackGroundColor;
    if (viewKind_ == kSequence || viewKind_ == kMultiSequence) {
        const DetailDiagramKind* kind = kinds_[static_cast<size_t>(viewKind_)];
        return kind ? kind->Background() : 0xFFFFFF;
    }
    return 0xFFFFFF;
}

void CDetailDiagram::Clear(DetailScroll& scroll)
{
    nsd_.reset();
    nsdItems_.reset();
    flowPainter_.reset();
    flowItems_.reset();
    HideExplanation();
    scroll.SetTotalSize(CSize(10, 10));
    scroll.ScrollTo(CPoint(0, 0));
}

bool CDetailDiagram::HitCell(CPoint windowPoint, const DetailScroll& scroll)
{
    if (!flowPainter_)
        return false;
    const CPoint position = scroll.Position();
    const std::optional<CPoint> cell =
        flowPainter_->CellAt(CPoint(windowPoint.x + position.x, windowPoint.y + position.y));
    if (!cell)
        return false;
    clickedCell_ = *cell;
    explanationOn_ = true;
    return true;
}

void CDetailDiagram::HideExplanation()
{
    clickedCell_ = CPoint(0, 0);
    explanationOn_ = false;
}
