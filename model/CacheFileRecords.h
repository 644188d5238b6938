#pragma once

#include "ByteDigest.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>
#include <vector>

// A parse cache file read record by record, never held whole: a first pass
// reads it in order through one small buffer, takes the digest of all its
// bytes and notes where each record lies together with the digest's state
// before its length; afterwards any thread reads a record into a buffer of
// its own and goes on from that state over the record's length and bytes,
// and bytes that do not end in the state before the next record (another
// program rewrote the file meanwhile) are refused. The file is read, not
// mapped: cutting it short meanwhile cannot take bytes away under the
// reader. Opening never waits (a FIFO has no writer to wait for), and only
// a regular file is read at all.
class CacheFileRecords {
public:
    // Where one record lies: `offset` is its first byte, behind its length.
    struct Place {
        uint64_t offset = 0;
        uint32_t length = 0;
    };

    // Reads the file through once; a stop request is looked at between
    // blocks. With `digest`, every byte goes into it in file order.
    CacheFileRecords(const std::string& path, const std::atomic<bool>* stop, ByteDigest* digest);
    ~CacheFileRecords();
    CacheFileRecords(const CacheFileRecords&) = delete;
    CacheFileRecords& operator=(const CacheFileRecords&) = delete;

    // Why the file was not read; empty when it was.
    const std::string& Failure() const { return failure_; }
    // The counts of the head (version checked).
    int32_t Projects() const { return projects_; }
    int32_t Headers() const { return headers_; }
    // The records found, in file order, up to one whose length does not fit
    // in what is left of the file.
    const std::vector<Place>& Places() const { return places_; }
    // Why the records end before the head's counts do (a CacheError), or
    // null; and whether anything follows the last of them.
    std::exception_ptr Cut() const { return cut_; }
    bool BytesAfterRecords() const { return trailing_; }

    // The bytes of a record of Places() (the place itself, not a copy),
    // read into `buffer` (grown as needed) and checked against the first
    // pass; throws a CacheError when they differ.
    const char* Read(const Place& place, std::vector<char>& buffer) const;

    static constexpr const char* kChanged = "changed while being read";

private:
    void ReadThrough(const std::atomic<bool>* stop, ByteDigest* digest);
    void FindRecords();
    // Where the digest's state is kept: before record k's length, and
    // after the last record for k == Places().size().
    uint64_t MarkOffset(size_t k) const;
    void DigestBlock(
        const char* bytes, uint64_t from, size_t size, size_t& mark, ByteDigest& digest);

    int fd_ = -1;
    uint64_t size_ = 0;
    int32_t projects_ = 0;
    int32_t headers_ = 0;
    std::vector<Place> places_;
    std::vector<ByteDigest> marks_; // the digest before each record, and after the last
    std::exception_ptr cut_;
    bool trailing_ = false;
    std::string failure_;
};
