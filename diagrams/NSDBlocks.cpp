// The blocks of a Nassi-Shneiderman diagram and their header texts.

#include "NSDRootNode.h"

#include "FlowItem.h"
#include "FlowItemText.h"
#include "NSDNumbers.h"
#include "Unit.h"
#include "UnitKind.h"

#include <algorithm>
#include <thread>

namespace {

constexpr int32_t kPlain = UNIT_EXPRESSION_STATEMENT;

int32_t BlockKind(const CFlowItem& item)
{
    switch (const int32_t kind = item.FirstUnitKind()) {
    case UNIT_IF:
    case UNIT_ELSE_IF:
    case UNIT_ELSE:
    case UNIT_FOR:
    case UNIT_WHILE:
    case UNIT_DO:
    case UNIT_SWITCH:
    case UNIT_CASE:
    case UNIT_DEFAULT:
    case UNIT_TRY:
    case UNIT_CATCH:
        return kind;
    default:
        return kPlain;
    }
}

} // namespace

NSDBlock NSDBlock::FromItem(const CFlowItem& item)
{
    NSDBlock block;
    block.kind = BlockKind(item);
    block.braceFlag = item.brace;
    block.units = item.units;
    block.children.reserve(item.children.size());
    for (const CFlowItem& child : item.children)
        block.children.push_back(FromItem(child));
    return block;
}

NSDBlock NSDBlock::RootOf(const CFlowItem& rootItem)
{
    NSDBlock block = FromItem(rootItem);
    block.kind = UNIT_ROOT;
    return block;
}

NSDRootNode::NSDRootNode(const CFlowItem& rootItem, CNSDSetting& setting, std::string function)
    : root(NSDBlock::RootOf(rootItem)), settings(setting), functionName(std::move(function))
{
}

void NSDRootNode::SetDC(CDC* context)
{
    dc = context;
    sizes.startX = static_cast<int>(SettingNumber(settings.StartX));
    sizes.startY = static_cast<int>(SettingNumber(settings.StartY));
    sizes.loopWidth = static_cast<int>(SettingNumber(settings.LoopWidth));
    sizes.tryCatchWidth = static_cast<int>(SettingNumber(settings.TryCatchWidth));
    sizes.tryCatchHeight = static_cast<int>(SettingNumber(settings.TryCatchHeight));
    sizes.statementDistance = static_cast<int>(SettingNumber(settings.StatementDistance));
    sizes.marginWidth = static_cast<int>(SettingNumber(settings.TextMarginWidth));
    sizes.marginHeight = static_cast<int>(SettingNumber(settings.TextMarginHeight));
    sizes.titleMarginWidth = static_cast<int>(SettingNumber(settings.TitleMarginWidth));
    sizes.titleMarginHeight = static_cast<int>(SettingNumber(settings.TitleMarginHeight));
    settings.AttachDC(dc);
    surface =
        std::make_unique<DrawSurface>(dc, settings.HighColorShading, settings.BackGroundColor);
}

CSize NSDRootNode::TextExtent(CFontHolder& font, const std::string& text)
{
    font.SelectInto();
    const CSize extent = font.GetTextExtent(text.c_str());
    font.Restore();
    return extent;
}

// ---- header texts ----------------------------------------------------------

// The condition in two lines, the first holding four fifths of it; a
// condition shorter than five characters stays whole on one line.
void NSDRootNode::MakeIfLines(NSDBlock& block, int from)
{
    const std::string text =
        TokenRangeText(block.units.empty() ? nullptr : block.units.front(), from, 1);
    block.lines.clear();
    if (text.size() < 5) {
        block.lines.push_back(text);
    } else {
        const size_t cut = text.size() * 4 / 5;
        block.lines.push_back(text.substr(0, cut));
        block.lines.push_back(text.substr(cut));
    }
}

void NSDRootNode::MakeHeaderLines(NSDBlock& block)
{
    const CUnit* first = block.units.empty() ? nullptr : block.units.front();
    switch (block.kind) {
    case UNIT_IF:
        MakeIfLines(block, 2);
        break;
    case UNIT_ELSE_IF:
        MakeIfLines(block, 3);
        break;
    case UNIT_FOR: {
        // for (;;) has nothing to show but its separators.
        const ForTexts parts = ForHeadTexts(first);
        const bool empty = parts.init.empty() && parts.condition.empty() && parts.step.empty();
        block.lines = {"For: " + (empty ? std::string() : TokenRangeText(first, 2, 1))};
        break;
    }
    case UNIT_WHILE:
        block.lines = {"While: " + TokenRangeText(first, 2, 1)};
        break;
    case UNIT_DO:
        block.lines = {"Do-While: " +
            (block.units.size() >= 2 ? TokenRangeText(block.units.back(), 2, 1) : std::string())};
        break;
    case UNIT_CATCH:
        block.lines = {"Catch: " + TokenRangeText(first, 2, 1)};
        break;
    case UNIT_SWITCH:
        block.lines = {TokenRangeText(first, 2, 1)};
        break;
    case UNIT_CASE:
        block.lines = {TokenRangeText(first, 1, 1)};
        break;
    case kPlain:
        for (const CUnit* unit : block.units)
            block.lines.push_back(UnitText(unit));
        break;
    default:
        break; // the fixed words, or no header at all
    }
    for (NSDBlock& child : block.children)
        MakeHeaderLines(child);
}

CFontHolder* NSDRootNode::HeaderFont(int32_t kind)
{
    switch (kind) {
    case UNIT_IF:
    case UNIT_ELSE_IF:
        return &settings.IfFont;
    case UNIT_FOR:
    case UNIT_WHILE:
    case UNIT_DO:
        return &settings.LoopFont;
    case UNIT_CATCH:
        return &settings.TryCatchFont;
    case UNIT_SWITCH:
        return &settings.SwitchFont;
    case UNIT_CASE:
        return &settings.CaseFont;
    case kPlain:
        return &settings.ProcessFont;
    default:
        return nullptr;
    }
}

// Every header line that sizes a block (every line of a plain block, the
// first of the others), in the font a context with the block's font
// selected measures in: the context's own when that font was never made.
void NSDRootNode::CollectHeaderTexts(NSDBlock& block, std::vector<TextInFont>& texts)
{
    if (CFontHolder* holder = HeaderFont(block.kind); holder != nullptr && !block.lines.empty()) {
        const CFont* font = nullptr;
        if (holder->dc != nullptr)
            font = holder->font != nullptr && holder->font->IsCreated()
                ? holder->font.get()
                : holder->dc->GetCurrentFont();
        const size_t count = block.kind == kPlain ? block.lines.size() : 1;
        for (size_t i = 0; i < count; ++i)
            texts.push_back({font, std::string_view(block.lines[i].c_str())});
    }
    for (NSDBlock& child : block.children)
        CollectHeaderTexts(child, texts);
}

void NSDRootNode::SizeHeaders(NSDBlock& block, const std::vector<CSize>& extents, size_t& next)
{
    const int64_t mw = sizes.marginWidth;
    const int64_t mh = sizes.marginHeight;
    const bool measured = HeaderFont(block.kind) != nullptr && !block.lines.empty();
    const CSize extent = measured && block.kind != kPlain ? extents[next++] : CSize();
    switch (block.kind) {
    case UNIT_IF:
    case UNIT_ELSE_IF: {
        int64_t textWidth = ((extent.cx + 2 * mw + 2) * 15) / 10;
        textWidth += textWidth / 2;
        textWidth += 2 * (int64_t {yesExtent.cx} + noExtent.cx);
        block.textWidth = NarrowSize(textWidth);
        block.headerHeight =
            NarrowSize(extent.cy + 2 * mh + 2 + std::max(yesExtent.cy, noExtent.cy));
        break;
    }
    case UNIT_FOR:
    case UNIT_WHILE:
    case UNIT_DO:
    case UNIT_CATCH:
    case UNIT_SWITCH:
        SizeOneLineHeader(block, extent);
        break;
    case UNIT_CASE:
        SizeOneLineHeader(block, extent);
        block.textWidth = NarrowSize(2 * int64_t {block.textWidth} - 2);
        block.headerHeight = NarrowSize(2 * int64_t {block.headerHeight} - 2);
        break;
    case UNIT_DEFAULT:
        block.textWidth = NarrowSize((defaultExtent.cx + 2 * mw) * 2 + 2);
        block.headerHeight = NarrowSize((defaultExtent.cy + 2 * mh) * 2 + 2);
        break;
    case UNIT_TRY:
        block.textWidth = NarrowSize(tryExtent.cx + 2 * mw + 2);
        block.headerHeight = NarrowSize(tryExtent.cy + 2 * mh + 2);
        break;
    case kPlain: {
        int64_t widest = 0;
        int64_t lines = 0;
        for (size_t i = 0; i < block.lines.size(); ++i) {
            const CSize& line = extents[next++];
            widest = std::max<int64_t>(widest, line.cx);
            lines += line.cy;
        }
        const int64_t gaps = block.lines.empty() ? 0 : static_cast<int64_t>(block.lines.size()) - 1;
        block.textWidth = NarrowSize(widest + 2 * mw + 2);
        block.headerHeight = NarrowSize(lines + gaps * sizes.statementDistance + 2 * mh + 2);
        break;
    }
    default:
        break; // an else has no header
    }
    for (NSDBlock& child : block.children)
        SizeHeaders(child, extents, next);
}

void NSDRootNode::SizeOneLineHeader(NSDBlock& block, CSize extent)
{
    block.textWidth = NarrowSize(int64_t {extent.cx} + 2 * int64_t {sizes.marginWidth} + 2);
    block.headerHeight = NarrowSize(int64_t {extent.cy} + 2 * int64_t {sizes.marginHeight} + 2);
}

void NSDRootNode::MakeHeaders(std::vector<NSDBlock>& blocks)
{
    // A huge function has some hundred thousand header lines to measure:
    // they are measured together, on several threads.
    std::vector<TextInFont> texts;
    for (NSDBlock& block : blocks) {
        MakeHeaderLines(block);
        CollectHeaderTexts(block, texts);
    }
    const unsigned threads = std::clamp(std::thread::hardware_concurrency(), 1u, 4u);
    const std::vector<CSize> extents = TextBatch::Measure(texts, threads);
    size_t next = 0;
    for (NSDBlock& block : blocks)
        SizeHeaders(block, extents, next);
}
