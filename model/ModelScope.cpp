#include "ModelScope.h"

#include "TokenType.h"
#include "UnitKind.h"

#include <atomic>
#include <cstring>

namespace {

std::atomic<uint64_t> g_nextCreationNumber {0};

} // namespace

bool FunctionKeyLess::operator()(const CModelScope& a, const CModelScope& b) const
{
    const int byName = a.name.compare(b.name);
    if (byName != 0) {
        return byName < 0;
    }
    return ParameterKey::Compare(a.parameterKey, b.parameterKey) < 0;
}

bool FunctionKeyLess::operator()(const ChildKey& a, const CModelScope& b) const
{
    const int byName = a.name.compare(b.name.view());
    if (byName != 0) {
        return byName < 0;
    }
    return ParameterKey::Compare(a.parameterKey, b.parameterKey.Packed()) < 0;
}

bool FunctionKeyLess::operator()(const CModelScope& a, const ChildKey& b) const
{
    const int byName = a.name.view().compare(b.name);
    if (byName != 0) {
        return byName < 0;
    }
    return ParameterKey::Compare(a.parameterKey.Packed(), b.parameterKey) < 0;
}

bool ScopeCreationLess::operator()(const CModelScope* a, const CModelScope* b) const
{
    return a->CreationNumber() < b->CreationNumber();
}

CModelScope::CModelScope() : creationNumber_(g_nextCreationNumber++)
{
}

const ScopeLinkSet& CModelScope::NoLinks()
{
    static const ScopeLinkSet none;
    return none;
}

void CModelScope::AddLink(CModelScope* holder, bool cv)
{
    if (!links_) {
        links_ = std::make_unique<ScopeLinks>();
    }
    (cv ? links_->cv : links_->plain).insert(holder);
}

CUnit* CModelScope::GetFirstUnit() const
{
    // A same-name typedef (typedef class E E;) declares a type without
    // holding its record: the type's own declaration or its definition
    // comes first, whichever file was merged first.
    if (kind == UNIT_CLASS || kind == UNIT_STRUCT || kind == UNIT_UNION) {
        for (CUnit* unit : declarations) {
            if (unit != nullptr && unit->kind == kind) {
                return unit;
            }
        }
        if (!definitions.empty()) {
            return definitions.front();
        }
    }
    if (!declarations.empty()) {
        return declarations.front();
    }
    return definitions.empty() ? nullptr : definitions.front();
}

CUnit* CModelScope::GetDefiningUnit() const
{
    return definitions.empty() ? nullptr : definitions.front();
}

CModelScope* CModelScope::FindChild(const CModelScope& key) const
{
    if (!scopeChildren) {
        return nullptr;
    }
    return scopeChildren->Find(key);
}

CModelScope* CModelScope::AddChild(const CModelScope& key)
{
    if (!scopeChildren) {
        scopeChildren = std::make_unique<ScopeChildSet>();
    }
    // One search finds the element or the place for it.
    return scopeChildren->FindOrAdd(key, [&] {
        auto child = std::make_unique<CModelScope>();
        child->kind = key.kind;
        child->isTemplate = key.isTemplate;
        child->fromProjectFile = key.fromProjectFile;
        child->parent = this;
        child->name = key.name;
        child->parameterKey = key.parameterKey;
        return child;
    });
}

CModelScope* CModelScope::FindChild(const ChildKey& key) const
{
    if (!scopeChildren) {
        return nullptr;
    }
    return scopeChildren->Find(key);
}

CModelScope* CModelScope::AddChild(
    std::string_view name, const char* parameterKey, int32_t kind, bool fromProjectFile)
{
    if (!scopeChildren) {
        scopeChildren = std::make_unique<ScopeChildSet>();
    }
    return scopeChildren->FindOrAdd(ChildKey {name, parameterKey}, [&] {
        auto made = std::make_unique<CModelScope>();
        made->kind = kind;
        made->fromProjectFile = fromProjectFile;
        made->parent = this;
        made->name = name;
        made->parameterKey = ParameterKey(parameterKey);
        return made;
    });
}
