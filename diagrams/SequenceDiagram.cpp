#include "SequenceDiagram.h"

#include "ModelScope.h"
#include "ProjectAnalyzer.h"
#include "SafeDrawing.h"
#include "ScopeName.h"
#include "SequenceSetting.h"

#include <algorithm>
#include <utility>

namespace {

constexpr int kArrowLeft = 2;
constexpr int kArrowRight = 3;

} // namespace

CSequenceDiagram::CSequenceDiagram(CDC& dc, const CSequenceSetting& setting, std::string callerName,
    std::vector<CallRecord> calls, std::vector<std::string> names, const std::string& ownScope)
    : dc_(dc),
      setting_(setting),
      surface_(&dc, setting.HighColorShading, 0xFFFFFF),
      callerName_(std::move(callerName)),
      minimumObjectDistance_(SettingNumber(setting.MinimumObjectDistance)),
      arrowSize_(SettingNumber(setting.ArrowSize)),
      eachObjectInterval_(SettingNumber(setting.EachObjectInterval)),
      methodUpperSpace_(SettingNumber(setting.MethodUpperSpace)),
      methodLowerSpace_(SettingNumber(setting.MethodLowerSpace)),
      eachStreamSpace_(SettingNumber(setting.EachStreamSpace)),
      objectSpaceX_(SettingNumber(setting.ObjectSpaceX)),
      objectSpaceY_(SettingNumber(setting.ObjectSpaceY)),
      streamBoxWidth_(SettingNumber(setting.StreamBoxSizeWidth)),
      streamBoxHeight_(SettingNumber(setting.StreamBoxSizeHeight)),
      startX_(SettingNumber(setting.StartX)),
      startY_(SettingNumber(setting.StartY))
{
    if (names.empty())
        names.push_back(ownScope);
    for (std::string& name : names)
        columns_.emplace_back().name = std::move(name);
    for (CallRecord& record : calls) {
        SequenceCall call;
        const int32_t lifeline = record.lifeline;
        call.column = lifeline > 0 && static_cast<size_t>(lifeline) < columns_.size()
            ? static_cast<size_t>(lifeline)
            : 0;
        call.record = std::move(record);
        calls_.push_back(std::move(call));
    }
}

CSize CSequenceDiagram::Layout()
{
    PlaceCaller();
    PlaceColumns();
    PlaceCalls();
    return PictureSize();
}

void CSequenceDiagram::PlaceCaller()
{
    {
        SelectedFont font(dc_, setting_.CallerFont);
        const CSize caller = font.Measure(callerName_);
        callerX_ = startX_;
        callerHeight_ = caller.cy;
        cursorX_ = startX_ + objectSpaceX_ + 2 * arrowSize_ + caller.cx;
    }
    SelectedFont font(dc_, setting_.ObjectFont);
    const int64_t first = font.Measure(columns_.front().name).cx;
    if (cursorX_ - callerX_ < (first + 2 * objectSpaceX_) / 2)
        cursorX_ = first / 2 + callerX_ + objectSpaceX_;
}

void CSequenceDiagram::PlaceColumns()
{
    int64_t tallest = 0;
    {
        SelectedFont font(dc_, setting_.ObjectFont);
        for (SequenceColumn& column : columns_) {
            const CSize size = font.Measure(column.name);
            column.width = size.cx + 2 * objectSpaceX_;
            tallest = std::max<int64_t>(tallest, size.cy);
        }
    }
    objectHeight_ = tallest + 2 * objectSpaceY_;

    SelectedFont font(dc_, setting_.CalledFont);
    for (SequenceCall& call : calls_) {
        const CSize size = font.Measure(call.record.name);
        call.textW = size.cx;
        call.textH = size.cy;
        // A call's text stands between its column and the one before it.
        SequenceColumn& gap = columns_[call.column > 0 ? call.column - 1 : 0];
        gap.minGap = std::max(gap.minGap, call.textW + 2 * arrowSize_);
    }

    int64_t x = cursorX_;
    for (size_t i = 0; i < columns_.size(); ++i) {
        SequenceColumn& column = columns_[i];
        column.x = x - column.width / 2;
        if (i + 1 < columns_.size()) {
            const int64_t fit =
                columns_[i + 1].width / 2 + objectSpaceX_ + eachObjectInterval_ + column.width / 2;
            x += std::max({fit, minimumObjectDistance_, column.minGap});
        }
    }
}

int64_t CSequenceDiagram::FirstColumnSpan() const
{
    if (columns_.size() >= 2)
        return columns_[1].Centre() - columns_[0].Centre();
    return std::max(minimumObjectDistance_, columns_[0].width);
}

int64_t CSequenceDiagram::LoopX() const
{
    return columns_[0].Centre() + FirstColumnSpan() / 2;
}

void CSequenceDiagram::PlaceCalls()
{
    callerLineY_ = startY_ + objectHeight_ + methodUpperSpace_;
    int64_t y = callerLineY_ + callerHeight_;
    textHeight_ = 0;
    for (SequenceCall& call : calls_) {
        const int64_t centre = columns_[call.column].Centre();
        call.top = y;
        call.boxX = centre - streamBoxWidth_ / 2;
        call.boxY = y + call.textH;
        if (!call.Resolved()) {
            // Beside the stream box, right of it.
            call.textX = centre + streamBoxWidth_ / 2 + 1;
            call.textY = y + call.textH / 2 + streamBoxHeight_ / 2;
        } else {
            // Above the arrow, halfway along it.
            const int64_t middle =
                call.column == 0 ? LoopX() : (columns_[call.column - 1].Centre() + centre) / 2;
            call.textX = middle - call.textW / 2;
            call.textY = y;
        }
        y += streamBoxHeight_ + eachStreamSpace_ + call.textH;
        textHeight_ = std::max(textHeight_, call.textH);
    }
    lineEnd_ = methodLowerSpace_ + y;
}

CSize CSequenceDiagram::PictureSize() const
{
    const SequenceColumn& first = columns_.front();
    int64_t width = 0;
    if (columns_.size() >= 2) {
        width = columns_.back().x + columns_.back().width + 10;
    } else {
        int64_t reach = std::max(minimumObjectDistance_, first.width);
        for (const SequenceCall& call : calls_) {
            if (call.Resolved())
                reach = std::max(reach, reach / 2 + first.width / 2 + call.textW / 2);
            else
                reach = std::max(reach, first.width / 2 + call.textW + streamBoxWidth_ / 2 + 1);
        }
        width = 2 * first.x + reach + 10;
    }
    // A text beside the last column's stream box may reach further still.
    for (const SequenceCall& call : calls_)
        width = std::max(width, call.textX + call.textW + 10);
    return {ToPixel(width), ToPixel(lineEnd_ + 10)};
}

void CSequenceDiagram::Draw()
{
    DrawObjects();
    DrawStreams();
    DrawTexts();
    DrawArrows();
}

void CSequenceDiagram::DrawObjects()
{
    const ColorTriple& colours = setting_.ObjectColor;
    SelectedFont font(dc_, setting_.ObjectFont);
    for (const SequenceColumn& column : columns_) {
        surface_.DrawShadedFramedBox(ToPixel(column.x), ToPixel(startY_), ToPixel(column.width),
            ToPixel(objectHeight_), colours.background, colours.border, 0);
        DrawAxisLine(surface_, column.Centre(), startY_ + objectHeight_, column.Centre(), lineEnd_,
            setting_.ObjectMiddleColor, PS_DOT);
        DrawClippedText(
            surface_, column.x + objectSpaceX_, startY_ + objectSpaceY_, colours.text, column.name);
    }
}

void CSequenceDiagram::DrawStreams()
{
    const ColorTriple& colours = setting_.CalledColor;
    for (const SequenceCall& call : calls_) {
        surface_.DrawShadedFramedBox(ToPixel(call.boxX), ToPixel(call.boxY),
            ToPixel(streamBoxWidth_), ToPixel(streamBoxHeight_), colours.background, colours.border,
            0);
    }
}

void CSequenceDiagram::DrawTexts()
{
    {
        SelectedFont font(dc_, setting_.CallerFont);
        DrawClippedText(surface_, callerX_, callerLineY_, setting_.CallerTextColor, callerName_);
    }
    SelectedFont font(dc_, setting_.CalledFont);
    for (const SequenceCall& call : calls_)
        DrawClippedText(
            surface_, call.textX, call.textY, setting_.CalledColor.text, call.record.name);
}

void CSequenceDiagram::DrawArrows()
{
    const COLORREF colour = setting_.ArrowLineColor;
    const int size = ToPixel(arrowSize_);
    SelectedPen pen(dc_, colour);
    const int64_t x0 = columns_[0].Centre();
    for (const SequenceCall& call : calls_) {
        if (!call.Resolved())
            continue;
        const int64_t ya = call.top + textHeight_;
        const int64_t yb = ya + streamBoxHeight_ - 1;
        if (call.column == 0) {
            // The function calls into its own object: a loop back to its line.
            const int64_t near = x0 + streamBoxWidth_ / 2;
            const int64_t far = LoopX();
            DrawAxisLine(surface_, near, ya, far, ya, colour, PS_SOLID);
            DrawAxisLine(surface_, far, ya, far, yb, colour, PS_SOLID);
            DrawAxisLine(surface_, far, yb, near, yb, colour, PS_SOLID);
            DrawClippedArrowHead(surface_, near, yb, kArrowLeft, size, 1);
        } else {
            DrawAxisLine(surface_, x0, ya, call.boxX, ya, colour, PS_SOLID);
            DrawClippedArrowHead(surface_, call.boxX, ya, kArrowRight, size, 1);
            DrawAxisLine(surface_, call.boxX, yb, x0, yb, colour, PS_DOT);
            DrawClippedArrowHead(surface_, x0, yb, kArrowLeft, size, 0);
        }
    }
    // Into the function at the top, and back out at the bottom.
    const int64_t entry = callerLineY_ + callerHeight_;
    DrawAxisLine(surface_, x0, entry, callerX_, entry, colour, PS_SOLID);
    DrawClippedArrowHead(surface_, x0, entry, kArrowRight, size, 1);
    const int64_t exit = lineEnd_ - methodLowerSpace_ + arrowSize_;
    DrawAxisLine(surface_, x0, exit, callerX_, exit, colour, PS_DOT);
    DrawClippedArrowHead(surface_, callerX_, exit, kArrowLeft, size, 0);
}

namespace {

CSize RunSequenceDiagram(CDC& dc, const CModelScope* function, CProjectAnalyzer& analyzer,
    const CSequenceSetting& setting, bool draw)
{
    if (function == nullptr)
        return {};
    analyzer.LifelineNames().clear();
    std::vector<CallRecord> calls = analyzer.GetCalledFunctions(function);
    std::string ownScope = GetScopeName(*function, 1);
    if (ownScope.empty())
        ownScope = "Global";
    CSequenceDiagram diagram(
        dc, setting, function->name, std::move(calls), analyzer.LifelineNames(), ownScope);
    const CSize size = diagram.Layout();
    if (draw)
        diagram.Draw();
    return size;
}

} // namespace

CSize DrawSequenceDiagram(CDC& dc, const CModelScope* function, CProjectAnalyzer& analyzer,
    const CSequenceSetting& setting)
{
    return RunSequenceDiagram(dc, function, analyzer, setting, true);
}

CSize MeasureSequenceDiagram(CDC& dc, const CModelScope* function, CProjectAnalyzer& analyzer,
    const CSequenceSetting& setting)
{
    return RunSequenceDiagram(dc, function, analyzer, setting, false);
}
