// The flow chart's layout: measuring, placing, the cell index and the jump
// targets.

#include "FlowChartPainter.h"

#include "CoordinateBounds.h"
#include "SwitchBranches.h"
#include "UnitDetail.h"
#include "UnitKind.h"

#include <algorithm>
#include <vector>

namespace {

bool IsLoop(int32_t kind)
{
    return kind == UNIT_FOR || kind == UNIT_WHILE || kind == UNIT_DO;
}

bool IsChainLink(int32_t kind)
{
    return kind == UNIT_ELSE_IF || kind == UNIT_ELSE;
}

// Kinds that stand on a list's axis.
bool StandsOnAxis(int32_t kind)
{
    return kind == UNIT_IF || IsLoop(kind) || kind == UNIT_SWITCH ||
        kind == UNIT_EXPRESSION_STATEMENT;
}

// The text of a label or goto unit (the label's name, the goto's target).
const std::string* NameOf(const CUnit* unit)
{
    const CTextInfo* info = unit ? AsTextInfo(*unit) : nullptr;
    return info ? &info->text : nullptr;
}

// The items of a block of kind `kind` and all below them reshaped as
// SwitchBranches.h says.
void ShapeSwitches(std::vector<CFlowItem>& items, int32_t kind)
{
    ShapeBranches(items, kind);
    for (CFlowItem& item : items)
        ShapeSwitches(item.children, item.kind);
}

} // namespace

// Returns the list's left width, right width and height in cells; gives each
// item of kind 33 to 49 its own extent first.
CFlowChartPainter::Extent CFlowChartPainter::Measure(std::vector<CFlowItem>& items)
{
    for (CFlowItem& item : items) {
        if (item.kind < UNIT_IF || item.kind > UNIT_EXPRESSION_STATEMENT)
            continue;
        const Extent c = Measure(item.children);
        switch (item.kind) {
        case UNIT_IF:
        case UNIT_ELSE_IF:
            item.leftWidth = c.left + c.right;
            item.rightWidth = 1;
            item.height = c.height + 1;
            break;
        case UNIT_ELSE:
            item.rightWidth = c.left + c.right;
            item.height = c.height;
            break;
        case UNIT_FOR:
        case UNIT_WHILE:
        case UNIT_DO:
            item.leftWidth = c.left + 1;
            item.rightWidth = std::max(c.right, 1);
            item.height = c.height + 2;
            break;
        case UNIT_SWITCH:
            item.leftWidth = c.left;
            item.rightWidth = std::max(c.right, 1);
            item.height = c.height + 2;
            break;
        case UNIT_CASE:
        case UNIT_DEFAULT:
            item.leftWidth = c.left;
            item.rightWidth = std::max(c.right + 1, 2);
            item.height = c.height;
            break;
        case UNIT_EXPRESSION_STATEMENT:
            item.rightWidth = 1;
            item.height = 1;
            break;
        default:
            break;
        }
    }

    Extent list;
    int chainWidth = 0;
    int chainHeight = 0;
    int chainLength = 0;
    const int n = static_cast<int>(items.size());
    for (int i = 0; i < n; ++i) {
        const CFlowItem& item = items[static_cast<size_t>(i)];
        switch (item.kind) {
        case UNIT_IF:
            list.left = std::max(list.left, item.leftWidth);
            list.right = std::max(list.right, item.rightWidth);
            list.height += item.height;
            chainWidth = item.rightWidth;
            chainHeight = item.height;
            chainLength = 0;
            break;
        case UNIT_ELSE_IF:
        case UNIT_ELSE:
            // Each link stands one row lower and its branch's width further right.
            ++chainLength;
            chainWidth += item.leftWidth + item.rightWidth;
            list.right = std::max(list.right, chainWidth);
            if (chainHeight < item.height + chainLength) {
                list.height += item.height - chainHeight + chainLength;
                chainHeight = item.height + chainLength;
            }
            break;
        case UNIT_FOR:
        case UNIT_WHILE:
        case UNIT_DO:
        case UNIT_SWITCH:
        case UNIT_EXPRESSION_STATEMENT:
            list.left = std::max(list.left, item.leftWidth);
            list.right = std::max(list.right, item.rightWidth);
            list.height += item.height;
            break;
        case UNIT_CASE:
        case UNIT_DEFAULT:
            // The first half of the cases stands left of the switch's column,
            // the second half right of it; a middle case straddles it.
            if (n % 2 == 0 && i == n / 2 - 1) {
                list.left += item.leftWidth + item.rightWidth / 2;
                list.right += item.rightWidth - item.rightWidth / 2;
            } else if (i < n / 2) {
                list.left += item.leftWidth + item.rightWidth;
            } else if (!(n % 2 == 1 && i == n / 2)) {
                list.right += item.leftWidth + item.rightWidth;
            } else {
                list.left += item.leftWidth;
                list.right += item.rightWidth;
            }
            list.height = std::max(list.height, item.height);
            break;
        default:
            break;
        }
    }
    return list;
}

int CFlowChartPainter::AxisOf(const std::vector<CFlowItem>& items, int leftStart)
{
    int widest = 0;
    for (const CFlowItem& item : items) {
        if (StandsOnAxis(item.kind))
            widest = std::max(widest, item.leftWidth);
    }
    return leftStart + widest;
}

void CFlowChartPainter::Place(std::vector<CFlowItem>& items, int leftStart, int firstRow)
{
    const int axis = AxisOf(items, leftStart);
    int row = firstRow;
    int chainCol = 0;
    int chainRow = 0;
    int chainHeight = 0;
    int chainLength = 0;
    int caseStart = leftStart;
    // A link of an if-chain stands `chainLength` rows below the if; the rows
    // the chain takes grow to hold its tallest link.
    auto growChain = [&](const CFlowItem& link) {
        ++chainLength;
        if (chainHeight < link.height + chainLength) {
            row += link.height + chainLength - chainHeight;
            chainHeight = link.height + chainLength;
        }
    };
    for (CFlowItem& item : items) {
        switch (item.kind) {
        case UNIT_IF:
            item.col = axis;
            item.row = row;
            Place(item.children, axis - item.rightWidth - item.leftWidth + 1, row + 1);
            chainCol = axis;
            chainRow = row;
            chainHeight = item.height;
            chainLength = 0;
            row += item.height;
            break;
        case UNIT_ELSE_IF:
            item.col = chainCol + item.leftWidth + item.rightWidth;
            item.row = chainRow + 1;
            Place(item.children, chainCol + 1, chainRow + 2);
            chainCol += item.leftWidth + item.rightWidth;
            chainRow += 1;
            growChain(item);
            break;
        case UNIT_ELSE:
            item.col = chainCol + item.leftWidth + item.rightWidth;
            item.row = chainRow + 1;
            Place(item.children, chainCol + 1, chainRow + 1);
            growChain(item);
            break;
        case UNIT_FOR:
        case UNIT_WHILE:
        case UNIT_DO:
            item.col = axis;
            item.row = row;
            Place(item.children, axis - item.leftWidth + 1, row + 1);
            row += item.height;
            break;
        case UNIT_SWITCH:
            item.col = axis;
            item.row = row;
            Place(item.children, axis - item.leftWidth, row + 1);
            row += item.height;
            break;
        case UNIT_CASE:
        case UNIT_DEFAULT:
            // The cases of a switch stand side by side in one row.
            item.col = AxisOf(item.children, caseStart);
            item.row = firstRow;
            Place(item.children, caseStart, firstRow + 1);
            caseStart += item.leftWidth + item.rightWidth;
            break;
        case UNIT_EXPRESSION_STATEMENT:
            item.col = axis;
            item.row = row;
            row += item.height;
            break;
        default:
            // Jumps and every other kind take no cell of their own.
            item.col = 0;
            item.row = 0;
            break;
        }
    }
}

void CFlowChartPainter::IndexCells(std::vector<CFlowItem>& items)
{
    for (CFlowItem& item : items) {
        cellMap[{item.col, item.row}] = &item;
        if (IsLoop(item.kind))
            cellMap[{item.col, item.row + item.height - 1}] = &item;
        if (item.kind != UNIT_EXPRESSION_STATEMENT)
            IndexCells(item.children);
    }
}

// Every label by name, the first in a depth-first walk winning: a goto jumps
// to the statements item that holds it.
void CFlowChartPainter::IndexLabels(const std::vector<CFlowItem>& items)
{
    for (const CFlowItem& item : items) {
        if (item.kind == UNIT_EXPRESSION_STATEMENT) {
            for (const CUnit* unit : item.units) {
                const std::string* label =
                    unit && unit->kind == UNIT_LABEL ? NameOf(unit) : nullptr;
                if (label)
                    labels.emplace(*label, &item);
            }
        }
        IndexLabels(item.children);
    }
}

// Returns, continues and gotos; `loop` is the nearest enclosing loop.
void CFlowChartPainter::AimJumps(std::vector<CFlowItem>& items, const CFlowItem* loop)
{
    for (CFlowItem& item : items) {
        CPoint cell(item.col, item.row);
        switch (item.kind) {
        case UNIT_RETURN:
            cell = EndCell();
            break;
        case UNIT_CONTINUE:
            cell = loop ? CPoint(loop->col, loop->row) : CPoint(endCol, 0);
            break;
        case UNIT_GOTO: {
            const std::string* target = NameOf(item.FirstUnit());
            auto label = target ? labels.find(*target) : labels.end();
            if (label != labels.end())
                cell = CPoint(label->second->col, label->second->row);
            break;
        }
        default:
            break;
        }
        item.col = cell.x;
        item.row = cell.y;
        AimJumps(item.children, IsLoop(item.kind) ? &item : loop);
    }
}

// Breaks take the exit of the nearest enclosing loop or switch. The breaks of
// a list are aimed before its nested lists, so that a switch whose exit is a
// break after it finds that break already aimed.
void CFlowChartPainter::AimBreaks(
    std::vector<CFlowItem>& items, std::optional<CPoint> breakExit, Target exit)
{
    for (CFlowItem& item : items) {
        if (item.kind == UNIT_BREAK) {
            const CPoint cell = breakExit.value_or(EndCell());
            item.col = cell.x;
            item.row = cell.y;
        }
    }
    size_t chainEnd = 0;
    for (size_t i = 0; i < items.size(); ++i) {
        CFlowItem& item = items[i];
        if (IsLoop(item.kind)) {
            const CPoint end(item.col, item.row + item.height - 1);
            AimBreaks(item.children, end, Target {end, item.kind});
        } else if (item.kind == UNIT_SWITCH) {
            const Target after = i + 1 < items.size() ? TargetOf(items[i + 1]) : exit;
            AimBreaks(item.children, after.cell, after);
        } else if (item.kind == UNIT_IF || IsChainLink(item.kind)) {
            AimBreaks(item.children, breakExit, ChainExit(items, i, exit, chainEnd));
        } else {
            AimBreaks(item.children, breakExit, exit);
        }
    }
}

void CFlowChartPainter::Layout()
{
    cellMap.clear();
    std::vector<CFlowItem>& top = root->children;
    ShapeSwitches(top, root->kind);
    const Extent extent = Measure(top);
    cols = extent.left + extent.right;
    rows = extent.height;
    Place(top, 0, 1);
    // The column of the first top-level item: every item that can come first
    // and has a cell stands on the axis.
    endCol = AxisOf(top, 0);
    endRow = rows + 1;
    IndexCells(top);
    labels.clear();
    IndexLabels(top);
    AimJumps(top, nullptr);
    AimBreaks(top, std::nullopt, Target {EndCell(), 0});
}

CFlowChartPainter::Target CFlowChartPainter::TargetOf(const CFlowItem& item) const
{
    return Target {CPoint(item.col, item.row), item.kind};
}

// The first item after the if-chain that item i belongs to, or the list's exit.
CFlowChartPainter::Target CFlowChartPainter::ChainExit(
    const std::vector<CFlowItem>& items, size_t i, Target exit, size_t& end) const
{
    if (end <= i) {
        end = i + 1;
        while (end < items.size() && IsChainLink(items[end].kind))
            ++end;
    }
    return end < items.size() ? TargetOf(items[end]) : exit;
}

const CFlowItem* CFlowChartPainter::ItemAt(CPoint cell) const
{
    auto found = cellMap.find({cell.x, cell.y});
    return found == cellMap.end() ? nullptr : found->second;
}

std::optional<CPoint> CFlowChartPainter::CellAt(CPoint point) const
{
    // A pitch a colour file set to 0 or below has no cells to hit.
    if (xSpace <= 0 || ySpace <= 0 || point.x < 0 || point.y < 0)
        return std::nullopt;
    if (point.x % xSpace >= xSize || point.y % ySpace >= ySize)
        return std::nullopt;
    return CPoint(point.x / xSpace, point.y / ySpace);
}

CSize CFlowChartPainter::DiagramSize() const
{
    return {ToPixel(std::max<int64_t>(0, (static_cast<int64_t>(cols) + 1) * xSpace)),
        ToPixel(std::max<int64_t>(0, (static_cast<int64_t>(rows) + 2) * ySpace))};
}
