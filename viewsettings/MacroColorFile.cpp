#include "ColorFileFields.h"
#include "MacroFileFields.h"
#include "MacroSizeLimits.h"
#include "XmlColorFiles.h"

namespace {

// Fonts and Styles are const when writing. A kind without an entry of its
// own is written and read as the default entry.
template <typename Fields, typename Fonts, typename Styles>
void MacroFields(Fields& f, Fonts& fonts, Styles& styles)
{
    MacroGlobalFields(f, styles);
    auto item = [&f](const char* name, auto& colors, auto& font) {
        f.Group(name, [&](Fields& g) {
            g.Triple("Color", colors);
            g.Font("Font", font);
        });
    };
    item("UnknownType", styles.defaultColors, fonts.defaultFont);
    for (const MacroFileKind& kind : kMacroFileKinds)
        item(kind.name, styles.GetColors(kind.kind), fonts.GetItemFont(kind.kind));
}

} // namespace

bool SaveMacroColorFile(
    const std::string& path, const CVisualSetting& fonts, const ElementStyleTable& styles)
{
    return SaveColorFile(
        path, "MacroviewColorXML", "1.3", [&](auto& f) { MacroFields(f, fonts, styles); });
}

bool LoadMacroColorFile(const std::string& path, CVisualSetting& fonts, ElementStyleTable& styles)
{
    if (!LoadColorFile(path, [&](auto& f) { MacroFields(f, fonts, styles); }))
        return false;
    ClampMacroSizes(fonts, styles);
    return true;
}
