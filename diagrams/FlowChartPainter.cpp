// The flow chart's zoom levels, shapes and connectors.

#include "FlowChartPainter.h"

#include "CoordinateBounds.h"
#include "UnitKind.h"

#include <algorithm>
#include <cstdlib>

namespace {

// Arrow-head directions of DrawSurface.
constexpr int kDown = 1;
constexpr int kLeft = 2;
constexpr int kRight = 3;

// Kind of the Start box and of the connector from it.
constexpr int32_t kStartKind = UNIT_KIND_56;

} // namespace

CFlowChartPainter::CFlowChartPainter(CFlowItem* rootItem, const CFlowSetting& setting)
    : settings(setting), root(rootItem)
{
    colours = {setting.StartEndColor, setting.ProcessingColor, setting.ConditionColor,
        setting.ConditionColor, setting.ConditionColor, setting.LoopColor};
    SetZoom(4);
}

CFlowChartPainter::~CFlowChartPainter() = default;

void CFlowChartPainter::SetZoom(int zoomLevel)
{
    zoom = zoomLevel;
    const CFlowLayout& level = zoom == 1 ? settings.Ratio1x
        : zoom == 4                      ? settings.Ratio4x
                                         : settings.Ratio16x;
    showText = level.ShowText == 1;
    xSize = FlowCellSize(level.XSize);
    ySize = FlowCellSize(level.YSize);
    xSpace = FlowCellSize(level.XSpace);
    ySpace = FlowCellSize(level.YSpace);
    arrowSize = FlowCellSize(level.ArrowSize);
    startEndFont = &level.StartEndFont;
    explainTextFont = &level.ExplainFont;
    processingFont = &level.ProcessingFont;
    conditionFont = &level.ConditionFont;
    loopFont = &level.LoopFont;
    MakePens();
    switch (level.ExplainType) {
    case 0:
        loopLabel = yesLabel = noLabel = "";
        break;
    case 1:
        loopLabel = "L";
        yesLabel = "Y";
        noLabel = "N";
        break;
    default:
        loopLabel = "Loop";
        yesLabel = "Yes";
        noLabel = "No";
        break;
    }
}

void CFlowChartPainter::MakePens()
{
    normalPen.CreatePen(PS_SOLID, penWidth, settings.NormalLineColor);
    returnPen.CreatePen(PS_SOLID, penWidth, settings.ReturnLineColor);
    yesPen.CreatePen(PS_SOLID, penWidth, settings.ConditionYesColor);
    noPen.CreatePen(PS_SOLID, penWidth, settings.ConditionNoColor);
    loopPen.CreatePen(PS_SOLID, penWidth, settings.LoopArrowColor);
}

void CFlowChartPainter::SetDC(CDC* context)
{
    dc = context;
    surface =
        std::make_unique<DrawSurface>(dc, settings.HighColorShading, settings.BackGroundColor);
    clip = dc ? dc->GetClipBox() : CRect();
}

const ColorTriple& CFlowChartPainter::ColoursOf(const CFlowItem& item) const
{
    switch (item.kind) {
    case UNIT_IF:
    case UNIT_ELSE_IF:
        return colours[2];
    case UNIT_FOR:
    case UNIT_WHILE:
    case UNIT_DO:
        return colours[5];
    case UNIT_SWITCH:
        return colours[3];
    case UNIT_CASE:
    case UNIT_DEFAULT:
        return colours[4];
    default:
        return colours[1];
    }
}

void CFlowChartPainter::Draw()
{
    if (dc == nullptr || root == nullptr)
        return;
    endRow = rows + 1;
    CPen* previousPen = dc->GetCurrentPen();
    DrawTerminals();
    DrawConnectors(root->children, nullptr, Target {EndCell(), 0}, CPoint());
    DrawShapes(root->children);
    if (showText)
        DrawTexts();
    dc->SelectObject(previousPen);
}

void CFlowChartPainter::DrawTerminals()
{
    const ColorTriple& c = colours[0];
    surface->DrawEllipseBox(endCol * xSpace, 0, xSize, ySize, c.background, c.border);
    surface->DrawEllipseBox(endCol * xSpace, endRow * ySpace, xSize, ySize, c.background, c.border);
    Connect(
        kNormal, CPoint(endCol, 0), Target {CPoint(endCol, 1), kStartKind}, Route::VerticalFirst);
}

void CFlowChartPainter::DrawShapes(const std::vector<CFlowItem>& items)
{
    for (const CFlowItem& item : items) {
        const int x = item.col * xSpace;
        const int y = item.row * ySpace;
        const ColorTriple& c = ColoursOf(item);
        switch (item.kind) {
        case UNIT_IF:
        case UNIT_ELSE_IF:
        case UNIT_SWITCH:
            surface->DrawHexagon(x, y, xSize, ySize, c.background, c.border);
            break;
        case UNIT_ELSE:
            break;
        case UNIT_FOR:
        case UNIT_WHILE:
        case UNIT_DO:
            surface->DrawRoundBox(x, y, xSize, ySize, c.background, c.border);
            surface->DrawRoundBox(
                x, (item.row + item.height - 1) * ySpace, xSize, ySize, c.background, c.border);
            break;
        case UNIT_CASE:
        case UNIT_DEFAULT:
            surface->DrawShadedFramedBox(x, y, xSize, ySize, c.background, c.border, 0);
            break;
        case UNIT_EXPRESSION_STATEMENT:
            surface->DrawShadedFramedBox(x, y, xSize, ySize, c.background, c.border, 0);
            continue;
        default:
            continue; // nothing, and nothing below it
        }
        DrawShapes(item.children);
    }
}

// Walks one list with its parent (none for the top level), the cell the
// list ends in, and for an else the cell of the condition before it.
void CFlowChartPainter::DrawConnectors(
    const std::vector<CFlowItem>& items, const CFlowItem* parent, Target exit, CPoint condition)
{
    const int32_t parentKind = parent ? parent->kind : kStartKind;
    const CPoint parentCell = parent ? CPoint(parent->col, parent->row) : CPoint(endCol, 0);
    const Target first = items.empty() ? exit : TargetOf(items.front());
    switch (parentKind) {
    case UNIT_IF:
    case UNIT_ELSE_IF:
        Connect(kYes, parentCell, first, Route::HorizontalFirst);
        break;
    case UNIT_ELSE:
        Connect(
            kNo, condition, first, items.empty() ? Route::VerticalFirst : Route::HorizontalFirst);
        break;
    case UNIT_FOR:
    case UNIT_WHILE:
    case UNIT_DO:
        Connect(kNormal, parentCell, first, Route::HorizontalFirst);
        break;
    case UNIT_CASE:
    case UNIT_DEFAULT:
        // A case box leads down to its statements.
        if (!items.empty())
            Connect(kNormal, parentCell, first, Route::VerticalFirst);
        break;
    default:
        break; // the top level's entry is the Start box's connector
    }

    size_t chainEnd = 0;
    for (size_t i = 0; i < items.size(); ++i) {
        const CFlowItem& item = items[i];
        const CPoint cell(item.col, item.row);
        const Target target = i + 1 < items.size() ? TargetOf(items[i + 1]) : exit;
        switch (item.kind) {
        case UNIT_IF:
        case UNIT_ELSE_IF: {
            const int32_t next = i + 1 < items.size() ? items[i + 1].kind : -1;
            if (next == UNIT_ELSE_IF)
                Connect(kNo, cell, target, Route::HorizontalFirst);
            else if (next != UNIT_ELSE)
                Connect(kNo, cell, target, Route::VerticalFirst);
            DrawConnectors(item.children, &item, ChainExit(items, i, exit, chainEnd), CPoint());
            break;
        }
        case UNIT_ELSE: {
            const CPoint before = i > 0 ? CPoint(items[i - 1].col, items[i - 1].row) : parentCell;
            DrawConnectors(item.children, &item, ChainExit(items, i, exit, chainEnd), before);
            break;
        }
        case UNIT_FOR:
        case UNIT_WHILE:
        case UNIT_DO: {
            const CPoint end(item.col, item.row + item.height - 1);
            DrawConnectors(item.children, &item, Target {end, item.kind}, CPoint());
            Connect(kNormal, end, target, Route::HorizontalFirst);
            DrawBackEdge(item);
            break;
        }
        case UNIT_SWITCH:
            DrawConnectors(item.children, &item, target, CPoint());
            break;
        case UNIT_CASE:
        case UNIT_DEFAULT:
            Connect(kNormal, parentCell, Target {cell, item.kind}, Route::HorizontalFirst);
            DrawConnectors(item.children, &item, exit, CPoint());
            break;
        case UNIT_EXPRESSION_STATEMENT:
            Connect(kNormal, cell, target, Route::VerticalFirst);
            break;
        default:
            break; // jumps are never sources
        }
    }
}

// From the loop's end box left into the lane left of its body, up to the
// head's row and right into the head box.
void CFlowChartPainter::DrawBackEdge(const CFlowItem& loop)
{
    const int g = (xSpace - xSize) / 2;
    const int laneCol = loop.col - loop.leftWidth;
    const int endRowOfLoop = loop.row + loop.height - 1;
    const int laneX = laneCol * xSpace + xSize + g - 1;
    const int cy = endRowOfLoop * ySpace + ySize / 2;
    if (CellVisible(CPoint(laneCol, loop.row), CPoint(loop.col, endRowOfLoop))) {
        dc->SelectObject(&loopPen);
        Line(loop.col * xSpace, cy, laneX, cy);
    }
    Connect(kLoop, CPoint(laneCol, endRowOfLoop), Target {CPoint(loop.col, loop.row), loop.kind},
        Route::HorizontalFirst);
}

CPen* CFlowChartPainter::SelectConnectorPen(int connectorCase, int32_t targetKind)
{
    switch (connectorCase) {
    case kYes:
        currentPen = &yesPen;
        break;
    case kNo:
        currentPen = &noPen;
        break;
    case kLoop:
        currentPen = &loopPen;
        break;
    default:
        currentPen = targetKind == UNIT_RETURN ? &returnPen : &normalPen;
        break;
    }
    dc->SelectObject(currentPen);
    return currentPen;
}

// Whether anything drawn between the two cells (with the gaps around them)
// can meet the clip box.
bool CFlowChartPainter::CellVisible(CPoint a, CPoint b) const
{
    const int margin = std::max({xSpace, ySpace, arrowSize}) + 2;
    const int64_t left = static_cast<int64_t>(std::min(a.x, b.x)) * xSpace - margin;
    const int64_t right = static_cast<int64_t>(std::max(a.x, b.x)) * xSpace + xSize + margin;
    const int64_t top = static_cast<int64_t>(std::min(a.y, b.y)) * ySpace - margin;
    const int64_t bottom = static_cast<int64_t>(std::max(a.y, b.y)) * ySpace + ySize + margin;
    return right >= clip.left && left <= clip.right && bottom >= clip.top && top <= clip.bottom;
}

void CFlowChartPainter::Line(int x1, int y1, int x2, int y2)
{
    surface->DrawPlainLine(x1, y1, x2, y2);
}

void CFlowChartPainter::Arrow(int x, int y, int direction)
{
    const CPen* pen = currentPen ? currentPen : &normalPen;
    surface->FillArrowHead(x, y, direction, arrowSize, pen->Colour(), 1);
}

void CFlowChartPainter::Connect(int connectorCase, CPoint s, Target target, Route route)
{
    if (!CellVisible(s, target.cell))
        return;
    const CPoint t = target.cell;
    SelectConnectorPen(connectorCase, target.kind);
    const int g = (xSpace - xSize) / 2;
    const int d = g + 1;
    const int sx0 = s.x * xSpace;
    const int sx1 = sx0 + xSize;
    const int scx = sx0 + xSize / 2;
    const int sy1 = s.y * ySpace + ySize;
    const int scy = s.y * ySpace + ySize / 2;
    const int tx0 = t.x * xSpace;
    const int tx1 = tx0 + xSize;
    const int tcx = tx0 + xSize / 2;
    const int ty0 = t.y * ySpace;
    const int tcy = ty0 + ySize / 2;
    const int32_t kind = target.kind;

    if (connectorCase != kLoop &&
        (kind == UNIT_RETURN || kind == UNIT_BREAK || kind == UNIT_GOTO)) {
        // Out of the right side, along the gap, into the target's side.
        Line(sx1, scy, sx1 + d, scy);
        Line(sx1 + d, scy, sx1 + d, tcy);
        if (s.x >= t.x) {
            Line(sx1 + d, tcy, tx1, tcy);
            Arrow(tx1, tcy, kLeft);
        } else {
            Line(sx1 + d, tcy, tx0, tcy);
            Arrow(tx0, tcy, kRight);
        }
    } else if (connectorCase != kLoop && kind == UNIT_CONTINUE) {
        // The mirror: out of the left side.
        Line(sx0, scy, sx0 - d, scy);
        Line(sx0 - d, scy, sx0 - d, tcy);
        if (s.x > t.x) {
            Line(sx0 - d, tcy, tx1, tcy);
            Arrow(tx1, tcy, kLeft);
        } else {
            Line(sx0 - d, tcy, tx0, tcy);
            Arrow(tx0, tcy, kRight);
        }
    } else if (connectorCase == kLoop) {
        if (s.y == t.y) {
            Line(sx1 + g, scy, tx0, scy);
            Arrow(tx0, scy, kRight);
        } else if (s.x < t.x) {
            Line(sx1 + g - 1, scy, sx1 + g - 1, tcy);
            Line(sx1 + g - 1, tcy, tx0, tcy);
            Arrow(tx0, tcy, kRight);
        }
    } else if (s == t) {
        // nothing
    } else if (s.x == t.x) {
        Line(scx, sy1, scx, ty0);
        Arrow(scx, ty0, kDown);
    } else if (s.y == t.y) {
        Line(sx1, scy, tx0, scy);
        Arrow(tx0, scy, kRight);
    } else if (route == Route::HorizontalFirst) {
        const int from = t.x > s.x ? sx1 : sx0;
        Line(from, scy, tcx, scy);
        Line(tcx, scy, tcx, ty0);
        Arrow(tcx, ty0, kDown);
    } else if (t.x > s.x && t.y < s.y) {
        Line(sx1, scy, tx0 - d, scy);
        Line(tx0 - d, scy, tx0 - d, tcy);
        Line(tx0 - d, tcy, tx0, tcy);
        Arrow(tcx, ty0, kDown);
    } else {
        Line(scx, sy1, scx, ty0 - g);
        Line(scx, ty0 - g, tcx, ty0 - g);
        Line(tcx, ty0 - g, tcx, ty0);
        Arrow(tcx, ty0, kDown);
    }
    dc->SelectObject(&normalPen);
    currentPen = &normalPen;
}
