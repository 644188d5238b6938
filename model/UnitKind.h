#pragma once

#include <cstdint>
#include <string>

class CUnit;

// The kind codes of units. File units use 0..54 and 61; 55..60 belong to the
// project-wide model. The numbers are stored in the parse cache.
enum UnitKind : int32_t {
    UNIT_UNKNOWN = 0,
    UNIT_NOTHING = 1,
    UNIT_JUST_BRACE = 2,
    UNIT_COMPLETE = 3,
    UNIT_CLASS = 4,
    UNIT_STRUCT = 5,
    UNIT_UNION = 6,
    UNIT_ENUM = 7,
    UNIT_NAMESPACE = 8,
    UNIT_NAMESPACE_ALIAS = 9,
    UNIT_TEMPLATE = 10,
    UNIT_MULTIPLE_VARIABLE = 11,
    UNIT_VARIABLE = 12,
    UNIT_ASM = 13,
    UNIT_TYPEDEF = 14,
    UNIT_EXTERN = 15,
    UNIT_USING = 16,
    UNIT_USING_NAMESPACE = 17,
    UNIT_FUNCTION = 18,
    UNIT_PREPROCESSING = 19,
    UNIT_PP_INCLUDE = 20,
    UNIT_PP_DEFINE = 21,
    UNIT_PP_UNDEF = 22,
    UNIT_PP_IF = 23,
    UNIT_PP_IFDEF = 24,
    UNIT_PP_IFNDEF = 25,
    UNIT_PP_ELIF = 26,
    UNIT_PP_ELSE = 27,
    UNIT_PP_ENDIF = 28,
    UNIT_PP_LINE = 29,
    UNIT_PP_PRAGMA = 30,
    UNIT_PP_ERROR = 31,
    UNIT_PP_NULL = 32,
    UNIT_IF = 33,
    UNIT_ELSE_IF = 34,
    UNIT_ELSE = 35,
    UNIT_FOR = 36,
    UNIT_WHILE = 37,
    UNIT_DO = 38,
    UNIT_BREAK = 39,
    UNIT_CONTINUE = 40,
    UNIT_RETURN = 41,
    UNIT_GOTO = 42,
    UNIT_SWITCH = 43,
    UNIT_LABEL = 44,
    UNIT_CASE = 45,
    UNIT_DEFAULT = 46,
    UNIT_TRY = 47,
    UNIT_CATCH = 48,
    UNIT_EXPRESSION_STATEMENT = 49,
    UNIT_EXPRESSION = 50,
    UNIT_PUBLIC = 51,
    UNIT_PRIVATE = 52,
    UNIT_PROTECTED = 53,
    UNIT_VARIABLE_INIT_CHILD = 54,
    UNIT_PLACEHOLDER = 55,
    UNIT_KIND_56 = 56,
    UNIT_GLOBAL_VARIABLES = 57,
    UNIT_GLOBAL_FUNCTIONS = 58,
    UNIT_ROOT = 59,
    UNIT_KIND_60 = 60,
    UNIT_THROW = 61,
};

// Member access as detail records store it.
enum MemberAccess : int32_t {
    ACCESS_PUBLIC = 1,
    ACCESS_PROTECTED = 2,
    ACCESS_PRIVATE = 3,
};

// The group a kind belongs to: 11 and 12 are variables (12), 19..32 are
// preprocessing lines (19), 33..53 and 61 are statements (49); every other
// value is its own category.
int32_t GetUnitCategory(int32_t kind);

// The text shown for a kind in dumps ("[Class]", ...).
std::string UnitKindName(int32_t kind);

// The access of a variable (12) or function (18) unit as its record holds
// it; 0 (shown as public) for every other unit or a missing record.
int32_t GetUnitAccess(const CUnit& unit);

// The function's own name for a function unit, otherwise empty.
std::string GetUnitFunctionName(const CUnit& unit);
