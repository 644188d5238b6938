#pragma once

#include "DetailClassTree.h"
#include "GdiTypes.h"

#include <memory>
#include <vector>

class CDC;
class CModelScope;
class CVisualSetting;
struct ElementStyleTable;

// The detail diagram of a class, struct, union or enum: the type's box with
// its members, its base classes stacked above it up to the roots of the
// hierarchy (lines coloured by the kind of inheritance, dotted to virtual
// bases), and a row of boxes below it for the types that hold it in member
// variables (a dotted line for a pointer, reference or cv-qualified member).
// Fold states survive paints and clicks until another type is selected.
//
// The owner calls Draw (or Layout and Paint) at every paint and OnClick for
// each click, and Reset whenever the model is replaced. Fonts and colours
// are the macro view's.
class CMacroDetail {
public:
    CMacroDetail();
    ~CMacroDetail();
    CMacroDetail(const CMacroDetail&) = delete;
    CMacroDetail& operator=(const CMacroDetail&) = delete;

    // Builds the tree again when the selection changed (or differs from the
    // type the tree shows), and measures and places it when it was rebuilt or
    // a click asked for it. Base names are looked up in `lookupScope` (the
    // model root) when the derived type's parent does not hold them. Returns
    // the picture size; without a selection nothing happens.
    CSize Layout(CDC& dc, const CModelScope* selection, const CModelScope* lookupScope,
        const CVisualSetting& fonts, bool selectionChanged);
    // Paints the tree as last laid out.
    void Paint(CDC& dc, const CVisualSetting& fonts, const ElementStyleTable& style);
    // Layout, then Paint.
    CSize Draw(CDC& dc, const CModelScope* selection, const CModelScope* lookupScope,
        const CVisualSetting& fonts, const ElementStyleTable& style, bool selectionChanged);

    // Tests a click against the boxes; true when a box took it (something
    // may have folded): the owner repaints the whole picture, which lays it
    // out again.
    bool OnClick(CPoint point, bool doubleClick);
    // Lays out again at the next paint (after the fonts changed).
    void RequestLayout() { relayout_ = true; }

    // Forgets the tree, the selection and every placeholder.
    void Reset();

    const DetailClassNode* Tree() const { return tree_.get(); }
    CSize Size() const { return size_; }

private:
    void PaintNode(class DetailBoxPainter& painter, const DetailClassNode& node);

    const CModelScope* selected_ = nullptr;
    const CModelScope* lookupScope_ = nullptr;
    std::vector<std::unique_ptr<CModelScope>> placeholders_;
    std::unique_ptr<DetailClassNode> tree_;
    DetailTreeSpacing spacing_;
    bool relayout_ = false;
    CSize size_;
};
