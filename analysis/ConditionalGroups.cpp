#include "ConditionalGroups.h"

#include "TokenType.h"

BranchEnd FindBranchEnd(const std::vector<PPToken>& tokens, size_t i)
{
    int depth = 0;
    for (size_t k = i + 1; k + 1 < tokens.size(); ++k) {
        if (tokens[k].type != SHARP) {
            continue;
        }
        const size_t j = k + 1;
        switch (tokens[j].type) {
        case WORD_IF:
        case WORD_IFDEF:
        case WORD_IFNDEF:
            ++depth;
            break;
        case WORD_ENDIF:
            if (depth == 0) {
                return {BranchEnd::Endif, j};
            }
            --depth;
            break;
        case WORD_ELIF:
            if (depth == 0) {
                return {BranchEnd::Elif, j};
            }
            break;
        case WORD_ELSE:
            if (depth == 0 && j + 1 < tokens.size() && tokens[j + 1].type == ENDLINE) {
                return {BranchEnd::Else, j};
            }
            break;
        default:
            break;
        }
    }
    return {};
}
