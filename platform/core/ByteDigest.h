#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// A 64-bit digest of a run of bytes, fed in pieces of any size: the same
// bytes give the same digest however they were cut. It finds damage, not
// intent: it is no defence against someone who means to forge a file.
class ByteDigest {
public:
    void Add(const char* data, size_t size);
    // The digest of every byte added so far (their number included).
    uint64_t Value() const;
    // The length and the digest, as text ("<length>:<16 hex digits>").
    std::string Text() const;
    // Whether the two took the same bytes after the same start, as far as
    // anything added later can tell: every later Value of the one is that
    // of the other.
    bool SameState(const ByteDigest& other) const;

private:
    void Stripe(const unsigned char* bytes);

    uint64_t lanes_[4] = {};
    bool started_ = false;
    unsigned char pending_[32] = {};
    size_t pendingSize_ = 0;
    uint64_t total_ = 0;
};

// The digest text of bytes held in memory.
std::string DigestOfBytes(const char* data, size_t size);

// The digest text of a regular file's bytes; empty when the file cannot be
// read whole.
std::string DigestOfFile(const std::string& path);

// The digest value of a regular file's bytes; nothing when the file cannot
// be read whole.
std::optional<uint64_t> DigestValueOfFile(const std::string& path);
