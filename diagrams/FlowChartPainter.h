#pragma once

#include "DrawSurface.h"
#include "FlowItem.h"
#include "FlowItemText.h"
#include "FlowSetting.h"
#include "GdiTypes.h"
#include "Pen.h"

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// Asks the code window to show (and highlight) a range of source lines.
using ShowCodeLineHook = std::function<void(int firstLine, int lastLine)>;

// The flow chart of one function: lays the statement items out on a grid of
// equal cells, draws them (Start and End boxes, one shape per item,
// connectors with arrow heads, labels and texts) and answers which item a
// cell holds.
//
// Grid: the Start box stands in row 0 and the End box in row `rows` + 1, both
// in the column of the first top-level item. The box of cell (c, r) is
// `xSize` by `ySize` pixels at (c * `xSpace`, r * `ySpace`). The layout is
// done once (it does not depend on the zoom level); every draw selects the
// zoom level and hands a new device context over.
class CFlowChartPainter {
public:
    // The root item and the setting stay owned by the caller.
    CFlowChartPainter(CFlowItem* root, const CFlowSetting& setting);
    CFlowChartPainter(const CFlowChartPainter&) = delete;
    CFlowChartPainter& operator=(const CFlowChartPainter&) = delete;
    ~CFlowChartPainter();

    // Zoom 1 takes the 1x layout, 4 the 4x one, any other value the 16x one:
    // sizes, fonts, whether texts show, pens and labels.
    void SetZoom(int zoomLevel);
    // Measures and places every item, indexes the cells and points each jump
    // (break, continue, return, goto) at the cell it jumps to.
    void Layout();
    // A new drawing surface on the context; the clip box is read from it.
    void SetDC(CDC* context);
    // Terminals, connectors, shapes and, when the level shows texts, texts.
    void Draw();
    // The item at the cell, or none; draws its explanation box right of it
    // (left of it when `left` is set).
    const CFlowItem* ShowExplanation(CPoint cell, bool left);
    // Hands the item's first and last source line to the hook.
    void ShowSourceOfItem(const CFlowItem* item) const;
    void SetShowCodeLine(ShowCodeLineHook hook) { showCodeLine_ = std::move(hook); }

    // The colour triple of an item's kind.
    const ColorTriple& ColoursOf(const CFlowItem& item) const;
    // The cell under a point of the diagram, when the point lies on a box.
    std::optional<CPoint> CellAt(CPoint point) const;
    // The item that occupies a cell, or none.
    const CFlowItem* ItemAt(CPoint cell) const;
    // The scroll size of the chart at the current level.
    CSize DiagramSize() const;

    int Cols() const { return cols; }
    int Rows() const { return rows; }
    int XSpace() const { return xSpace; }
    int YSpace() const { return ySpace; }
    int XSize() const { return xSize; }
    int YSize() const { return ySize; }
    CPoint StartCell() const { return {endCol, 0}; }
    CPoint EndCell() const { return {endCol, rows + 1}; }

private:
    // Where a connector ends: a cell and the kind of what stands there (a
    // jump item stands for its target cell but keeps its kind).
    struct Target {
        CPoint cell;
        int32_t kind = 0;
    };
    struct Extent {
        int left = 0;
        int right = 0;
        int height = 0;
    };
    enum class Route { HorizontalFirst, VerticalFirst };
    // A text in a box: the whole text, or a first part of it that reaches
    // past the box (`cut`), which shows the same.
    struct BoxText {
        std::string text;
        bool cut = false;
    };
    // A box text's first part is this long, and grows eightfold while it
    // does not reach past the box, up to the longest.
    static constexpr size_t kFirstBoxPart = 256;
    static constexpr size_t kLongestBoxPart = size_t {1} << 20;
    enum ConnectorCase { kNormal = 0, kYes = 1, kNo = 2, kLoop = 3 };

    // Layout.
    static Extent Measure(std::vector<CFlowItem>& items);
    static int AxisOf(const std::vector<CFlowItem>& items, int leftStart);
    static void Place(std::vector<CFlowItem>& items, int leftStart, int firstRow);
    void IndexCells(std::vector<CFlowItem>& items);
    void AimJumps(std::vector<CFlowItem>& items, const CFlowItem* loop);
    void AimBreaks(std::vector<CFlowItem>& items, std::optional<CPoint> breakExit, Target exit);
    void IndexLabels(const std::vector<CFlowItem>& items);

    // Drawing.
    void MakePens();
    Target TargetOf(const CFlowItem& item) const;
    // `end` carries the place of that first item from one link of a chain to
    // the next (0 before the list's first chain), so that a chain of n links
    // costs n steps, not n * n.
    Target ChainExit(const std::vector<CFlowItem>& items, size_t i, Target exit, size_t& end) const;
    void DrawTerminals();
    void DrawShapes(const std::vector<CFlowItem>& items);
    void DrawConnectors(const std::vector<CFlowItem>& items, const CFlowItem* parent, Target exit,
        CPoint condition);
    void DrawBackEdge(const CFlowItem& loop);
    void Connect(int connectorCase, CPoint source, Target target, Route route);
    void Line(int x1, int y1, int x2, int y2);
    void Arrow(int x, int y, int direction);
    CPen* SelectConnectorPen(int connectorCase, int32_t targetKind);
    bool CellVisible(CPoint a, CPoint b) const;

    // Texts.
    void DrawTexts();
    void DrawItemTexts(const std::vector<CFlowItem>& items);
    void DrawLabels(const std::vector<CFlowItem>& items, Target exit);
    void DrawConditionLabels(const std::vector<CFlowItem>& items, size_t i, Target exit);
    void DrawLabel(const std::string& label, CSize extent, COLORREF colour, int x, int y);
    bool TextVisible(int x, int y, CSize extent) const;
    // What of the bytes `from` to `to` of a text can show in a box in the
    // font selected: a text of megabytes is neither built nor measured.
    BoxText FitText(const JoinedText& text, size_t from = 0, size_t to = std::string::npos) const;
    void CaseText(const JoinedText& expression, bool isDefault, CPoint cell);
    void SingleLine(const BoxText& line, CPoint cell, bool hexagon);
    void MultiLine(const std::vector<BoxText>& lines, CPoint cell);
    void SelectBoxFont(const CFontHolder* font);
    void RestoreFont();
    std::vector<std::string> ExplanationLines(const CFlowItem& item) const;

    // Layout fields.
    const CFlowSetting& settings;
    std::unique_ptr<DrawSurface> surface;
    CFlowItem* root;
    int endCol = 0;
    int endRow = 0;
    CDC* dc = nullptr;
    bool showText = false;
    int cols = 0;
    int rows = 0;
    CRect clip;
    int xSpace = 0;
    int ySpace = 0;
    int xSize = 0;
    int ySize = 0;
    int arrowSize = 0;
    int zoom = 4;
    int penWidth = 1;
    std::map<std::pair<int, int>, const CFlowItem*> cellMap;
    std::map<std::string, const CFlowItem*> labels;

    // Drawing fields.
    int dotsWidth = 0;
    int boxReach = 0; // how far a box text must reach to cover the box
    const CFontHolder* startEndFont = nullptr;
    const CFontHolder* explainTextFont = nullptr;
    const CFontHolder* processingFont = nullptr;
    const CFontHolder* conditionFont = nullptr;
    const CFontHolder* loopFont = nullptr;
    CPen normalPen;
    CPen returnPen;
    CPen yesPen;
    CPen noPen;
    CPen loopPen;
    CPen* currentPen = nullptr;
    // Start/End, statements, if and else-if, switch, case and default, loops.
    std::array<ColorTriple, 6> colours;
    std::string loopLabel;
    std::string yesLabel;
    std::string noLabel;
    CSize loopExtent;
    CSize yesExtent;
    CSize noExtent;
    CFont* previousFont = nullptr;
    ShowCodeLineHook showCodeLine_;
};
