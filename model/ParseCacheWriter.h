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
// what a killed save left behind goes with the next save. The cache's path
// is made up by the program, not chosen by the user: a symbolic link at that
// path is replaced by the new cache, never written through, and a FIFO, a
// device or a folder there is refused. The process's current folder is never
// changed. Records are encoded on the machine's cores ahead of their writing
// (CacheRecordEncoder); the bytes are those of writing them one by one.
class CParseCacheWriter {
public:
    CParseCacheWriter(const SourceFileList& projectFiles, const CFileIndex& fileIndex);

    // Closes the file the last Save replaced, when nobody took it.
    ~CParseCacheWriter();
    CParseCacheWriter(const CParseCacheWriter&) = delete;
    CParseCacheWriter& operator=(const CParseCacheWriter&) = delete;

    // True when the cache was written whole. Never throws on a file error.
    bool Save(const std::string& path);
    // A descriptor open on the cache file the last Save replaced, or -1;
    // the caller closes it. Its room goes back to the file system at that
    // close, which for a large cache can take long (see AtomicFile.h):
    // the caller may do it on a thread of its own. Left here, it is closed
    // with the writer.
    int TakeReplacedFile();
    // DigestOfBytes of the cache the last Save wrote, taken while it was
    // written (read back from the disk only when a length had to be filled
    // in after its record's start had gone to the file); empty when the
    // save failed or the cache could not be read back.
    const std::string& Digest() const { return digest_; }

    // The encoding of one source-file record.
    static void WriteSourceFile(CCacheSink& out, const CSourceFile& file);

private:
    // Streams the whole cache to an open file; false on a failed write.
    static bool WriteRecords(int fd, void* context);

    const SourceFileList& projectFiles_;
    const CFileIndex& fileIndex_;
    std::string digest_;
    int replaced_ = -1;
};
