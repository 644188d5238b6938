#pragma once

#include "SourceContent.h"

#include <cstddef>
#include <mutex>
#include <unordered_set>

// The header readings (by ReadingDigest) that the run of one analysis has
// filed from the files read ahead for it, found the same as an instance or
// added. An instance is only ever added during a run, so a later reading
// with one of these digests is found the same as one of them: the worker
// that made it need not keep its tokens for the run. Safe to share between
// threads.
class FiledReadings {
public:
    void Note(WideDigest reading);
    bool Contains(WideDigest reading) const;

private:
    struct Hash {
        std::size_t operator()(const WideDigest& digest) const { return digest.first; }
    };

    mutable std::mutex mutex_;
    std::unordered_set<WideDigest, Hash> readings_;
};
