#pragma once

#include <string>
#include <vector>

// A possibly qualified name such as N::M::f: the last component, the
// qualifiers before it (outermost first) and whether it is relative (it is
// not when it starts with "::").
struct CQualifiedName {
    std::string name;
    std::vector<std::string> scopes;
    bool relative = true;

    // "N::M::f", with a leading "::" when not relative.
    std::string ToString() const;
    bool operator==(const CQualifiedName& other) const = default;
};
