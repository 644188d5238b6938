#include "ModelMerge.h"
#include "ModelMergeSplit.h"

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

#include <algorithm>
#include <cstring>
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

// A declaration such as int (*handler)(int): the parser reads it as a
// function declaration, but it declares a pointer, a variable.
bool IsFunctionPointer(const CUnit& unit, const std::string& name)
{
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
        if (type(i) == LP && type(i + 1) == STAR && type(i + 2) == IDENTIFIER &&
            (type(i + 3) == RP || type(i + 3) == LB)) {
            const char* text = (*unit.tokens)[static_cast<size_t>(unit.tokenIndices[i + 2])].text;
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

// The tokens of the project's files from which the model is merged on
// several threads and the function index made on a thread of its own: a
// smaller model is made sooner than threads start on a busy machine.
constexpr size_t kLeastTokensForThreads = 500000;
// The most threads that merge at once: each walks every unit, so more
// would mostly walk.
constexpr size_t kMostMergeParts = 4;

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

// Whether one file holds more than a quarter of the tokens. Parts of a split
// merge share a list of each file's declarations, which for such a file is
// most of the model's size again, held beside it while the parts merge.
bool OneFileHoldsMuch(
    const SourceFileList& projectFiles, const SourceFileList& headers, size_t tokens)
{
    for (const auto* files : {&projectFiles, &headers}) {
        for (const auto& file : *files) {
            if (file && file->scan.tokens.size() > tokens / 4) {
                return true;
            }
        }
    }
    return false;
}

void WriteMergeFailure(MessageSink& messages, const CSourceFile& file, const char* what)
{
    MessageLine(messages, MessageKind::Error)
        << GetLangString(3) << ": " << file.path << " : " << what;
}

void WriteMergeFailure(MessageSink& messages, const CSourceFile& file, const std::string& what)
{
    WriteMergeFailure(messages, file, what.c_str());
}

} // namespace

CModelMerger::CModelMerger(const CFileIndex& fileIndex, CSourceFile& file, CInputSet* input)
    : fileIndex_(fileIndex), file_(file), input_(input)
{
}

uint64_t MergePart::HashOf(std::string_view name)
{
    // The length and the first and last eight bytes: names that differ
    // only in their middle share a part, which is fine.
    uint64_t head = 0;
    uint64_t tail = 0;
    const size_t some = std::min<size_t>(name.size(), sizeof head);
    if (some > 0) {
        std::memcpy(&head, name.data(), some);
        std::memcpy(&tail, name.data() + name.size() - some, some);
    }
    uint64_t mixed = (head ^ (tail * 0x9e3779b97f4a7c15ULL) ^ name.size()) * 0xff51afd7ed558ccdULL;
    return mixed ^ (mixed >> 32);
}

int32_t MergePart::Number(std::string_view lowerPath)
{
    const auto [place, added] =
        numbers.try_emplace(lowerPath, firstFileNumber + static_cast<int32_t>(numbers.size()));
    if (added) {
        numbered.push_back(lowerPath);
    }
    return place->second;
}

void CModelMerger::MergeFile(CModelScope& root, MergeContext& context, bool projectFile)
{
    if (TakeFile(context, projectFile)) {
        MergeTakenFile(root, context, projectFile);
    }
}

bool CModelMerger::TakeFile(MergeContext& context, bool projectFile)
{
    projectFile_ = projectFile;
    context_ = &context;
    context.mergedFiles.insert(&file_);
    if (projectFile) {
        if (input_) {
            input_->AddNoCase(file_.path);
        }
        return true;
    }
    std::vector<const CSourceFile*>& same = context.mergedUnits[file_.path];
    if (input_ && same.empty()) {
        input_->AddNoCase(file_.path); // an instance merged before added the path
    }
    for (const CSourceFile* other : same) {
        if (SameTokens(other->scan.tokens, file_.scan.tokens)) {
            return false; // its units are in already
        }
    }
    same.push_back(&file_);
    return true;
}

void CModelMerger::MergeTakenFile(CModelScope& root, MergeContext& context, bool projectFile)
{
    projectFile_ = projectFile;
    context_ = &context;
    part_ = nullptr;
    MergeUnits(file_.units, &root, DECLARATION);
}

void CModelMerger::Declaration::Below::Then(const Below& after)
{
    entries += after.entries;
    steps += after.steps;
    if (after.mark != kKept) {
        mark = after.mark;
    }
    defines = defines || after.defines;
    setsKeyFlag = setsKeyFlag || after.setsKeyFlag;
    walked = walked || after.walked;
}

uint32_t CModelMerger::Lookups(const CVariableInfo& record)
{
    uint32_t lookups = 1;
    if (record.multiple) {
        for (const CVariableInfo& further : record.further) {
            lookups += Lookups(further);
        }
    }
    return lookups;
}

CModelMerger::Declaration::Below CModelMerger::Alone(
    const Declaration& listed, std::string_view name)
{
    using Below = Declaration::Below;
    const CUnit& unit = *listed.unit;
    Below alone;
    alone.entries = 1;
    const auto adds = [&](uint32_t steps) {
        alone.steps = steps;
        alone.mark = Below::kTaken;
        alone.defines = unit.brace;
    };
    switch (unit.kind) {
    case UNIT_CLASS:
    case UNIT_STRUCT:
    case UNIT_UNION:
    case UNIT_NAMESPACE:
    case UNIT_ENUM:
        // A nameless type is numbered unless its place was seen before.
        alone.walked = name.empty();
        adds(1);
        break;
    case UNIT_TEMPLATE:
        alone.mark = Below::kMarked;
        break;
    case UNIT_VARIABLE:
        if (const CVariableInfo* record = AsVariableInfo(unit)) {
            alone.walked = listed.tagKind == Declaration::kTagUnknown;
            adds(Lookups(*record));
        }
        break;
    case UNIT_FUNCTION:
        if (const CFunctionInfo* record = AsFunctionInfo(unit)) {
            alone.walked = !listed.keyTokensInRange;
            const size_t scopes = record->qualifiedName.scopes.size();
            adds(static_cast<uint32_t>(listed.functionPointer ? 1 : scopes + 1));
            alone.setsKeyFlag = !listed.functionPointer;
        }
        break;
    default:
        break;
    }
    return alone;
}

CModelMerger::Listing CModelMerger::ListDeclarations() const
{
    Listing listing;
    if (input_) {
        listing.lowerPath = ToLowerCopy(file_.path);
        listing.inputNumber = input_->FindNumber(listing.lowerPath);
    }
    std::vector<Declaration>& declarations = listing.declarations;
    std::vector<Declaration::Below> alone;
    ListDeclarations(file_.units, -1, DECLARATION, declarations, alone);
    // From the last entry back, each entry's own effect and then those of
    // the entries below it are added to what is below its owner, before
    // the later siblings already there.
    for (size_t i = declarations.size(); i-- > 0;) {
        Declaration& listed = declarations[i];
        Declaration::Below self = alone[i];
        self.Then(listed.below);
        if (listed.owner >= 0) {
            Declaration::Below& owner = declarations[static_cast<size_t>(listed.owner)].below;
            self.Then(owner);
            owner = self;
        }
    }
    return listing;
}

void CModelMerger::ListDeclarations(std::span<CUnit> units, int32_t owner, int startKind,
    std::vector<Declaration>& out, std::vector<Declaration::Below>& alone)
{
    const bool declarations =
        startKind == DECLARATION || startKind == INCLASS || startKind == INSTRUCT;
    for (CUnit& unit : units) {
        int32_t childOwner = owner;
        if (declarations) {
            childOwner = static_cast<int32_t>(out.size());
            Declaration& listed = out.emplace_back();
            listed.unit = &unit;
            listed.owner = owner;
            std::string_view name;
            if (unit.kind == UNIT_FUNCTION) {
                if (const CFunctionInfo* record = AsFunctionInfo(unit)) {
                    const auto& scopes = record->qualifiedName.scopes;
                    listed.functionPointer =
                        scopes.empty() && IsFunctionPointer(unit, record->qualifiedName.name);
                    listed.keyTokensInRange = ParameterTokensInRange(unit, *record);
                    name = scopes.empty() ? record->qualifiedName.name.view()
                                          : std::string_view(scopes.front());
                }
            } else if (unit.kind == UNIT_VARIABLE) {
                if (const CVariableInfo* record = AsVariableInfo(unit)) {
                    try {
                        listed.tagKind = static_cast<int8_t>(SameNameTagTypedef(unit));
                    } catch (const std::exception&) {
                        listed.tagKind = Declaration::kTagUnknown;
                    }
                    name = record->qualifiedName.name.view();
                }
            } else if (const CClassInfo* record = AsClassInfo(unit)) {
                name = record->qualifiedName.name.view();
            } else if (const CTextInfo* text = AsTextInfo(unit)) {
                name = text->text;
            }
            if (owner < 0 && !name.empty()) {
                listed.hashedName = name.data();
                listed.hashedSize = name.size();
                listed.nameHash = MergePart::HashOf(name);
            }
            alone.push_back(Alone(listed, name));
        }
        if (!unit.children.empty()) {
            ListDeclarations(unit.children, childOwner, ChildStartKind(unit), out, alone);
        }
    }
}

void CModelMerger::MergePartOfFile(
    MergePart& part, MergeContext& context, bool projectFile, const Listing& listing)
{
    projectFile_ = projectFile;
    context_ = &context;
    part_ = &part;
    listing_ = &listing;
    const std::vector<Declaration>& declarations = listing.declarations;
    // As MergeUnits: each unit under the element its owner's unit gave.
    std::vector<CModelScope*>& owners = part.owners;
    owners.resize(declarations.size());
    for (size_t i = 0; i < declarations.size(); ++i) {
        const Declaration& declaration = declarations[i];
        CModelScope* owner =
            declaration.owner < 0 ? part.root : owners[static_cast<size_t>(declaration.owner)];
        declaration_ = &declaration;
        owners[i] = MergeUnit(*declaration.unit, owner);
        const Declaration::Below& below = declaration.below;
        if (owners[i] == nullptr && below.entries > 0 && !below.walked) {
            // Another part's element: what its members would change beyond
            // their elements is changed at once.
            part.step += below.steps;
            if (below.mark != Declaration::Below::kKept) {
                pendingTemplate_ = below.mark == Declaration::Below::kMarked;
            }
            if (below.defines) {
                RecordDefiningFile(nullptr);
            }
            if (below.setsKeyFlag) {
                keyFromProjectFile_ = projectFile_;
            }
            i += below.entries;
        }
    }
    declaration_ = nullptr;
}

bool CModelMerger::IsPointer(const CUnit& unit, const CFunctionInfo& record) const
{
    if (declaration_ && declaration_->unit == &unit) {
        return declaration_->functionPointer;
    }
    return IsFunctionPointer(unit, record.qualifiedName.name);
}

bool CModelMerger::KeyTokensInRange(const CUnit& unit, const CFunctionInfo& record) const
{
    if (declaration_ && declaration_->unit == &unit) {
        return declaration_->keyTokensInRange;
    }
    return ParameterTokensInRange(unit, record);
}

int32_t CModelMerger::TagKind(const CUnit& unit) const
{
    if (declaration_ && declaration_->unit == &unit &&
        declaration_->tagKind != Declaration::kTagUnknown) {
        return declaration_->tagKind;
    }
    return SameNameTagTypedef(unit);
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

void CModelMerger::MergeUnits(std::span<CUnit> units, CModelScope* owner, int startKind)
{
    const bool declarations =
        startKind == DECLARATION || startKind == INCLASS || startKind == INSTRUCT;
    for (CUnit& unit : units) {
        CModelScope* childOwner = declarations ? MergeUnit(unit, owner) : owner;
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

CModelScope* CModelMerger::MergeUnit(CUnit& unit, CModelScope* owner)
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

bool CModelMerger::Merges(const CModelScope* owner, std::string_view name) const
{
    return !part_ || (owner != nullptr && (owner != part_->root || part_->Holds(NameHash(name))));
}

uint64_t CModelMerger::NameHash(std::string_view name) const
{
    if (declaration_ && declaration_->hashedName == name.data() && name.data() != nullptr &&
        declaration_->hashedSize == name.size()) {
        return declaration_->nameHash;
    }
    return MergePart::HashOf(name);
}

CModelScope* CModelMerger::Child(CModelScope* owner, std::string_view name, int32_t kind)
{
    if (!part_) {
        return owner->AddChild(name, parameterKey_, kind, keyFromProjectFile_);
    }
    const uint64_t step = part_->step++;
    if (!Merges(owner, name)) {
        return nullptr;
    }
    const size_t before = owner->scopeChildren ? owner->scopeChildren->size() : 0;
    CModelScope* child = owner->AddChild(name, parameterKey_, kind, keyFromProjectFile_);
    if (owner->scopeChildren->size() != before) {
        child->TakeNumber(part_->firstNumber + step);
    }
    return child;
}

CModelScope* CModelMerger::FindOrAdd(CModelScope* owner)
{
    return Child(owner, name_, kind_);
}

void CModelMerger::AddUnit(CModelScope* element, CUnit& unit)
{
    if (element) {
        element->isTemplate = pendingTemplate_;
    }
    pendingTemplate_ = false;
    if (unit.brace) {
        RecordDefiningFile(element);
        if (element) {
            element->definitions.push_back(&unit);
            element->definitionFiles.push_back(file_.path);
        }
    } else if (element) {
        element->declarations.push_back(&unit);
        element->declarationFiles.push_back(file_.path);
    }
}

CModelScope* CModelMerger::AddOrFindScope(CUnit& unit, CModelScope* owner)
{
    CModelScope* element = FindOrAdd(owner);
    if (element && element->kind == UNIT_PLACEHOLDER) {
        element->kind = unit.kind;
    }
    AddUnit(element, unit);
    if (element && !element->scopeChildren) {
        element->scopeChildren = std::make_unique<ScopeChildSet>();
    }
    return element;
}

CModelScope* CModelMerger::AddOrFindMember(CUnit& unit, CModelScope* owner)
{
    CModelScope* element = FindOrAdd(owner);
    AddUnit(element, unit);
    return element;
}

void CModelMerger::MergeVariable(CUnit& unit, const CVariableInfo& record, CModelScope* owner)
{
    name_ = record.qualifiedName.name.view();
    if (const int32_t tagKind = &record == AsVariableInfo(unit) ? TagKind(unit) : 0) {
        // The type's declaration, before or after its definition: the
        // element is the type, never a variable of that name.
        kind_ = tagKind;
        CModelScope* element = FindOrAdd(owner);
        if (element && (element->kind == UNIT_PLACEHOLDER || element->kind == UNIT_VARIABLE)) {
            element->kind = tagKind;
        }
        AddUnit(element, unit);
        if (element && !element->scopeChildren) {
            element->scopeChildren = std::make_unique<ScopeChildSet>();
        }
        kind_ = UNIT_VARIABLE;
    } else {
        AddOrFindMember(unit, owner);
    }
    if (record.multiple) {
        for (const CVariableInfo& further : record.further) {
            MergeVariable(unit, further, owner);
        }
    }
}

void CModelMerger::MergeFunction(CUnit& unit, const CFunctionInfo& record, CModelScope* owner)
{
    parameterKey_ = nullptr;
    const std::string_view name = record.qualifiedName.name.view();
    if (record.qualifiedName.scopes.empty()) {
        // Another part's function is only walked: whether it is a pointer
        // matters there only when the flag below would change, or when a
        // token position out of range would make its key fail.
        const bool merged = Merges(owner, name);
        if ((merged || (projectFile_ && !keyFromProjectFile_) || !KeyTokensInRange(unit, record)) &&
            IsPointer(unit, record)) {
            kind_ = UNIT_VARIABLE;
            name_ = name;
            AddOrFindMember(unit, owner);
            return;
        }
        name_ = name;
        keyFromProjectFile_ = projectFile_;
        if (merged) {
            parameterKey_ = BuildParameterKey(unit, record);
        } else if (!KeyTokensInRange(unit, record)) {
            CheckParameterTokens(unit, record);
        }
        AddOrFindMember(unit, owner);
        return;
    }
    // A member defined outside its class (N::C::f): the qualifiers are
    // found or made as placeholders below the current scope.
    CModelScope* scope = DescendScopes(record.qualifiedName.scopes, owner);
    kind_ = UNIT_FUNCTION;
    name_ = name;
    keyFromProjectFile_ = projectFile_;
    if (Merges(scope, name)) {
        parameterKey_ = BuildParameterKey(unit, record);
    } else if (!KeyTokensInRange(unit, record)) {
        CheckParameterTokens(unit, record);
    }
    CModelScope* element = FindOrAdd(scope);
    if (element && unit.brace && !element->fromProjectFile) {
        element->fromProjectFile = projectFile_;
    }
    AddUnit(element, unit);
}

CModelScope* CModelMerger::DescendScopes(const std::vector<std::string>& scopes, CModelScope* owner)
{
    CModelScope* current = owner;
    for (const std::string& name : scopes) {
        // A qualifier not found is made as a placeholder.
        CModelScope* found = Child(current, name, UNIT_PLACEHOLDER);
        if (found && !found->scopeChildren) {
            found->scopeChildren = std::make_unique<ScopeChildSet>();
        }
        current = found;
    }
    return current;
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
    if (record.parameters.size() == 1 && record.parameters[0].specifierTokens.size() == 1 &&
        record.parameters[0].arrayTokens.empty() &&
        unit.tokens->at(static_cast<size_t>(record.parameters[0].specifierTokens[0])).type ==
            WORD_VOID) {
        keyBuilder_.Clear();
        return nullptr;
    }
    return keyBuilder_.Pack();
}

bool CModelMerger::ParameterTokensInRange(const CUnit& unit, const CFunctionInfo& record)
{
    if (!unit.tokens) {
        return true;
    }
    const size_t size = unit.tokens->size();
    const auto inRange = [size](int position) { return static_cast<size_t>(position) < size; };
    for (const CVariableInfo& parameter : record.parameters) {
        const TokenIndices& specifiers = parameter.specifierTokens;
        const TokenIndices& arrays = parameter.arrayTokens;
        if (!std::all_of(specifiers.begin(), specifiers.end(), inRange) ||
            !std::all_of(arrays.begin(), arrays.end(), inRange)) {
            return false;
        }
    }
    return true;
}

void CModelMerger::CheckParameterTokens(const CUnit& unit, const CFunctionInfo& record)
{
    if (ParameterTokensInRange(unit, record)) {
        return;
    }
    // The first position out of range is the first BuildParameterKey reads.
    for (const CVariableInfo& parameter : record.parameters) {
        for (int position : parameter.specifierTokens) {
            static_cast<void>(unit.tokens->at(static_cast<size_t>(position)));
        }
        for (int position : parameter.arrayTokens) {
            static_cast<void>(unit.tokens->at(static_cast<size_t>(position)));
        }
    }
}

void CModelMerger::RecordDefiningFile(CModelScope* element)
{
    if (!input_) {
        return;
    }
    if (fileNumber_ < 0 && part_ && listing_) {
        // The parts of a split merge number the files they add alike, and
        // leave the input set as it is until they have ended.
        fileNumber_ =
            listing_->inputNumber >= 0 ? listing_->inputNumber : part_->Number(listing_->lowerPath);
    }
    if (fileNumber_ < 0) {
        const std::string lower = ToLowerCopy(file_.path);
        fileNumber_ = input_->FindNumber(lower);
        if (fileNumber_ < 0) {
            fileNumber_ = input_->AddNumber(lower);
        }
    }
    if (element) {
        element->definitionFileNumbers.insert(fileNumber_);
    }
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
                WriteMergeFailure(input_->Messages(), file, failure.what());
            }
        };
        // The paths of the files merged, for the input set, when noted
        // after the merge.
        std::vector<const std::string*> noCasePaths;
        // Each project file's flags, looked up once.
        std::vector<std::pair<bool, bool>> flags = MergeFlags();
        const std::pair<bool, bool> drawn(true, true);
        const size_t tokens = TokenCount(projectFiles_, fileIndex_.files);
        const bool big = tokens >= kLeastTokensForThreads;
        if (std::all_of(flags.begin(), flags.end(), [&](const auto& f) { return f == drawn; })) {
            // Which files are merged is known before any is: their units
            // are merged on several threads when there are many.
            const bool split = big && !OneFileHoldsMuch(projectFiles_, fileIndex_.files, tokens);
            const size_t parts =
                split ? std::min<size_t>(kMostMergeParts, FileReadAhead::WorkersFor(jobs_)) : 1;
            // The instances of a header path are compared on the threads
            // too: a header included by many files has many.
            const std::vector<char> repeated = parts > 1
                ? RepeatedHeaders(fileIndex_.files, static_cast<unsigned>(parts))
                : std::vector<char>();
            std::vector<TakenFile> taken;
            taken.reserve(projectFiles_.size() + fileIndex_.files.size());
            if (!repeated.empty()) {
                // Known repeats need no bookkeeping but the paths merged,
                // which the input set notes after the merge, meanwhile.
                for (auto& file : projectFiles_) {
                    taken.push_back({file.get(), true});
                    noCasePaths.push_back(&file->path);
                }
                for (size_t i = 0; i < fileIndex_.files.size(); ++i) {
                    if (CSourceFile* header = fileIndex_.files[i].get()) {
                        noCasePaths.push_back(&header->path);
                        if (!repeated[i]) {
                            taken.push_back({header, false});
                        }
                    }
                }
            } else {
                const auto take = [&](CSourceFile& file, bool projectFile) {
                    try {
                        if (CModelMerger(fileIndex_, file, input_).TakeFile(context, projectFile)) {
                            taken.push_back({&file, projectFile});
                        }
                    } catch (const std::exception& failure) {
                        WriteMergeFailure(input_->Messages(), file, failure.what());
                    }
                };
                for (auto& file : projectFiles_) {
                    take(*file, true);
                }
                for (auto& header : fileIndex_.files) {
                    if (header) {
                        take(*header, false);
                    }
                }
            }
            for (const MergeFailure& failure :
                MergeSplitByName(fileIndex_, taken, *root_, input_, parts).failures) {
                WriteMergeFailure(input_->Messages(), *taken[failure.file].file, failure.what);
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
        const bool atOnce = FileReadAhead::WorkersFor(jobs_) > 1 && big;
        // The linker and the index each walk a big model on threads too.
        const unsigned walkThreads = atOnce
            ? static_cast<unsigned>(
                  std::min<size_t>(kMostMergeParts, FileReadAhead::WorkersFor(jobs_)) / 2)
            : 1;
        ForEachOnThreads(
            3, atOnce ? 2 : 1, [] { return 0; },
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
                } else if (step == 1) {
                    functions.AddTree(*root_, walkThreads);
                    functions.FileInto(functionTable_, functionMap_);
                } else {
                    for (const std::string* path : noCasePaths) {
                        input_->AddNoCase(*path); // a path noted twice is noted once
                    }
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
