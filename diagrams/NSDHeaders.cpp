// The header texts of the Nassi-Shneiderman blocks and the sizes they give
// the headers.

#include "NSDRootNode.h"

#include "DistinctTexts.h"
#include "FlowItemText.h"
#include "NSDNumbers.h"
#include "Unit.h"
#include "UnitKind.h"

#include <algorithm>
#include <thread>

namespace {

constexpr int32_t kPlain = UNIT_EXPRESSION_STATEMENT;

// Every block below `block`'s list, each before its children.
void CollectBlocks(std::vector<NSDBlock>& blocks, std::vector<NSDBlock*>& order)
{
    for (NSDBlock& block : blocks) {
        order.push_back(&block);
        CollectBlocks(block.children, order);
    }
}

} // namespace

// The condition in two lines, the first holding four fifths of it; a
// condition shorter than five characters stays whole on one line. A line
// longer than a block shows is cut (ShownLine).
void NSDRootNode::MakeIfLines(NSDBlock& block, int from)
{
    const JoinedText text =
        TokenRangeText(block.units.empty() ? nullptr : block.units.front(), from, 1);
    const size_t length = text.Length();
    block.lines.clear();
    if (length < 5) {
        block.lines.push_back(text.Whole());
    } else {
        const size_t cut = length * 4 / 5;
        block.lines.push_back(text.Shown({}, 0, cut));
        block.lines.push_back(text.Shown({}, cut, length));
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
        const bool empty =
            parts.init.Length() == 0 && parts.condition.Length() == 0 && parts.step.Length() == 0;
        block.lines = {empty ? std::string("For: ") : TokenRangeText(first, 2, 1).Shown("For: ")};
        break;
    }
    case UNIT_WHILE:
        block.lines = {TokenRangeText(first, 2, 1).Shown("While: ")};
        break;
    case UNIT_DO:
        block.lines = {block.units.size() >= 2
                ? TokenRangeText(block.units.back(), 2, 1).Shown("Do-While: ")
                : std::string("Do-While: ")};
        break;
    case UNIT_CATCH:
        block.lines = {TokenRangeText(first, 2, 1).Shown("Catch: ")};
        break;
    case UNIT_SWITCH:
        block.lines = {TokenRangeText(first, 2, 1).Shown()};
        break;
    case UNIT_CASE:
        block.lines = {TokenRangeText(first, 1, 1).Shown()};
        break;
    case kPlain:
        block.lines.reserve(block.lines.size() + block.units.size());
        for (const CUnit* unit : block.units)
            block.lines.push_back(UnitText(unit).Shown());
        break;
    default:
        break; // the fixed words, or no header at all
    }
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

// The font a context with the holder's font selected measures in: the
// context's own when that font was never made; none without a context.
const CFont* NSDRootNode::MeasuringFont(const CFontHolder& holder)
{
    if (holder.dc == nullptr)
        return nullptr;
    return holder.font != nullptr && holder.font->IsCreated() ? holder.font.get()
                                                              : holder.dc->GetCurrentFont();
}

void NSDRootNode::SizeHeader(NSDBlock& block, std::span<const CSize> extents)
{
    const int64_t mw = sizes.marginWidth;
    const int64_t mh = sizes.marginHeight;
    const CSize extent = block.kind != kPlain && !extents.empty() ? extents.front() : CSize();
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
        for (const CSize& line : extents) {
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
}

void NSDRootNode::SizeOneLineHeader(NSDBlock& block, CSize extent)
{
    block.textWidth = NarrowSize(int64_t {extent.cx} + 2 * int64_t {sizes.marginWidth} + 2);
    block.headerHeight = NarrowSize(int64_t {extent.cy} + 2 * int64_t {sizes.marginHeight} + 2);
}

// Header lines, their extents and the header sizes of a run of blocks, in
// the fonts of the thread the run is given to. Every line of a plain block
// sizes it, of the others the first.
void NSDRootNode::MakeHeaderRun(
    std::span<NSDBlock* const> blocks, const HeaderFonts& given, ShareFonts& fonts)
{
    for (NSDBlock* block : blocks)
        MakeHeaderLines(*block);
    DistinctTexts distinct;
    std::vector<size_t> which; // each measured line's text among the distinct ones
    for (const NSDBlock* block : blocks) {
        const CFontHolder* holder = HeaderFont(block->kind);
        if (holder == nullptr || block->lines.empty())
            continue;
        const CFont* font = fonts.For(given.at(holder));
        const size_t count = block->kind == kPlain ? block->lines.size() : 1;
        for (size_t i = 0; i < count; ++i)
            which.push_back(distinct.Add({font, std::string_view(block->lines[i].c_str())}));
    }
    std::vector<CSize> measured(distinct.Texts().size());
    GetTextMeasurer().MeasureAll(distinct.Texts(), measured.data());

    std::vector<CSize> extents;
    size_t next = 0;
    for (NSDBlock* block : blocks) {
        extents.clear();
        if (HeaderFont(block->kind) != nullptr && !block->lines.empty()) {
            const size_t count = block->kind == kPlain ? block->lines.size() : 1;
            for (size_t i = 0; i < count; ++i)
                extents.push_back(measured[which[next++]]);
        }
        SizeHeader(*block, extents);
    }
}

void NSDRootNode::MakeHeaders(std::vector<NSDBlock>& blocks)
{
    HeaderFonts given;
    for (const int32_t kind : std::initializer_list<int32_t> {
             UNIT_IF, UNIT_FOR, UNIT_CATCH, UNIT_SWITCH, UNIT_CASE, kPlain}) {
        const CFontHolder* holder = HeaderFont(kind);
        given.emplace(holder, MeasuringFont(*holder));
    }
    std::vector<NSDBlock*> order;
    CollectBlocks(blocks, order);
    // A huge function has some hundred thousand header lines: runs of its
    // blocks are worked on together, on several threads.
    const unsigned threads = order.size() < TextBatch::kParallelTexts
        ? 1
        : std::clamp(std::thread::hardware_concurrency(), 1u, 4u);
    TextBatch::Share(order.size(), threads, [&](size_t from, size_t to, ShareFonts& fonts) {
        MakeHeaderRun(std::span(order).subspan(from, to - from), given, fonts);
    });
}
