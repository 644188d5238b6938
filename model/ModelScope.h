#pragma once

#include "BulkMemory.h"
#include "CompactString.h"
#include "ChunkedSet.h"
#include "CompactList.h"
#include "FileNumberSet.h"
#include "FilePathRef.h"
#include "ParameterKey.h"
#include "SortedVectorMap.h"
#include "Unit.h"

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

class CModelScope;

// The order of a child set: name (byte-wise), then the parameter key: number
// of parameters, each parameter's token count, then token by token the type
// and, for two identifiers, their texts. Kind, flags and units take no part,
// so a class and a namespace of one name are the same element. Elements are
// found with a key element built on the stack.
struct ChildKey;
struct FunctionKeyLess {
    bool operator()(const CModelScope& a, const CModelScope& b) const;
    bool operator()(const ChildKey& a, const CModelScope& b) const;
    bool operator()(const CModelScope& a, const ChildKey& b) const;
};

// What tells a child from its siblings, found without an element to compare
// with: its name and packed parameter key (see ParameterKey; null: none).
struct ChildKey {
    std::string_view name;
    const char* parameterKey;
};

// Orders elements by the order they were made in, so that sets of element
// pointers iterate the same way from run to run.
struct ScopeCreationLess {
    bool operator()(const CModelScope* a, const CModelScope* b) const;
};

using ScopeChildSet = ChunkedSet<CModelScope, FunctionKeyLess>;
using ScopeLinkSet = std::set<CModelScope*, ScopeCreationLess>;

// The elements that hold variables of a type: plainly, or with a cv word or
// a pointer or reference operator after the type's name.
struct ScopeLinks {
    ScopeLinkSet plain;
    ScopeLinkSet cv;
};
using ScopeUnits = CompactList<CUnit*>;
using ScopeFiles = CompactList<FilePathRef>;

// A function of the project as the root's function map lists it: the units
// that define it, how many there are, and its element: the first element of
// that name with a definition, else the first (overloads and members of
// other scopes share the entry).
struct FunctionDefinitions {
    ScopeUnits units;
    int32_t count = 0;
    CModelScope* element = nullptr;
};

// Every function of a model by name, with its defining units. The names are
// the elements' own: the map goes with the model, never after it.
using FunctionMap = SortedVectorMap<std::string_view, FunctionDefinitions>;

// An element of the project-wide model: a namespace, class, struct, union,
// enum, variable or function, a placeholder (kind 55) for a qualifier not yet
// declared, or the root (kind 59). It names the element and refers to the
// units that declare and define it; those belong to the source-file records,
// which must outlive the model. An element owns its children.
class CModelScope {
public:
    CModelScope();
    CModelScope(const CModelScope&) = delete;
    CModelScope& operator=(const CModelScope&) = delete;
    ~CModelScope() = default;

    // Elements on the heap are cut from shared blocks (see BulkMemory.h).
    static void* operator new(std::size_t size) { return BulkMemory::Take(size); }
    static void operator delete(void* element) noexcept { BulkMemory::Give(element); }

    CompactString name;
    int32_t kind = 0;
    bool isTemplate = false;
    bool fromProjectFile = false;
    // A model has an element per declared name, so these are kept small:
    // a list of one unit or file takes no heap block, and the sets that
    // nearly every element leaves empty take none until they are filled.
    ScopeUnits declarations;
    ScopeUnits definitions;
    ScopeFiles declarationFiles;
    ScopeFiles definitionFiles;
    FileNumberSet definitionFileNumbers;
    CModelScope* parent = nullptr;
    std::unique_ptr<ScopeChildSet> scopeChildren;
    ParameterKey parameterKey;

    // The elements that hold variables of this type (see CTypeLinker),
    // plainly or with a cv word, pointer or reference.
    const ScopeLinkSet& LinkedBy() const { return links_ ? links_->plain : NoLinks(); }
    const ScopeLinkSet& LinkedByCv() const { return links_ ? links_->cv : NoLinks(); }
    void AddLink(CModelScope* holder, bool cv);
    // Forgets every link, and gives the memory back.
    void ClearLinks() noexcept { links_.reset(); }

    // Increases with every element made in the process.
    uint64_t CreationNumber() const { return creationNumber_; }

    // The first declaring unit, else the first defining one, else none. A
    // class, struct or union skips the same-name typedefs that declare it.
    CUnit* GetFirstUnit() const;
    // The first defining unit (a function with its body, a class with its
    // member list), or none.
    CUnit* GetDefiningUnit() const;

    // The child equal to `key` under FunctionKeyLess, or none.
    CModelScope* FindChild(const CModelScope& key) const;
    // The child equal to `key`; when there is none, a new child that takes
    // the key's name, kind, both flags and parameter key (not its units,
    // files, links or children), with this element as parent.
    CModelScope* AddChild(const CModelScope& key);
    // The child of that name and parameter key, or none.
    CModelScope* FindChild(const ChildKey& key) const;
    // The child of that name and packed parameter key; when there is none,
    // a new child of that kind and flag, with neither template mark nor
    // units, which copies the name and the key.
    CModelScope* AddChild(
        std::string_view name, const char* parameterKey, int32_t kind, bool fromProjectFile);

private:
    static const ScopeLinkSet& NoLinks();

    // Both link sets in one block: nearly every element has none.
    std::unique_ptr<ScopeLinks> links_;
    uint64_t creationNumber_;
};
