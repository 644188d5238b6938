#include "ChildStartKind.h"

#include "TokenType.h"

int ChildStartKind(const CUnit& unit)
{
    switch (unit.kind) {
    case UNIT_JUST_BRACE:
    case UNIT_FUNCTION:
    case UNIT_IF:
    case UNIT_ELSE_IF:
    case UNIT_ELSE:
    case UNIT_FOR:
    case UNIT_WHILE:
    case UNIT_DO:
    case UNIT_SWITCH:
    case UNIT_LABEL:
    case UNIT_CASE:
    case UNIT_DEFAULT:
    case UNIT_TRY:
    case UNIT_CATCH:
    case UNIT_THROW:
        return STATEMENT;
    case UNIT_CLASS:
        return INCLASS;
    case UNIT_STRUCT:
    case UNIT_UNION:
        return INSTRUCT;
    case UNIT_ENUM:
        return INENUM;
    case UNIT_NAMESPACE:
    case UNIT_TEMPLATE:
    // The contents of extern "C" { ... } and the declaration after
    // extern "C" are declarations of the enclosing namespace.
    case UNIT_EXTERN:
        return DECLARATION;
    case UNIT_EXPRESSION_STATEMENT:
        return EXPRESSION;
    default:
        return NOPARSING;
    }
}
