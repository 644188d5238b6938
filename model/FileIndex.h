#pragma once

#include "SourceFile.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

// The identity of a header: lower-cased path, size and modification time.
struct FileKey {
    std::string path;
    int32_t size = 0;
    int32_t mtime = 0;
};

struct FileKeyLess {
    bool operator()(const FileKey& a, const FileKey& b) const;
};

// Numbers and owns the headers of one analysis. A header's number is its
// position in `files`. Within one identity, separate instances (the same
// header preprocessed differently) are told apart by their token count.
// Every lookup lower-cases its copy of the path; files are still opened by
// the path as given.
class CFileIndex {
public:
    CFileIndex() = default;
    CFileIndex(const CFileIndex&) = delete;
    CFileIndex& operator=(const CFileIndex&) = delete;

    // Appends the file under the next number and returns it. When the
    // identity already has an instance with this token count, that instance
    // keeps answering lookups.
    int32_t Add(const std::string& path, int32_t size, int32_t mtime, int32_t tokenCount,
                std::unique_ptr<CSourceFile> file);
    // The same under the record's own path, size, time and token count.
    int32_t Add(std::unique_ptr<CSourceFile> file);

    bool Contains(const std::string& path, int32_t size, int32_t mtime) const;
    bool ContainsIndex(const std::string& path, int32_t size, int32_t mtime,
                       int32_t tokenCount) const;
    // The number of that instance, or -1.
    int32_t FindIndex(const std::string& path, int32_t size, int32_t mtime,
                      int32_t tokenCount) const;
    // The number of the identity's instance with the smallest token count, or -1.
    int32_t FirstIndex(const std::string& path, int32_t size, int32_t mtime) const;

    // Withdraws file i from lookups by identity (it keeps its number).
    void UpdateEntry(int32_t i);

    // Deletes the files whose keep entry is false and renumbers the rest
    // 0, 1, 2, ... in their old order. A keep vector of another length
    // changes nothing.
    void RemoveUnmarked(const std::vector<bool>& keep);

    std::map<FileKey, std::map<int32_t, int32_t>, FileKeyLess> entries;
    std::vector<std::unique_ptr<CSourceFile>> files;

private:
    const std::map<int32_t, int32_t>* Instances(const std::string& path, int32_t size,
                                                int32_t mtime) const;
};
