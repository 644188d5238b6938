#pragma once

#include "MessageSink.h"
#include "ParseCacheIO.h"
#include "SourceFileList.h"
#include "StepTimes.h"

#include <atomic>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class CacheFileRecords;
class CFileIndex;
class CInputSet;

// What a caller may be told of a load from a file while it goes.
struct CacheLoadSteps {
    // When given, the steps are noted in it: "read" (the file into memory,
    // its digest taken meanwhile), "digest" (compared), "wait" (in
    // awaitMemory) and "decode" (the records made).
    StepTimes* times = nullptr;
    // When given, called once the file has been read through and checked,
    // before any record is made: the caller may wait there for memory
    // being given back. The file is never held whole.
    std::function<void()> awaitMemory;
};

// Reads a parse cache into an engine's project-file list and file index.
// Loading is all or nothing: every count is checked against the bytes left
// and every token position and include number against what was read before,
// and only a cache that was read whole is handed to the engine. Headers are
// appended to the index after the ones it holds, and the include numbers
// read are moved along with them. Records are read on several threads at
// once; what comes out, the messages and the reason for a refusal are those
// of reading them one after the other.
class CParseCacheReader {
public:
    // Each file's path is written to `messages` as it is read.
    CParseCacheReader(SourceFileList& projectFiles, CFileIndex& fileIndex, CInputSet* owner,
        MessageSink& messages = StandardOutputSink());

    // False, with the engine unchanged, when the file cannot be read, its
    // size changes while it is read, or anything in it is wrong. With a
    // `digest` (DigestOfBytes of the cache as it was saved) a cache whose
    // bytes differ from it is refused as well. Never throws on a file error.
    bool Load(
        const std::string& path, const std::string& digest = {}, const CacheLoadSteps& steps = {});
    // The same over bytes already in memory.
    bool LoadBytes(const std::string& bytes);
    bool LoadBytes(const char* data, size_t length);
    // Why the last load was refused ("version not match", "Read Integer
    // Error.", ...); empty after a load that succeeded.
    const std::string& Failure() const { return failure_; }
    // Looked at while the file and its records are read: once set, the load
    // is refused as stopped, with the engine unchanged.
    void SetStopRequest(const std::atomic<bool>* stop) { stop_ = stop; }
    // Whether the last load was refused because it was asked to stop.
    bool Stopped() const { return failure_ == kStopped; }

    static constexpr const char* kStopped = "stopped";

    // One record while it is read (the reader's own).
    struct RecordSlot;

private:
    struct Records {
        std::vector<std::unique_ptr<CSourceFile>> projects;
        std::vector<std::unique_ptr<CSourceFile>> headers;
    };

    RecordSlot MakeSlot(bool project) const;
    void ReadAll(CCacheSource& in, Records& records);
    void ReadAll(const CacheFileRecords& file, Records& records);
    // Hands the records read over in file order, or throws the first
    // failure in file order.
    void TakeRecords(std::vector<RecordSlot>& slots, int32_t projects,
        const std::exception_ptr& cut, bool bytesAfter, Records& records);
    // Writes the path of a record read to the messages.
    void TellPath(const std::string& path);
    // Reads with `read`; all or nothing.
    bool HandOver(const std::function<void(Records&)>& read);

    SourceFileList& projectFiles_;
    CFileIndex& fileIndex_;
    CInputSet* owner_;
    MessageSink& messages_;
    const std::atomic<bool>* stop_ = nullptr;
    std::string failure_;
};
