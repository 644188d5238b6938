#pragma once

#include <map>
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
// one project file (or one check of a run's records).
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

private:
    const std::map<std::string, std::string>& ListFolder(const std::string& folder);

    std::string Look(const std::string& path);

    // folder -> (lower-cased entry name -> entry name)
    std::map<std::string, std::map<std::string, std::string>> listings_;
    // path asked for -> FindFile's answer
    std::map<std::string, std::string> found_;
};
