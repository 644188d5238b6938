#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <unordered_map>

// Which header readings the workers of one run split and parse, by the path
// as written and the tokens: many project files read a header to the same
// tokens, and its units follow from those alone. The run files headers in
// the order of its project files, so the earliest project file with a
// reading is the one that should bring its units: a reading claimed for a
// later file is claimed again for an earlier one (and then parsed twice, on
// the workers), never the other way round. A claim is only a digest, so two
// different readings may now and then share one; one left unparsed is parsed
// by the run itself, as any header no worker took on. Safe to share between
// threads.
class HeaderParseClaims {
public:
    // True when no project file before `reader` (its place in the run's
    // order) has claimed the reading of this PathAndTokensDigest
    // (SourceContent.h); the claim is then `reader`'s.
    bool Claim(uint64_t pathAndTokens, size_t reader);
    // No project file claims readings of this digest: the run has their
    // units at hand.
    void KeepForRun(uint64_t pathAndTokens);

private:
    std::mutex mutex_;
    std::unordered_map<uint64_t, size_t> claims_;
};
