#pragma once

#include "Brush.h"
#include "CheckListRows.h"
#include "Pen.h"

#include <QAbstractScrollArea>
#include <QImage>

class CDC;

// The owner-drawn list of a project's files: per row an analyse and a draw
// check box and the file's folder and name. A click in a box flips its flag;
// clicks on names select rows (Ctrl adds or removes one, Shift reaches from
// the last clicked row); a double click on a column's title flips that flag
// on every row, on the name title it switches between folder and name and
// the name only. The rows and everything a click changes live in Rows().
class CPowerListView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit CPowerListView(QWidget* parent = nullptr);

    void AddItem(const std::string& path, bool analyse, bool draw);
    void DeleteAllItems();
    void RemoveSelectedRows();
    std::vector<int> GetSelectedFiles() const { return rows_.GetSelectedFiles(); }
    void SelectAll();
    void DeselectAll();
    void CheckAllAnalysis();
    void UncheckAllAnalysis();
    void CheckAllDraw();
    void UncheckAllDraw();
    bool AllSelected() const { return rows_.AllSelected(); }
    bool AllAnalysisChecked() const { return rows_.AllAnalysisChecked(); }
    bool AllDrawChecked() const { return rows_.AllDrawChecked(); }
    // 1 shows each row's folder and name, 0 the name only.
    void SetDisplayMode(int mode);

    const CheckListRows& Rows() const { return rows_; }
    // The rows to change directly; Refresh() shows the change.
    CheckListRows& EditRows() { return rows_; }
    void Refresh();
    // The row height of the last paint (the font's line height).
    int RowHeight() const { return rowHeight_; }
    // The list as it paints itself at its present size.
    QImage Render();

    // Colours of the list.
    static constexpr COLORREF kAnalyseColour = RGB(255, 89, 0);
    static constexpr COLORREF kDrawColour = RGB(77, 165, 0);
    static constexpr COLORREF kAnalysedTextColour = RGB(50, 155, 255);
    static constexpr COLORREF kDisabledColour = RGB(190, 190, 190);
    static constexpr COLORREF kSelectionColour = RGB(200, 255, 200);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void Draw(CDC& dc, int width, int height);
    void DrawRows(CDC& dc, int width, int height);
    void DrawGrid(CDC& dc, int width, int height);
    void DrawHeader(CDC& dc, int width);
    void DrawCheckBox(CDC& dc, int x, int y, bool set, CPen& pen, CBrush& brush);
    void UpdateScrollBars();
    static unsigned KeyFlags(const QMouseEvent& event);

    CheckListRows rows_;
    int rowHeight_ = 1;
    int widest_ = 0;
    bool updatingBars_ = false;
    CPen gridPen_;
    CPen headerPen_;
    CBrush whiteBrush_;
    CBrush selectionBrush_;
    CPen analysePen_, drawPen_, disabledPen_;
    CBrush analyseBrush_, drawBrush_, disabledBrush_;
};
