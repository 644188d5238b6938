#pragma once

#include "UnitKind.h"

#include <array>
#include <cstdint>

// The element kinds whose fonts and colours the macro view's colour files
// store, in file order, after the default entry. Both file formats name
// them alike: "Namespace" in the XML file, "NamespaceColor" and
// "NamespaceFont" in the text file.
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
