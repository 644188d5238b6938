#pragma once

#include "DeviceContext.h"
#include "Font.h"
#include "GdiTypes.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

// One font choice of a diagram (face, point size, bold), the font made from
// it, the device context it is used on and the font it replaced there.
//
// The holder owns its font alone; copies make a font of their own from the
// same description. Face, size and bold are what the colour files store.
// Calling order: set `dc`, SelectInto, any number of GetTextExtent and text
// outputs, Restore.
class CFontHolder {
public:
    CFontHolder() = default;
    CFontHolder(const CFontHolder& other);
    CFontHolder& operator=(const CFontHolder& other);

    // Makes the font of `sizePoints` points (tenths = size x 10, at 96 DPI),
    // weight 800 when `boldFlag` is 1, else the default weight. A face name
    // the colour files could not carry back (see IsStorableFaceName) is
    // refused: false, and the holder keeps what it had.
    bool Create(const std::string& face, int32_t sizePoints, uint8_t boldFlag);
    // Makes the font with a cell height in logical units; `size` then holds
    // that height. Refuses face names as Create does.
    bool CreateWithHeight(const std::string& face, int32_t height, uint8_t boldFlag);

    // Selects the font into `dc`, keeping the font selected before in
    // `previous`; without a font (or a context) nothing happens. A font that
    // could not be made leaves the context's font and sets `previous` null.
    void SelectInto();
    // Selects `previous` back when it is set; `previous` keeps its value.
    void Restore();
    // The extent of the text in the font currently selected into `dc`
    // (0 by 0 without a context).
    CSize GetTextExtent(const char* text) const;
    CSize GetTextExtent(std::string_view text) const;

    bool IsBold() const { return bold == 1; }

    CDC* dc = nullptr; // not owned
    std::unique_ptr<CFont> font; // owned, may be null
    CFont* previous = nullptr; // not owned
    std::string faceName;
    int32_t size = 0;
    uint8_t bold = 0;

private:
    // Makes the font of the height, in tenths of a point or in logical units.
    void Make(const std::string& face, int32_t height, uint8_t boldFlag, bool tenthsOfPoints);
};

// Whether every colour file can store the face name and read it back: at
// most the font description's 31 characters, none of them a line break or
// another control character.
bool IsStorableFaceName(const std::string& face);

// The three colours of a drawn element, 0x00BBGGRR each.
struct ColorTriple {
    COLORREF text = 0;
    COLORREF border = 0;
    COLORREF background = 0;

    friend bool operator==(const ColorTriple&, const ColorTriple&) = default;
};
