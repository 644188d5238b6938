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
// order. What was written is settled on a second thread (its digest taken,
// the disk started on it) while the next chunk is written, and only then
// handed back or freed. A few chunks are in flight at most: handing over
// waits for one to come back when they are all taken. Once a write has
// failed, nothing more is written and the failure is reported to the
// caller. Where no thread can be made, each item is written as it is handed
// over (and settled on the writing thread where only one could be made).
class CCacheFileWriter {
public:
    explicit CCacheFileWriter(int fd);
    // Waits for the threads (after Finish, or giving up what is queued).
    ~CCacheFileWriter();
    CCacheFileWriter(const CCacheFileWriter&) = delete;
    CCacheFileWriter& operator=(const CCacheFileWriter&) = delete;

    // Takes the chunk's bytes to be written and leaves an empty chunk in
    // its place. Throws a CacheError when a write has failed.
    void Write(CacheChunk& chunk);
    // Takes bytes of their own to be written as they are (none is handed
    // back for them); waits while more than kMostAppendedBytes of such wait
    // to be written, or more than kMostUnsettledBytes are held in all. The
    // writing is what keeps the caller waiting, not the settling behind it:
    // a settling thread held up for a moment (a start of the disk that
    // waits for room in its queue) leaves the writing one going on. Throws
    // a CacheError when a write has failed.
    void Append(CacheChunk bytes);
    static constexpr size_t kMostAppendedBytes = size_t {4} << 20;
    static constexpr size_t kMostUnsettledBytes = size_t {16} << 20;
    // Writes the value at `offset` once what is queued before it is
    // written. Throws a CacheError when a write has failed.
    void Patch(size_t offset, uint32_t value);
    // From now on every byte appended is added to `digest` once it is
    // written, on the settling thread; a patch leaves it incomplete. Read
    // the digest only after Finish; it must outlive the writer.
    void DigestInto(ByteDigest* digest) { digest_ = digest; }
    // Whether the digest took every byte as it stands in the file.
    bool DigestWhole() const { return digest_ != nullptr && !patched_; }
    // Waits until everything is written; false when a write failed.
    bool Finish();

    static constexpr size_t kChunksInFlight = 4;
    // The disk is started on what was written in spans of this many bytes
    // (what is left goes with the flush that follows Finish).
    static constexpr size_t kWriteBackBytes = size_t {2} << 20;

private:
    struct Item {
        CacheChunk chunk; // bytes to append, or none for a patch
        bool own = false; // not handed back
        size_t offset = 0; // where the bytes went, or where the patch goes
        char patch[4] = {};
    };

    void Work();
    void Settle();
    // Appends the chunk's bytes or writes the patch; false on failure.
    bool WriteItem(Item& item);
    // Takes the digest of written bytes and starts the disk on them.
    void SettleItem(const Item& item);
    // Hands a settled chunk back, or gives the bytes of one of their own
    // to be freed off the lock (under the lock).
    CacheChunk Release(Item& item);
    void ThrowIfFailed() const;

    int fd_;
    std::mutex mutex_;
    // Each thread waits on its own: the writing one for items queued, the
    // settling one for items written, the caller for room and the end.
    std::condition_variable queued_;
    std::condition_variable settle_;
    std::condition_variable progress_;
    std::deque<Item> queue_; // to be written
    std::deque<Item> written_; // to be settled
    std::vector<CacheChunk> spare_; // settled chunks, to be filled again
    size_t chunks_ = 0; // chunks made so far
    size_t writtenBytes_ = 0; // bytes appended so far (the writing thread's)
    bool busy_ = false; // an item is being written
    bool settling_ = false; // an item is being settled
    bool failed_ = false;
    size_t appendedBytes_ = 0; // queued by Append, not yet settled
    size_t unwrittenBytes_ = 0; // queued by Append, not yet written
    ByteDigest* digest_ = nullptr;
    bool patched_ = false;
    // What was settled and is not yet on its way to the disk (the settling
    // side's).
    size_t writeBackFrom_ = 0;
    size_t writeBackEnd_ = 0;
    bool finishing_ = false;
    bool writerDone_ = false; // the settling thread ends once nothing is left
    bool settleApart_ = false; // on the settling thread (set before the writing one starts)
    std::thread thread_;
    std::thread settler_;
};
