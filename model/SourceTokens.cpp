#include "SourceTokens.h"

#include "LanguageTable.h"
#include "TokenType.h"

#include "AtomicFile.h"

#include <sstream>

#include <sys/stat.h>

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

bool WriteSourceReadFailure(const std::string& path, MessageSink& messages)
{
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        return false;
    }
    if (!S_ISREG(status.st_mode)) {
        MessageLine(messages, MessageKind::Error)
            << path << " is not a regular file (a FIFO, a device or a folder): it is not read";
        return true;
    }
    if (static_cast<unsigned long long>(status.st_size) > kMaxSourceBytes) {
        MessageLine(messages, MessageKind::Error)
            << path << " is larger than " << (kMaxSourceBytes >> 20) << " MB: it is not read";
        return true;
    }
    return false;
}

bool CSourceTokens::Tokenize(const char* path, const CTokenScanner& scanner, MessageSink& messages)
{
    fileName = path;
    // The whole file is read first: only a regular file is opened at all.
    std::string content;
    if (ReadWholeFile(path, content, kMaxSourceBytes) != ReadResult::Ok) {
        if (!WriteSourceReadFailure(path, messages)) {
            WriteFileOpenFailure(path, messages);
        }
        return false;
    }
    // About one token per four bytes in real code: one allocation up front
    // instead of a run of doublings on big files.
    tokens.reserve(tokens.size() + content.size() / 4 + 16);
    const size_t from = tokens.size();
    std::istringstream in(std::move(content));
    scanner.Scan(in, tokens, messages);
    JoinContinuedLines(tokens, from);
    return true;
}
