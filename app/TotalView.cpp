#include "TotalView.h"

#include "Analyzer.h"
#include "AppContext.h"
#include "DefaultColorFiles.h"
#include "DetailView.h"
#include "DeviceContext.h"
#include "KestrinDoc.h"
#include "LanguageTable.h"
#include "MacroLayoutTree.h"
#include "MacroViewDefaults.h"
#include "MainFrame.h"
#include "MemDC.h"
#include "MessageSink.h"
#include "Options.h"
#include "ProgressDialog.h"
#include "TokenType.h"
#include "UiService.h"

#include <QProgressBar>

#include <algorithm>
#include <optional>
#include <span>

CTotalView::CTotalView(AppContext& context, CKestrinDoc& document, QWidget* parent)
    : CScrollView(parent),
      context_(context),
      document_(document),
      picture_(nodes_, groups_, boxes_, fonts_, style_),
      arranger_(UiThreadPoster(this))
{
    SetMacroViewDefaults(fonts_, style_);
    // A working copy, so that a broken file leaves the defaults whole.
    CVisualSetting fonts = fonts_;
    ElementStyleTable style = style_;
    const MacroColorFileRead read = LoadDefaultMacroColorFile(fonts, style);
    if (read.read) {
        fonts_ = fonts;
        style_ = style;
    }
    colorFile_ = read;
    holder_ =
        ModelHolders::Registration(context.Holders(), "macro view", [this] { ForgetModel(); });
    progressTimer_.setInterval(200);
    connect(&progressTimer_, &QTimer::timeout, this, [this] {
        if (context_.drawRunning && progress_ != nullptr)
            progress_->Bar()->setValue(context_.Input().percent.load());
    });
}

CTotalView::~CTotalView()
{
    StopArrangingAway();
    if (drawThread_.Joinable()) {
        context_.Input().stopRequest = true;
        drawThread_.Join();
        context_.drawRunning = false;
    }
    document_.selectedNode = nullptr;
    document_.dirty = true;
    SaveDefaultMacroColorFile(fonts_, style_, colorFile_);
}

void CTotalView::ForgetModel()
{
    StopArrangingAway();
    selected_ = nullptr;
    nodes_.clear();
    modelRoot_ = nullptr;
    treeAnalyzer_ = nullptr;
    prepared_ = {};
}

MacroArrangeOptions CTotalView::ArrangeOptions() const
{
    const COptions& options = context_.Options();
    return MacroArrangeOptions {options.macroViewSort, options.fixedSizeArrange, options.autoSort};
}

void CTotalView::RebuildLayout()
{
    if (!context_.drawRunning)
        context_.modelReady = true;
    Invalidate();
}

void CTotalView::ApplyMacroSetting(const CVisualSetting& fonts, const ElementStyleTable& style)
{
    fonts_ = fonts;
    style_ = style;
    remeasure_ = true;
    document_.dirty = true;
    Invalidate();
    if (frame_ != nullptr && frame_->DetailView() != nullptr)
        frame_->DetailView()->Invalidate();
}

void CTotalView::SetShowHeaders(bool show)
{
    showHeaders_ = show;
    RebuildLayout();
}

void CTotalView::SetShowsFileName(bool show)
{
    fileName_ = show;
    RebuildLayout();
}

void CTotalView::Rearrange()
{
    rearrange_ = true;
    Invalidate();
}

bool CTotalView::ClearAll()
{
    if (context_.drawRunning)
        return false;
    context_.ReplaceAnalyzer(); // every holder of model pointers is reset first
    SetScrollSizes({10, 10});
    ScrollToPosition({0, 0});
    // Painted when the window's thread is free again: a project being
    // closed, opened or drawn anew does not wait for the empty view.
    Invalidate();
    return true;
}

void CTotalView::ClearSelection()
{
    selected_ = nullptr;
    document_.selectedNode = nullptr;
    document_.selectedScope = nullptr;
    document_.dirty = true;
    if (frame_ != nullptr)
        frame_->ClearCode();
}

// --- Painting ---

void CTotalView::OnDraw(CDC* dc)
{
    UpdateAndDrawMacroView(dc);
}

void CTotalView::UpdateAndDrawMacroView(CDC* dc)
{
    PaintGuard guard(context_.macroPaint);
    if (!guard)
        return;
    CMemDC memory(dc, style_.BackGroundColor);
    const CAnalyzer* analyzer = context_.Analyzer();
    // During a run the model is being rebuilt: nothing here may touch it.
    if (analyzer == nullptr || context_.drawRunning)
        return;
    // A tree taken from another model than the current one is never used.
    if (!nodes_.empty() &&
        (treeAnalyzer_ != analyzer || treeGeneration_ != analyzer->Engine()->ModelGeneration())) {
        ForgetModel();
        context_.modelReady = true;
    }
    // A new tree is measured as it is built; every request arranges again.
    MacroViewSteps steps;
    steps.build = context_.modelReady;
    steps.measure = remeasure_;
    steps.arrange = rearrange_;
    if (steps.build || steps.measure || steps.arrange)
        StopArrangingAway(); // this paint does more
    if (steps.build) {
        selected_ = nullptr;
        modelRoot_ = analyzer->Engine()->Root();
    }
    // The tree the run prepared serves only the model it was built from.
    std::optional<PreparedMacroTree> prepared = std::move(prepared_.tree);
    if (prepared_.analyzer != analyzer ||
        prepared_.generation != analyzer->Engine()->ModelGeneration())
        prepared.reset();
    prepared_ = {};
    // A huge tree the run arranged for another width than the view has now
    // (the window was resized meanwhile) is shown as it was arranged, while
    // it is arranged for this width away from here.
    const MacroArrangeOptions options = ArrangeOptions();
    int width = GetClientRect().Width();
    const bool arrangeAway = steps.build && !steps.measure && !steps.arrange && prepared &&
        prepared->root == modelRoot_ && prepared->width != width && prepared->options == options &&
        prepared->nodeCount >= arrangeAwayFrom_;
    if (arrangeAway)
        width = prepared->width;
    const std::optional<CSize> size =
        picture_.Update(steps, modelRoot_, options, width, &memory, std::move(prepared));
    if (steps.build) {
        nodeCount_ = picture_.NodeCount();
        treeAnalyzer_ = analyzer;
        treeGeneration_ = analyzer->Engine()->ModelGeneration();
    }
    if (size) {
        SetScrollSizes(*size);
        RefindSelection();
        context_.modelReady = false;
        remeasure_ = false;
        rearrange_ = false;
    }
    if (arrangeAway && !ArrangeAway(GetClientRect().Width())) {
        rearrange_ = true;
        Invalidate();
    }
    picture_.Draw(&memory);
    InvertSelection(&memory);
    if (!nodes_.empty())
        emit MacroViewPainted();
}

namespace {

MacroLayoutNode* FindByUnit(std::span<MacroLayoutNode> nodes, const CUnit* unit)
{
    for (MacroLayoutNode& node : nodes) {
        if (node.scope != nullptr && node.scope->GetFirstUnit() == unit)
            return &node;
        if (MacroLayoutNode* found = FindByUnit(node.children, unit))
            return found;
    }
    return nullptr;
}

} // namespace

void CTotalView::RefindSelection()
{
    selected_ =
        document_.selectedNode == nullptr ? nullptr : FindByUnit(nodes_, document_.selectedNode);
}

void CTotalView::InvertSelection(CDC* dc)
{
    if (selected_ == nullptr)
        return;
    dc->BitBlt(selected_->absX, selected_->absY, selected_->boxW + 1, selected_->ShownHeight() + 1,
        nullptr, 0, 0, DSTINVERT);
}

// --- Printing ---

bool CTotalView::OnPreparePrinting()
{
    const CSize size = GetTotalSize();
    if (nodes_.empty() || context_.drawRunning || size.cx <= 0 || size.cy <= 0) {
        Ui().MessageBox(
            "Macro-view has no image to print.", MessageButtons::Ok, MessageIcon::Information);
        return false;
    }
    return true;
}

// One page's part of the macro view, as the screen shows it.
void CTotalView::DrawPrintImage(CDC& dc)
{
    PaintGuard guard(context_.macroPaint);
    if (!guard || context_.drawRunning)
        return;
    dc.FillSolidRect(dc.GetClipBox(), style_.BackGroundColor);
    picture_.Draw(&dc);
    InvertSelection(&dc);
}

// --- Input ---

void CTotalView::OnLButtonDown(unsigned flags, CPoint point)
{
    if ((flags & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) == MK_LBUTTON)
        Click(point);
}

void CTotalView::OnRButtonDown(unsigned flags, CPoint point)
{
    if ((flags & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) == MK_RBUTTON)
        Click(point);
}

void CTotalView::OnLButtonDblClk(unsigned, CPoint point)
{
    DoubleClick(point);
}

void CTotalView::OnMouseMove(unsigned flags, CPoint point)
{
    if ((flags & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) == MK_LBUTTON)
        Drag(point);
}

// A notch scrolls one line and then by the wheel's own delta (120 pixels a
// notch), each step within the scroll range.
bool CTotalView::OnMouseWheel(unsigned, int delta, CPoint)
{
    const int line = delta > 0 ? -GetLineSize().cy : GetLineSize().cy;
    CPoint position = GetScrollPosition();
    ScrollToPosition({position.x, position.y + line});
    position = GetScrollPosition();
    ScrollToPosition({position.x, position.y - delta});
    return true;
}

void CTotalView::OnSize(int width, int)
{
    if (context_.Options().autoResizeMacroView && width != lastWidth_ && !context_.drawRunning) {
        // A huge tree is shown as it is until its new arrangement is made
        // away from the window; anything else the next paint asks for
        // arranges it there anyway.
        const bool shownAsBuilt = !context_.modelReady && !remeasure_ && !rearrange_;
        if (!shownAsBuilt || nodes_.empty() || nodeCount_ < arrangeAwayFrom_ || !ArrangeAway(width))
            rearrange_ = true;
    }
    lastWidth_ = width;
}

bool CTotalView::ArrangeAway(int width)
{
    return arranger_.Start(picture_.MakeArrangeJob(ArrangeOptions(), width),
        [this](const MacroArrangement& arrangement) { TakeArrangement(arrangement); });
}

void CTotalView::TakeArrangement(const MacroArrangement& arrangement)
{
    // The nodes stay where they are: the selection still points into them.
    if (const std::optional<CSize> size = picture_.TakeArrangement(arrangement))
        SetScrollSizes(*size);
    else
        rearrange_ = true; // the tree changed meanwhile
    Invalidate();
}

namespace {

// "<name> <what>" as one line, made in one piece: a name may be megabytes
// long.
void WriteSelectionLine(MessageSink& sink, const std::string& name, std::string_view what)
{
    std::string line;
    line.reserve(name.size() + 1 + what.size());
    line += name;
    line += ' ';
    line += what;
    sink.Write(MessageKind::Info, line);
}

} // namespace

void CTotalView::Click(CPoint point)
{
    if (context_.drawRunning)
        return;
    lastPoint_ = point;
    if (MacroLayoutNode* hit = HitTestMacroNodes(nodes_, point)) {
        SelectItem(*hit, point);
        // The clicked box and its content are drawn last, over their neighbours.
        hit->number = nodeCount_++;
        NumberLayoutNodes(nodeCount_, hit->children);
    } else {
        ClearSelection();
    }
    if (frame_ != nullptr)
        frame_->DetailView()->RedrawNow();
    Invalidate();
}

void CTotalView::SelectItem(MacroLayoutNode& node, CPoint point)
{
    CModelScope* element = node.scope;
    if (element == nullptr)
        return;
    const bool onFoldBox = node.HasChildren() && point.x < node.absX + node.foldMark &&
        point.y < node.absY + node.foldMark;
    if (!onFoldBox) {
        CUnit* unit = element->GetFirstUnit();
        const bool function = unit != nullptr && unit->GetCategory() == 18;
        const bool type = unit != nullptr && unit->kind >= 4 && unit->kind <= 7;
        if (function || type) {
            document_.mode = function ? 1 : 2;
            document_.rootScope = function ? nullptr : modelRoot_;
            if (document_.selectedNode == unit)
                return;
            selected_ = &node;
            document_.dirty = true;
            document_.selectedNode = unit;
            document_.selectedScope = element;
            if (frame_ != nullptr) {
                ShowInCodeWindow(*element, *unit, function);
                frame_->DetailView()->ResetMultiSequence();
            }
            WriteSelectionLine(context_.Messages(), element->name, GetLangString(80));
            return;
        }
    } else {
        StopArrangingAway();
        SetNodeOpen(node, !node.open);
        rearrange_ = true;
        ClearSelection();
    }
    if (element->kind == 55 || element->kind == 57 || element->kind == 58) {
        document_.mode = 0;
        document_.rootScope = nullptr;
        selected_ = &node;
        WriteSelectionLine(context_.Messages(), element->name,
            GetLangString(context_.Options().autoSort ? 78 : 79));
    }
}

// A function shows its definition, the unit its diagrams are built from, so
// that a clicked box's lines are in that file; a type shows its first
// declaration's file, or else its first definition's.
void CTotalView::ShowInCodeWindow(const CModelScope& element, const CUnit& unit, bool function)
{
    const CUnit* shown = &unit;
    std::string file;
    if (function && !element.definitions.empty() &&
        element.definitions.size() == element.definitionFiles.size()) {
        shown = element.definitions.front();
        file = element.definitionFiles.front();
    } else if (!element.declarations.empty() && !element.declarationFiles.empty()) {
        file = element.declarationFiles.front();
    } else if (!element.definitionFiles.empty()) {
        file = element.definitionFiles.front();
    }
    const bool loaded = frame_->ShowSource(file);
    const auto* tokens = shown->tokens;
    if (tokens == nullptr || shown->tokenIndices.empty() || shown->first < 0 ||
        shown->last < shown->first || shown->last >= static_cast<int>(tokens->size()))
        return;
    // Line ends after the unit's last real token are not its lines.
    int last = shown->last;
    while (
        last > shown->first && ((*tokens)[last].type == ENDLINE || (*tokens)[last].type == NEWLINE))
        --last;
    frame_->ShowCodeLine((*tokens)[shown->first].line, (*tokens)[last].line, !loaded);
}

void CTotalView::DoubleClick(CPoint point)
{
    if (context_.drawRunning)
        return;
    MacroLayoutNode* hit = HitTestMacroNodes(nodes_, point);
    if (hit == nullptr || !hit->HasChildren())
        return;
    StopArrangingAway();
    SetNodeOpen(*hit, !hit->open);
    rearrange_ = true;
    ClearSelection();
    if (frame_ != nullptr)
        frame_->DetailView()->RedrawNow();
    RedrawNow();
}

namespace {

void MoveNode(MacroLayoutNode& node, int dx, int dy)
{
    node.absX = std::max(0, node.absX + dx);
    node.absY = std::max(0, node.absY + dy);
    if (node.open)
        for (MacroLayoutNode& child : node.children)
            MoveNode(child, dx, dy);
}

} // namespace

void CTotalView::Drag(CPoint point)
{
    if (context_.drawRunning || selected_ == nullptr || context_.Options().autoSort ||
        document_.mode == 1)
        return;
    // The new width's arrangement comes first, as it would have had the
    // paint after the resize made it: it would undo the move otherwise.
    if (StopArrangingAway()) {
        if (const std::optional<CSize> size = picture_.Update(
                {.arrange = true}, modelRoot_, ArrangeOptions(), GetClientRect().Width(), nullptr))
            SetScrollSizes(*size);
    }
    const int dx = point.x - lastPoint_.x;
    const int dy = point.y - lastPoint_.y;
    const int right = selected_->absX + selected_->boxW + dx + 4;
    const int bottom = selected_->absY + selected_->ShownHeight() + dy + 4;
    const CSize total = GetTotalSize();
    if (right > total.cx || bottom > total.cy)
        SetScrollSizes({std::max(total.cx, right), std::max(total.cy, bottom)});
    MoveNode(*selected_, dx, dy);
    lastPoint_ = point;
    Invalidate();
}

void CTotalView::SetAllOpen(bool open)
{
    if (context_.drawRunning || foldBusy_)
        return;
    foldBusy_ = true;
    StopArrangingAway();
    ClearSelection();
    SetAllNodesOpen(nodes_, open);
    rearrange_ = true;
    RedrawNow();
    foldBusy_ = false;
}

void CTotalView::FoldAll()
{
    SetAllOpen(false);
}

void CTotalView::UnfoldAll()
{
    SetAllOpen(true);
}
