#include "FolderListings.h"

#include "TextHelpers.h"

#include <dirent.h>
#include <sys/stat.h>

std::shared_ptr<const FolderListings::Listing> FolderListings::Of(const std::string& folder)
{
    const std::string path = folder.empty() ? "." : folder;
    struct stat status { };
    if (stat(path.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) {
        return std::make_shared<const Listing>();
    }
    const int64_t seconds = status.st_mtim.tv_sec;
    const int64_t nanoseconds = status.st_mtim.tv_nsec;
    {
        std::lock_guard lock(mutex_);
        auto kept = kept_.find(path);
        if (kept != kept_.end() && kept->second.seconds == seconds &&
            kept->second.nanoseconds == nanoseconds) {
            return kept->second.listing;
        }
    }
    // Listed off the lock: two threads may list one folder at once, and
    // either listing is kept.
    auto listing = std::make_shared<Listing>();
    if (DIR* dir = opendir(path.c_str())) {
        while (dirent* entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..") {
                listing->emplace(ToLowerCopy(name), name);
            }
        }
        closedir(dir);
    }
    std::lock_guard lock(mutex_);
    kept_[path] = Kept {seconds, nanoseconds, listing};
    return listing;
}

void FolderListings::Clear()
{
    std::lock_guard lock(mutex_);
    kept_.clear();
}
