#pragma once

#include "DetailScroll.h"
#include "GdiTypes.h"

class CDC;
class CModelScope;

// What the detail diagram's entry hands a diagram kind for one paint.
struct DetailPaint {
    CDC* dc;
    // The selected element: a function for the function diagrams, a class,
    // struct, union or enum for the type box.
    const CModelScope* selection;
    // Set when the selection or the view kind changed; the kind that
    // rebuilds its data from the selection clears it.
    bool& dirty;
    DetailScroll& scroll;
    // The size of the laid-out diagram, which the kind sets.
    CSize& diagramSize;
};

// A diagram kind the detail diagram's entry draws besides the flow chart
// and the Nassi-Shneiderman diagram (the sequence and multi-sequence
// diagrams, the type box). The entry calls Prepare and then Draw on every
// paint it does not refuse.
class DetailDiagramKind {
public:
    virtual ~DetailDiagramKind() = default;
    // Rebuilds and lays out what the paint needs (when `paint.dirty` is set,
    // or as the kind keeps its state) and sets the diagram and scroll size.
    virtual void Prepare(DetailPaint& paint) = 0;
    virtual void Draw(DetailPaint& paint) = 0;
    // The colour the view fills its picture with before the kind draws.
    virtual COLORREF Background() const { return 0xFFFFFF; }
};
