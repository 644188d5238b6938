#include "UnitKind.h"

#include "Unit.h"
#include "UnitDetail.h"

#include <array>

int32_t GetUnitCategory(int32_t kind)
{
    if (kind == UNIT_MULTIPLE_VARIABLE || kind == UNIT_VARIABLE)
        return UNIT_VARIABLE;
    if (kind >= UNIT_PREPROCESSING && kind <= UNIT_PP_NULL)
        return UNIT_PREPROCESSING;
    if ((kind >= UNIT_IF && kind <= UNIT_PROTECTED) || kind == UNIT_THROW)
        return UNIT_EXPRESSION_STATEMENT;
    return kind;
}

std::string UnitKindName(int32_t kind)
{
    static const std::array<const char*, 62> names = {
        "** Unknown",
        "[Nothing]",
        "[Just Brace]",
        nullptr,
        "[Class]",
        "[Struct]",
        "[Union]",
        "[Enum]",
        "[Namespace]",
        "[Namespace alias]",
        "[Template]",
        "[Multiple Declare Variable]",
        "[Variable]",
        "[Asm]",
        "[Typedef]",
        "[Extern]",
        "[Using]",
        "[Using namespace]",
        "[Function]",
        "[Preprocessing]",
        "[Preprocessing Include]",
        "[Preprocessing Define]",
        "[Preprocessing Undef]",
        "[Preprocessing If]",
        "[Preprocessing Ifdef]",
        "[Preprocessing Ifndef]",
        "[Preprocessing Elif]",
        "[Preprocessing Else]",
        "[Preprocessing Endif]",
        "[Preprocessing Line]",
        "[Preprocessing Pragma]",
        "[Preprocessing Error]",
        "[Preprocessing NULL]",
        "[If statement]",
        "[Else if statement]",
        "[Else statement]",
        "[For statement]",
        "[While statement]",
        "[Do statement]",
        "[Break statement]",
        "[Continue statement]",
        "[Return statement]",
        "[Goto statement]",
        "[Switch statement]",
        "[Label statement]",
        "[Case statement]",
        "[Default statement]",
        "[try statement]",
        "[catch statement]",
        "[Expression statement]",
        "[Expression]",
        "[public]",
        "[private]",
        "[protected]",
        "[Variable Initial Child]",
        nullptr,
        nullptr,
        nullptr,
        nullptr,
        nullptr,
        nullptr,
        "[throw statement]",
    };
    if (kind >= 0 && kind < static_cast<int32_t>(names.size()) && names[static_cast<size_t>(kind)])
        return names[static_cast<size_t>(kind)];
    return "Unknown(Analysys complete)";
}

int32_t GetUnitAccess(const CUnit& unit)
{
    if (unit.kind == UNIT_VARIABLE) {
        if (const CVariableInfo* info = AsVariableInfo(unit))
            return info->access;
    } else if (unit.kind == UNIT_FUNCTION) {
        if (const CFunctionInfo* info = AsFunctionInfo(unit))
            return info->access;
    }
    return 0;
}

std::string GetUnitFunctionName(const CUnit& unit)
{
    if (unit.kind == UNIT_FUNCTION) {
        if (const CFunctionInfo* info = AsFunctionInfo(unit))
            return info->qualifiedName.name;
    }
    return {};
}
