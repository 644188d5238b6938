#include "ModelMerge.h"

#include "ChildStartKind.h"
#include "FailureLine.h"
#include "FileIndex.h"
#include "FileReadAhead.h"
#include "ForEachOnThreads.h"
#include "FunctionIndex.h"
#include "InputSet.h"
#include "LanguageTable.h"
#include "ProjectAnalyzer.h"
#include "SourceContent.h"
#include "TextHelpers.h"
#include "TokenType.h"
#include "TypeLinker.h"
#include "UnitDetail.h"
#include "VoidParameterList.h"

#include <algorithm>
#include <stdexcept>
#include <string_view>
#include <utility>

namespace {

// The kind of the tag that `typedef struct X X;` (also with class or union,
// and with further declarators after a comma) gives its own name, or 0 for
// any other declaration: such a typedef declares the type, not a variable.
int32_t SameNameTagTypedef(const CUnit& unit)
{
    if (unit.tokenIndices.size() < 5 || !unit.tokens) {
        return 0;
    }
    const PPToken& tag = unit.GetToken(2);
    const PPToken& name = unit.GetToken(3);
    const int32_t end = unit.GetToken(4).type;
    if (unit.GetToken(0).type != WORD_TYPEDEF || tag.type != IDENTIFIER ||
        name.type != IDENTIFIER || !tag.text || !name.text ||
        std::string_view(tag.text) != name.text || (end != SEMI && end != COMMA)) {
        return 0;
    }
    switch (unit.GetToken(1).type) {
    case WORD_CLASS:
        return UNIT_CLASS;
    case WORD_STRUCT:
        return UNIT_STRUCT;
    case WORD_UNION:
        return UNIT_UNION;
    default:
        return 0;
    }
}

// A calling convention, or a name that a header never read defines as one
// (WINAPI, CALLBACK).
bool IsConventionOrName(int32_t type)
{
    return type == IDENTIFIER || IsCallingConventionWord(type);
}

// A declaration such as int (*handler)(int) or typedef BOOL (WINAPI
// *PFN)(HANDLE): the parser reads it as a function declaration, but it
// declares a pointer, a variable.
bool IsFunctionPointer(const CUnit& unit, const std::string& name)
{
    constexpr size_t kMostConventionWords = 4;
    if (unit.brace || !unit.tokens) {
        return false;
    }
    const auto type = [&](size_t i) {
        const int position = unit.tokenIndices[i];
        return position >= 0 && static_cast<size_t>(position) < unit.tokens->size()
            ? (*unit.tokens)[static_cast<size_t>(position)].type
            : -1;
    };
    const size_t count = unit.tokenIndices.size();
    for (size_t i = 0; i + 3 < count; ++i) {
        if (type(i) != LP) {
            continue;
        }
        size_t star = i + 1;
        while (star < count && star - i <= kMostConventionWords && IsConventionOrName(type(star))) {
            ++star;
        }
        if (star + 2 < count && type(star) == STAR && type(star + 1) == IDENTIFIER &&
            (type(star + 2) == RP || type(star + 2) == LB)) {
            const char* text =
                (*unit.tokens)[static_cast<size_t>(unit.tokenIndices[star + 1])].text;
            if (text && name == text) {
                return true;
            }
        }
    }
    return false;
}

// struct, union, enum or class: C code spells a parameter's type with its
// tag word in one declaration and without it in another (void f(struct
// CallInfo *ci); and void f(CallInfo *ci) { }), which is one type.
bool IsTagWord(int32_t type)
{
    return type == WORD_STRUCT || type == WORD_UNION || type == WORD_ENUM || type == WORD_CLASS;
}

// The tokens of the project's files from which the function index is made
// on a thread of its own: a smaller model is indexed sooner than a thread
// starts on a busy machine.
constexpr size_t kLeastTokensForIndexThread = 500000;
// The threads each of the two walks takes then.
constexpr size_t kMostWalkThreads = 2;

size_t TokenCount(const SourceFileList& projectFiles, const SourceFileList& headers)
{
    size_t count = 0;
    for (const auto* files : {&projectFiles, &headers}) {
        for (const auto& file : *files) {
            count += file ? file->scan.tokens.size() : 0;
        }
    }
    return count;
}

} // namespace

CModelMerger::CModelMerger(const CFileIndex& fileIndex, CSourceFile& file, CInputSet* input)
    : fileIndex_(fileIndex), file_(file), input_(input)
{
}

void CModelMerger::MergeFile(CModelScope& root, MergeContext& context, bool projectFile)
{
    projectFile_ = projectFile;
    context_ = &context;
    context.mergedFiles.insert(&file_);
    if (projectFile) {
        if (input_) {
            input_->AddNoCase(file_.path);
        }
    } else {
        std::vector<const CSourceFile*>& same = context.mergedUnits[file_.path];
        if (input_ && same.empty()) {
            input_->AddNoCase(file_.path); // an instance merged before added the path
        }
        for (const CSourceFile* other : same) {
            if (SameTokens(other->scan.tokens, file_.scan.tokens)) {
                return; // its units are in already
            }
        }
        same.push_back(&file_);
    }
    MergeUnits(file_.units, root, DECLARATION);
}

void CModelMerger::MergeFlaggedFile(CModelScope& root, MergeContext& context, bool projectFile)
{
    if (context.mergedFiles.count(&file_)) {
        return; // merged already: its units and its includes are in
    }
    context.mergedFiles.insert(&file_);
    if (file_.hasIndexNumber && !(input_ && input_->ContainsNoCase(file_.path))) {
        CSourceFile* companion = fileIndex_.files.at(static_cast<size_t>(file_.indexNumber)).get();
        if (companion) {
            CModelMerger(fileIndex_, *companion, input_).MergeFlaggedFile(root, context, true);
        }
    }
    MergeFile(root, context, projectFile);
    for (int32_t k : file_.includes) {
        CSourceFile* header = fileIndex_.files.at(static_cast<size_t>(k)).get();
        if (header) {
            CModelMerger(fileIndex_, *header, input_).MergeFlaggedFile(root, context, false);
        }
    }
}

void CModelMerger::MergeUnits(std::span<CUnit> units, CModelScope& owner, int startKind)
{
    const bool declarations =
        startKind == DECLARATION || startKind == INCLASS || startKind == INSTRUCT;
    for (CUnit& unit : units) {
        CModelScope& childOwner = declarations ? MergeUnit(unit, owner) : owner;
        if (!unit.children.empty()) {
            MergeUnits(unit.children, childOwner, ChildStartKind(unit));
        }
    }
}

std::string CModelMerger::NamelessName(int32_t kind)
{
    switch (kind) {
    case UNIT_CLASS:
        return "Nameless Class" + std::to_string(++context_->namelessClasses);
    case UNIT_STRUCT:
        return "Nameless Struct" + std::to_string(++context_->namelessStructs);
    case UNIT_UNION:
        return "Nameless Union" + std::to_string(++context_->namelessUnions);
    case UNIT_NAMESPACE:
        return "Nameless Namespace" + std::to_string(++context_->namelessNamespaces);
    default:
        return "Nameless Enum" + std::to_string(++context_->namelessEnums);
    }
}

CModelScope& CModelMerger::MergeUnit(CUnit& unit, CModelScope& owner)
{
    kind_ = unit.kind;
    parameterKey_ = nullptr;
    switch (unit.kind) {
    case UNIT_CLASS:
    case UNIT_STRUCT:
    case UNIT_UNION:
    case UNIT_NAMESPACE:
    case UNIT_ENUM: {
        // The record is read only when it is of the type the kind stores.
        std::string_view name;
        if (const CClassInfo* record = AsClassInfo(unit)) {
            name = record->qualifiedName.name.view();
        } else if (const CTextInfo* text = AsTextInfo(unit)) {
            name = text->text;
        }
        if (name.empty()) {
            if (IsAnonymousSeen(unit.first)) {
                return owner;
            }
            nameless_ = NamelessName(unit.kind);
            name = nameless_;
        }
        if (unit.kind == UNIT_NAMESPACE) {
            CModelScope& enclosing = EnclosingNamespaces(name, owner);
            return AddOrFindScope(unit, enclosing);
        }
        name_ = name;
        if (unit.kind == UNIT_ENUM) {
            AddOrFindMember(unit, owner);
            return owner;
        }
        return AddOrFindScope(unit, owner);
    }
    case UNIT_TEMPLATE:
        pendingTemplate_ = true;
        return owner;
    case UNIT_VARIABLE:
        if (const CVariableInfo* record = AsVariableInfo(unit)) {
            MergeVariable(unit, *record, owner);
        }
        return owner;
    case UNIT_FUNCTION:
        if (const CFunctionInfo* record = AsFunctionInfo(unit)) {
            MergeFunction(unit, *record, owner);
        }
        return owner;
    default:
        return owner;
    }
}

bool CModelMerger::IsAnonymousSeen(int32_t first)
{
    return !context_->namelessSeen.emplace(file_.path, first).second;
}

CModelScope& CModelMerger::FindOrAdd(CModelScope& owner)
{
    return *owner.AddChild(name_, parameterKey_, kind_, keyFromProjectFile_);
}

void CModelMerger::AddUnit(CModelScope& element, CUnit& unit)
{
    element.isTemplate = pendingTemplate_;
    pendingTemplate_ = false;
    if (unit.brace) {
        RecordDefiningFile(element);
        element.definitions.push_back(&unit);
        element.definitionFiles.push_back(file_.path);
    } else {
        element.declarations.push_back(&unit);
        element.declarationFiles.push_back(file_.path);
    }
}

CModelScope& CModelMerger::AddOrFindScope(CUnit& unit, CModelScope& owner)
{
    CModelScope& element = FindOrAdd(owner);
    if (element.kind == UNIT_PLACEHOLDER) {
        element.kind = unit.kind;
    }
    AddUnit(element, unit);
    if (!element.scopeChildren) {
        element.scopeChildren = std::make_unique<ScopeChildSet>();
    }
    return element;
}

CModelScope& CModelMerger::AddOrFindMember(CUnit& unit, CModelScope& owner)
{
    CModelScope& element = FindOrAdd(owner);
    AddUnit(element, unit);
    return element;
}

void CModelMerger::MergeVariable(CUnit& unit, const CVariableInfo& record, CModelScope& owner)
{
    // A class's static member defined outside it, "int CConfig::s_refs = 0;",
    // is that member, found or made below its qualifiers as a member
    // function defined outside its class is; it is no global variable. In a
    // class no member is defined so ("friend N::Impl;" reads as one).
    const bool inClass =
        owner.kind == UNIT_CLASS || owner.kind == UNIT_STRUCT || owner.kind == UNIT_UNION;
    CModelScope& holder = record.qualifiedName.scopes.empty() || inClass
        ? owner
        : DescendScopes(record.qualifiedName.scopes, owner);
    name_ = record.qualifiedName.name.view();
    if (const int32_t tagKind = &record == AsVariableInfo(unit) ? SameNameTagTypedef(unit) : 0) {
        // The type's declaration, before or after its definition: the
        // element is the type, never a variable of that name.
        kind_ = tagKind;
        CModelScope& element = FindOrAdd(holder);
        if (element.kind == UNIT_PLACEHOLDER || element.kind == UNIT_VARIABLE) {
            element.kind = tagKind;
        }
        AddUnit(element, unit);
        if (!element.scopeChildren) {
            element.scopeChildren = std::make_unique<ScopeChildSet>();
        }
        kind_ = UNIT_VARIABLE;
    } else {
        AddOrFindMember(unit, holder);
    }
    if (record.multiple) {
        for (const CVariableInfo& further : record.further) {
            MergeVariable(unit, further, owner);
        }
    }
}

void CModelMerger::MergeFunction(CUnit& unit, const CFunctionInfo& record, CModelScope& owner)
{
    parameterKey_ = nullptr;
    if (record.qualifiedName.scopes.empty() && IsFunctionPointer(unit, record.qualifiedName.name)) {
        kind_ = UNIT_VARIABLE;
        name_ = record.qualifiedName.name.view();
        AddOrFindMember(unit, owner);
        return;
    }
    if (record.qualifiedName.scopes.empty()) {
        name_ = record.qualifiedName.name.view();
        keyFromProjectFile_ = projectFile_;
        parameterKey_ = BuildParameterKey(unit, record);
        AddOrFindMember(unit, owner);
        return;
    }
    // A member defined outside its class (N::C::f): the qualifiers are
    // found or made as placeholders below the current scope.
    CModelScope& scope = DescendScopes(record.qualifiedName.scopes, owner);
    kind_ = UNIT_FUNCTION;
    name_ = record.qualifiedName.name.view();
    keyFromProjectFile_ = projectFile_;
    parameterKey_ = BuildParameterKey(unit, record);
    CModelScope& element = FindOrAdd(scope);
    if (unit.brace && !element.fromProjectFile) {
        element.fromProjectFile = projectFile_;
    }
    AddUnit(element, unit);
}

CModelScope& CModelMerger::EnclosingNamespaces(std::string_view& name, CModelScope& owner)
{
    // "namespace a::b {" opens b inside a, making a as a namespace if it is
    // not there yet; `name` is left as the innermost name.
    CModelScope* current = &owner;
    for (size_t colons = name.find("::"); colons != std::string_view::npos;
         colons = name.find("::")) {
        current = &HolderNamed(*current, name.substr(0, colons), UNIT_NAMESPACE);
        name.remove_prefix(colons + 2);
    }
    name_ = name;
    return *current;
}

CModelScope& CModelMerger::DescendScopes(const std::vector<std::string>& scopes, CModelScope& owner)
{
    CModelScope* current = &owner;
    for (const std::string& name : scopes) {
        // A qualifier not found is made as a placeholder.
        current = &HolderNamed(*current, name, UNIT_PLACEHOLDER);
    }
    return *current;
}

CModelScope& CModelMerger::HolderNamed(CModelScope& owner, std::string_view name, int32_t kind)
{
    CModelScope* found = owner.AddChild(name, nullptr, kind, keyFromProjectFile_);
    if (found->kind == UNIT_PLACEHOLDER) {
        found->kind = kind;
    }
    if (!found->scopeChildren) {
        found->scopeChildren = std::make_unique<ScopeChildSet>();
    }
    return *found;
}

const char* CModelMerger::BuildParameterKey(const CUnit& unit, const CFunctionInfo& record)
{
    keyBuilder_.Clear();
    if (!unit.tokens) {
        return nullptr;
    }
    for (const CVariableInfo& parameter : record.parameters) {
        keyBuilder_.Start();
        const TokenIndices& specifiers = parameter.specifierTokens;
        for (size_t i = 0; i < specifiers.size(); ++i) {
            const PPToken& token = unit.tokens->at(static_cast<size_t>(specifiers[i]));
            if (IsTagWord(token.type) && i + 1 < specifiers.size() &&
                unit.tokens->at(static_cast<size_t>(specifiers[i + 1])).type == IDENTIFIER) {
                continue;
            }
            keyBuilder_.Add(token.type, token.text);
        }
        for (int position : parameter.arrayTokens) {
            const PPToken& token = unit.tokens->at(static_cast<size_t>(position));
            keyBuilder_.Add(token.type, token.text);
        }
    }
    // f(void) and f() are one function.
    if (IsVoidParameterList(unit, record)) {
        keyBuilder_.Clear();
        return nullptr;
    }
    return keyBuilder_.Pack();
}

void CModelMerger::RecordDefiningFile(CModelScope& element)
{
    if (!input_) {
        return;
    }
    if (fileNumber_ < 0) {
        const std::string lower = ToLowerCopy(file_.path);
        fileNumber_ = input_->FindNumber(lower);
        if (fileNumber_ < 0) {
            fileNumber_ = input_->AddNumber(lower);
        }
    }
    element.definitionFileNumbers.insert(fileNumber_);
}

// Builds the model under a fresh root from every record the engine holds.
void CProjectAnalyzer::BuildGlobalModel(int mode)
{
    recordsChanged_ = true;
    try {
        ResetModel();
        MergeContext context;
        input_->mergedFiles.clear();
        input_->fileNumbers.clear();
        auto mergeOne = [&](CSourceFile& file, bool projectFile, bool flagged) {
            try {
                CModelMerger merger(fileIndex_, file, input_);
                if (flagged) {
                    merger.MergeFlaggedFile(*root_, context, projectFile);
                } else {
                    merger.MergeFile(*root_, context, projectFile);
                }
            } catch (const std::exception& failure) {
                MessageLine(input_->Messages(), MessageKind::Error)
                    << GetLangString(3) << ": " << file.path << " : " << failure.what();
            }
        };
        // Each project file's flags, looked up once.
        std::vector<std::pair<bool, bool>> flags = MergeFlags();
        const std::pair<bool, bool> drawn(true, true);
        if (std::all_of(flags.begin(), flags.end(), [&](const auto& f) { return f == drawn; })) {
            for (auto& file : projectFiles_) {
                mergeOne(*file, true, false);
            }
            for (auto& header : fileIndex_.files) {
                if (header) {
                    mergeOne(*header, false, false);
                }
            }
        } else {
            for (size_t i = 0; i < projectFiles_.size(); ++i) {
                if (flags[i] == drawn) {
                    mergeOne(*projectFiles_[i], true, true);
                }
            }
        }
        // The function table and map are filed while the type linker sets
        // the parents and links variables to their holders: neither reads
        // what the other writes. A big model does both at once.
        FunctionIndex functions;
        const bool atOnce = FileReadAhead::WorkersFor(jobs_) > 1 &&
            TokenCount(projectFiles_, fileIndex_.files) >= kLeastTokensForIndexThread;
        // The linker and the index each walk a big model on threads too.
        const unsigned walkThreads = atOnce
            ? static_cast<unsigned>(
                  std::min<size_t>(kMostWalkThreads, FileReadAhead::WorkersFor(jobs_) / 2))
            : 1;
        ForEachOnThreads(
            2, atOnce ? 2 : 1, [] { return 0; },
            [&](size_t step, int) {
                if (step == 0) {
                    CTypeLinker linker(root_.get());
                    linker.Run(
                        [](CModelScope& scope, CModelScope* parent) {
                            if (parent) {
                                scope.parent = parent;
                            }
                        },
                        walkThreads);
                } else {
                    functions.AddTree(*root_, walkThreads);
                    functions.FileInto(functionTable_, functionMap_);
                }
            },
            1);
        mergedFlags_ = std::move(flags);
        recordsChanged_ = false;
    } catch (...) {
        ResetModel(); // never a half-built model
        // An empty model would pass for an empty project.
        WriteFailureLine(input_->Messages(), "The project model could not be built");
    }
}
