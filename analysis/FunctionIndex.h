#pragma once

#include "CallRecord.h"
#include "ModelScope.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

// Gathers the functions of a model in the order of a walk over it and
// files them into the engine's function table and function map, as if each
// had been filed the moment it was met: the first function met under a
// name and parameter count keeps that table key; a map entry lists the
// defining units of every function of its name in walk order, and its
// element is the first of them with a definition, else the first.
//
// Filing all at once sorts the functions by name first, so that each table
// and map entry is made at the end of its map instead of being searched for
// among the others.
class FunctionIndex {
public:
    // Notes the element when it is a function (any other is passed over).
    void Add(CModelScope& scope);
    // Notes every function of the tree in the type linker's walk: each
    // element before its children, children in set order. Reads only the
    // elements' kinds, names, units and children, so that the linker may
    // walk the tree on another thread at the same time.
    void AddTree(CModelScope& root);
    // The same, with the root's children shared out in runs over up to
    // `threads` threads; the functions are noted as one walk notes them.
    void AddTree(CModelScope& root, unsigned threads);
    // Files every function noted into `table` and `map`, and forgets them.
    void FileInto(FunctionTable& table, FunctionMap& map);

private:
    // A big model notes hundreds of thousands of functions at once, so a
    // note is kept small: the name is the element's, read only when the
    // first eight bytes of two names are alike.
    struct Noted {
        uint64_t prefix; // the name's first eight bytes, big-endian, zero-padded
        CModelScope* scope;
        int32_t parameters; // of its first function unit; -1 without one
        uint32_t order; // in the walk
    };

    std::vector<Noted> noted_;
};
