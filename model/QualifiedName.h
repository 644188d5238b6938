#pragma once

#include "CompactString.h"
#include "LazyVector.h"

#include <string>

// A possibly qualified name such as N::M::f: the last component, the
// qualifiers before it (outermost first) and whether it is relative (it is
// not when it starts with "::").
struct CQualifiedName {
    CompactString name;
    LazyVector<std::string> scopes; // most names have none
    bool relative = true;

    // "N::M::f", with a leading "::" when not relative.
    std::string ToString() const;
    bool operator==(const CQualifiedName& other) const = default;
};
