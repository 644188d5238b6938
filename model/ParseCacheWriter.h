#pragma once

#include "ParseCacheIO.h"
#include "SourceFileList.h"

#include <string>
#include <vector>

class CFileIndex;

// Writes an engine's source-file records (the project files, then the
// headers in file-index order) to a parse cache, in one pass into a new file
// beside the cache that replaces it only when everything was written (see
// AtomicFile.h): a failed or killed save leaves the old cache as it was, and
// what a killed save left behind goes with the next save. A cache path that
// is a symbolic link is written through; one that names a FIFO, a device or
// a folder is refused. The process's current folder is never changed.
class CParseCacheWriter {
public:
    CParseCacheWriter(const SourceFileList& projectFiles, const CFileIndex& fileIndex);

    // True when the cache was written whole. Never throws on a file error.
    bool Save(const std::string& path);

    // The encoding of one source-file record.
    static void WriteSourceFile(CCacheSink& out, const CSourceFile& file);

private:
    // Streams the whole cache to an open file; false on a failed write.
    static bool WriteRecords(int fd, void* context);

    const SourceFileList& projectFiles_;
    const CFileIndex& fileIndex_;
};
