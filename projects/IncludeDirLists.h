#pragma once

#include <array>
#include <string>
#include <vector>

class COptions;
struct VcProductDirs;

// The working copy the include-folder dialog edits: the include lists of the
// four Visual C++ versions (6.0, 7.0, 7.1, 8.0), the user's own list and the
// version in use. Nothing reaches the options before Store.
struct IncludeDirLists {
    static constexpr int kVersions = 4;

    std::array<std::vector<std::string>, kVersions> versions;
    std::vector<std::string> user;
    int chosen = 0;

    // A stored version outside 0 to 3 opens as 0.
    void Load(const COptions& options);
    void Store(COptions& options) const;
    // Rebuilds the four version lists from the installations found; the user
    // list stays.
    void ResetPath(const VcProductDirs& dirs);

    // Whether a folder can be kept: the include file is line-based, so a path
    // holding a line break cannot be written to it.
    static bool CanKeep(const std::string& folder);
};
