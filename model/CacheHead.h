#pragma once

#include "ParseCacheIO.h"

#include <cstdint>

// The head of a parse cache file: its version, checked, and how many
// project-file and header records follow.
struct CacheHead {
    int32_t projects = 0;
    int32_t headers = 0;
};

// Reads the head from `in`, the first bytes of a file of `totalBytes`; a
// version of another kind of file, or counts that cannot fit in the bytes
// after the head, throw a CacheError.
CacheHead ReadCacheHead(CCacheSource& in, uint64_t totalBytes);
