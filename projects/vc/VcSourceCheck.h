#pragma once

#include <atomic>
#include <span>
#include <string>
#include <vector>

class CIncludePaths;
class MessageSink;

// Finds the sources a project names and reports them.
//
// Each name resolves against `folder` (the project file's folder, an absolute
// path): backslashes count as separators, "." and ".." are folded, and a
// name that does not exist as written is looked up folder by folder without
// regard to letter case. A name with a drive letter ("C:\...") is never found,
// and only a readable regular file counts.
//
// A name that is not found is written to the sink as an error line (texts 3
// and 303) whatever `report` says; the full path of each one found is written
// as an information line only when `report` is set. Returns the full paths
// found, in the order of the names, each once (two names of one file give
// it once). Once `stop` is set, the names not looked at yet are left out.
std::vector<std::string> FindVcSources(std::span<const std::string> names,
    const std::string& folder, bool report, MessageSink& sink,
    const std::atomic<bool>* stop = nullptr);

// The full path of a file a project or workspace names, resolved as above;
// empty when there is no such readable regular file. `paths` keeps the
// folder listings of one import.
std::string FindVcFile(CIncludePaths& paths, const std::string& folder, const std::string& name);

// The file's full path and its folder; a relative path is taken from the
// current folder, which is only read, never changed.
struct VcFileLocation {
    std::string path;
    std::string folder;
};
VcFileLocation LocateVcFile(const std::string& path);
