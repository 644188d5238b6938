#include "TokenText.h"

#include "TokenType.h"

#include <stdexcept>

namespace {

void AppendSpelling(std::string& out, const PPToken& token)
{
    const char* text = token.text ? token.text : "";
    auto enclose = [&](const char* open, const char* close) {
        out += open;
        out += text;
        out += close;
    };
    switch (token.type) {
    case STRINGS:
    case H_CHAR:
        return enclose("\"", "\"");
    case CHARS:
        return enclose("'", "'");
    case INTEGERNUMBER:
    case FLOATNUMBER:
    case HEXNUMBER:
    case OCTALNUMBER:
    case IDENTIFIER:
        out += text;
        return;
    case NEWLINE:
        out += '\n';
        return;
    case Q_CHAR:
        return enclose("include<", ">");
    default:
        break;
    }
    const char* fixed = token.type >= SHARP ? TokenTypeFixedSpelling(token.type) : nullptr;
    out += fixed ? fixed : "Error Token";
}

const PPToken& TokenAt(const std::vector<PPToken>& tokens, int i)
{
    if (i < 0 || static_cast<size_t>(i) >= tokens.size())
        throw std::out_of_range("token position out of range");
    return tokens[static_cast<size_t>(i)];
}

std::string Join(const std::vector<PPToken>& tokens, const TokenIndices& indices, size_t from,
    size_t to, int blanks)
{
    std::string out;
    for (size_t k = from; k <= to && k < indices.size(); ++k) {
        AppendSpelling(out, TokenAt(tokens, indices[k]));
        if (blanks == 1)
            out += ' ';
    }
    if (blanks == 1 && out.size() >= 2)
        out.pop_back();
    return out;
}

} // namespace

std::string TokenSpelling(const std::vector<PPToken>& tokens, int i)
{
    std::string out;
    AppendSpelling(out, TokenAt(tokens, i));
    return out;
}

std::string TokensToText(
    const std::vector<PPToken>& tokens, const TokenIndices& indices, int blanks)
{
    if (indices.empty())
        return {};
    return Join(tokens, indices, 0, indices.size() - 1, blanks);
}

std::string TokenRangeToText(
    const std::vector<PPToken>& tokens, const TokenIndices& indices, int from, int to, int blanks)
{
    if (from > to || to < 0)
        return {};
    if (from < 0)
        from = 0;
    return Join(tokens, indices, static_cast<size_t>(from), static_cast<size_t>(to), blanks);
}
