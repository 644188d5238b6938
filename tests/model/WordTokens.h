#pragma once

// Test helper: builds a token vector from words separated by blanks. A word
// that is the fixed spelling of a token type gets that type ("{", "while",
// "::", ...), "\n" is a line end, "\\" a backslash, a word starting with a
// digit a number, anything else an identifier.

#include "PPToken.h"
#include "TokenType.h"

#include <cctype>
#include <sstream>
#include <string>
#include <vector>

inline int WordTokenType(const std::string& word)
{
    if (word == "\n")
        return ENDLINE;
    if (word == "\\")
        return SLASH;
    if (word == "/")
        return DIV;
    for (int type = SHARP; type < kTokenTypeCount; ++type) {
        const char* spelling = TokenTypeFixedSpelling(type);
        if (spelling && word == spelling && type != SLASH)
            return type;
    }
    if (std::isdigit(static_cast<unsigned char>(word[0])))
        return word.size() > 1 && word[0] == '0' ? OCTALNUMBER : INTEGERNUMBER;
    return IDENTIFIER;
}

// Words are separated by blanks; a line end may stand alone or be glued to a
// word's end ("int a ;\n").
inline std::vector<PPToken> WordTokens(const std::string& text)
{
    std::vector<PPToken> tokens;
    int line = 1;
    std::string word;
    auto flush = [&]() {
        if (word.empty())
            return;
        const int type = WordTokenType(word);
        const bool keepsText = type >= STRINGS && type <= IDENTIFIER;
        tokens.emplace_back(line, type, keepsText ? word.c_str() : nullptr);
        word.clear();
    };
    for (char c : text) {
        if (c == ' ') {
            flush();
        } else if (c == '\n') {
            flush();
            tokens.emplace_back(line, ENDLINE, nullptr);
            ++line;
        } else {
            word += c;
        }
    }
    flush();
    return tokens;
}
