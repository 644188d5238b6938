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

private:
    void MergeUnits(std::span<CUnit> units, CModelScope& owner, int startKind);
    CModelScope& MergeUnit(CUnit& unit, CModelScope& owner);
    void MergeFunction(CUnit& unit, const CFunctionInfo& record, CModelScope& owner);
    void MergeVariable(CUnit& unit, const CVariableInfo& record, CModelScope& owner);
    CModelScope& AddOrFindScope(CUnit& unit, CModelScope& owner);
    CModelScope& EnclosingNamespaces(std::string_view& name, CModelScope& owner);
    CModelScope& AddOrFindMember(CUnit& unit, CModelScope& owner);
    CModelScope& FindOrAdd(CModelScope& owner);
    void AddUnit(CModelScope& element, CUnit& unit);
    CModelScope& DescendScopes(const std::vector<std::string>& scopes, CModelScope& owner);
    // The child of `owner` that holds others, found by name or made as
    // `kind`; a placeholder found takes `kind`.
    CModelScope& HolderNamed(CModelScope& owner, std::string_view name, int32_t kind);
    // The packed key (null: none), the builder's until the next.
    const char* BuildParameterKey(const CUnit& unit, const CFunctionInfo& record);
    void RecordDefiningFile(CModelScope& element);
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
};
