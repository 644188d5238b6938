#include "SourceTokens.h"

#include "LanguageTable.h"
#include "TokenType.h"

#include <fstream>

void WriteFileOpenFailure(const std::string& path, MessageSink& messages)
{
    MessageLine(messages, MessageKind::Error) << GetLangString(3) << ": " << path << " : "
                                              << GetLangString(303);
}

void JoinContinuedLines(std::vector<PPToken>& tokens, size_t from)
{
    size_t write = from;
    int32_t previous = -1;
    for (size_t read = from; read < tokens.size(); ++read) {
        const int32_t type = tokens[read].type;
        if (previous == SLASH && type == ENDLINE) {
            --write; // the backslash just kept
        } else {
            if (write != read) {
                tokens[write] = std::move(tokens[read]);
            }
            ++write;
        }
        previous = type;
    }
    tokens.resize(write);
}

bool CSourceTokens::Tokenize(const char* path, const CTokenScanner& scanner, MessageSink& messages)
{
    fileName = path;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        WriteFileOpenFailure(path, messages);
        return false;
    }
    // About one token per four bytes in real code: one allocation up front
    // instead of a run of doublings on big files.
    in.seekg(0, std::ios::end);
    const std::streamoff length = in.tellg();
    in.seekg(0, std::ios::beg);
    if (length > 0) {
        tokens.reserve(tokens.size() + static_cast<size_t>(length) / 4 + 16);
    }
    const size_t from = tokens.size();
    scanner.Scan(in, tokens, messages);
    JoinContinuedLines(tokens, from);
    return true;
}
