#pragma once

#include "PPToken.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// What tells overloaded functions of one name apart: for each parameter, the
// tokens of its type (specifiers, then array bounds). Only the token types
// and the texts of identifiers take part in comparing two keys, so only
// those are kept, packed into one block (none for a function without
// parameters and for every other element).
class ParameterKey {
public:
    // Packs a key a parameter at a time, without copying tokens: Start for
    // each parameter, then Add for each of its type's tokens; Pack gives the
    // packed block (null without parameters), which stays the builder's
    // until it packs again, and Take a key of its own. Either leaves the
    // builder empty, with its room kept for the next key.
    class Builder {
    public:
        void Start() { counts_.push_back(0); }
        void Add(int32_t type, const char* text);
        const char* Pack();
        ParameterKey Take() { return ParameterKey(Pack()); }
        void Clear()
        {
            counts_.clear();
            tokens_.clear();
        }

    private:
        std::vector<uint32_t> counts_;
        std::string tokens_; // per token its type and, for an identifier, its text
        std::string packed_;
    };

    ParameterKey() = default;
    // A copy of a packed block (null: no parameters).
    explicit ParameterKey(const char* packed);
    // One token vector per parameter, in order.
    ParameterKey(const std::vector<std::vector<PPToken>>& parameters);
    ParameterKey(const ParameterKey& other);
    ParameterKey(ParameterKey&&) noexcept = default;
    ParameterKey& operator=(const ParameterKey& other);
    ParameterKey& operator=(ParameterKey&&) noexcept = default;

    bool empty() const { return !bytes_; }
    void clear() noexcept { bytes_.reset(); }

    // -1, 0 or 1: by the number of parameters, then each parameter's token
    // count, then token by token the type and, for two identifiers, their
    // texts (byte-wise).
    static int Compare(const ParameterKey& a, const ParameterKey& b);
    // The same for packed blocks (null: no parameters).
    static int Compare(const char* a, const char* b);

    // The packed block, or null.
    const char* Packed() const { return bytes_.get(); }

private:
    // The number of bytes, the number of parameters, each one's token count
    // (all uint32), then per token its type (int32) and, for an identifier,
    // its text and a NUL.
    std::unique_ptr<char[]> bytes_;
};
