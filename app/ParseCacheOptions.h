#pragma once

#include <string>

class QSettings;

// What the program keeps of a saved parse cache in its settings, under the
// cache's path (the cache file has no room for it): the options its records
// were read with, so that the first run after reopening reads every file
// afresh when the options have changed since the save, and a digest of its
// bytes, so that a cache changed since is not trusted.
struct SavedCacheDigests {
    std::string options; // empty: not known
    std::string bytes; // empty: not known, the cache is taken as it is
};

// The bytes digest of a cache that could not be written: no cache matches
// it, so whatever is found at the path is never loaded.
inline constexpr const char* kUnwrittenCacheDigest = "unwritten";

void RememberCacheOptions(
    QSettings& profile, const std::string& cachePath, const SavedCacheDigests& digests);
// What was remembered for the cache; empty fields where nothing was.
SavedCacheDigests RecallCacheOptions(QSettings& profile, const std::string& cachePath);
