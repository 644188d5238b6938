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
