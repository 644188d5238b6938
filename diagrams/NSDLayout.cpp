// Measuring the Nassi-Shneiderman diagram: header texts, natural sizes,
// stretching every column to the width above it, sharing the heights out,
// the title and the places of the blocks.
//
// Sizes are worked out in 64 bits (products such as height x available
// height overflow 32 bits for large functions) and stored clamped. A size a
// colour file set to 0 or below never divides: a share of nothing is even.

#include "NSDRootNode.h"

#include "FlowItem.h"
#include "FlowItemText.h"
#include "Unit.h"
#include "UnitKind.h"

#include <algorithm>

namespace {

constexpr int32_t kPlain = UNIT_EXPRESSION_STATEMENT;
constexpr int32_t kRootKind = UNIT_ROOT;

// Places and sizes stay within 2^28 pixels either way, so that sums of a
// few of them never overflow.
constexpr int64_t kLimit = int64_t{1} << 28;
constexpr int kSizeLimit = 1 << 16;

int Narrow(int64_t value)
{
    return static_cast<int>(std::clamp<int64_t>(value, -kLimit, kLimit));
}

int SaneSize(int32_t value)
{
    return std::clamp(value, -kSizeLimit, kSizeLimit);
}

// part * whole / total, or `even` when there is no total to divide by.
int64_t Share(int64_t part, int64_t whole, int64_t total, int64_t even)
{
    if (total <= 0)
        return even;
    return part * whole / total;
}

bool IsLoop(int32_t kind)
{
    return kind == UNIT_FOR || kind == UNIT_WHILE || kind == UNIT_DO;
}

bool IsCase(int32_t kind)
{
    return kind == UNIT_CASE || kind == UNIT_DEFAULT;
}

// Blocks that take a share of their list's height.
bool TakesHeightShare(int32_t kind)
{
    return kind == UNIT_IF || IsLoop(kind) || kind == UNIT_SWITCH || kind == UNIT_TRY ||
           kind == UNIT_CATCH || kind == kPlain;
}

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
    block.kind = kRootKind;
    return block;
}

NSDRootNode::NSDRootNode(const CFlowItem& rootItem, CNSDSetting& setting, std::string function)
    : root(NSDBlock::RootOf(rootItem)), settings(setting), functionName(std::move(function))
{
}

void NSDRootNode::SetDC(CDC* context)
{
    dc = context;
    sizes = Sizes{SaneSize(settings.StartX),          SaneSize(settings.StartY),
                  SaneSize(settings.LoopWidth),       SaneSize(settings.TryCatchWidth),
                  SaneSize(settings.TryCatchHeight),  SaneSize(settings.StatementDistance),
                  SaneSize(settings.TextMarginWidth), SaneSize(settings.TextMarginHeight),
                  SaneSize(settings.TitleMarginWidth), SaneSize(settings.TitleMarginHeight)};
    settings.AttachDC(dc);
    surface = std::make_unique<DrawSurface>(dc, settings.HighColorShading, settings.BackGroundColor);
}

CSize NSDRootNode::TextExtent(CFontHolder& font, const std::string& text)
{
    font.SelectInto();
    const CSize extent = font.GetTextExtent(text.c_str());
    font.Restore();
    return extent;
}

void NSDRootNode::Measure()
{
    if (dc == nullptr)
        return;
    tryExtent = TextExtent(settings.TryCatchFont, "Try");
    yesExtent = TextExtent(settings.IfYesFont, "Yes");
    noExtent = TextExtent(settings.IfNoFont, "No");
    defaultExtent = TextExtent(settings.CaseFont, "default");
    for (NSDBlock& block : root.children)
        MakeHeaders(block);

    const Extent natural = NaturalSize(root.children);
    int64_t w = natural.width;
    int64_t h = natural.height;
    root.width = root.bodyWidth = Narrow(w);
    root.height = root.bodyHeight = Narrow(h);
    Stretch(root.children, w);
    ShareHeights(root.children, h);

    titleWidth = titleHeight = 0;
    title.clear();
    if (settings.ShowTitle == 1) {
        title = "Nassi-Shneiderman Diagrams - " + functionName;
        const CSize extent = TextExtent(settings.TitleFont, title);
        titleWidth = Narrow(int64_t{extent.cx} + 2 * int64_t{sizes.titleMarginWidth});
        titleHeight = Narrow(int64_t{extent.cy} + 2 * int64_t{sizes.titleMarginHeight} + 4);
        w = std::max<int64_t>(w, titleWidth);
        h += titleHeight;
    }
    Place(root.children, sizes.startX, int64_t{sizes.startY} + titleHeight);
    width = Narrow(w + 2 * int64_t{sizes.startX});
    height = Narrow(h + 2 * int64_t{sizes.startY});
}

// ---- header texts -------------------------------------------------------------

void NSDRootNode::MakeOneLineHeader(NSDBlock& block, CFontHolder& font, std::string text)
{
    const CSize extent = TextExtent(font, text);
    block.lines = {std::move(text)};
    block.textWidth = Narrow(int64_t{extent.cx} + 2 * int64_t{sizes.marginWidth} + 2);
    block.headerHeight = Narrow(int64_t{extent.cy} + 2 * int64_t{sizes.marginHeight} + 2);
}

// The condition in two lines, the first holding four fifths of it; a
// condition shorter than five characters stays whole on one line.
void NSDRootNode::MakeIfHeader(NSDBlock& block, int from)
{
    const std::string text = TokenRangeText(block.units.empty() ? nullptr : block.units.front(), from, 1);
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
    textWidth += 2 * (int64_t{yesExtent.cx} + noExtent.cx);
    block.textWidth = Narrow(textWidth);
    block.headerHeight = Narrow(extent.cy + 2 * mh + 2 + std::max(yesExtent.cy, noExtent.cy));
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
    case UNIT_FOR:
        MakeOneLineHeader(block, settings.LoopFont, "For: " + TokenRangeText(first, 2, 1));
        break;
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
        block.textWidth = Narrow(2 * int64_t{block.textWidth} - 2);
        block.headerHeight = Narrow(2 * int64_t{block.headerHeight} - 2);
        break;
    case UNIT_DEFAULT:
        block.textWidth = Narrow((defaultExtent.cx + 2 * mw) * 2 + 2);
        block.headerHeight = Narrow((defaultExtent.cy + 2 * mh) * 2 + 2);
        break;
    case UNIT_TRY:
        block.textWidth = Narrow(tryExtent.cx + 2 * mw + 2);
        block.headerHeight = Narrow(tryExtent.cy + 2 * mh + 2);
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
        block.textWidth = Narrow(widest + 2 * mw + 2);
        block.headerHeight = Narrow(lines + gaps * sizes.statementDistance + 2 * mh + 2);
        break;
    }
    default:
        break; // an else has no header
    }
    for (NSDBlock& child : block.children)
        MakeHeaders(child);
}

// ---- natural sizes ----------------------------------------------------------

// An if with the else-ifs that follow it and a closing else, from the last
// member backwards; blocks[first] then stands for the whole chain.
void NSDRootNode::MeasureChain(std::vector<NSDBlock>& blocks, size_t first, size_t end)
{
    const int64_t yesColumn = 2 * int64_t{yesExtent.cx};
    const int64_t noColumn = 2 * int64_t{noExtent.cx};
    if (end - first == 1) {
        NSDBlock& b = blocks[first];
        const Extent c = NaturalSize(b.children);
        const int64_t bodyWidth = c.width != 0 ? c.width : yesColumn;
        const int64_t bodyHeight = c.width != 0 ? c.height : 0;
        const int64_t w = bodyWidth + noColumn;
        b.bodyWidth = Narrow(bodyWidth);
        b.bodyHeight = Narrow(bodyHeight);
        b.width = Narrow(std::max<int64_t>(w, b.textWidth));
        b.height = Narrow(bodyHeight + b.headerHeight);
        b.yesWidth = Narrow(b.textWidth < w ? bodyWidth : Share(b.textWidth, bodyWidth, w, bodyWidth));
        return;
    }
    int64_t rest = 0;   // R: the width right of the yes column
    int64_t lower = 0;  // Q: the height below the header
    for (size_t k = end; k-- > first;) {
        NSDBlock& b = blocks[k];
        const Extent c = NaturalSize(b.children);
        if (b.kind == UNIT_ELSE) {
            b.bodyWidth = Narrow(c.width);
            b.bodyHeight = Narrow(c.height);
            b.width = Narrow(std::max(noColumn, c.width));
            b.height = Narrow(c.height);
        } else {
            rest = std::max(rest, noColumn);
            lower = std::max<int64_t>(lower, noExtent.cy);
            const int64_t bodyWidth = std::max(c.width, yesColumn);
            b.bodyWidth = Narrow(bodyWidth);
            rest += bodyWidth;
            b.width = Narrow(std::max<int64_t>(rest, b.textWidth));
            b.height = Narrow(b.headerHeight + std::max(c.height, lower));
            b.yesWidth = Narrow(b.textWidth < rest ? bodyWidth
                                                   : Share(b.textWidth, bodyWidth, rest, bodyWidth));
        }
        rest = b.width;
        lower = b.height;
    }
}

NSDRootNode::Extent NSDRootNode::NaturalSize(std::vector<NSDBlock>& blocks)
{
    Extent list;
    int64_t caseHeader = 0;
    int64_t caseBody = 0;
    for (size_t i = 0; i < blocks.size(); ++i) {
        NSDBlock& b = blocks[i];
        if (b.kind == UNIT_ELSE_IF || b.kind == UNIT_ELSE)
            continue; // measured with its chain
        if (b.kind == UNIT_IF) {
            size_t end = i + 1;
            while (end < blocks.size() && blocks[end].kind == UNIT_ELSE_IF)
                ++end;
            if (end < blocks.size() && blocks[end].kind == UNIT_ELSE)
                ++end;
            MeasureChain(blocks, i, end);
            list.width = std::max<int64_t>(list.width, b.width);
            list.height += b.height;
            continue;
        }
        Extent c = NaturalSize(b.children);
        b.bodyWidth = Narrow(c.width);
        b.bodyHeight = Narrow(c.height);
        int64_t w = std::max<int64_t>(c.width, b.textWidth);
        int64_t h = c.height + b.headerHeight;
        if (IsLoop(b.kind)) {
            if (c.width == 0) {
                c.width = sizes.loopWidth; // an empty body keeps a square
                c.height = b.headerHeight;
            }
            b.bodyWidth = Narrow(c.width);
            b.bodyHeight = Narrow(c.height);
            w = std::max<int64_t>(c.width + sizes.loopWidth, b.textWidth);
            h = c.height + b.headerHeight;
        } else if (b.kind == UNIT_TRY || b.kind == UNIT_CATCH) {
            w = std::max<int64_t>(c.width + sizes.tryCatchWidth, b.textWidth);
            h = c.height + b.headerHeight + sizes.tryCatchHeight;
        }
        b.width = Narrow(w);
        b.height = Narrow(h);
        if (IsCase(b.kind)) {
            // Cases stand side by side.
            list.width += b.width;
            caseHeader = std::max<int64_t>(caseHeader, b.headerHeight);
            caseBody = std::max(caseBody, c.height);
            list.height = std::max(list.height, caseHeader + caseBody);
        } else {
            list.width = std::max<int64_t>(list.width, b.width);
            list.height += b.height;
        }
    }
    return list;
}

// ---- stretching and heights -------------------------------------------------

void NSDRootNode::Stretch(std::vector<NSDBlock>& blocks, int64_t w)
{
    int64_t rest = 0; // the width an if-chain leaves to its next member
    for (NSDBlock& b : blocks) {
        switch (b.kind) {
        case UNIT_IF:
        case UNIT_ELSE_IF: {
            const int64_t whole = b.kind == UNIT_IF ? w : rest;
            const int64_t yes = Share(b.yesWidth, whole, b.width, whole / 2);
            b.yesWidth = b.bodyWidth = Narrow(yes);
            b.width = Narrow(whole);
            rest = whole - yes;
            Stretch(b.children, yes);
            break;
        }
        case UNIT_ELSE:
            b.width = b.bodyWidth = Narrow(rest);
            Stretch(b.children, rest);
            break;
        case UNIT_FOR:
        case UNIT_WHILE:
        case UNIT_DO:
            b.width = Narrow(w);
            b.bodyWidth = Narrow(w - sizes.loopWidth);
            Stretch(b.children, b.bodyWidth);
            break;
        case UNIT_TRY:
        case UNIT_CATCH:
            b.width = Narrow(w);
            b.bodyWidth = Narrow(w - sizes.tryCatchWidth);
            Stretch(b.children, b.bodyWidth);
            break;
        case UNIT_SWITCH:
            b.width = b.bodyWidth = Narrow(w);
            StretchCases(b);
            break;
        default:
            b.width = Narrow(w);
            Stretch(b.children, b.bodyWidth);
            break;
        }
    }
}

// The cases share the switch's width in proportion to their own, the last
// taking what the rounding left; each case's body is as wide as the case.
void NSDRootNode::StretchCases(NSDBlock& block)
{
    std::vector<NSDBlock>& cases = block.children;
    if (cases.empty())
        return;
    int64_t sum = 0;
    for (const NSDBlock& c : cases)
        sum += c.width;
    const int64_t w = block.bodyWidth;
    const int64_t n = static_cast<int64_t>(cases.size());
    int64_t given = 0;
    for (size_t k = 0; k < cases.size(); ++k) {
        NSDBlock& c = cases[k];
        const int64_t share = k + 1 == cases.size() ? w - given : Share(c.width, w, sum, w / n);
        given += share;
        c.width = c.bodyWidth = Narrow(share);
        Stretch(c.children, share);
    }
}

void NSDRootNode::ShareHeights(std::vector<NSDBlock>& blocks, int64_t available)
{
    int64_t total = 0;
    int64_t count = 0;
    size_t last = blocks.size();
    for (size_t i = 0; i < blocks.size(); ++i) {
        if (TakesHeightShare(blocks[i].kind)) {
            total += blocks[i].height;
            ++count;
            last = i;
        }
    }
    int64_t given = 0;
    for (size_t i = 0; i < blocks.size(); ++i) {
        NSDBlock& b = blocks[i];
        if (!TakesHeightShare(b.kind))
            continue;
        const int64_t share =
            i == last ? available - given : Share(b.height, available, total, available / count);
        given += share;
        b.height = Narrow(share);
    }

    int64_t rest = 0; // the height an if-chain leaves below its headers
    for (NSDBlock& b : blocks) {
        switch (b.kind) {
        case UNIT_IF:
            b.bodyHeight = Narrow(int64_t{b.height} - b.headerHeight);
            rest = b.bodyHeight;
            ShareHeights(b.children, b.bodyHeight);
            break;
        case UNIT_ELSE_IF:
            b.height = Narrow(rest);
            rest -= b.headerHeight;
            b.bodyHeight = Narrow(rest);
            ShareHeights(b.children, rest);
            break;
        case UNIT_ELSE:
            b.height = b.bodyHeight = Narrow(rest);
            ShareHeights(b.children, rest);
            break;
        case UNIT_FOR:
        case UNIT_WHILE:
        case UNIT_DO:
            b.bodyHeight = Narrow(int64_t{b.height} - b.headerHeight);
            ShareHeights(b.children, b.bodyHeight);
            break;
        case UNIT_TRY:
        case UNIT_CATCH:
            b.bodyHeight =
                Narrow(int64_t{b.height} - sizes.tryCatchHeight - int64_t{b.headerHeight});
            ShareHeights(b.children, b.bodyHeight);
            break;
        case UNIT_SWITCH:
            FillCases(b);
            break;
        default:
            break;
        }
    }
}

// Every case gets the tallest case header and a body that reaches the
// switch's bottom (at least the tallest case body).
void NSDRootNode::FillCases(NSDBlock& block)
{
    int64_t header = 0;
    int64_t body = 0;
    for (const NSDBlock& c : block.children) {
        header = std::max<int64_t>(header, c.headerHeight);
        body = std::max<int64_t>(body, c.bodyHeight);
    }
    body = std::max(body, int64_t{block.height} - block.headerHeight - header);
    for (NSDBlock& c : block.children) {
        c.headerHeight = Narrow(header);
        c.bodyHeight = Narrow(body);
        c.height = Narrow(header + body);
        ShareHeights(c.children, body);
    }
}

// ---- places -------------------------------------------------------------------

void NSDRootNode::Place(std::vector<NSDBlock>& blocks, int64_t x, int64_t y)
{
    int64_t chainX = x;
    int64_t chainY = y;
    for (NSDBlock& b : blocks) {
        switch (b.kind) {
        case UNIT_IF:
        case UNIT_ELSE_IF:
        case UNIT_ELSE: {
            const bool link = b.kind != UNIT_IF;
            const int64_t bx = link ? chainX : x;
            const int64_t by = link ? chainY : y;
            b.x = Narrow(bx);
            b.y = Narrow(by);
            if (b.kind == UNIT_ELSE) {
                Place(b.children, bx, by);
                break;
            }
            Place(b.children, bx, by + b.headerHeight);
            chainX = bx + b.yesWidth;
            chainY = by + b.headerHeight;
            if (!link)
                y += b.height;
            break;
        }
        case UNIT_FOR:
        case UNIT_WHILE:
            b.x = Narrow(x);
            b.y = Narrow(y);
            Place(b.children, x + sizes.loopWidth, y + b.headerHeight);
            y += b.height;
            break;
        case UNIT_DO:
            b.x = Narrow(x);
            b.y = Narrow(y);
            Place(b.children, x + sizes.loopWidth, y); // the header is at the bottom
            y += b.height;
            break;
        case UNIT_SWITCH:
            b.x = Narrow(x);
            b.y = Narrow(y);
            Place(b.children, x, y + b.headerHeight);
            y += b.height;
            break;
        case UNIT_CASE:
        case UNIT_DEFAULT:
            b.x = Narrow(x);
            b.y = Narrow(y);
            Place(b.children, x, y + b.headerHeight);
            x += b.width;
            break;
        case UNIT_TRY:
        case UNIT_CATCH:
            b.x = Narrow(x);
            b.y = Narrow(y);
            Place(b.children, x + sizes.tryCatchWidth / 2, y + b.headerHeight);
            y += b.height;
            break;
        default:
            b.x = Narrow(x);
            b.y = Narrow(y);
            y += b.height;
            break;
        }
    }
}
