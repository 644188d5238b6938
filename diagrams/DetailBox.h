#pragma once

#include "GdiTypes.h"
#include "UnitKind.h"

#include <array>
#include <string>
#include <vector>

class CDC;
class CFontHolder;
class CModelScope;
class CVisualSetting;

// A member variable's line in a detail box.
struct DetailAttribute {
    std::string text; // access mark and name
    int width = 0;
    int height = 0;
};

// A method's line: name, parameter list and return type, each measured as
// shown (a hidden list or type is shown shortened).
struct DetailMethod {
    std::string name; // access mark and name
    std::string params; // " (int a, char * b)"
    std::string type; // " : void", or empty without a return type
    int nameW = 0;
    int paramsW = 0;
    int typeW = 0;
    int height = 0;
};

// One of a box's three foldable sections and its header band.
struct DetailSection {
    bool open = true;
    int square = 0; // side of the header's fold square
    int headerX = 0;
    int headerY = 0;
    int headerW = 0;
    int headerH = 0;
    int widest = 0; // the widest line
    int linesH = 0; // the height of all lines
};

// The box of one type in the detail diagram: its caption with a fold
// square, and the sections "Attributes", "Methods" and "Etc." (nested
// types, each a box of its own), each of which folds; the methods section
// can shorten the parameter lists and hide the types.
struct DetailBox {
    enum Section { kAttributes = 0, kMethods = 1, kNested = 2 };
    static constexpr const char* kSectionCaptions[3] = {"Attributes", "Methods", "Etc."};
    // The element kinds whose fonts and colours the three sections take.
    static constexpr int kSectionKinds[3] = {UNIT_VARIABLE, UNIT_FUNCTION, UNIT_ENUM};
    static constexpr const char* kHiddenParams = " (..)";
    static constexpr const char* kHiddenType = " : ..";

    const CModelScope* scope = nullptr;
    int width = 0;
    int height = 0;
    int x = 0;
    int y = 0;
    bool showParams = true;
    bool showTypes = true;
    bool dottedLink = false; // the line from the selected box to this one is dotted
    bool open = true;
    int foldSize = 0;
    int foldX = 0;
    int foldY = 0;
    int captionW = 0;
    int captionH = 0;
    int contentW = 0; // the width of every band
    int contentH = 0; // the height of all sections
    std::array<DetailSection, 3> sections;
    std::vector<DetailAttribute> attributes;
    std::vector<DetailMethod> methods;
    std::vector<DetailBox> nested;

    // Lists the members of the scope: variables as attributes, functions as
    // methods, anything else as a nested box.
    void Fill(const CModelScope& scope);
    // Folds the box, its sections, parameter lists and types.
    void CloseAll();

    bool HasEntries(int section) const;
    // The parameter list and type as the methods section shows them.
    const std::string& ShownParams(const DetailMethod& method) const;
    const std::string& ShownType(const DetailMethod& method) const;

    // Measures every text in the macro view's fonts and sizes the box.
    void Measure(CDC& dc, const CVisualSetting& fonts, int inset);
    // Places the box at (x, y) and everything in it.
    void Place(int left, int top, int inset);
    // True when the point lies strictly inside the box (a nested box first);
    // flips what the point hits: the box's fold square, a section's fold
    // square, the parameter and type squares of the methods header, or, with
    // a double click anywhere on that header, the methods section together
    // with its parameters and types.
    bool HitTest(CPoint point, bool doubleClick);
};

// The font of a box caption: that of the element's first unit's kind, the
// default font for an element without units.
const CFontHolder& DetailCaptionFont(const CModelScope* scope, const CVisualSetting& fonts);
