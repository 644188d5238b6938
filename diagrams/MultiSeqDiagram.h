#pragma once

#include "CallRecord.h"
#include "FontHolder.h"
#include "GdiTypes.h"

#include <cstdint>
#include <string>
#include <vector>

class CDC;
class CModelScope;
class CProjectAnalyzer;

// One call listed under an explored function, with the arrow to the function
// it reaches.
struct MultiSeqCall {
    enum Arrow { kNone = 0, kOwnColumn = 1, kLaterColumn = 2, kEarlierColumn = 3 };

    CallRecord record;
    int column = -1; // the callee's column, -1 when it has none
    int64_t x = 0; // the call box
    int64_t y = 0;
    int64_t textW = 0;
    int64_t textH = 0;
    int arrow = kNone;
    int64_t targetX = 0;
    int64_t targetY = 0;
    int64_t routeX = 0; // the x where the arrow runs up or down, in the gap between columns

    int64_t BoxWidth() const { return 2 + 4 + textW; }
    int64_t BoxHeight() const { return 2 + 1 + textH; }
};

// One function reached so far, in the column of its scope.
struct MultiSeqEntry {
    std::string name;
    const CModelScope* id = nullptr; // the function, as the call query named it
    bool explored = false; // its calls have been added
    bool unfolded = true; // its calls are shown
    int64_t x = 0;
    int64_t y = 0;
    int64_t textW = 0;
    int64_t textH = 0;
    int64_t lineTop = 0; // the lifeline under it, down the column's centre
    int64_t lineBottom = 0;
    std::vector<MultiSeqCall> calls;

    // Room for the fold marker left of the name.
    int64_t BoxWidth() const { return 2 + 8 + textW + textH; }
    int64_t BoxHeight() const { return 2 + 1 + textH; }
};

// One scope (an object): its title and the functions of it reached so far.
struct MultiSeqColumn {
    std::string name;
    int64_t x = 0;
    int64_t y = 0;
    int64_t width = 0; // the title's width, raised to fit the entries
    int64_t height = 0; // the title's height
    std::vector<MultiSeqEntry> entries;

    int64_t BoxWidth() const { return 2 + 10 + width; }
    int64_t BoxHeight() const { return 2 + 1 + height; }
};

// The offset from the middle of a gap that the arrow after one with offset
// `previous` takes, so that parallel arrows do not overlap: starting from 0
// the offsets run 1, -1, 2, -2, ... 9, -9, 0, 1, ...
int NextLaneOffset(int previous);

// The multi-sequence diagram: calls explored step by step. It starts with
// the selected function in the column of its scope; clicking a function not
// explored yet adds the calls it makes under it (each callee appearing in the
// column of its own scope, with a coloured arrow to it), and clicking the
// marker of an explored function folds or unfolds its calls. The columns and
// their fold states survive every paint until Reset.
//
// The owner calls Draw (or Layout and Paint) at every paint and OnClick for
// each click, and Reset whenever the model is replaced.
class CMultiSeqDiagram {
public:
    static constexpr COLORREF kArrowPalette[6] = {
        0x0000FF, 0x009B00, 0xC80000, 0x009BFF, 0xC800FF, 0xC89B00};
    // The root column's name when the first query names no scope.
    static constexpr const char* kNoScopeName = "ObjectError";

    CMultiSeqDiagram();

    // When the selection changed or a click asked for it, asks the analyser
    // for the calls of the function in hand (the selection at first, later
    // the function last clicked), adds them and lays everything out again.
    // Returns the picture size. Without a selection nothing happens.
    CSize Layout(
        CDC& dc, const CModelScope* selection, CProjectAnalyzer& analyzer, bool selectionChanged);
    // Paints the diagram as last laid out.
    void Paint(CDC& dc);
    // Layout, then Paint.
    CSize Draw(
        CDC& dc, const CModelScope* selection, CProjectAnalyzer& analyzer, bool selectionChanged);

    // Tests a click against the functions. A hit flips the function's
    // unfolded state (and, for a function not explored yet, makes it the one
    // whose calls the next Layout adds) and returns true: the owner repaints
    // the whole picture. A single click hits only the marker, a double click
    // anywhere on the function. Ignored (false) without a selection.
    bool OnClick(CPoint point, bool doubleClick, const CModelScope* selection);

    // Forgets every column and every model element.
    void Reset();

    const std::vector<MultiSeqColumn>& Columns() const { return columns_; }
    const std::string& RootName() const { return rootName_; }
    const std::string& ClickedColumnName() const { return clickedColumnName_; }
    CSize Size() const { return size_; }

private:
    MultiSeqColumn& ColumnNamed(const std::string& name);
    int ColumnIndex(const std::string& name) const;
    void AddCalls(std::vector<CallRecord> calls, const std::vector<std::string>& names);
    void Measure(CDC& dc);
    void Place();
    void RouteArrows();
    const MultiSeqEntry* FindEntry(int column, const CModelScope* id) const;

    std::vector<MultiSeqColumn> columns_;
    std::string rootName_;
    const CModelScope* callee_ = nullptr; // whose calls the next layout adds
    bool relayout_ = false;
    CSize size_;
    std::string clickedColumnName_;
    CFontHolder titleFont_;
    CFontHolder functionFont_;
    CFontHolder callFont_;
};
