#pragma once

#include "ParseCacheIO.h"

#include <condition_variable>
#include <cstddef>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

class CSourceFile;
class LargeStackThread;

// Encodes the records of a parse cache ahead of their writing, on the
// machine's cores: each worker encodes the next records nobody has taken,
// a run of them of about kBatchBytes, into bytes of their own, which the
// writer takes in record order. A run of small records goes together, so
// that it is handed over once and can go to the file as it is. A record of
// many tokens is left to the writer, which streams it instead of holding it
// whole; so are all records when there are too few tokens to be worth a
// thread. Workers wait while the bytes encoded and not yet taken pass a
// bound.
class CacheRecordEncoder {
public:
    // The files must stay unchanged while the encoder lives; a null file
    // is an empty record.
    explicit CacheRecordEncoder(std::vector<const CSourceFile*> files);
    // Stops the workers after their present record and waits for them.
    ~CacheRecordEncoder();
    CacheRecordEncoder(const CacheRecordEncoder&) = delete;
    CacheRecordEncoder& operator=(const CacheRecordEncoder&) = delete;

    // Records [first, first + count) as the cache holds them, one after
    // the other (each its length, then CParseCacheWriter::WriteSourceFile).
    struct Run {
        CacheChunk bytes;
        size_t count = 0;
    };
    // The run of records that starts at record i, encoded ahead or here,
    // in a chunk of about their size; none when the caller is to stream
    // record i. Runs are taken once each, in order: the next is taken at
    // the record after the last of this one (or after a streamed record).
    // Rethrows what encoding a record of the run threw.
    std::optional<Run> Take(size_t i);
    // The bytes all records are estimated at (most often somewhat more than
    // they take).
    size_t EstimatedTotalBytes() const;
    // Gives the room of a record taken back once its bytes were copied
    // away: it is filled again with a record to come, so that the room of
    // small records goes round instead of being freed on this thread and
    // made again on the workers'.
    void GiveBack(CacheChunk room);

    // A run ends once its records are estimated at this many bytes.
    static constexpr size_t kBatchBytes = size_t {256} << 10;
    // A record with more tokens than this is streamed.
    static constexpr size_t kMostTokensAhead = size_t {256} << 10;
    // Below this many tokens in all, nothing is encoded ahead.
    static constexpr size_t kLeastTokensForWorkers = size_t {64} << 10;
    static constexpr size_t kMostBytesAhead = size_t {8} << 20;
    static constexpr unsigned kMostWorkers = 8;
    // Room given back and kept for records to come.
    static constexpr size_t kMostSpareBytes = size_t {4} << 20;

private:
    struct Slot {
        Run run;
        std::exception_ptr failure;
        bool done = false;
    };

    bool Streamed(size_t i) const;
    // The end of the run that starts at record `first` (not streamed).
    size_t RunEnd(size_t first) const;
    // Encodes records [first, end) into `room` (room given back, or none),
    // grown to about their estimated size, which the bytes keep: a record
    // is copied nowhere, and its room goes with it.
    Slot Encode(size_t first, size_t end, CacheChunk room) const;
    // Room given back, or none (under the lock).
    CacheChunk SpareRoom();
    static size_t EstimatedBytes(const CSourceFile* file);
    void Work();

    std::vector<const CSourceFile*> files_;
    std::vector<Slot> slots_;
    std::mutex mutex_;
    std::condition_variable ready_; // a record is encoded (the writer waits)
    std::condition_variable room_; // there is room ahead again (workers wait)
    size_t next_ = 0; // the first record nobody has taken (a run's start)
    size_t callersEnd_ = 0; // the end of the first run, left to the caller
    size_t heldBytes_ = 0; // room of the records encoded, not yet taken
    unsigned idleWorkers_ = 0; // waiting for room
    std::vector<CacheChunk> spare_; // room given back
    size_t spareBytes_ = 0;
    bool stopping_ = false;
    std::vector<std::unique_ptr<LargeStackThread>> threads_;
};
