#include "SourceLanguage.h"

#include "TokenType.h"

#include <cstring>

namespace {

bool IsAsmWord(const PPToken& token)
{
    return token.type == WORD_ASM || token.type == WORD__ASM || token.type == WORD___ASM ||
        (token.type == IDENTIFIER && token.text != nullptr &&
            std::strcmp(token.text, "__asm__") == 0);
}

// Words that may stand between asm and its parenthesis.
bool IsAsmQualifier(const PPToken& token)
{
    if (token.type == WORD_VOLATILE || token.type == WORD_INLINE || token.type == WORD_GOTO) {
        return true;
    }
    return token.type == IDENTIFIER && token.text != nullptr &&
        (std::strcmp(token.text, "__volatile__") == 0 ||
            std::strcmp(token.text, "__inline__") == 0);
}

} // namespace

bool ReadsAsC(const std::string& path, const std::vector<PPToken>& tokens)
{
    if (!path.ends_with(".c")) {
        return false;
    }
    bool lineStart = true;
    bool directive = false;
    bool asmNext = false; // an asm word was just met: its '(' comes
    int asmDepth = 0; // parentheses open in an asm statement
    int32_t previous = ENDLINE;
    for (size_t i = 0; i < tokens.size(); ++i) {
        const PPToken& token = tokens[i];
        const int32_t type = token.type;
        if (type == ENDLINE) {
            if (previous != SLASH) {
                directive = false;
            }
            lineStart = true;
            previous = type;
            continue;
        }
        if (lineStart && type == SHARP) {
            directive = true;
        }
        lineStart = false;
        previous = type;
        if (directive) {
            continue;
        }
        if (asmDepth > 0) {
            asmDepth += type == LP ? 1 : type == RP ? -1 : 0;
            continue;
        }
        if (asmNext && type == LP) {
            asmNext = false;
            asmDepth = 1;
            continue;
        }
        asmNext = IsAsmWord(token) || (asmNext && IsAsmQualifier(token));
        if (type == CLCL ||
            (type == WORD_TEMPLATE && i + 1 < tokens.size() && tokens[i + 1].type == LT_)) {
            return false;
        }
    }
    return true;
}

void MakeCppOnlyKeywordsIdentifiers(std::vector<PPToken>& tokens)
{
    for (PPToken& token : tokens) {
        if (const char* word = CppOnlyKeywordSpelling(token.type)) {
            MakeIdentifierToken(token, word);
        }
    }
}
