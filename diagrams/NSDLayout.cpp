// Measuring the Nassi-Shneiderman diagram: natural sizes, stretching every
// column to the width above it, sharing the heights out, the title and the
// places of the blocks. A size a colour file set to 0 or below never
// divides: a share of nothing is even.

#include "NSDRootNode.h"

#include "NSDNumbers.h"
#include "ShownText.h"
#include "UnitKind.h"

#include <algorithm>

namespace {

constexpr int32_t kPlain = UNIT_EXPRESSION_STATEMENT;

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

} // namespace

void NSDRootNode::Measure()
{
    if (dc == nullptr)
        return;
    tryExtent = TextExtent(settings.TryCatchFont, "Try");
    yesExtent = TextExtent(settings.IfYesFont, "Yes");
    noExtent = TextExtent(settings.IfNoFont, "No");
    defaultExtent = TextExtent(settings.CaseFont, "default");
    MakeHeaders(root.children);

    const Extent natural = NaturalSize(root.children);
    int64_t w = natural.width;
    int64_t h = natural.height;
    root.width = root.bodyWidth = NarrowSize(w);
    root.height = root.bodyHeight = NarrowSize(h);
    Stretch(root.children, w);
    ShareHeights(root.children, h);

    titleWidth = titleHeight = 0;
    title.clear();
    if (settings.ShowTitle == 1) {
        title = ShownLine("Nassi-Shneiderman Diagrams - " + functionName);
        const CSize extent = TextExtent(settings.TitleFont, title);
        titleWidth = NarrowSize(int64_t {extent.cx} + 2 * int64_t {sizes.titleMarginWidth});
        titleHeight = NarrowSize(int64_t {extent.cy} + 2 * int64_t {sizes.titleMarginHeight} + 4);
        w = std::max<int64_t>(w, titleWidth);
        h += titleHeight;
    }
    Place(root.children, sizes.startX, int64_t {sizes.startY} + titleHeight);
    width = NarrowSize(w + 2 * int64_t {sizes.startX});
    height = NarrowSize(h + 2 * int64_t {sizes.startY});
}

// ---- natural sizes ----------------------------------------------------------

// An if with the else-ifs that follow it and a closing else, from the last
// member backwards; blocks[first] then stands for the whole chain.
void NSDRootNode::MeasureChain(std::vector<NSDBlock>& blocks, size_t first, size_t end)
{
    const int64_t yesColumn = 2 * int64_t {yesExtent.cx};
    const int64_t noColumn = 2 * int64_t {noExtent.cx};
    if (end - first == 1) {
        NSDBlock& b = blocks[first];
        const Extent c = NaturalSize(b.children);
        const int64_t bodyWidth = c.width != 0 ? c.width : yesColumn;
        const int64_t bodyHeight = c.width != 0 ? c.height : 0;
        const int64_t w = bodyWidth + noColumn;
        b.bodyWidth = NarrowSize(bodyWidth);
        b.bodyHeight = NarrowSize(bodyHeight);
        b.width = NarrowSize(std::max<int64_t>(w, b.textWidth));
        b.height = NarrowSize(bodyHeight + b.headerHeight);
        b.yesWidth =
            NarrowSize(b.textWidth < w ? bodyWidth : ShareOf(b.textWidth, bodyWidth, w, bodyWidth));
        return;
    }
    int64_t rest = 0; // R: the width right of the yes column
    int64_t lower = 0; // Q: the height below the header
    for (size_t k = end; k-- > first;) {
        NSDBlock& b = blocks[k];
        const Extent c = NaturalSize(b.children);
        if (b.kind == UNIT_ELSE) {
            b.bodyWidth = NarrowSize(c.width);
            b.bodyHeight = NarrowSize(c.height);
            b.width = NarrowSize(std::max(noColumn, c.width));
            b.height = NarrowSize(c.height);
        } else {
            rest = std::max(rest, noColumn);
            lower = std::max<int64_t>(lower, noExtent.cy);
            const int64_t bodyWidth = std::max(c.width, yesColumn);
            b.bodyWidth = NarrowSize(bodyWidth);
            rest += bodyWidth;
            b.width = NarrowSize(std::max<int64_t>(rest, b.textWidth));
            b.height = NarrowSize(b.headerHeight + std::max(c.height, lower));
            b.yesWidth = NarrowSize(
                b.textWidth < rest ? bodyWidth : ShareOf(b.textWidth, bodyWidth, rest, bodyWidth));
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
        b.bodyWidth = NarrowSize(c.width);
        b.bodyHeight = NarrowSize(c.height);
        int64_t w = std::max<int64_t>(c.width, b.textWidth);
        int64_t h = c.height + b.headerHeight;
        if (IsLoop(b.kind)) {
            if (c.width == 0) {
                c.width = sizes.loopWidth; // an empty body keeps a square
                c.height = b.headerHeight;
            }
            b.bodyWidth = NarrowSize(c.width);
            b.bodyHeight = NarrowSize(c.height);
            w = std::max<int64_t>(c.width + sizes.loopWidth, b.textWidth);
            h = c.height + b.headerHeight;
        } else if (b.kind == UNIT_TRY || b.kind == UNIT_CATCH) {
            w = std::max<int64_t>(c.width + sizes.tryCatchWidth, b.textWidth);
            h = c.height + b.headerHeight + sizes.tryCatchHeight;
        }
        b.width = NarrowSize(w);
        b.height = NarrowSize(h);
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
            const int64_t yes = ShareOf(b.yesWidth, whole, b.width, whole / 2);
            b.yesWidth = b.bodyWidth = NarrowSize(yes);
            b.width = NarrowSize(whole);
            rest = whole - yes;
            Stretch(b.children, yes);
            break;
        }
        case UNIT_ELSE:
            b.width = b.bodyWidth = NarrowSize(rest);
            Stretch(b.children, rest);
            break;
        case UNIT_FOR:
        case UNIT_WHILE:
        case UNIT_DO:
            b.width = NarrowSize(w);
            b.bodyWidth = NarrowSize(w - sizes.loopWidth);
            Stretch(b.children, b.bodyWidth);
            break;
        case UNIT_TRY:
        case UNIT_CATCH:
            b.width = NarrowSize(w);
            b.bodyWidth = NarrowSize(w - sizes.tryCatchWidth);
            Stretch(b.children, b.bodyWidth);
            break;
        case UNIT_SWITCH:
            b.width = b.bodyWidth = NarrowSize(w);
            StretchCases(b);
            break;
        default:
            b.width = NarrowSize(w);
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
        const int64_t share = k + 1 == cases.size() ? w - given : ShareOf(c.width, w, sum, w / n);
        given += share;
        c.width = c.bodyWidth = NarrowSize(share);
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
            i == last ? available - given : ShareOf(b.height, available, total, available / count);
        given += share;
        b.height = NarrowSize(share);
    }

    int64_t rest = 0; // the height an if-chain leaves below its headers
    for (NSDBlock& b : blocks) {
        switch (b.kind) {
        case UNIT_IF:
            b.bodyHeight = NarrowSize(int64_t {b.height} - b.headerHeight);
            rest = b.bodyHeight;
            ShareHeights(b.children, b.bodyHeight);
            break;
        case UNIT_ELSE_IF:
            b.height = NarrowSize(rest);
            rest -= b.headerHeight;
            b.bodyHeight = NarrowSize(rest);
            ShareHeights(b.children, rest);
            break;
        case UNIT_ELSE:
            b.height = b.bodyHeight = NarrowSize(rest);
            ShareHeights(b.children, rest);
            break;
        case UNIT_FOR:
        case UNIT_WHILE:
        case UNIT_DO:
            b.bodyHeight = NarrowSize(int64_t {b.height} - b.headerHeight);
            ShareHeights(b.children, b.bodyHeight);
            break;
        case UNIT_TRY:
        case UNIT_CATCH:
            b.bodyHeight =
                NarrowSize(int64_t {b.height} - sizes.tryCatchHeight - int64_t {b.headerHeight});
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
    body = std::max(body, int64_t {block.height} - block.headerHeight - header);
    for (NSDBlock& c : block.children) {
        c.headerHeight = NarrowSize(header);
        c.bodyHeight = NarrowSize(body);
        c.height = NarrowSize(header + body);
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
            b.x = NarrowSize(bx);
            b.y = NarrowSize(by);
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
            b.x = NarrowSize(x);
            b.y = NarrowSize(y);
            Place(b.children, x + sizes.loopWidth, y + b.headerHeight);
            y += b.height;
            break;
        case UNIT_DO:
            b.x = NarrowSize(x);
            b.y = NarrowSize(y);
            Place(b.children, x + sizes.loopWidth, y); // the header is at the bottom
            y += b.height;
            break;
        case UNIT_SWITCH:
            b.x = NarrowSize(x);
            b.y = NarrowSize(y);
            Place(b.children, x, y + b.headerHeight);
            y += b.height;
            break;
        case UNIT_CASE:
        case UNIT_DEFAULT:
            b.x = NarrowSize(x);
            b.y = NarrowSize(y);
            Place(b.children, x, y + b.headerHeight);
            x += b.width;
            break;
        case UNIT_TRY:
        case UNIT_CATCH:
            b.x = NarrowSize(x);
            b.y = NarrowSize(y);
            Place(b.children, x + sizes.tryCatchWidth / 2, y + b.headerHeight);
            y += b.height;
            break;
        default:
            b.x = NarrowSize(x);
            b.y = NarrowSize(y);
            y += b.height;
            break;
        }
    }
}
