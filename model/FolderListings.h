#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

// The entries of folders, listed once and shared by every reading of a run.
// An include that is not found as written is looked for in its folder
// without regard to case, which lists the folder; a project of thousands of
// files in one folder whose headers lie elsewhere listed it once for each
// file. A folder is listed again when its modification time has moved on,
// so an entry added or removed during a run is seen as before. Safe to share
// between threads.
class FolderListings {
public:
    // Lower-cased entry name -> entry name ("." and ".." left out).
    using Listing = std::map<std::string, std::string>;

    // The folder's entries now; empty when it cannot be listed.
    std::shared_ptr<const Listing> Of(const std::string& folder);
    // Forgets every listing (the end of a run).
    void Clear();

private:
    struct Kept {
        int64_t seconds = 0;
        int64_t nanoseconds = 0;
        std::shared_ptr<const Listing> listing;
    };

    std::mutex mutex_;
    std::unordered_map<std::string, Kept> kept_;
};
