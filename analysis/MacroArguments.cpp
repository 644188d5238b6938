#include "MacroArguments.h"

#include "TokenType.h"

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

int FindParameter(const CMacroDef& macro, const PPToken& token)
{
    if (token.type != IDENTIFIER || token.text == nullptr) {
        return -1;
    }
    for (size_t p = 0; p < macro.parameters.size(); ++p) {
        if (std::strcmp(macro.parameters[p].c_str(), token.text) == 0) {
            return static_cast<int>(p);
        }
    }
    return -1;
}
