#pragma once

#include "CallRecord.h"
#include "DrawSurface.h"
#include "GdiTypes.h"

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class CDC;
class CModelScope;
class CProjectAnalyzer;
struct CSequenceSetting;

// One object column of a sequence diagram: a scope named by the call query.
struct SequenceColumn {
    std::string name;
    int64_t x = 0; // left edge of the object box
    int64_t width = 0; // width of the object box
    int64_t minGap = 0; // the least distance to the next column the call texts need

    int64_t Centre() const { return x + width / 2; }
};

// One call of the function as placed in the diagram.
struct SequenceCall {
    CallRecord record;
    size_t column = 0; // the callee's column (0 when the record names none)
    int64_t top = 0; // y where the call's row starts
    int64_t textW = 0;
    int64_t textH = 0;
    int64_t textX = 0;
    int64_t textY = 0;
    int64_t boxX = 0; // the stream box's top-left corner
    int64_t boxY = 0;

    bool Resolved() const { return record.callee != nullptr; }
};

// The sequence diagram of one function: the function as caller at the left,
// one object column per scope name, and for each call in body order a stream
// box on the callee's column with the call's text, an arrow to it and a
// dotted arrow back. Layout measures and places everything once and gives
// the picture size; Draw may then paint it any number of times, each time
// only the calls whose rows meet the context's clip box.
class CSequenceDiagram {
public:
    // `names` are the object columns in order (the call query's name list);
    // an empty list gets one column named `ownScope`, so that the caller
    // always has a line to stand on. Calls naming a column beyond the list
    // stand on the first one. The setting must outlive the diagram.
    CSequenceDiagram(const CSequenceSetting& setting, std::string callerName,
        std::vector<CallRecord> calls, std::vector<std::string> names,
        const std::string& ownScope = "Global");

    CSize Layout(CDC& dc);
    void Draw(CDC& dc) const;

    const std::vector<SequenceColumn>& Columns() const { return columns_; }
    const std::vector<SequenceCall>& Calls() const { return calls_; }
    int64_t CallerX() const { return callerX_; }
    // y of the caller's name; the entry arrow runs just below it.
    int64_t CallerLineY() const { return callerLineY_; }
    int64_t ObjectHeight() const { return objectHeight_; }
    int64_t LineEnd() const { return lineEnd_; }
    int64_t TextHeight() const { return textHeight_; }
    // x of the far side of the loop a call of the caller's own column draws.
    int64_t LoopX() const;
    // The calls whose rows meet the y range from `top` to `bottom`, as
    // indices [first, last).
    std::pair<size_t, size_t> CallsBetween(int64_t top, int64_t bottom) const;

private:
    using CallRange = std::pair<size_t, size_t>;

    void PlaceCaller(CDC& dc);
    void PlaceColumns(CDC& dc);
    void PlaceCalls();
    CSize PictureSize() const;
    void DrawObjects(DrawSurface& surface) const;
    void DrawStreams(DrawSurface& surface, CallRange calls) const;
    void DrawTexts(DrawSurface& surface, CallRange calls) const;
    void DrawArrows(DrawSurface& surface, CallRange calls) const;
    // The distance from column 0's centre to the next column's centre (or,
    // with one column, the width reserved for it).
    int64_t FirstColumnSpan() const;

    const CSequenceSetting& setting_;
    std::string callerName_;
    std::vector<SequenceColumn> columns_;
    std::vector<SequenceCall> calls_;

    // The setting's placement numbers, cut to a sane range.
    int64_t minimumObjectDistance_;
    int64_t arrowSize_;
    int64_t eachObjectInterval_;
    int64_t methodUpperSpace_;
    int64_t methodLowerSpace_;
    int64_t eachStreamSpace_;
    int64_t objectSpaceX_;
    int64_t objectSpaceY_;
    int64_t streamBoxWidth_;
    int64_t streamBoxHeight_;
    int64_t startX_;
    int64_t startY_;

    int64_t callerX_ = 0;
    int64_t callerHeight_ = 0;
    int64_t callerLineY_ = 0;
    int64_t cursorX_ = 0;
    int64_t objectHeight_ = 0;
    int64_t textHeight_ = 0;
    int64_t lineEnd_ = 0;
    bool rowsDown_ = true; // every call's row starts at or below the one before
};

// The sequence diagram of a function as the detail view shows it: the
// engine's call cache is emptied and the function's calls are asked for.
// Not yet laid out; null without a function.
std::unique_ptr<CSequenceDiagram> MakeSequenceDiagram(
    const CModelScope* function, CProjectAnalyzer& analyzer, const CSequenceSetting& setting);
// The same diagram laid out and drawn on `dc` at once. Returns the picture
// size; without a function nothing is drawn and the size is 0 by 0.
CSize DrawSequenceDiagram(CDC& dc, const CModelScope* function, CProjectAnalyzer& analyzer,
    const CSequenceSetting& setting);
