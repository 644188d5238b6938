#pragma once

#include "PPToken.h"
#include "TokenScanner.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// A file's tokens and the path they were read from. Units index into
// `tokens`, so the vector is not reordered once units exist.
struct CSourceTokens {
    std::string fileName;
    std::vector<PPToken> tokens;
    // The ByteDigest value of the file's bytes when the scan read it whole:
    // a file whose time moved on with the same bytes reads the same.
    std::optional<uint64_t> bytesDigest;

    // Reads the file into tokens with the given scanner and appends them.
    // A backslash directly followed by a line end is a line continuation: both
    // tokens are dropped. Returns false (after one line on the message stream)
    // when the file cannot be opened, is not a regular file (a FIFO or a
    // device is never opened) or is larger than kMaxSourceBytes.
    bool Tokenize(const char* path, const CTokenScanner& scanner, MessageSink& messages);
};

// The largest source file that is read.
inline constexpr size_t kMaxSourceBytes = size_t {256} << 20;

// When `path` names something that is not a regular file, or a file larger
// than kMaxSourceBytes, writes one line saying so and returns true; false
// otherwise.
bool WriteSourceReadFailure(const std::string& path, MessageSink& messages);

// Writes "<text 3>: <path> : <text 303>" to the message stream.
void WriteFileOpenFailure(const std::string& path, MessageSink& messages);

// Drops every backslash token directly followed by an end-of-line token
// together with that token, keeping the order of the rest. Only tokens from
// position `from` on are looked at.
void JoinContinuedLines(std::vector<PPToken>& tokens, size_t from);
