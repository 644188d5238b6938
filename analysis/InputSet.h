#pragma once

#include "MessageSink.h"
#include "PredefinedWord.h"

#include <atomic>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

// Per file of the project: analyse it, and take it into the drawn model.
struct FileFlags {
    bool analyse = true;
    bool draw = true;
};

// The input of one analysis: the project's source paths with their flags, the
// include folders, the predefined words, and the few values through which the
// user interface steers a run and follows its progress.
//
// Only `percent` and `stopRequest` are touched by another thread during a run
// (the progress display reads the one, Stop writes the other); they are
// atomics. Everything else belongs to the thread that runs the analysis, or to
// the user-interface thread while no run is going.
class CInputSet {
public:
    explicit CInputSet(bool searchSystemIncludes = false);

    // Paths are kept exactly as given, in byte order; a present path keeps its
    // flags.
    void AddFile(const std::string& path, bool analyse, bool draw);
    void AddFiles(const std::vector<std::string>& paths);
    void RemoveFile(const std::string& path);
    // Empties the paths, their flags and the merged-file set; directories,
    // defines, file numbers and options stay.
    void Clear();

    void SetDefaultIncludeDirs();

    // Merge bookkeeping, on lower-cased copies of the path.
    bool ContainsNoCase(const std::string& path) const;
    void AddNoCase(const std::string& path);
    // The number stored for a name (as given), or -1.
    int32_t FindNumber(const std::string& name) const;
    // Stores the name with the next free number and returns it.
    int32_t AddNumber(const std::string& name);

    std::set<std::string> paths;
    std::map<std::string, FileFlags> fileFlags;
    std::vector<std::string> includeDirs;
    std::vector<std::string> userIncludeDirs;
    std::vector<PredefinedWord> defines;
    std::set<std::string> mergedFiles;
    std::map<std::string, int32_t> fileNumbers;
    std::atomic<int32_t> percent {0};
    bool searchSystemIncludes = false;
    std::atomic<bool> stopRequest {false};
    bool sameNameOption = true;
    bool verbose = true;
    // Where the run's message lines go (not owned; set before a run).
    MessageSink* messages = &StandardOutputSink();

    MessageSink& Messages() const { return *messages; }
};
