// The blocks of a Nassi-Shneiderman diagram and their header texts.

#include "NSDRootNode.h"

#include "FlowItem.h"
#include "FlowItemText.h"
#include "NSDNumbers.h"
#include "Unit.h"
#include "UnitKind.h"

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
    block.units.assign(item.units.begin(), item.units.end());
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

void NSDRootNode::MakeOneLineHeader(NSDBlock& block, CFontHolder& font, std::string text)
{
    const CSize extent = TextExtent(font, text);
    block.lines = {std::move(text)};
    block.textWidth = NarrowSize(int64_t {extent.cx} + 2 * int64_t {sizes.marginWidth} + 2);
    block.headerHeight = NarrowSize(int64_t {extent.cy} + 2 * int64_t {sizes.marginHeight} + 2);
}

// The condition in two lines, the first holding four fifths of it; a
// condition shorter than five characters stays whole on one line.
void NSDRootNode::MakeIfHeader(NSDBlock& block, int from)
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
    const CSize extent = TextExtent(settings.IfFont, block.lines.front());
    const int64_t mw = sizes.marginWidth;
    const int64_t mh = sizes.marginHeight;
    int64_t textWidth = ((extent.cx + 2 * mw + 2) * 15) / 10;
    textWidth += textWidth / 2;
    textWidth += 2 * (int64_t {yesExtent.cx} + noExtent.cx);
    block.textWidth = NarrowSize(textWidth);
    block.headerHeight = NarrowSize(extent.cy + 2 * mh + 2 + std::max(yesExtent.cy, noExtent.cy));
}

void NSDRootNode::MakeHeaders(NSDBlock& block)
{
    const CUnit* first = block.units.empty() ? nullptr : block.units.front();
    const int64_t mw = sizes.marginWidth;
    const int64_t mh = sizes.marginHeight;
    switch (block.kind) {
    case UNIT_IF:
        MakeIfHeader(block, 2);
        break;
    case UNIT_ELSE_IF:
        MakeIfHeader(block, 3);
        break;
    case UNIT_FOR: {
        // for (;;) has nothing to show but its separators.
        const ForTexts parts = ForHeadTexts(first);
        const bool empty = parts.init.empty() && parts.condition.empty() && parts.step.empty();
        MakeOneLineHeader(block, settings.LoopFont,
            "For: " + (empty ? std::string() : TokenRangeText(first, 2, 1)));
        break;
    }
    case UNIT_WHILE:
        MakeOneLineHeader(block, settings.LoopFont, "While: " + TokenRangeText(first, 2, 1));
        break;
    case UNIT_DO:
        MakeOneLineHeader(block, settings.LoopFont,
            "Do-While: " +
                (block.units.size() >= 2 ? TokenRangeText(block.units.back(), 2, 1)
                                         : std::string()));
        break;
    case UNIT_CATCH:
        MakeOneLineHeader(block, settings.TryCatchFont, "Catch: " + TokenRangeText(first, 2, 1));
        break;
    case UNIT_SWITCH:
        MakeOneLineHeader(block, settings.SwitchFont, TokenRangeText(first, 2, 1));
        break;
    case UNIT_CASE:
        MakeOneLineHeader(block, settings.CaseFont, TokenRangeText(first, 1, 1));
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
        for (const CUnit* unit : block.units) {
            block.lines.push_back(UnitText(unit));
            const CSize extent = TextExtent(settings.ProcessFont, block.lines.back());
            widest = std::max<int64_t>(widest, extent.cx);
            lines += extent.cy;
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
        MakeHeaders(child);
}
