#include "ScopeName.h"

#include "ModelScope.h"
#include "UnitDetail.h"

namespace {

bool IsTopKind(int32_t kind)
{
    return kind == UNIT_ROOT || kind == UNIT_GLOBAL_FUNCTIONS;
}

// The name a holder contributes to a qualified name. Classes and namespaces
// take the name their first unit records, when that unit holds a record of
// the right type; otherwise the element's own name.
std::string HolderName(const CModelScope& holder)
{
    const CUnit* unit = holder.GetFirstUnit();
    switch (holder.kind) {
    case UNIT_CLASS:
    case UNIT_STRUCT:
    case UNIT_UNION:
        if (unit) {
            if (const CClassInfo* record = AsClassInfo(*unit)) {
                return record->qualifiedName.name;
            }
        }
        return holder.name;
    case UNIT_NAMESPACE:
        if (unit) {
            // "namespace a::b {" names b with its enclosing namespace.
            const CTextInfo* record = AsTextInfo(*unit);
            if (record && record->text.find("::") == std::string::npos) {
                return record->text;
            }
        }
        return holder.name;
    case UNIT_PLACEHOLDER:
        return holder.name;
    default:
        return std::string();
    }
}

} // namespace

std::string GetScopeName(const CModelScope& scope, int global)
{
    const CModelScope* holder = scope.parent;
    if (!holder || IsTopKind(scope.kind)) {
        return std::string();
    }
    std::string result = GetScopeName(*holder, 0);
    if (!result.empty()) {
        result += "::";
    }
    result += HolderName(*holder);
    if (global == 1 && result.empty() && IsTopKind(holder->kind)) {
        return "Global";
    }
    return result;
}
