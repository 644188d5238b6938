#pragma once

#include "UnitKind.h"

#include <array>
#include <cstdint>

// What the macro view's two colour file formats share: the global values and
// the element kinds whose fonts and colours they store, each in file order.

// Styles is const when writing.
template <typename Fields, typename Styles> void MacroGlobalFields(Fields& f, Styles& styles)
{
    f.Number("HighColorShading", styles.HighColorShading);
    f.Number("UnitSpace", styles.UnitSpace);
    f.Number("Grouping", styles.Grouping);
    f.Color("BackGroundColor", styles.BackGroundColor);
    f.Number("ContentType", styles.ContentType);
    f.Color("ContentColor", styles.ContentColor);
    f.Number("PublicType", styles.PublicType);
    // Files in use spell the public colour "PubllcColor"; it stays so.
    f.Color("PubllcColor", styles.PublicColor);
    f.Number("ProtectedType", styles.ProtectedType);
    f.Color("ProtectedColor", styles.ProtectedColor);
    f.Number("PrivateType", styles.PrivateType);
    f.Color("PrivateColor", styles.PrivateColor);
}

// The kinds follow the default entry. Both formats name them alike:
// "Namespace" in the XML file, "NamespaceColor" and "NamespaceFont" in the
// text file.
struct MacroFileKind {
    const char* name;
    int32_t kind;
};

inline constexpr std::array<MacroFileKind, 7> kMacroFileKinds = {{
    {"Namespace", UNIT_NAMESPACE},
    {"Class", UNIT_CLASS},
    {"Struct", UNIT_STRUCT},
    {"Union", UNIT_UNION},
    {"Variable", UNIT_VARIABLE},
    {"Function", UNIT_FUNCTION},
    {"Enum", UNIT_ENUM},
}};
