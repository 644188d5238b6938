#pragma once

#include "DeviceContext.h"
#include "FontHolder.h"

#include <cstdint>
#include <map>
#include <string>

// The macro view's fonts per kind of model element (unit kind codes: 4 class,
// 5 struct, 6 union, 7 enum, 8 namespace, 12 variable, 18 function). The two
// group boxes, 58 "Global Function(s)" and 57 "Global Variable(s)", use the
// entries of 18 and 12; kinds without an entry use the default font.
// A value type: copies own fonts of their own.
class CVisualSetting {
public:
    // Hands the device context to every item font and the default font.
    void AttachDC(CDC* dc);

    // The font of a kind, or the default font when the kind has no entry.
    // Callers select, measure and restore through the reference.
    CFontHolder& GetItemFont(int32_t kind);
    const CFontHolder& GetItemFont(int32_t kind) const;

    // Gives the kind an entry of its own (made from the default font) and
    // creates its font anew.
    void SetItemFont(int32_t kind, const std::string& face, int32_t size, uint8_t bold);

    CFontHolder defaultFont; // "UnknownType" in the colour files
    std::map<int32_t, CFontHolder> itemFonts;
};

// The kind whose entry a kind's look-up uses: 58 -> 18, 57 -> 12, others
// themselves.
int32_t MacroLookupKind(int32_t kind);

// The entry a kind's look-up finds in the map, or the fallback.
template <typename Map, typename Value>
Value& FindMacroEntry(Map& entries, int32_t kind, Value& fallback)
{
    auto found = entries.find(MacroLookupKind(kind));
    return found == entries.end() ? fallback : found->second;
}
