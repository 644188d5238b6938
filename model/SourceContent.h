#pragma once

#include "PPToken.h"
#include "SharedMacro.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

class CSourceFile;

// What preprocessing made of a file, compared and hashed as a whole: the
// path as written, the tokens (line, type, text), the numbers of the headers
// it includes and its macro table. Size, time, units and flags take no part:
// units follow from the tokens, and the caller compares identities itself.
// A token without text and one with an empty text count as the same (the
// parse cache keeps no difference between them).

uint64_t ContentDigest(const CSourceFile& file);
// The same from the first half of the file's body digest.
uint64_t ContentDigest(const CSourceFile& file, uint64_t body);
// A hash of what a file's units follow from: the path as written and the
// tokens.
uint64_t PathAndTokensDigest(const std::string& path, const std::vector<PPToken>& tokens);
// Two 64-bit hashes of independent make over the same content, for
// contents compared by their digests alone: two different ones do not
// share both.
struct WideDigest {
    uint64_t first = 0;
    uint64_t second = 0;
    bool Known() const { return first != 0 || second != 0; }
    bool operator==(const WideDigest&) const = default;
};

// PathAndTokensDigest (as `first`) with a second hash of the same.
WideDigest PathAndTokensWideDigest(const std::string& path, const std::vector<PPToken>& tokens);
// A wide hash of the content but the include numbers, which a reading on
// another thread does not know yet: the path, the tokens and the macros.
// The second form goes on from the file's PathAndTokensWideDigest.
WideDigest BodyDigest(const CSourceFile& file);
WideDigest BodyDigest(WideDigest pathAndTokens, const std::map<std::string, SharedMacro>& macros);
bool SameContent(const CSourceFile& a, const CSourceFile& b);
// A wide hash of a header's reading with what it read: its BodyDigest, its
// size and time, and the same hash of each header it included, in order.
// Readings with the same one are filed as one instance (CFileIndex::
// FindSame), whatever numbers their includes had; an unknown body or
// include gives an unknown hash.
WideDigest ReadingDigest(
    WideDigest body, int32_t size, int32_t mtime, const std::vector<WideDigest>& includes);

// Whether two token vectors are the same, line, type and text.
bool SameTokens(const std::vector<PPToken>& a, const std::vector<PPToken>& b);

// A hash of one macro definition (name, form, parameters, body). The hash
// of the form, parameters and body is kept with the shared definition.
uint64_t MacroDigest(const std::string& name, const SharedMacro& macro);

// Combines hash values in order.
inline uint64_t MixDigest(uint64_t seed, uint64_t value)
{
    uint64_t x = seed ^ (value + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2));
    x ^= x >> 31;
    x *= 0xbf58476d1ce4e5b9ULL;
    x ^= x >> 29;
    return x;
}
