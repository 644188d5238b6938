#include "VoidParameterList.h"

#include "DetailRecords.h"
#include "TokenType.h"
#include "Unit.h"

bool IsVoidParameterList(const CUnit& unit, const CFunctionInfo& record)
{
    if (unit.tokens == nullptr || record.parameters.size() != 1) {
        return false;
    }
    const CVariableInfo& parameter = record.parameters.front();
    if (parameter.specifierTokens.size() != 1 || !parameter.arrayTokens.empty()) {
        return false;
    }
    const int position = parameter.specifierTokens[0];
    return position >= 0 && static_cast<size_t>(position) < unit.tokens->size() &&
        (*unit.tokens)[static_cast<size_t>(position)].type == WORD_VOID;
}
