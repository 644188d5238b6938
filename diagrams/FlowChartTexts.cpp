// The flow chart's texts: box texts, branch and loop labels, the
// explanation box and the source lines of an item.

#include "FlowChartPainter.h"

#include "CharacterPrefix.h"
#include "FlowItemText.h"
#include "Unit.h"
#include "UnitKind.h"

#include <algorithm>

namespace {

bool IsJump(int32_t kind)
{
    return kind == UNIT_BREAK || kind == UNIT_RETURN || kind == UNIT_GOTO;
}

bool IsLoop(int32_t kind)
{
    return kind == UNIT_FOR || kind == UNIT_WHILE || kind == UNIT_DO;
}

// Where a case text too wide for one line is split: the last '_', ':' or
// '(' from the middle on whose text before it is narrower than `limit`;
// without one, the middle. `text` is the whole text or a first part of it
// that reaches past `limit`; a longer text before a position is no
// narrower, so the search ends at the first one too wide.
size_t CaseSplit(const CDC& dc, std::string_view text, size_t middle, int limit)
{
    size_t split = middle;
    for (size_t p = middle; p < text.size(); ++p) {
        const char c = text[p];
        if (c != '_' && c != ':' && c != '(')
            continue;
        if (dc.GetTextExtent(text.substr(0, p)).cx >= limit)
            break;
        split = p;
    }
    return split;
}

} // namespace

void CFlowChartPainter::SelectBoxFont(const CFontHolder* font)
{
    CFont* previous = font && font->font ? dc->SelectObject(font->font.get()) : nullptr;
    if (previousFont == nullptr)
        previousFont = previous;
    dotsWidth = dc->GetTextExtent("..").cx;
    // A glyph reaches at most about a line's height beyond its place.
    boxReach = std::max(xSize, 0) + 2 * std::max(dc->GetTextExtent("").cy, 0) + 1;
}

CFlowChartPainter::BoxText CFlowChartPainter::FitText(
    const JoinedText& text, size_t from, size_t to) const
{
    const size_t count = to > from ? to - from : 0;
    for (size_t wanted = kFirstBoxPart;; wanted *= 8) {
        BoxText fitted {text.Part(from, std::min(count, wanted + 1)), false};
        if (fitted.text.size() <= wanted)
            return fitted; // the whole text
        fitted.text.resize(WholeCharacterPrefix(fitted.text, wanted));
        fitted.cut = true;
        if (wanted >= kLongestBoxPart || dc->GetTextExtent(fitted.text).cx >= boxReach)
            return fitted;
    }
}

void CFlowChartPainter::RestoreFont()
{
    if (previousFont != nullptr)
        dc->SelectObject(previousFont);
    previousFont = nullptr;
}

bool CFlowChartPainter::TextVisible(int x, int y, CSize extent) const
{
    return x + extent.cx >= clip.left && x <= clip.right && y + extent.cy >= clip.top &&
        y <= clip.bottom;
}

void CFlowChartPainter::DrawTexts()
{
    const int oldMode = dc->SetBkMode(TRANSPARENT);
    const COLORREF oldColour = dc->GetTextColor();

    SelectBoxFont(startEndFont);
    dc->SetTextColor(colours[0].text);
    for (int row : {0, endRow}) {
        const char* text = row == 0 ? "Start" : "End";
        const CSize extent = dc->GetTextExtent(text);
        const int x = endCol * xSpace + (xSize - extent.cx) / 2;
        const int y = row * ySpace + (ySize - extent.cy) / 2;
        if (TextVisible(x, y, extent))
            dc->TextOut(x, y, text);
    }

    SelectBoxFont(explainTextFont);
    loopExtent = dc->GetTextExtent(loopLabel);
    yesExtent = dc->GetTextExtent(yesLabel);
    noExtent = dc->GetTextExtent(noLabel);
    DrawLabels(root->children, Target {EndCell(), 0});

    DrawItemTexts(root->children);
    RestoreFont();
    dc->SetTextColor(oldColour);
    dc->SetBkMode(oldMode);
}

void CFlowChartPainter::DrawItemTexts(const std::vector<CFlowItem>& items)
{
    for (const CFlowItem& item : items) {
        const CPoint cell(item.col, item.row);
        const CPoint end(item.col, item.row + item.height - 1);
        const bool visible = CellVisible(cell, IsLoop(item.kind) ? end : cell);
        const CUnit* unit = item.FirstUnit();
        switch (item.kind) {
        case UNIT_IF:
        case UNIT_ELSE_IF:
        case UNIT_SWITCH:
            if (visible) {
                SelectBoxFont(conditionFont);
                dc->SetTextColor(ColoursOf(item).text);
                SingleLine(FitText(ConditionText(unit)), cell, true);
            }
            break;
        case UNIT_ELSE:
            break;
        case UNIT_FOR:
        case UNIT_WHILE:
        case UNIT_DO:
            if (visible) {
                SelectBoxFont(loopFont);
                dc->SetTextColor(colours[5].text);
                if (item.kind == UNIT_FOR) {
                    const ForTexts parts = ForHeadTexts(unit);
                    MultiLine({FitText(parts.init), FitText(parts.condition)}, cell);
                    MultiLine({FitText(parts.step), {"For End"}}, end);
                } else if (item.kind == UNIT_WHILE) {
                    SingleLine(FitText(ConditionText(unit)), cell, false);
                    SingleLine({"While End"}, end, false);
                } else {
                    SingleLine({"Do"}, cell, false);
                    if (item.units.size() >= 2 && item.units[1] &&
                        item.units[1]->kind == UNIT_WHILE)
                        SingleLine(FitText(ConditionText(item.units[1])), end, false);
                }
            }
            break;
        case UNIT_CASE:
        case UNIT_DEFAULT:
            if (visible) {
                SelectBoxFont(conditionFont);
                dc->SetTextColor(colours[4].text);
                CaseText(item.kind == UNIT_DEFAULT ? JoinedText() : ConditionText(unit),
                    item.kind == UNIT_DEFAULT, cell);
            }
            break;
        case UNIT_EXPRESSION_STATEMENT:
            if (visible) {
                SelectBoxFont(processingFont);
                dc->SetTextColor(colours[1].text);
                std::vector<BoxText> lines;
                lines.reserve(item.units.size());
                for (const CUnit* each : item.units)
                    lines.push_back(FitText(UnitText(each)));
                MultiLine(lines, cell);
            }
            continue;
        default:
            continue;
        }
        DrawItemTexts(item.children);
    }
}

// A case's expression, or "default": on one line when it is narrower than
// the box, else split in two lines.
void CFlowChartPainter::CaseText(const JoinedText& expression, bool isDefault, CPoint cell)
{
    const int limit = xSize - 4;
    const BoxText fitted = isDefault ? BoxText {"default"} : FitText(expression);
    if (!fitted.cut) {
        const std::string& text = fitted.text;
        if (dc->GetTextExtent(text).cx < limit) {
            SingleLine(fitted, cell, false);
            return;
        }
        const size_t split = CaseSplit(*dc, text, text.size() / 2, limit);
        MultiLine({{text.substr(0, split)}, {text.substr(split)}}, cell);
        return;
    }
    // A text cut to what shows is wider than the box; the split lies within
    // the part that shows, or in the middle of the whole text.
    const size_t length = expression.Length();
    const size_t split = CaseSplit(*dc, fitted.text, length / 2, limit);
    MultiLine({FitText(expression, 0, split), FitText(expression, split, length)}, cell);
}

// One line in the box, centred; a text too wide is cut off and followed by
// "..". With `hexagon` the margin grows with the slant of the hexagon's sides.
void CFlowChartPainter::SingleLine(const BoxText& line, CPoint cell, bool hexagon)
{
    const std::string& text = line.text;
    const CSize extent = dc->GetTextExtent(text);
    const int th = extent.cy;
    int margin = 2;
    if (hexagon && ySize / 2 > 0) {
        const double slant = static_cast<double>(xSize / 4) / static_cast<double>(ySize / 2);
        const int grown = static_cast<int>((th / 2) * slant);
        if (grown >= 2)
            margin = grown;
    }
    const int x0 = cell.x * xSpace;
    const int y = cell.y * ySpace + (ySize - th) / 2;
    if (line.cut || extent.cx >= xSize - 2 * margin) {
        CRect box(x0 + margin, y, x0 + xSize - margin - dotsWidth, y + th);
        if (box.right > box.left)
            dc->DrawText(text, box, DT_LEFT | DT_SINGLELINE);
        dc->TextOut(x0 + xSize - margin - dotsWidth, y, "..");
    } else {
        dc->TextOut(x0 + (xSize - extent.cx) / 2, y, text);
    }
}

// Lines from the top of the box, the block centred when it fits; a line too
// wide is cut off with "..", a line that does not fit below is left out.
void CFlowChartPainter::MultiLine(const std::vector<BoxText>& lines, CPoint cell)
{
    // Measuring stops once the widest line and the total height are known
    // to leave no pad (a box of a long run of statements holds few lines).
    int widest = 0;
    int total = 0;
    for (const BoxText& line : lines) {
        if (widest >= xSize - 4 && total >= ySize - 4)
            break;
        const CSize extent = dc->GetTextExtent(line.text);
        widest = std::max(widest, line.cut ? std::max(extent.cx, xSize - 3) : extent.cx);
        total += extent.cy;
    }
    const int leftPad = widest < xSize - 4 ? (xSize - widest - 2) / 2 : 0;
    const int topPad = total < ySize - 4 ? (ySize - total - 2) / 2 : 0;
    const int x0 = cell.x * xSpace;
    const int y0 = cell.y * ySpace;
    int running = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        const CSize extent = dc->GetTextExtent(lines[i].text);
        if (running + extent.cy >= ySize) {
            if (extent.cy > 0)
                break; // no line of this font fits below any more
            continue;
        }
        const int y = y0 + topPad + running;
        if (lines[i].cut || extent.cx > xSize - 4) {
            CRect box(x0 + 2 + leftPad, y, x0 + 2 + leftPad + xSize - dotsWidth - 4, y + extent.cy);
            dc->DrawText(lines[i].text, box, DT_LEFT | DT_SINGLELINE);
            dc->TextOut(x0 + xSize - dotsWidth - 2, y, "..");
        } else {
            dc->TextOut(x0 + 2 + leftPad, y, lines[i].text);
        }
        running += extent.cy;
    }
}

void CFlowChartPainter::DrawLabel(
    const std::string& label, CSize extent, COLORREF colour, int x, int y)
{
    if (label.empty() || !TextVisible(x, y, extent))
        return;
    dc->SetTextColor(colour);
    dc->TextOut(x, y, label);
}

void CFlowChartPainter::DrawLabels(const std::vector<CFlowItem>& items, Target exit)
{
    const int g = (xSpace - xSize) / 2;
    size_t chainEnd = 0;
    for (size_t i = 0; i < items.size(); ++i) {
        const CFlowItem& item = items[i];
        switch (item.kind) {
        case UNIT_IF:
        case UNIT_ELSE_IF:
            DrawConditionLabels(items, i, exit);
            DrawLabels(item.children, ChainExit(items, i, exit, chainEnd));
            break;
        case UNIT_ELSE:
            DrawLabels(item.children, ChainExit(items, i, exit, chainEnd));
            break;
        case UNIT_FOR:
        case UNIT_WHILE:
        case UNIT_DO: {
            const int x = xSpace * (item.col - (item.leftWidth - 1)) - (g - 1) - loopExtent.cx - 4;
            const int y =
                item.row * ySpace + ((item.height - 1) * ySpace) / 2 + (ySize - loopExtent.cy) / 2;
            DrawLabel(loopLabel, loopExtent, settings.LoopArrowColor, x, y);
            const CPoint end(item.col, item.row + item.height - 1);
            DrawLabels(item.children, Target {end, item.kind});
            break;
        }
        case UNIT_SWITCH:
            DrawLabels(item.children, i + 1 < items.size() ? TargetOf(items[i + 1]) : exit);
            break;
        case UNIT_CASE:
        case UNIT_DEFAULT:
            DrawLabels(item.children, exit);
            break;
        default:
            break;
        }
    }
}

// The yes and no labels of the if or else-if items[i].
void CFlowChartPainter::DrawConditionLabels(
    const std::vector<CFlowItem>& items, size_t i, Target exit)
{
    const CFlowItem& item = items[i];
    const int g = (xSpace - xSize) / 2;
    const int x0 = item.col * xSpace;
    const int x1 = x0 + xSize;
    const int cx = x0 + xSize / 2;
    const int cy = item.row * ySpace + ySize / 2;
    const int y1 = item.row * ySpace + ySize;
    const bool last = i + 1 == items.size();

    CPoint yes(x0 - 2 * yesExtent.cx, cy - yesExtent.cy);
    if (!item.children.empty()) {
        // Right of the hexagon, before the lane the jump goes down in; a
        // label that would reach where a no label right of the lane begins
        // stands above the jump's line instead.
        if (IsJump(item.children.front().kind))
            yes = CPoint(x1, yesExtent.cx <= g + 3 ? cy : cy - yesExtent.cy);
    } else if ((last && endCol == item.col) || (!last && endCol >= item.col)) {
        yes = CPoint(cx - yesExtent.cx, y1);
    }
    DrawLabel(yesLabel, yesExtent, settings.ConditionYesColor, yes.x, yes.y);

    CPoint no(cx + 2, y1);
    if (last) {
        if (exit.kind == UNIT_RETURN || exit.kind == UNIT_BREAK)
            no = CPoint(x1 + g + 3, cy);
    } else {
        const CFlowItem& next = items[i + 1];
        const int32_t begins = next.FirstUnitKind();
        if (IsJump(next.kind) || begins == UNIT_RETURN || begins == UNIT_BREAK)
            no = CPoint(x1 + g + 3, cy);
        else if (next.kind == UNIT_ELSE_IF || (next.kind == UNIT_ELSE && !next.children.empty()))
            no = CPoint(x1 + noExtent.cx, cy - noExtent.cy);
    }
    DrawLabel(noLabel, noExtent, settings.ConditionNoColor, no.x, no.y);
}

std::vector<std::string> CFlowChartPainter::ExplanationLines(const CFlowItem& item) const
{
    const CUnit* unit = item.FirstUnit();
    switch (item.kind) {
    case UNIT_IF:
        return {"If Statement", ConditionText(unit).Shown()};
    case UNIT_ELSE_IF:
        return {"Else if Statement", ConditionText(unit).Shown()};
    case UNIT_FOR: {
        const ForTexts parts = ForHeadTexts(unit);
        return {"For Statement", parts.init.Shown(), parts.condition.Shown(), parts.step.Shown()};
    }
    case UNIT_WHILE:
        return {"While Statement", ConditionText(unit).Shown()};
    case UNIT_DO:
        if (item.units.size() >= 2 && item.units[1] && item.units[1]->kind == UNIT_WHILE)
            return {"Do-While Statement", ConditionText(item.units[1]).Shown()};
        return {"Do-While Statement"};
    case UNIT_SWITCH:
        return {"Switch Statement", ConditionText(unit).Shown()};
    case UNIT_CASE:
        return {"Case Expression", ConditionText(unit).Shown()};
    case UNIT_DEFAULT:
        return {"default"};
    case UNIT_EXPRESSION_STATEMENT: {
        std::vector<std::string> lines {"Statement(s)"};
        for (const CUnit* each : item.units)
            lines.push_back(UnitText(each).Shown());
        return lines;
    }
    default:
        return {"Nothing"};
    }
}

const CFlowItem* CFlowChartPainter::ShowExplanation(CPoint cell, bool left)
{
    const CFlowItem* item = ItemAt(cell);
    if (item == nullptr || dc == nullptr || surface == nullptr)
        return item;
    const std::vector<std::string> lines = ExplanationLines(*item);
    const ColorTriple& colour = ColoursOf(*item);
    CFontHolder explainFont;
    explainFont.Create("Arial", 18, 0);
    CFont* previous = explainFont.font ? dc->SelectObject(explainFont.font.get()) : nullptr;

    std::vector<int> heights;
    int widest = 0;
    int total = 0;
    for (const std::string& line : lines) {
        const CSize extent = dc->GetTextExtent(line);
        widest = std::max(widest, extent.cx);
        heights.push_back(extent.cy);
        total += extent.cy;
    }
    CPoint at = cell;
    int x = 0;
    if (!left) {
        at = CPoint(cell.x + 1, cell.y);
        if (cell.x + 1 >= 2 && cell.x + 1 == cols) {
            at = CPoint(cell.x, cell.y + 1);
            if (cell.y + 2 == rows)
                at = CPoint(cell.x, cell.y - 1);
        }
        x = at.x * xSpace;
    } else {
        x = std::max(0, at.x * xSpace + xSize - xSpace - widest - 8);
    }
    const int y = at.y * ySpace;
    surface->DrawShadedFramedBox(x, y, widest + 8, total + 10, colour.background, colour.border, 0);
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(colour.text);
    int lineY = y + 4;
    for (size_t i = 0; i < lines.size(); ++i) {
        dc->TextOut(x + 4, lineY, lines[i]);
        lineY += heights[i] + (i == 0 ? 2 : 0);
    }
    dc->SetTextColor(0x000000);
    dc->SetBkMode(OPAQUE);
    if (previous != nullptr)
        dc->SelectObject(previous);
    return item;
}

void CFlowChartPainter::ShowSourceOfItem(const CFlowItem* item) const
{
    if (item == nullptr || item->units.empty() || !showCodeLine_)
        return;
    const std::optional<int> first = FirstLineOf(item->units.front());
    const std::optional<int> last = LastLineOf(item->units.back());
    if (first && last)
        showCodeLine_(*first, *last);
}
