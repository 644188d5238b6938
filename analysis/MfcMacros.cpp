#include "MfcMacros.h"

#include "TokenType.h"

#include <cstring>
#include <initializer_list>

namespace {

bool TypesFollow(const std::vector<PPToken>& tokens, size_t i, std::initializer_list<int> types)
{
    if (i + types.size() >= tokens.size()) {
        return false;
    }
    size_t k = i + 1;
    for (int type : types) {
        if (tokens[k++].type != type) {
            return false;
        }
    }
    return true;
}

bool IsWord(const PPToken& token, const char* word)
{
    return token.type == IDENTIFIER && token.text != nullptr && std::strcmp(token.text, word) == 0;
}

// The first END_MESSAGE_MAP after position i that decides a message map:
// one followed by "( )", or one with fewer than two tokens after it. False
// when there is none.
bool FindMessageMapEnd(const std::vector<PPToken>& tokens, size_t i, size_t& end)
{
    for (size_t j = i + 1; j < tokens.size(); ++j) {
        if (!IsWord(tokens[j], "END_MESSAGE_MAP")) {
            continue;
        }
        if (j + 2 >= tokens.size() || (tokens[j + 1].type == LP && tokens[j + 2].type == RP)) {
            end = j;
            return true;
        }
    }
    return false;
}

} // namespace

size_t MfcMacroLength(const std::vector<PPToken>& tokens, size_t i, MessageMapSearch* search)
{
    const PPToken& token = tokens[i];
    if (token.text == nullptr) {
        return 0;
    }
    const char* text = token.text;
    // Most identifiers are none of these: their first letter tells at once.
    if (text[0] != 'a' && text[0] != 'D' && text[0] != 'I' && text[0] != 'B') {
        return 0;
    }
    if (std::strcmp(text, "afx_msg") == 0) {
        return 1;
    }
    if (std::strcmp(text, "DECLARE_MESSAGE_MAP") == 0) {
        return TypesFollow(tokens, i, {LP, RP}) ? 3 : 0;
    }
    if (std::strcmp(text, "DECLARE_DYNAMIC") == 0 || std::strcmp(text, "DECLARE_DYNCREATE") == 0) {
        return TypesFollow(tokens, i, {LP, IDENTIFIER, RP}) ? 4 : 0;
    }
    if (std::strcmp(text, "IMPLEMENT_DYNAMIC") == 0 ||
        std::strcmp(text, "IMPLEMENT_DYNCREATE") == 0) {
        return TypesFollow(tokens, i, {LP, IDENTIFIER, COMMA, IDENTIFIER, RP}) ? 6 : 0;
    }
    if (std::strcmp(text, "BEGIN_MESSAGE_MAP") != 0) {
        return 0;
    }
    MessageMapSearch local;
    MessageMapSearch& s = search ? *search : local;
    // A search from an earlier position still holds when its end lies after i.
    const bool reuse = s.done && s.from <= i && (!s.found || s.end > i);
    if (!reuse) {
        s.done = true;
        s.from = i;
        s.found = FindMessageMapEnd(tokens, i, s.end);
    }
    if (!s.found || s.end + 2 >= tokens.size()) {
        return 0;
    }
    return s.end + 2 - i + 1;
}
