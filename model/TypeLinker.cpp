#include "TypeLinker.h"

#include "ChildRuns.h"
#include "ForEachOnThreads.h"
#include "ModelScope.h"
#include "TokenType.h"
#include "UnitDetail.h"

#include <string_view>
#include <vector>

namespace {

bool IsClassKind(int32_t kind)
{
    return kind == UNIT_CLASS || kind == UNIT_STRUCT || kind == UNIT_UNION;
}

// The token at a file position, or nullptr when the position is bad.
const PPToken* TokenAt(const CUnit& unit, int position)
{
    if (!unit.tokens || position < 0 || static_cast<size_t>(position) >= unit.tokens->size()) {
        return nullptr;
    }
    return &(*unit.tokens)[static_cast<size_t>(position)];
}

} // namespace

void CTypeLinker::Run()
{
    Run(Visitor());
}

void CTypeLinker::Run(const Visitor& visit)
{
    if (!root_) {
        return;
    }
    typesByName_.clear();
    memberVariables_.clear();
    Walk(*root_, nullptr, true, visit);
    for (CModelScope* variable : memberVariables_) {
        LinkVariable(*variable);
    }
    memberVariables_.clear();
}

void CTypeLinker::Run(const Visitor& visit, unsigned threads)
{
    const ChildRuns cut = root_ ? CutChildrenIntoRuns(*root_, threads) : ChildRuns();
    if (cut.runs <= 1) {
        Run(visit);
        return;
    }
    const auto& below = cut.chunks;
    const size_t runs = cut.runs;
    typesByName_.clear();
    memberVariables_.clear();
    // The root as Walk takes it, then its children a run each.
    if (visit) {
        visit(*root_, nullptr);
    }
    root_->ClearLinks();
    std::vector<CTypeLinker> walked(runs, CTypeLinker(root_));
    ForEachRunOnThreads(below.size(), runs, threads, [&](size_t run, size_t first, size_t end) {
        for (size_t i = first; i < end; ++i) {
            for (CModelScope* child : below[i]) {
                const bool linked = child->kind == UNIT_NAMESPACE || child->kind == UNIT_ROOT ||
                    IsClassKind(child->kind);
                walked[run].Walk(*child, root_, linked, visit);
            }
        }
    });
    // The first of a name in walk order keeps it: the runs in order.
    for (CTypeLinker& run : walked) {
        for (const auto& [name, type] : run.typesByName_) {
            typesByName_.emplace(name, type);
        }
        std::map<std::string_view, CModelScope*>().swap(run.typesByName_);
    }
    // Then the variables in walk order, each run's list freed once done:
    // a file of plain declarations has one per line.
    for (CTypeLinker& run : walked) {
        for (CModelScope* variable : run.memberVariables_) {
            LinkVariable(*variable);
        }
        std::vector<CModelScope*>().swap(run.memberVariables_);
    }
}

// Linking starts at the root and goes through namespaces into classes,
// structs and unions, and from these into nested ones; the variables met in
// a class, struct or union are its members. Nothing else is reached
// (variables of namespaces, anything below functions, enums or
// placeholders).
void CTypeLinker::Walk(CModelScope& scope, CModelScope* parent, bool linked, const Visitor& visit)
{
    if (visit) {
        visit(scope, parent);
    }
    scope.ClearLinks();
    if (IsClassKind(scope.kind)) {
        // The first keeps the name.
        const std::string_view name = scope.name.view();
        auto place = typesByName_.lower_bound(name);
        if (place == typesByName_.end() || place->first != name) {
            typesByName_.emplace_hint(place, name, &scope);
        }
    }
    if (!scope.scopeChildren) {
        return;
    }
    const bool fromNamespace = linked && (scope.kind == UNIT_NAMESPACE || scope.kind == UNIT_ROOT);
    const bool fromClass = linked && IsClassKind(scope.kind);
    for (const auto& child : *scope.scopeChildren) {
        bool childLinked = false;
        if (fromNamespace) {
            childLinked = child->kind == UNIT_NAMESPACE || child->kind == UNIT_ROOT ||
                IsClassKind(child->kind);
        } else if (fromClass) {
            childLinked = IsClassKind(child->kind);
            if (child->kind == UNIT_VARIABLE) {
                memberVariables_.push_back(child);
            }
        }
        Walk(*child, &scope, childLinked, visit);
    }
}

void CTypeLinker::LinkVariable(CModelScope& variable)
{
    const CUnit* unit = variable.GetFirstUnit();
    if (!unit || !variable.parent) {
        return;
    }
    // An element may gather units of different kinds; only a variable
    // record says anything about a type.
    const CVariableInfo* record = AsVariableInfo(*unit);
    if (!record || record->typeTokens.empty()) {
        return;
    }
    const PPToken* last = TokenAt(*unit, record->typeTokens.back());
    const PPToken* first = TokenAt(*unit, record->typeTokens.front());
    if (!last || !first || last->type != IDENTIFIER || first->type == WORD_ENUM) {
        return;
    }
    auto found = typesByName_.find(std::string_view(last->text ? last->text : ""));
    if (found == typesByName_.end()) {
        return;
    }
    found->second->AddLink(variable.parent, record->cvAfterType);
}
