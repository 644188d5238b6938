#include "DetailView.h"

#include "Analyzer.h"
#include "AppContext.h"
#include "DefaultColorFiles.h"
#include "DeviceContext.h"
#include "KestrinDoc.h"
#include "LanguageTable.h"
#include "MainFrame.h"
#include "MemDC.h"
#include "Options.h"
#include "TotalView.h"
#include "UiService.h"

#include <QImage>

namespace {

constexpr unsigned kButtons = MK_LBUTTON | MK_RBUTTON | MK_MBUTTON;
constexpr int kWheelStep = 50; // beyond the line step

// The engine of the model in place, looked up at each use: Draw and Clear All
// replace it.
EngineLookup CurrentEngine(AppContext& context)
{
    return [&context] { return context.Analyzer() ? context.Analyzer()->Engine() : nullptr; };
}

} // namespace

CDetailView::CDetailView(AppContext& context, CKestrinDoc& document, QWidget* parent)
    : CScrollView(parent),
      context_(context),
      document_(document),
      sequenceKind_(CurrentEngine(context), sequenceSetting_),
      multiSequenceKind_(multiSequence_, CurrentEngine(context)),
      diagram_(flowSetting_, nsdSetting_),
      scroll_(*this)
{
    colorFilesWritable_ = LoadDefaultDetailColorFiles(flowSetting_, sequenceSetting_, nsdSetting_);
    diagram_.SetKind(CDetailDiagram::kSequence, &sequenceKind_);
    diagram_.SetKind(CDetailDiagram::kMultiSequence, &multiSequenceKind_);
    // A clicked flow chart box shows its lines in the code window.
    diagram_.SetShowCodeLine([this](int first, int last) {
        if (!printing_ && document_.Frame() != nullptr)
            document_.Frame()->ShowCodeLine(first, last, true);
    });
    holder_ =
        ModelHolders::Registration(context.Holders(), "detail view", [this] { ClearDetail(); });
}

CDetailView::~CDetailView()
{
    SaveDefaultDetailColorFiles(flowSetting_, sequenceSetting_, nsdSetting_, colorFilesWritable_);
}

void CDetailView::SetMacroView(CTotalView* macroView)
{
    diagram_.SetTypeDiagram(nullptr);
    detailBoxKind_.reset();
    if (macroView == nullptr)
        return;
    detailBoxKind_ = std::make_unique<DetailBoxKind>(
        detailBox_,
        [this, engine = CurrentEngine(context_)]() -> const CModelScope* {
            if (document_.rootScope != nullptr)
                return document_.rootScope;
            const CProjectAnalyzer* current = engine();
            return current != nullptr ? current->Root() : nullptr;
        },
        macroView->Fonts(), macroView->Style());
    diagram_.SetTypeDiagram(detailBoxKind_.get());
}

void CDetailView::ApplyFlowSetting(const CFlowSetting& setting)
{
    flowSetting_ = setting;
    SettingChanged();
}

void CDetailView::ApplySequenceSetting(const CSequenceSetting& setting)
{
    sequenceSetting_ = setting;
    SettingChanged();
}

void CDetailView::ApplyNSDSetting(const CNSDSetting& setting)
{
    nsdSetting_ = setting;
    SettingChanged();
}

void CDetailView::SettingChanged()
{
    document_.dirty = true;
    Invalidate();
}

void CDetailView::SetKindFromSelector(int index)
{
    static constexpr struct {
        int kind;
        int zoom;
    } kEntries[] = {{0, 1}, {0, 4}, {0, 16}, {1, 0}, {2, 0}, {3, 0}};
    if (index < 0 || index >= 6)
        return;
    // Only the zoom of a flow chart changing keeps its items and the
    // window's centre; any other change builds the diagram again. The other
    // kinds keep the flow chart's zoom for when it is chosen again.
    const int kind = kEntries[index].kind;
    const bool flow = kind == CDetailDiagram::kFlowChart;
    diagram_.ChooseView(kind, flow ? kEntries[index].zoom : diagram_.Zoom());
    diagram_.HideExplanation();
}

void CDetailView::ClearDetail()
{
    diagram_.Select(nullptr, 0);
    diagram_.Clear(scroll_);
    multiSequence_.Reset();
    detailBox_.Reset();
    diagramWidth = 0;
    diagramHeight = 0;
    SetScrollSizes({10, 10});
    ScrollToPosition({0, 0});
    // Painted once the window's thread is free: closing or opening a
    // project does not wait for it.
    Invalidate();
}

void CDetailView::ResetMultiSequence()
{
    multiSequence_.Reset();
}

// The document marks a new selection (or new settings) dirty; the diagram
// takes it at the next paint and builds what it shows again.
void CDetailView::SyncSelection()
{
    if (!document_.dirty)
        return;
    document_.dirty = false;
    const bool selected = document_.selectedNode != nullptr && document_.selectedScope != nullptr;
    diagram_.Select(selected ? document_.selectedScope : nullptr, selected ? document_.mode : 0);
    diagram_.HideExplanation();
}

void CDetailView::UpdateDiagramSize()
{
    if (diagram_.Selection() == nullptr)
        return;
    diagramWidth = diagram_.DiagramSize().cx;
    diagramHeight = diagram_.DiagramSize().cy;
}

void CDetailView::OnDraw(CDC* dc)
{
    PaintGuard guard(context_.detailPaint);
    if (!guard)
        return;
    // During a run the model is being rebuilt: nothing here may touch it.
    if (!context_.drawRunning)
        SyncSelection();
    CMemDC memory(dc, diagram_.Background());
    if (context_.drawRunning || document_.selectedNode == nullptr)
        return;
    diagram_.DrawContents(&memory, scroll_);
    UpdateDiagramSize();
}

void CDetailView::LayOutNow()
{
    PaintGuard guard(context_.detailPaint);
    if (!guard || context_.drawRunning)
        return;
    SyncSelection();
    if (document_.selectedNode == nullptr || diagram_.Selection() == nullptr)
        return;
    QImage scratch(1, 1, QImage::Format_RGB32);
    CDC dc;
    dc.AttachImage(&scratch);
    diagram_.Prepare(&dc, scroll_);
    UpdateDiagramSize();
}

// --- Mouse ---

bool CDetailView::TakesClicks() const
{
    return !context_.drawRunning && !document_.dirty && document_.selectedNode != nullptr &&
        diagram_.Selection() != nullptr;
}

bool CDetailView::ShowsFlowChart() const
{
    return diagram_.Mode() == CDetailDiagram::kFunctionMode &&
        diagram_.ViewKind() == CDetailDiagram::kFlowChart;
}

CPoint CDetailView::ToWindow(CPoint logical) const
{
    const CPoint scroll = GetScrollPosition();
    return {logical.x - scroll.x, logical.y - scroll.y};
}

bool CDetailView::HitCell(CPoint windowPoint)
{
    return diagram_.HitCell(windowPoint, scroll_);
}

void CDetailView::OnMouseMove(unsigned flags, CPoint point)
{
    if (!TakesClicks())
        return;
    const CPoint cell = diagram_.ClickedCell();
    const bool shown = diagram_.ExplanationOn();
    diagram_.HideExplanation();
    const unsigned buttons = flags & kButtons;
    const bool follow =
        context_.Options().autoShowDetailContent || buttons == MK_LBUTTON || buttons == MK_RBUTTON;
    if (diagram_.FlowPainter() != nullptr && follow && ShowsFlowChart()) {
        HitCell(ToWindow(point));
        if (diagram_.ClickedCell() != cell || diagram_.ExplanationOn() != shown)
            RedrawNow();
    }
}

void CDetailView::OnLButtonDown(unsigned, CPoint point)
{
    if (!TakesClicks())
        return;
    if (!context_.Options().autoShowDetailContent && ShowsFlowChart()) {
        HitCell(ToWindow(point));
        Invalidate();
    }
    ClickEngines(point, false);
}

void CDetailView::OnLButtonDblClk(unsigned, CPoint point)
{
    if (TakesClicks())
        ClickEngines(point, true);
}

// A click on the multi-sequence diagram or the detail box: a hit changes what
// they show, and the next paint lays them out again.
void CDetailView::ClickEngines(CPoint point, bool doubleClick)
{
    bool hit = false;
    if (diagram_.Mode() == CDetailDiagram::kFunctionMode &&
        diagram_.ViewKind() == CDetailDiagram::kMultiSequence)
        hit = multiSequence_.OnClick(point, doubleClick, diagram_.Selection());
    else if (diagram_.Mode() == CDetailDiagram::kTypeMode)
        hit = detailBox_.OnClick(point, doubleClick);
    if (hit)
        Invalidate();
}

void CDetailView::OnRButtonDown(unsigned, CPoint point)
{
    if (!TakesClicks())
        return;
    diagram_.SetExplainLeft(true);
    if (!context_.Options().autoShowDetailContent && ShowsFlowChart())
        HitCell(ToWindow(point));
    Invalidate();
}

void CDetailView::OnRButtonUp(unsigned, CPoint)
{
    diagram_.SetExplainLeft(false);
    Invalidate();
}

// A notch scrolls one line and then 50 pixels more, each step within the
// scroll range.
bool CDetailView::OnMouseWheel(unsigned, int delta, CPoint)
{
    const int line = delta > 0 ? -GetLineSize().cy : GetLineSize().cy;
    const int extra = delta > 0 ? -kWheelStep : kWheelStep;
    CPoint position = GetScrollPosition();
    ScrollToPosition({position.x, position.y + line});
    position = GetScrollPosition();
    ScrollToPosition({position.x, position.y + extra});
    return true;
}

// --- Printing ---

bool CDetailView::OnPreparePrinting()
{
    LayOutNow();
    const CSize size = GetTotalSize();
    if (document_.selectedNode == nullptr || diagram_.Selection() == nullptr || size.cx <= 0 ||
        size.cy <= 0) {
        Ui().MessageBox(GetLangString(51), MessageButtons::Ok, MessageIcon::Information);
        return false;
    }
    return true;
}

// One page's part of the diagram, drawn as the screen shows it; the scroll
// state here is a copy, so printing moves nothing on the screen.
void CDetailView::DrawPrintImage(CDC& dc)
{
    PaintGuard guard(context_.detailPaint);
    if (!guard || context_.drawRunning || document_.selectedNode == nullptr ||
        diagram_.Selection() == nullptr)
        return;
    dc.FillSolidRect(dc.GetClipBox(), diagram_.Background());
    ScrollRecord scroll(GetTotalSize());
    scroll.total = GetTotalSize();
    printing_ = true;
    diagram_.Prepare(&dc, scroll);
    diagram_.Draw(&dc, scroll);
    printing_ = false;
}
