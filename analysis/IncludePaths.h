#pragma once

#include "FolderListings.h"

#include <map>
#include <memory>
#include <string>

// Path arithmetic for #include, without ever changing the process's current
// folder. Both '/' and '\' separate folders in every path handled here; the
// results use '/'.
//
// Names are first tried exactly as written; when that file does not exist,
// each folder and the file name are looked up without regard to case (old
// Windows code often spells a header differently from the file on disk).
// Only regular files count. Folder listings and the answers of FindFile are
// kept for the life of the object, so one object serves the preprocessing of
// one project file (or one check of a run's records); the listings may come
// from a run's shared FolderListings.
class CIncludePaths {
public:
    // The path of a quoted include written in a file at `includingPath`:
    // the name beside that file, with '.' and '..' folded away. A file path
    // without a folder means the current folder.
    static std::string ResolveBeside(const std::string& includingPath, const std::string& name);

    // `folder` and `name` joined with one separator.
    static std::string Join(const std::string& folder, const std::string& name);

    // Every '\' becomes '/'.
    static std::string Normalise(const std::string& path);

    // The path of an existing regular file that `path` names, exactly or by a
    // case-insensitive match folder by folder; empty when there is none.
    std::string FindFile(const std::string& path);

    // Folders are listed through `shared` (not owned) from now on.
    void ShareListings(FolderListings* shared) { shared_ = shared; }

private:
    const FolderListings::Listing& ListFolder(const std::string& folder);

    std::string Look(const std::string& path);

    FolderListings* shared_ = nullptr;
    // folder -> its listing
    std::map<std::string, std::shared_ptr<const FolderListings::Listing>> listings_;
    // path asked for -> FindFile's answer
    std::map<std::string, std::string> found_;
};
