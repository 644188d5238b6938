// Drawing the Nassi-Shneiderman diagram: the title and each block by its
// kind, every block before its children.

#include "NSDRootNode.h"

#include "Unit.h"
#include "UnitKind.h"

namespace {

// part * whole / total in 64 bits; 0 when there is no total.
int Scaled(int part, int whole, int total)
{
    if (total <= 0)
        return 0;
    return static_cast<int>(static_cast<int64_t>(part) * whole / total);
}

} // namespace

void NSDRootNode::Text(CFontHolder& font, COLORREF colour, int x, int y, const std::string& text)
{
    font.SelectInto();
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(colour);
    dc->TextOut(x, y, text);
    dc->SetBkMode(OPAQUE);
    font.Restore();
}

void NSDRootNode::Line(int x1, int y1, int x2, int y2, COLORREF colour)
{
    surface->DrawStyledLine(x1, y1, x2, y2, colour, 1, PS_SOLID);
}

void NSDRootNode::Box(int x, int y, int w, int h, const ColorTriple& colour)
{
    surface->DrawShadedFramedBox(x, y, w, h, colour.background, colour.border, 0);
}

void NSDRootNode::DrawTitle()
{
    if (settings.ShowTitle != 1 || surface == nullptr)
        return;
    Box(sizes.startX, sizes.startY, titleWidth, titleHeight - 4, settings.TitleColor);
    Text(settings.TitleFont, settings.TitleColor.text, sizes.startX + sizes.titleMarginWidth,
        sizes.startY + sizes.titleMarginHeight, title);
}

void NSDRootNode::DrawTree(const NSDBlock& block)
{
    if (surface == nullptr)
        return;
    for (const NSDBlock& child : block.children) {
        // A block holds everything below it: one outside the clip box is
        // skipped whole.
        if (!surface->IsVisible(child.x, child.y, child.width, child.height))
            continue;
        Paint(child);
        DrawTree(child);
    }
}

void NSDRootNode::Paint(const NSDBlock& block)
{
    switch (block.kind) {
    case UNIT_IF:
    case UNIT_ELSE_IF:
        PaintIf(block);
        break;
    case UNIT_ELSE:
    case UNIT_EXPRESSION_STATEMENT:
        PaintPlain(block);
        break;
    case UNIT_FOR:
    case UNIT_WHILE:
    case UNIT_DO:
        PaintLoop(block);
        break;
    case UNIT_SWITCH:
        PaintSwitch(block);
        break;
    case UNIT_CASE:
    case UNIT_DEFAULT:
        PaintCase(block);
        break;
    case UNIT_TRY:
    case UNIT_CATCH:
        PaintTryCatch(block);
        break;
    default:
        break;
    }
}

void NSDRootNode::PaintPlain(const NSDBlock& block)
{
    const CUnit* last = block.units.empty() ? nullptr : block.units.back();
    const int32_t lastKind = last ? last->kind : 0;
    const bool jumps = (lastKind >= UNIT_BREAK && lastKind <= UNIT_GOTO) || lastKind == UNIT_THROW;
    const ColorTriple& process = settings.ProcessColor;
    surface->DrawShadedFramedBox(block.x, block.y, block.width, block.height,
        jumps ? settings.ExceptionColor : process.background, process.border, 0);
    // Every line of one font is equally high; only lines in the clip box are
    // drawn (a long run of statements is one block).
    settings.ProcessFont.SelectInto();
    const int lineHeight = settings.ProcessFont.GetTextExtent("").cy;
    settings.ProcessFont.Restore();
    const int mw = sizes.marginWidth;
    int64_t y = int64_t {block.y} + sizes.marginHeight;
    for (const std::string& line : block.lines) {
        if (y > surface->clip.bottom && lineHeight + sizes.statementDistance > 0)
            break;
        if (y + lineHeight >= surface->clip.top)
            Text(settings.ProcessFont, process.text, block.x + mw + 1, static_cast<int>(y), line);
        y += lineHeight + sizes.statementDistance;
    }
}

// The header's two triangles meet at the split point of the yes and no
// columns; the condition leans towards that point.
void NSDRootNode::PaintIf(const NSDBlock& block)
{
    const int x = block.x;
    const int y = block.y;
    const int hh = block.headerHeight;
    const ColorTriple& cond = settings.IfColor;
    const ColorTriple& yes = settings.IfYesColor;
    const ColorTriple& no = settings.IfNoColor;
    surface->DrawTriangle(
        x, y + 1, block.yesWidth, hh, yes.background, yes.border, cond.background, 0);
    surface->DrawTriangle(x + block.yesWidth, y + 1, block.width - block.yesWidth, hh,
        no.background, no.border, cond.background, 1);
    if (cond.background != cond.border)
        surface->FrameBox(x, y, block.width, hh, cond.border, 1);
    Box(x, y + hh, block.yesWidth, block.height - hh, settings.ProcessColor);
    Box(x + block.yesWidth, y + hh, block.width - block.yesWidth, block.bodyHeight,
        settings.ProcessColor);

    const int mw = sizes.marginWidth;
    int lineY = y + sizes.marginHeight + 1;
    for (const std::string& line : block.lines) {
        settings.IfFont.SelectInto();
        const CSize extent = settings.IfFont.GetTextExtent(line.c_str());
        settings.IfFont.Restore();
        const int lean = Scaled(block.width - extent.cx, block.yesWidth, block.width);
        Text(settings.IfFont, cond.text, x + mw + lean + 1, lineY, line);
        lineY += extent.cy;
    }
    Text(settings.IfYesFont, yes.text, x + (block.yesWidth - yesExtent.cx) / 4 - 1,
        y + hh - yesExtent.cy, "Yes");
    Text(settings.IfNoFont, no.text,
        x + block.yesWidth + 3 * (block.width - noExtent.cx - block.yesWidth) / 4 + 1,
        y + hh - noExtent.cy, "No");
}

void NSDRootNode::PaintLoop(const NSDBlock& block)
{
    const int x = block.x;
    const int y = block.y;
    const int hh = block.headerHeight;
    const int bar = x + sizes.loopWidth - 1;
    const ColorTriple& loop = settings.LoopColor;
    Box(x, y, block.width, block.height, loop);
    const std::string& text = block.lines.empty() ? std::string() : block.lines.front();
    settings.LoopFont.SelectInto();
    const int th = settings.LoopFont.GetTextExtent(text.c_str()).cy;
    settings.LoopFont.Restore();
    const int textX = x + (block.width - block.textWidth) / 2 + sizes.marginWidth + 1;
    if (block.kind == UNIT_DO) {
        // The test stands at the bottom.
        const int top = y + block.height - hh;
        Line(bar, y + 1, bar, top, loop.border);
        Line(bar, top, x + block.width - 1, top, loop.border);
        Text(settings.LoopFont, loop.text, textX, top + (hh - th) / 2 - sizes.marginHeight + 1,
            text);
        return;
    }
    Line(bar, y + hh - 1, x + block.width - 1, y + hh - 1, loop.border);
    Line(bar, y + hh - 1, bar, y + block.height - 1, loop.border);
    Box(x + sizes.loopWidth, y + hh, block.width - sizes.loopWidth, block.height - hh,
        settings.ProcessColor);
    Text(settings.LoopFont, loop.text, textX, y + (hh - th) / 2 - sizes.marginHeight + 1, text);
}

void NSDRootNode::PaintSwitch(const NSDBlock& block)
{
    const ColorTriple& colour = settings.SwitchColor;
    Box(block.x, block.y, block.width, block.headerHeight, colour);
    Text(settings.SwitchFont, colour.text, block.x + (block.width - block.textWidth) / 2,
        block.y + sizes.marginHeight + 1, block.lines.empty() ? "" : block.lines.front());
}

// A case header carries a diagonal: a case from top left to bottom right
// with its expression below the line, default the other way with "default".
void NSDRootNode::PaintCase(const NSDBlock& block)
{
    const int x = block.x;
    const int y = block.y;
    const int hh = block.headerHeight;
    const int mw = sizes.marginWidth;
    const int mh = sizes.marginHeight;
    Box(x, y, block.width, hh, settings.CaseColor);
    if (block.children.empty())
        Box(x, y + hh, block.width, block.bodyHeight, settings.ProcessColor);
    const COLORREF diagonal = settings.SwitchColor.border;
    if (block.kind == UNIT_CASE) {
        Line(x, y, x + block.width, y + hh, diagonal);
        const std::string& text = block.lines.empty() ? std::string() : block.lines.front();
        settings.CaseFont.SelectInto();
        const int th = settings.CaseFont.GetTextExtent(text.c_str()).cy;
        settings.CaseFont.Restore();
        Text(settings.CaseFont, settings.CaseColor.text, x + mw + 1, y + hh - 1 - mh - th, text);
    } else {
        Line(x + block.width, y, x, y + hh, diagonal);
        Text(settings.CaseFont, settings.CaseColor.text,
            x + block.width - 1 - mw - defaultExtent.cx, y + hh - 1 - mh - defaultExtent.cy,
            "default");
    }
}

void NSDRootNode::PaintTryCatch(const NSDBlock& block)
{
    const ColorTriple& colour = settings.TryCatchColor;
    Box(block.x, block.y, block.width, block.height, colour);
    const std::string text = block.kind == UNIT_TRY
        ? "Try"
        : (block.lines.empty() ? std::string() : block.lines.front());
    Text(settings.TryCatchFont, colour.text,
        block.x + (block.width - block.textWidth) / 2 + 2 * sizes.marginWidth + 2,
        block.y + sizes.marginHeight + 1, text);
}
