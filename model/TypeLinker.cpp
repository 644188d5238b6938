#include "TypeLinker.h"

#include "ModelScope.h"
#include "TokenType.h"
#include "UnitDetail.h"

#include <string_view>

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
    if (!root_) {
        return;
    }
    typesByName_.clear();
    IndexTypes(*root_);
    LinkScope(*root_);
}

// Empties the links of every element and indexes the types, in one walk
// (each element before its children, children in set order).
void CTypeLinker::IndexTypes(CModelScope& scope)
{
    scope.linkedBy.clear();
    scope.linkedByCv.clear();
    if (IsClassKind(scope.kind)) {
        // The first keeps the name.
        auto place = typesByName_.lower_bound(scope.name);
        if (place == typesByName_.end() || place->first != scope.name) {
            typesByName_.emplace_hint(place, scope.name, &scope);
        }
    }
    if (scope.scopeChildren) {
        for (const auto& child : *scope.scopeChildren) {
            IndexTypes(*child);
        }
    }
}

void CTypeLinker::LinkScope(CModelScope& scope)
{
    if (!scope.scopeChildren) {
        return;
    }
    if (scope.kind == UNIT_NAMESPACE || scope.kind == UNIT_ROOT) {
        for (const auto& child : *scope.scopeChildren) {
            LinkScope(*child);
        }
    } else if (IsClassKind(scope.kind)) {
        for (const auto& child : *scope.scopeChildren) {
            if (IsClassKind(child->kind)) {
                LinkScope(*child);
            } else if (child->kind == UNIT_VARIABLE) {
                LinkVariable(*child);
            }
        }
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
    if (record->cvAfterType) {
        found->second->linkedByCv.insert(variable.parent);
    } else {
        found->second->linkedBy.insert(variable.parent);
    }
}
