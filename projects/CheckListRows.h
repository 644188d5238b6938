#pragma once

#include <string>
#include <vector>

// One file of the check list: its two flags (analyse it; merge and draw it),
// whether the row is selected, and its path split into folder and name.
struct CheckListRow {
    bool selected = false;
    bool analyse = false;
    bool draw = false;
    std::string path;
    // Up to and including the last '/'; empty when there is none.
    std::string folder;
    // After the last '/'; the whole path when there is none.
    std::string name;
};

// What the check list holds and how it answers the mouse, without a window:
// the rows, the Shift anchor, the display mode and the scroll positions.
//
// Geometry, with h the row height: rows are h + 1 pixels apart below a header
// from y = 0 to h; the analyse box is at x = 1, the draw box at x = h + 2,
// both h wide; the name area starts at x = 2h + 3. The vertical position
// counts rows, the horizontal one pixels.
class CheckListRows {
public:
    // Key flags of a click.
    static constexpr unsigned kLeftButton = 0x0001;
    static constexpr unsigned kShift = 0x0004;
    static constexpr unsigned kControl = 0x0008;

    void AddItem(const std::string& path, bool analyse, bool draw);
    // No rows, no anchor, both scroll limits and positions 0.
    void DeleteAllItems();
    // The other rows keep their order; the anchor is forgotten and the
    // scroll positions stay within what is left.
    void RemoveSelectedRows();
    std::vector<int> GetSelectedFiles() const;

    void SelectAll() { SetAll(&CheckListRow::selected, true); }
    void DeselectAll() { SetAll(&CheckListRow::selected, false); }
    void CheckAllAnalysis() { SetAll(&CheckListRow::analyse, true); }
    void UncheckAllAnalysis() { SetAll(&CheckListRow::analyse, false); }
    void CheckAllDraw() { SetAll(&CheckListRow::draw, true); }
    void UncheckAllDraw() { SetAll(&CheckListRow::draw, false); }
    // True for an empty list.
    bool AllSelected() const { return All(&CheckListRow::selected); }
    bool AllAnalysisChecked() const { return All(&CheckListRow::analyse); }
    bool AllDrawChecked() const { return All(&CheckListRow::draw); }

    // A left click at (x, y) with the key flags, rows h high; true when
    // anything changed.
    bool LButtonDown(unsigned flags, int x, int y, int h);
    // A double click: on the header it flips a column's flags on every row
    // or the display mode; true when anything changed.
    bool LButtonDblClk(unsigned flags, int x, int y, int h);

    // The scroll limits for a window of that size, rows h high, whose widest
    // row text is `widest` pixels; the positions are kept within them.
    void UpdateLimits(int widest, int clientWidth, int clientHeight, int h);
    void SetVerticalPosition(int row);
    void SetHorizontalPosition(int pixels);

    const std::vector<CheckListRow>& Rows() const { return rows_; }
    std::vector<CheckListRow>& Rows() { return rows_; }
    // 1: folder and name; 0: the name only.
    int displayMode = 1;
    int Anchor() const { return anchor_; }
    int VerticalPosition() const { return vPos_; }
    int HorizontalPosition() const { return hPos_; }
    int VerticalLimit() const { return vLimit_; }
    int HorizontalLimit() const { return hLimit_; }

private:
    void SetAll(bool CheckListRow::*flag, bool value);
    bool All(bool CheckListRow::*flag) const;
    void ClampPositions();

    std::vector<CheckListRow> rows_;
    int anchor_ = -1;
    int vPos_ = 0;
    int hPos_ = 0;
    int vLimit_ = 0;
    int hLimit_ = 0;
    int visibleRows_ = 0;
};
