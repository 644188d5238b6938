#pragma once

#include "DeviceContext.h"
#include "GdiTypes.h"

class CModelScope;
struct ColorTriple;
struct ElementStyleTable;

// Picks the fill, border and text colour of a model element from the macro
// view's style table by content (a function with a definition), member
// access and kind. While it lives, a grey pen and a white brush are selected
// into the context; the previous ones come back at its end.
class CMacroItemPens {
public:
    CMacroItemPens(CDC* dc, int penWidth, const ElementStyleTable& style);
    ~CMacroItemPens();
    CMacroItemPens(const CMacroItemPens&) = delete;
    CMacroItemPens& operator=(const CMacroItemPens&) = delete;

    // Takes the access and content flag of the element.
    void SetItem(const CModelScope* scope);

    COLORREF GetFillColour(const CModelScope* scope) const;
    COLORREF GetBorderColour(const CModelScope* scope, bool grouped) const;
    COLORREF GetTextColour(const CModelScope* scope) const;

    int Access() const { return access_; }
    bool HasContent() const { return content_; }

private:
    // The colours of the element's kind.
    const ColorTriple& KindColours(const CModelScope* scope) const;
    // Where a type applies its colour: 1 text, 2 border, 3 background.
    COLORREF Pick(int where, COLORREF kindColour) const;

    CDC* dc_;
    const ElementStyleTable& style_;
    CPen greyPen_;
    CBrush whiteBrush_;
    CPen* oldPen_;
    CBrush* oldBrush_;
    int access_ = 0;
    bool content_ = false;
};
