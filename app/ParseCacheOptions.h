#pragma once

#include <string>

class QSettings;

// The options a project's parse cache was read with, kept in the program's
// settings under the cache's path (the cache file has no room for them), so
// that the first run after reopening reads every file afresh when the
// options have changed since the save.
void RememberCacheOptions(
    QSettings& profile, const std::string& cachePath, const std::string& digest);
// What was remembered for the cache, or empty.
std::string RecallCacheOptions(QSettings& profile, const std::string& cachePath);
