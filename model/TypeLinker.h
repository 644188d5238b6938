#pragma once

#include <map>
#include <string>

class CModelScope;

// Records which classes hold member variables of which other classes: for
// every member variable of a class, struct or union whose type ends in the
// name of a class, struct or union of the model, the holder is added to the
// named type's `linkedBy` (or `linkedByCv` when a cv word or a pointer or
// reference operator follows the type name).
class CTypeLinker {
public:
    explicit CTypeLinker(CModelScope* root) : root_(root) {}

    // Empties every link set below the root and fills them again.
    void Run();

private:
    void IndexTypes(CModelScope& scope);
    void LinkScope(CModelScope& scope);
    void LinkVariable(CModelScope& variable);

    CModelScope* root_;
    // Every class, struct and union under its simple name; the first met in
    // walk order keeps a name.
    std::map<std::string, CModelScope*, std::less<>> typesByName_;
};
