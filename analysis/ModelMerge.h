#pragma once

#include "ModelScope.h"

#include <cstdint>
#include <map>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

class CFileIndex;
class CInputSet;
class CSourceFile;
class CFunctionInfo;
class CVariableInfo;

// What one build of the model shares across its files: the counters that
// number nameless types, the nameless units merged so far (by file path and
// first token position), and the files merged so far.
struct MergeContext {
    int32_t namelessClasses = 0;
    int32_t namelessStructs = 0;
    int32_t namelessUnions = 0;
    int32_t namelessNamespaces = 0;
    int32_t namelessEnums = 0;
    std::set<std::pair<std::string, int32_t>> namelessSeen;
    std::unordered_set<const CSourceFile*> mergedFiles;
    // Headers whose units were merged, by path: another instance of a path
    // with the same tokens has the same units, which are merged once.
    std::unordered_map<std::string, std::vector<const CSourceFile*>> mergedUnits;
};

// One part of a merge split by the names of the root's children, which
// threads make at once (see ModelMergeSplit.h). The part merges the
// elements under the root whose names it holds into a root of its own, and
// only walks the other units, as far as it takes to number the nameless
// types, mark templates and number the defining files as the whole merge
// does. Each element made takes the number of its step: how many elements
// were looked for before it in the whole merge, which orders the elements
// of every part as the whole merge would have made them.
struct MergePart {
    CModelScope* root = nullptr;
    size_t index = 0;
    size_t count = 1;
    uint64_t step = 0;
    uint64_t firstNumber = 0; // of the elements made: this plus the step
    std::vector<CModelScope*> owners; // the room for a file's owners
    // The defining files the input set has no number for, by lower-case
    // path, in the order it would have numbered them, and their numbers
    // (from firstFileNumber on, the count of those it has).
    // The paths are the listings' (see CModelMerger::Listing).
    std::vector<std::string_view> numbered;
    std::unordered_map<std::string_view, int32_t> numbers;
    int32_t firstFileNumber = 0;

    // Whether a child of the root of that name belongs to the part, or of
    // a name of that HashOf.
    bool Holds(std::string_view name) const { return Holds(HashOf(name)); }
    bool Holds(uint64_t hash) const { return count <= 1 || hash % count == index; }
    static uint64_t HashOf(std::string_view name);
    // The number of a defining file the input set has none for, as it
    // would give them.
    int32_t Number(std::string_view lowerPath);
};

// Merges one file's unit tree into the project-wide model: namespaces,
// classes, structs, unions, enums, variables and functions are found again
// by name (functions also by parameter types) or made, and each element
// gathers the units that declare and define it. Members of linkage blocks
// (extern "C" { ... }) count as members of the scope that holds the block.
class CModelMerger {
public:
    CModelMerger(const CFileIndex& fileIndex, CSourceFile& file, CInputSet* input);

    // Merges the file's units under `root`.
    void MergeFile(CModelScope& root, MergeContext& context, bool projectFile);
    // As MergeFile, after the file's same-name companion, and followed by
    // every file it includes. Each file is merged once per build.
    void MergeFlaggedFile(CModelScope& root, MergeContext& context, bool projectFile);
    // The first half of MergeFile: notes the file as merged; false when its
    // units are in already (another instance of the header's path).
    bool TakeFile(MergeContext& context, bool projectFile);
    // The second half: merges the file's units under `root`.
    void MergeTakenFile(CModelScope& root, MergeContext& context, bool projectFile);
    // A unit of a declaration context, in the order the merge comes to it,
    // with the entry whose element holds it (-1: the root).
    // What the merge reads of the unit's tokens is found with the list, on
    // the thread that walks the file: whether a function is a pointer and
    // its key's tokens are there, and a variable's same-name tag typedef
    // (kTagUnknown: to be found again, failing as it did).
    // The name the unit looks up first is hashed there too (its data, as
    // its record holds it; none: not found then).
    struct Declaration {
        static constexpr int8_t kTagUnknown = -1;
        CUnit* unit = nullptr;
        int32_t owner = -1;
        int8_t tagKind = 0;
        bool functionPointer = false;
        bool keyTokensInRange = true;
        const char* hashedName = nullptr;
        size_t hashedSize = 0;
        uint64_t nameHash = 0;
        // What merging the units below it does beyond their elements, for
        // a part that merges none of them: the entries below it, the
        // elements looked for, what becomes of a template mark (kept, set
        // or taken), whether a unit defines something and whether a
        // function sets the flag new elements take. A part walks them
        // unless a nameless type or a failure lies among them.
        struct Below {
            enum Mark : uint8_t { kKept, kMarked, kTaken };
            uint32_t entries = 0;
            uint32_t steps = 0;
            Mark mark = kKept;
            bool defines = false;
            bool setsKeyFlag = false;
            bool walked = false;

            // These, then `after`.
            void Then(const Below& after);
        } below;
    };
    // The units of the file the merge looks up, in order (those in function
    // bodies and other statements are passed over, without their children
    // of declaration contexts), and what numbering the file as a defining
    // file takes: its lower-case path and the input set's number for it
    // (-1: none, or no input set).
    struct Listing {
        std::vector<Declaration> declarations;
        std::string lowerPath;
        int32_t inputNumber = -1;
    };
    Listing ListDeclarations() const;
    // Or merges the listed units into the part's root, as
    // MergeFile would into the whole model (`context` as the part's own).
    void MergePartOfFile(
        MergePart& part, MergeContext& context, bool projectFile, const Listing& listing);

private:
    // What merging the unit alone does, as Below says it.
    static Declaration::Below Alone(const Declaration& listed, std::string_view name);
    static uint32_t Lookups(const CVariableInfo& record);
    static void ListDeclarations(std::span<CUnit> units, int32_t owner, int startKind,
        std::vector<Declaration>& out, std::vector<Declaration::Below>& alone);
    // Every element is looked for under an owner; none stands for one of
    // another part of a split merge, whose units are only walked.
    void MergeUnits(std::span<CUnit> units, CModelScope* owner, int startKind);
    CModelScope* MergeUnit(CUnit& unit, CModelScope* owner);
    void MergeFunction(CUnit& unit, const CFunctionInfo& record, CModelScope* owner);
    void MergeVariable(CUnit& unit, const CVariableInfo& record, CModelScope* owner);
    CModelScope* AddOrFindScope(CUnit& unit, CModelScope* owner);
    CModelScope* AddOrFindMember(CUnit& unit, CModelScope* owner);
    CModelScope* FindOrAdd(CModelScope* owner);
    // The child of that name and kind_, parameterKey_ and
    // keyFromProjectFile_, found or made; none when it is another part's.
    CModelScope* Child(CModelScope* owner, std::string_view name, int32_t kind);
    // Whether an element of that name under `owner` is merged here.
    bool Merges(const CModelScope* owner, std::string_view name) const;
    // The name's HashOf, as the listed declaration has it when it can.
    uint64_t NameHash(std::string_view name) const;
    void AddUnit(CModelScope* element, CUnit& unit);
    CModelScope* DescendScopes(const std::vector<std::string>& scopes, CModelScope* owner);
    // The packed key (null: none), the builder's until the next.
    const char* BuildParameterKey(const CUnit& unit, const CFunctionInfo& record);
    // The same as IsFunctionPointer, ParameterTokensInRange and
    // SameNameTagTypedef, from the listed declaration when there is one.
    bool IsPointer(const CUnit& unit, const CFunctionInfo& record) const;
    bool KeyTokensInRange(const CUnit& unit, const CFunctionInfo& record) const;
    int32_t TagKind(const CUnit& unit) const;
    // Whether every token BuildParameterKey reads is there.
    static bool ParameterTokensInRange(const CUnit& unit, const CFunctionInfo& record);
    // Fails where BuildParameterKey would, with the same exception.
    static void CheckParameterTokens(const CUnit& unit, const CFunctionInfo& record);
    void RecordDefiningFile(CModelScope* element);
    bool IsAnonymousSeen(int32_t first);
    std::string NamelessName(int32_t kind);

    const CFileIndex& fileIndex_;
    CSourceFile& file_;
    CInputSet* input_;
    MergeContext* context_ = nullptr;
    // The element looked for: its kind, name and parameter key. The flag a
    // new element takes is its project file's once a function of the file
    // was merged, and false before.
    int32_t kind_ = 0;
    std::string_view name_;
    const char* parameterKey_ = nullptr; // packed by keyBuilder_
    bool keyFromProjectFile_ = false;
    std::string nameless_; // the name made for a nameless type
    ParameterKey::Builder keyBuilder_;
    bool pendingTemplate_ = false;
    bool projectFile_ = false;
    int32_t fileNumber_ = -1; // the file's number among defining files, once asked
    MergePart* part_ = nullptr; // none: the whole model is merged here
    const Declaration* declaration_ = nullptr; // the unit's, while a part merges it
    const Listing* listing_ = nullptr; // the file's, while a part merges it
};
