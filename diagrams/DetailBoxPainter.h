#pragma once

#include "DrawSurface.h"
#include "GdiTypes.h"
#include "MacroItemPens.h"

class CDC;
class CVisualSetting;
struct DetailBox;
struct ElementStyleTable;

// Paints detail boxes and the lines between them, in the macro view's fonts
// and colours: each box framed in its element's border colour with a shaded
// caption band, its open sections with shaded header bands, member lines
// (names black, parameter lists blue, types red), and the fold squares.
class DetailBoxPainter {
public:
    // The line colours of public, protected and private inheritance.
    static constexpr COLORREF kPublicLine = RGB(0, 130, 0);
    static constexpr COLORREF kProtectedLine = RGB(0, 0, 200);
    static constexpr COLORREF kPrivateLine = RGB(200, 0, 0);
    static constexpr COLORREF kParamsColour = RGB(0, 0, 255);
    static constexpr COLORREF kTypeColour = RGB(255, 0, 0);

    DetailBoxPainter(
        CDC& dc, const CVisualSetting& fonts, const ElementStyleTable& style, int inset);

    // The colour of an inheritance line by the base's access (1 public,
    // 2 protected, 3 private); black for anything else.
    static COLORREF AccessColour(int access);

    void DrawBox(const DetailBox& box);
    // A line from the bottom of `upper` (with an arrow head pointing up into
    // it) to the top of `lower`, with a small diamond on top of `lower` when
    // asked.
    void DrawConnector(
        const DetailBox& upper, const DetailBox& lower, COLORREF colour, bool dotted, bool diamond);

private:
    void DrawSectionBands(const DetailBox& box);
    void DrawTexts(const DetailBox& box);
    void DrawFoldSquares(const DetailBox& box);

    CDC& dc_;
    const CVisualSetting& fonts_;
    const ElementStyleTable& style_;
    int inset_;
    CMacroItemPens pens_;
    DrawSurface surface_;
};
