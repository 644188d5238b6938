#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

class CModelScope;

// Records which classes hold member variables of which other classes: for
// every member variable of a class, struct or union whose type ends in the
// name of a class, struct or union of the model, the holder is added to the
// named type's `LinkedBy` (or `LinkedByCv` when a cv word or a pointer or
// reference operator follows the type name).
class CTypeLinker {
public:
    // Called for every element of the walk, with the element whose child set
    // holds it (none for the root).
    using Visitor = std::function<void(CModelScope& scope, CModelScope* parent)>;

    explicit CTypeLinker(CModelScope* root) : root_(root) { }

    // Empties every link set below the root and fills them again. Elements
    // are linked to their holders through their `parent`.
    void Run();
    // The same, calling `visit` for every element in the one walk over the
    // model (each element before its children, children in set order) and
    // before any element is linked; so the visitor may set the parents.
    void Run(const Visitor& visit);
    // The same, with the root's children shared out in runs over up to
    // `threads` threads for the walk: the visitor is then called on several
    // threads at once (for different elements), each element still before
    // its children. The links are those of one walk.
    void Run(const Visitor& visit, unsigned threads);

private:
    // Empties the element's links and indexes it; `linked` tells whether the
    // linking reaches it (from the root through namespaces and classes).
    void Walk(CModelScope& scope, CModelScope* parent, bool linked, const Visitor& visit);
    void LinkVariable(CModelScope& variable);

    CModelScope* root_;
    // Every class, struct and union under its simple name; the first met in
    // walk order keeps a name.
    std::map<std::string_view, CModelScope*> typesByName_;
    // The member variables the linking reaches, in walk order.
    std::vector<CModelScope*> memberVariables_;
};
