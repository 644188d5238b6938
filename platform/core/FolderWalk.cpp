#include "FolderWalk.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

void WalkFolder(
    const std::string& folder, bool recurse, const std::function<void(const std::string&)>& onFile)
{
    if (folder.empty())
        return;
    std::error_code error;
    std::vector<fs::directory_entry> entries;
    for (fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, error);
         !error && it != fs::directory_iterator(); it.increment(error))
        entries.push_back(*it);
    std::sort(entries.begin(), entries.end());
    for (const fs::directory_entry& entry : entries) {
        std::error_code ignored;
        if (entry.is_symlink(ignored) && entry.is_directory(ignored))
            continue;
        if (entry.is_directory(ignored)) {
            if (recurse)
                WalkFolder(entry.path().string(), true, onFile);
        } else if (entry.is_regular_file(ignored)) {
            onFile(entry.path().string());
        }
    }
}
