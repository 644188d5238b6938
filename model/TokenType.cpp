#include "TokenType.h"

namespace {

const char* const kNames[kTokenTypeCount] = {
#define KESTRIN_TOKEN(value, ident, name, spelling) name,
#include "TokenTypes.def"
#undef KESTRIN_TOKEN
};

const char* const kSpellings[kTokenTypeCount] = {
#define KESTRIN_TOKEN(value, ident, name, spelling) spelling,
#include "TokenTypes.def"
#undef KESTRIN_TOKEN
};

bool IsCppOnlyKeyword(int32_t type)
{
    switch (type) {
    case WORD_AND:
    case WORD_AND_EQ:
    case WORD_BITAND:
    case WORD_BITOR:
    case WORD_BOOL:
    case WORD_CATCH:
    case WORD_CLASS:
    case WORD_COMPL:
    case WORD_CONST_CAST:
    case WORD_DELETE:
    case WORD_DYNAMIC_CAST:
    case WORD_EXPLICIT:
    case WORD_EXPORT:
    case WORD_FALSE:
    case WORD_FRIEND:
    case WORD_MUTABLE:
    case WORD_NAMESPACE:
    case WORD_NEW:
    case WORD_NOT:
    case WORD_NOT_EQ:
    case WORD_OPERATOR:
    case WORD_OR:
    case WORD_OR_EQ:
    case WORD_PRIVATE:
    case WORD_PROTECTED:
    case WORD_PUBLIC:
    case WORD_REINTERPRET_CAST:
    case WORD_STATIC_CAST:
    case WORD_TEMPLATE:
    case WORD_THIS:
    case WORD_THROW:
    case WORD_TRUE:
    case WORD_TRY:
    case WORD_TYPEID:
    case WORD_TYPENAME:
    case WORD_USING:
    case WORD_VIRTUAL:
    case WORD_WCHAR_T:
    case WORD_XOR:
    case WORD_XOR_EQ:
        return true;
    default:
        return false;
    }
}

} // namespace

const char* TokenTypeName(int32_t type)
{
    return type >= 0 && type < kTokenTypeCount ? kNames[type] : nullptr;
}

const char* TokenTypeFixedSpelling(int32_t type)
{
    return type >= 0 && type < kTokenTypeCount ? kSpellings[type] : nullptr;
}

const char* DirectiveOnlyWordSpelling(int32_t type)
{
    return type >= WORD_INCLUDE && type <= WORD_UNDEF && type != WORD_DEFINED ? kSpellings[type]
                                                                              : nullptr;
}

const char* SourceWordSpelling(int32_t type)
{
    return type == WORD_DEFINED ? kSpellings[type] : DirectiveOnlyWordSpelling(type);
}

const char* CppOnlyKeywordSpelling(int32_t type)
{
    return IsCppOnlyKeyword(type) ? kSpellings[type] : nullptr;
}
