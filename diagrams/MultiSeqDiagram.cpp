#include "MultiSeqDiagram.h"

#include "DrawSurface.h"
#include "ModelScope.h"
#include "ProjectAnalyzer.h"
#include "SafeDrawing.h"
#include "ShownText.h"

#include <algorithm>
#include <utility>

namespace {

constexpr int64_t kMargin = 20; // left and top
constexpr int64_t kColumnGap = 20;
constexpr int64_t kSpaceAboveEntry = 10;
constexpr int64_t kSpaceAboveCall = 5;
constexpr int kArrowHead = 3;
constexpr int kArrowLeft = 2;
constexpr int kArrowRight = 3;

constexpr COLORREF kTitleText = 0xC80000;
constexpr COLORREF kTitleFill = 0xFCE1B6;
constexpr COLORREF kTitleBorder = 0xC86464;
constexpr COLORREF kFunctionText = 0x006400;
constexpr COLORREF kFunctionFill = 0xDDFFDD;
constexpr COLORREF kFunctionBorder = 0xD3F5D3;
constexpr COLORREF kCallText = 0x006400;
constexpr COLORREF kCallFill = 0xC8FAFF;
constexpr COLORREF kLifeline = 0xB4B4DC;

} // namespace

int NextLaneOffset(int previous)
{
    if (previous < 1)
        return (-previous + 1) % 10;
    return -previous;
}

CMultiSeqDiagram::CMultiSeqDiagram()
{
    titleFont_.Create("Arial", 12, 1);
    functionFont_.Create("Arial", 10, 0);
    callFont_.Create("Verdana", 8, 0);
}

void CMultiSeqDiagram::Reset()
{
    columns_.clear();
    rootName_.clear();
    callee_ = nullptr;
    relayout_ = false;
    size_ = {};
    clickedColumnName_.clear();
}

int CMultiSeqDiagram::ColumnIndex(const std::string& name) const
{
    for (size_t i = 0; i < columns_.size(); ++i) {
        if (columns_[i].name == name)
            return static_cast<int>(i);
    }
    return -1;
}

MultiSeqColumn& CMultiSeqDiagram::ColumnNamed(const std::string& name)
{
    const int index = ColumnIndex(name);
    if (index >= 0)
        return columns_[static_cast<size_t>(index)];
    MultiSeqColumn& column = columns_.emplace_back();
    column.name = name;
    return column;
}

const MultiSeqEntry* CMultiSeqDiagram::FindEntry(int column, const CModelScope* id) const
{
    if (column < 0 || static_cast<size_t>(column) >= columns_.size())
        return nullptr;
    for (const MultiSeqEntry& entry : columns_[static_cast<size_t>(column)].entries) {
        if (entry.id == id)
            return &entry;
    }
    return nullptr;
}

CSize CMultiSeqDiagram::Layout(
    CDC& dc, const CModelScope* selection, CProjectAnalyzer& analyzer, bool selectionChanged)
{
    if (selection == nullptr || !(selectionChanged || relayout_))
        return size_;
    if (rootName_.empty())
        callee_ = selection;
    if (callee_ != nullptr) {
        // Each query starts from an empty name list, so that the first name
        // is the scope of the function asked about.
        std::vector<std::string>& names = analyzer.LifelineNames();
        names.clear();
        std::vector<CallRecord> calls = analyzer.GetCalledFunctions(callee_);
        for (const std::string& name : names)
            ColumnNamed(name);
        if (rootName_.empty())
            rootName_ = names.empty() ? kNoScopeName : names.front();
        AddCalls(std::move(calls), names);
    }
    Measure(dc);
    Place();
    RouteArrows();
    relayout_ = false;
    return size_;
}

void CMultiSeqDiagram::AddCalls(
    std::vector<CallRecord> calls, const std::vector<std::string>& names)
{
    // Where each call's callee stands (every name has its column by now); a
    // callee's function gets an entry in its column when it has none yet.
    std::vector<MultiSeqCall> entries;
    for (CallRecord& record : calls) {
        MultiSeqCall call;
        const int32_t lifeline = record.lifeline;
        if (record.callee != nullptr && lifeline >= 0 &&
            static_cast<size_t>(lifeline) < names.size())
            call.column = ColumnIndex(names[static_cast<size_t>(lifeline)]);
        call.record = std::move(record);
        call.record.name = ShownLine(call.record.name); // all of it that shows
        entries.push_back(std::move(call));
    }

    // The root column is made when the query named no scope at all.
    MultiSeqColumn& root = ColumnNamed(rootName_);
    auto found = std::find_if(root.entries.begin(), root.entries.end(),
        [&](const MultiSeqEntry& entry) { return entry.id == callee_; });
    if (found == root.entries.end()) {
        MultiSeqEntry entry;
        entry.name = ShownLine(callee_->name);
        entry.id = callee_;
        entry.explored = true;
        entry.calls = entries;
        root.entries.push_back(std::move(entry));
    } else if (!found->explored) {
        found->explored = true;
        found->calls = entries;
    }

    for (const MultiSeqCall& call : entries) {
        if (call.column < 0 || FindEntry(call.column, call.record.callee) != nullptr)
            continue;
        MultiSeqEntry entry;
        entry.id = call.record.callee;
        entry.name = call.record.name; // cut to what shows with the call
        entry.unfolded = false;
        columns_[static_cast<size_t>(call.column)].entries.push_back(std::move(entry));
    }
}

void CMultiSeqDiagram::Measure(CDC& dc)
{
    for (MultiSeqColumn& column : columns_) {
        for (MultiSeqEntry& entry : column.entries) {
            int64_t widestCall = 0;
            {
                SelectedFont font(dc, callFont_);
                for (MultiSeqCall& call : entry.calls) {
                    const CSize size = font.Measure(call.record.name);
                    call.textW = size.cx;
                    call.textH = size.cy;
                    widestCall = std::max(widestCall, call.textW);
                }
            }
            SelectedFont font(dc, functionFont_);
            const CSize size = font.Measure(entry.name);
            entry.textW = std::max<int64_t>(size.cx, widestCall);
            entry.textH = size.cy;
        }
        SelectedFont font(dc, titleFont_);
        const CSize title = font.Measure(column.name);
        column.width = title.cx;
        column.height = title.cy;
        for (const MultiSeqEntry& entry : column.entries)
            column.width = std::max(column.width, entry.textW + entry.textH + 4);
    }
}

void CMultiSeqDiagram::Place()
{
    int64_t x = kMargin;
    int64_t lowest = kMargin;
    for (MultiSeqColumn& column : columns_) {
        column.x = x;
        column.y = kMargin;
        const int64_t width = column.BoxWidth();
        int64_t y = column.y + column.BoxHeight();
        for (MultiSeqEntry& entry : column.entries) {
            y += kSpaceAboveEntry;
            entry.x = column.x + (width - entry.BoxWidth()) / 2;
            entry.y = y;
            y += entry.BoxHeight();
            entry.lineTop = entry.lineBottom = y;
            if (!entry.explored || !entry.unfolded)
                continue;
            for (MultiSeqCall& call : entry.calls) {
                y += kSpaceAboveCall;
                call.x = column.x + (width - call.BoxWidth()) / 2;
                call.y = y;
                y += call.BoxHeight();
            }
            entry.lineBottom = y;
        }
        lowest = std::max(lowest, y);
        x += width + kColumnGap;
    }
    // The last column's right edge and the bottom, each with the margin.
    size_ = {ToPixel(x), ToPixel(lowest + kMargin)};
}

void CMultiSeqDiagram::RouteArrows()
{
    int lane = 0;
    for (size_t c = 0; c < columns_.size(); ++c) {
        for (MultiSeqEntry& entry : columns_[c].entries) {
            if (!entry.explored || !entry.unfolded)
                continue;
            for (MultiSeqCall& call : entry.calls) {
                const MultiSeqEntry* target = call.record.callee != nullptr
                    ? FindEntry(call.column, call.record.callee)
                    : nullptr;
                if (target == nullptr) {
                    call.arrow = MultiSeqCall::kNone;
                    continue;
                }
                const MultiSeqColumn& targetColumn = columns_[static_cast<size_t>(call.column)];
                const size_t targetIndex = static_cast<size_t>(call.column);
                lane = NextLaneOffset(lane);
                call.targetY = target->y + target->BoxHeight() / 2;
                if (targetIndex > c) {
                    call.arrow = MultiSeqCall::kLaterColumn;
                    call.targetX = target->x - 1;
                    call.routeX = targetColumn.x - kColumnGap / 2 + lane;
                } else {
                    call.arrow =
                        targetIndex == c ? MultiSeqCall::kOwnColumn : MultiSeqCall::kEarlierColumn;
                    call.targetX = target->x + target->BoxWidth();
                    call.routeX = targetColumn.x + targetColumn.BoxWidth() + kColumnGap / 2 + lane;
                }
            }
        }
    }
}

CSize CMultiSeqDiagram::Draw(
    CDC& dc, const CModelScope* selection, CProjectAnalyzer& analyzer, bool selectionChanged)
{
    const CSize size = Layout(dc, selection, analyzer, selectionChanged);
    if (selection != nullptr)
        Paint(dc);
    return size;
}

namespace {

// From the call box to the gap beside the target's column, along it and into
// the target.
void PaintArrow(DrawSurface& surface, CDC& dc, const MultiSeqCall& call, COLORREF colour)
{
    const int64_t startX =
        call.arrow == MultiSeqCall::kEarlierColumn ? call.x : call.x + call.BoxWidth();
    const int64_t startY = call.y + call.BoxHeight() / 2;
    DrawAxisLine(surface, startX, startY, call.routeX, startY, colour, PS_SOLID);
    DrawAxisLine(surface, call.routeX, startY, call.routeX, call.targetY, colour, PS_SOLID);
    DrawAxisLine(surface, call.routeX, call.targetY, call.targetX, call.targetY, colour, PS_SOLID);
    SelectedPen pen(dc, colour);
    DrawClippedArrowHead(surface, call.targetX, call.targetY,
        call.arrow == MultiSeqCall::kLaterColumn ? kArrowRight : kArrowLeft, kArrowHead, 1);
}

} // namespace

void CMultiSeqDiagram::Paint(CDC& dc)
{
    DrawSurface surface(&dc, 1, 0xFFFFFF);
    size_t colourIndex = 0;
    for (const MultiSeqColumn& column : columns_) {
        surface.DrawShadedFramedBox(ToPixel(column.x), ToPixel(column.y),
            ToPixel(column.BoxWidth()), ToPixel(column.BoxHeight()), kTitleFill, kTitleBorder, 0);
        {
            SelectedFont font(dc, titleFont_);
            DrawClippedText(
                surface, column.x + 10 / 2 + 1, column.y + 1 / 2 + 1, kTitleText, column.name);
        }
        for (const MultiSeqEntry& entry : column.entries) {
            surface.DrawShadedFramedBox(ToPixel(entry.x), ToPixel(entry.y),
                ToPixel(entry.BoxWidth()), ToPixel(entry.BoxHeight()), kFunctionFill,
                kFunctionBorder, 0);
            {
                SelectedFont font(dc, functionFont_);
                DrawClippedText(
                    surface, entry.x + 5 + entry.textH, entry.y + 1, kFunctionText, entry.name);
            }
            const int marker = ToPixel(entry.textH - 4);
            surface.DrawRoundFrame(ToPixel(entry.x + 8 / 2 + 1), ToPixel(entry.y + 1 / 2 + 1 + 2),
                marker, marker, kFunctionText, kFunctionText, entry.unfolded ? 0 : 1);
            if (!entry.explored || !entry.unfolded)
                continue;
            const int64_t centre = column.x + column.BoxWidth() / 2;
            DrawAxisLine(
                surface, centre, entry.lineTop, centre, entry.lineBottom, kLifeline, PS_SOLID);
            for (const MultiSeqCall& call : entry.calls) {
                surface.FillShadedBox(ToPixel(call.x), ToPixel(call.y), ToPixel(call.BoxWidth()),
                    ToPixel(call.BoxHeight()), kCallFill);
                {
                    SelectedFont font(dc, callFont_);
                    DrawClippedText(surface, call.x + 3, call.y + 1, kCallText, call.record.name);
                }
                if (call.arrow == MultiSeqCall::kNone)
                    continue;
                PaintArrow(surface, dc, call, kArrowPalette[colourIndex]);
                colourIndex = (colourIndex + 1) % std::size(kArrowPalette);
            }
        }
    }
}

bool CMultiSeqDiagram::OnClick(CPoint point, bool doubleClick, const CModelScope* selection)
{
    if (selection == nullptr)
        return false;
    const int64_t px = point.x;
    const int64_t py = point.y;
    for (MultiSeqColumn& column : columns_) {
        if (px <= column.x || px >= column.x + column.BoxWidth())
            continue;
        for (MultiSeqEntry& entry : column.entries) {
            const bool inside = px > entry.x && px < entry.x + entry.BoxWidth() && py > entry.y &&
                py < entry.y + entry.BoxHeight();
            const bool onMarker = px >= entry.x + 5 && px <= entry.x + 5 + entry.textH;
            if (!inside || !(doubleClick || onMarker))
                continue;
            entry.unfolded = !entry.unfolded;
            clickedColumnName_ = column.name;
            if (!entry.explored) {
                rootName_ = column.name;
                callee_ = entry.id != nullptr && entry.id->GetDefiningUnit() != nullptr ? entry.id
                                                                                        : nullptr;
            }
            relayout_ = true;
            return true;
        }
    }
    return false;
}
