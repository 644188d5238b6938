#pragma once

#include "ByteDigest.h"
#include "ParseCacheIO.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

// Writes a parse cache's chunks to an open file on a thread of its own, in
// the order they are handed over, while the caller fills the next chunk;
// four-byte patches of what was written before keep their place in that
// order. The writing thread does nothing but write and start the disk on
// what it wrote: the digest is taken on the caller's thread as the bytes
// are handed over, and bytes of their own are freed there once written
// (the caller mostly waits for the writing, which is what takes long). A
// few chunks are in flight at most: handing over waits for one to come back
// when they are all taken. Once a write has failed, nothing more is written
// and the failure is reported to the caller. Where no thread can be made,
// each item is written as it is handed over.
class CCacheFileWriter {
public:
    explicit CCacheFileWriter(int fd);
    // Waits for the thread (after Finish, or giving up what is queued).
    ~CCacheFileWriter();
    CCacheFileWriter(const CCacheFileWriter&) = delete;
    CCacheFileWriter& operator=(const CCacheFileWriter&) = delete;

    // Takes the chunk's bytes to be written and leaves an empty chunk in
    // its place. Throws a CacheError when a write has failed.
    void Write(CacheChunk& chunk);
    // Takes bytes of their own to be written as they are (none is handed
    // back for them); waits while more than kMostAppendedBytes of such wait
    // to be written. Throws a CacheError when a write has failed.
    void Append(CacheChunk bytes);
    static constexpr size_t kMostAppendedBytes = size_t {4} << 20;
    // Writes the value at `offset` once what is queued before it is
    // written. Throws a CacheError when a write has failed.
    void Patch(size_t offset, uint32_t value);
    // From now on every byte handed over is added to `digest`, on the
    // caller's thread; a patch leaves it incomplete.
    void DigestInto(ByteDigest* digest) { digest_ = digest; }
    // Whether the digest took every byte as it stands in the file.
    bool DigestWhole() const { return digest_ != nullptr && !patched_; }
    // Waits until everything is written; false when a write failed.
    bool Finish();

    static constexpr size_t kChunksInFlight = 4;
    // The disk is started on what was written in spans of this many bytes
    // (what is left goes with the flush that follows Finish), after a first
    // span of kFirstWriteBackBytes and spans twice as long as the one
    // before.
    static constexpr size_t kWriteBackBytes = size_t {2} << 20;
    static constexpr size_t kFirstWriteBackBytes = size_t {256} << 10;

private:
    struct Item {
        CacheChunk chunk; // bytes to append, or none for a patch
        bool own = false; // not handed back
        size_t offset = 0; // where the patch goes
        char patch[4] = {};
    };

    void Work();
    // Appends the chunk's bytes, starting the disk on them once a span is
    // full, or writes the patch; false on failure.
    bool WriteItem(const Item& item);
    // Bytes of their own that were written, to be freed by the caller off
    // the lock (under the lock).
    std::vector<CacheChunk> TakeWrittenOwn();
    void ThrowIfFailed() const;

    int fd_;
    std::mutex mutex_;
    // The writing thread waits for items queued, the caller for room and
    // the end.
    std::condition_variable queued_;
    std::condition_variable progress_;
    std::deque<Item> queue_; // to be written
    std::vector<CacheChunk> spare_; // written chunks, to be filled again
    std::vector<CacheChunk> writtenOwn_; // written bytes of their own
    size_t chunks_ = 0; // chunks made so far
    bool busy_ = false; // an item is being written
    bool failed_ = false;
    size_t unwrittenBytes_ = 0; // queued by Append, not yet written
    bool finishing_ = false;
    ByteDigest* digest_ = nullptr; // the caller's
    bool patched_ = false; // the caller's
    // The writing side's: bytes appended so far, where the span the disk
    // was not started on begins, and how long that span gets.
    size_t writtenBytes_ = 0;
    size_t writeBackFrom_ = 0;
    size_t writeBackSpan_ = kFirstWriteBackBytes;
    std::thread thread_;
};
