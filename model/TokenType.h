#pragma once

#include <cstdint>

// The token types shared by scanner, preprocessor, parser, code model and
// parse cache. The list itself lives in TokenTypes.def.
enum TokenType : int32_t {
#define KESTRIN_TOKEN(value, ident, name, spelling) ident = value,
#include "TokenTypes.def"
#undef KESTRIN_TOKEN
};

inline constexpr int32_t kTokenTypeCount = 187;

// The name the parser reports for a type ("IDENTIFIER", "<0>", ...), or
// nullptr for a value outside 0..186.
const char* TokenTypeName(int32_t type);

// The fixed spelling of a type ("{", "while", ...), or nullptr when the type
// has none of its own (its token's text decides, or it spells "Error Token").
const char* TokenTypeFixedSpelling(int32_t type);

// The spelling of a word that means something only right after '#' (include,
// define, pragma, error, line, endif, elif, ifdef, ifndef, undef), or nullptr
// for any other type. Anywhere else such a word is an ordinary identifier.
const char* DirectiveOnlyWordSpelling(int32_t type);

// The same for a word met in the source text outside a directive, where
// "defined" is an ordinary identifier too: "bool defined() const;".
const char* SourceWordSpelling(int32_t type);

// The spelling of a keyword of C++ that C does not have (class, new, this,
// private, bool, and, ...), or nullptr for any other type. In C source such
// a word is an ordinary identifier.
const char* CppOnlyKeywordSpelling(int32_t type);

// Whether the type is public, protected or private.
inline constexpr bool IsAccessWord(int32_t type)
{
    return type == WORD_PUBLIC || type == WORD_PROTECTED || type == WORD_PRIVATE;
}

// Whether the type is one of the calling-convention words (__stdcall,
// _cdecl, __fastcall and their spellings with one underscore).
inline constexpr bool IsCallingConventionWord(int32_t type)
{
    return type == WORD__STDCALL || type == WORD___STDCALL || type == WORD__FASTCALL ||
        type == WORD___FASTCALL || type == WORD__CDECL || type == WORD___CDECL;
}
