#include "MacroArguments.h"

#include "TokenType.h"

#include <cctype>
#include <cstring>

size_t CollectMacroArguments(const std::vector<PPToken>& tokens, size_t p,
    std::vector<MacroArgument>& args, const char* failureText)
{
    if (p >= tokens.size() || tokens[p].type != LP) {
        return p;
    }
    const size_t before = args.size();
    int depth = 0;
    size_t start = p + 1;
    for (size_t j = p + 1;; ++j) {
        if (j >= tokens.size()) {
            throw PreprocessorFailure(failureText);
        }
        const int32_t type = tokens[j].type;
        if (type == RP) {
            if (depth == 0) {
                // `F()` has no argument, `F(a,)` has an empty second one.
                if (start < j || args.size() > before) {
                    args.push_back({start, j - 1});
                }
                return j;
            }
            --depth;
        } else if (type == LP) {
            ++depth;
        } else if (type == COMMA && depth == 0) {
            args.push_back({start, j - 1});
            start = j + 1;
        }
    }
}

const char* ParameterNameOf(const PPToken& token)
{
    if (token.type == IDENTIFIER) {
        return token.text;
    }
    const char* spelling = TokenTypeFixedSpelling(token.type);
    const bool word = spelling != nullptr &&
        (std::isalpha(static_cast<unsigned char>(spelling[0])) || spelling[0] == '_');
    return word ? spelling : nullptr;
}

int FindParameter(const CMacroDef& macro, const PPToken& token)
{
    if (macro.parameters.empty()) {
        return -1;
    }
    const char* name = ParameterNameOf(token);
    if (name == nullptr) {
        return -1;
    }
    for (size_t p = 0; p < macro.parameters.size(); ++p) {
        if (std::strcmp(macro.parameters[p].c_str(), name) == 0) {
            return static_cast<int>(p);
        }
    }
    return -1;
}
