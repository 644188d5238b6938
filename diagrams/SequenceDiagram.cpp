#include "SequenceDiagram.h"

#include "ModelScope.h"
#include "ProjectAnalyzer.h"
#include "SafeDrawing.h"
#include "ScopeName.h"
#include "SequenceSetting.h"
#include "ShownText.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace {

constexpr int kArrowLeft = 2;
constexpr int kArrowRight = 3;

} // namespace

CSequenceDiagram::CSequenceDiagram(const CSequenceSetting& setting, std::string callerName,
    std::vector<CallRecord> calls, std::vector<std::string> names, const std::string& ownScope)
    : setting_(setting),
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
        columns_.emplace_back().name =
            name.size() > kLongestShownLine ? ShownLine(name) : std::move(name);
    for (CallRecord& record : calls) {
        SequenceCall call;
        const int32_t lifeline = record.lifeline;
        call.column = lifeline > 0 && static_cast<size_t>(lifeline) < columns_.size()
            ? static_cast<size_t>(lifeline)
            : 0;
        call.record = std::move(record);
        call.record.name = ShownLine(call.record.name); // all of it that shows
        calls_.push_back(std::move(call));
    }
}

CSize CSequenceDiagram::Layout(CDC& dc)
{
    PlaceCaller(dc);
    PlaceColumns(dc);
    PlaceCalls();
    return PictureSize();
}

void CSequenceDiagram::PlaceCaller(CDC& dc)
{
    {
        SelectedFont font(dc, setting_.CallerFont);
        const CSize caller = font.Measure(callerName_);
        callerX_ = startX_;
        callerHeight_ = caller.cy;
        cursorX_ = startX_ + objectSpaceX_ + 2 * arrowSize_ + caller.cx;
    }
    SelectedFont font(dc, setting_.ObjectFont);
    const int64_t first = font.Measure(columns_.front().name).cx;
    if (cursorX_ - callerX_ < (first + 2 * objectSpaceX_) / 2)
        cursorX_ = first / 2 + callerX_ + objectSpaceX_;
}

void CSequenceDiagram::PlaceColumns(CDC& dc)
{
    int64_t tallest = 0;
    {
        SelectedFont font(dc, setting_.ObjectFont);
        for (SequenceColumn& column : columns_) {
            const CSize size = font.Measure(column.name);
            column.width = size.cx + 2 * objectSpaceX_;
            tallest = std::max<int64_t>(tallest, size.cy);
        }
    }
    objectHeight_ = tallest + 2 * objectSpaceY_;

    SelectedFont font(dc, setting_.CalledFont);
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
    rowsDown_ = std::is_sorted(calls_.begin(), calls_.end(),
        [](const SequenceCall& a, const SequenceCall& b) { return a.top < b.top; });
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

std::pair<size_t, size_t> CSequenceDiagram::CallsBetween(int64_t top, int64_t bottom) const
{
    // A setting with negative spaces can stack rows upwards: then every
    // row is taken.
    if (!rowsDown_)
        return {0, calls_.size()};
    // Each row reaches from its top through its text (half a text lower
    // when it stands beside the box), its stream box and the arrow heads
    // around them, plus a few pixels of shading and antialiasing.
    const int64_t arrow = std::abs(arrowSize_) + 1;
    const int64_t slack = 8;
    const int64_t reach = 2 * textHeight_ + std::abs(streamBoxHeight_) + 2 * arrow + slack;
    const auto first = std::lower_bound(calls_.begin(), calls_.end(), top - reach,
        [](const SequenceCall& call, int64_t y) { return call.top < y; });
    const auto last = std::upper_bound(calls_.begin(), calls_.end(), bottom + arrow + slack,
        [](int64_t y, const SequenceCall& call) { return y < call.top; });
    const auto begin = static_cast<size_t>(first - calls_.begin());
    return {begin, std::max(begin, static_cast<size_t>(last - calls_.begin()))};
}

void CSequenceDiagram::Draw(CDC& dc) const
{
    DrawSurface surface(&dc, setting_.HighColorShading, 0xFFFFFF);
    const CallRange calls = CallsBetween(surface.clip.top, surface.clip.bottom);
    DrawObjects(surface);
    DrawStreams(surface, calls);
    DrawTexts(surface, calls);
    DrawArrows(surface, calls);
}
void CSequenceDiagram::DrawObjects(DrawSurface& surface) const
{
    const ColorTriple& colours = setting_.ObjectColor;
    SelectedFont font(*surface.dc, setting_.ObjectFont);
    for (const SequenceColumn& column : columns_) {
        surface.DrawShadedFramedBox(ToPixel(column.x), ToPixel(startY_), ToPixel(column.width),
            ToPixel(objectHeight_), colours.background, colours.border, 0);
        DrawAxisLine(surface, column.Centre(), startY_ + objectHeight_, column.Centre(), lineEnd_,
            setting_.ObjectMiddleColor, PS_DOT);
        DrawClippedText(
            surface, column.x + objectSpaceX_, startY_ + objectSpaceY_, colours.text, column.name);
    }
}

void CSequenceDiagram::DrawStreams(DrawSurface& surface, CallRange calls) const
{
    const ColorTriple& colours = setting_.CalledColor;
    for (size_t i = calls.first; i < calls.second; ++i) {
        const SequenceCall& call = calls_[i];
        surface.DrawShadedFramedBox(ToPixel(call.boxX), ToPixel(call.boxY),
            ToPixel(streamBoxWidth_), ToPixel(streamBoxHeight_), colours.background, colours.border,
            0);
    }
}

void CSequenceDiagram::DrawTexts(DrawSurface& surface, CallRange calls) const
{
    {
        SelectedFont font(*surface.dc, setting_.CallerFont);
        DrawClippedText(surface, callerX_, callerLineY_, setting_.CallerTextColor, callerName_);
    }
    SelectedFont font(*surface.dc, setting_.CalledFont);
    for (size_t i = calls.first; i < calls.second; ++i) {
        const SequenceCall& call = calls_[i];
        DrawClippedText(
            surface, call.textX, call.textY, setting_.CalledColor.text, call.record.name);
    }
}

void CSequenceDiagram::DrawArrows(DrawSurface& surface, CallRange calls) const
{
    const COLORREF colour = setting_.ArrowLineColor;
    const int size = ToPixel(arrowSize_);
    SelectedPen pen(*surface.dc, colour);
    const int64_t x0 = columns_[0].Centre();
    for (size_t i = calls.first; i < calls.second; ++i) {
        const SequenceCall& call = calls_[i];
        if (!call.Resolved())
            continue;
        const int64_t ya = call.top + textHeight_;
        const int64_t yb = ya + streamBoxHeight_ - 1;
        if (call.column == 0) {
            // The function calls into its own object: a loop back to its line.
            const int64_t near = x0 + streamBoxWidth_ / 2;
            const int64_t far = LoopX();
            DrawAxisLine(surface, near, ya, far, ya, colour, PS_SOLID);
            DrawAxisLine(surface, far, ya, far, yb, colour, PS_SOLID);
            DrawAxisLine(surface, far, yb, near, yb, colour, PS_SOLID);
            DrawClippedArrowHead(surface, near, yb, kArrowLeft, size, 1);
        } else {
            DrawAxisLine(surface, x0, ya, call.boxX, ya, colour, PS_SOLID);
            DrawClippedArrowHead(surface, call.boxX, ya, kArrowRight, size, 1);
            DrawAxisLine(surface, call.boxX, yb, x0, yb, colour, PS_DOT);
            DrawClippedArrowHead(surface, x0, yb, kArrowLeft, size, 0);
        }
    }
    // Into the function at the top, and back out at the bottom.
    const int64_t entry = callerLineY_ + callerHeight_;
    DrawAxisLine(surface, x0, entry, callerX_, entry, colour, PS_SOLID);
    DrawClippedArrowHead(surface, x0, entry, kArrowRight, size, 1);
    const int64_t exit = lineEnd_ - methodLowerSpace_ + arrowSize_;
    DrawAxisLine(surface, x0, exit, callerX_, exit, colour, PS_DOT);
    DrawClippedArrowHead(surface, callerX_, exit, kArrowLeft, size, 0);
}

std::unique_ptr<CSequenceDiagram> MakeSequenceDiagram(
    const CModelScope* function, CProjectAnalyzer& analyzer, const CSequenceSetting& setting)
{
    if (function == nullptr)
        return nullptr;
    analyzer.LifelineNames().clear();
    std::vector<CallRecord> calls = analyzer.GetCalledFunctions(function);
    std::string ownScope = GetScopeName(*function, 1);
    if (ownScope.empty())
        ownScope = "Global";
    return std::make_unique<CSequenceDiagram>(
        setting, ShownLine(function->name), std::move(calls), analyzer.LifelineNames(), ownScope);
}

CSize DrawSequenceDiagram(CDC& dc, const CModelScope* function, CProjectAnalyzer& analyzer,
    const CSequenceSetting& setting)
{
    const std::unique_ptr<CSequenceDiagram> diagram =
        MakeSequenceDiagram(function, analyzer, setting);
    if (!diagram)
        return {};
    const CSize size = diagram->Layout(dc);
    diagram->Draw(dc);
    return size;
}
