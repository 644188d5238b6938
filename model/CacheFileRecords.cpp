#include "CacheFileRecords.h"

#include "CacheError.h"
#include "CacheHead.h"
#include "ParseCacheIO.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr size_t kHeadBytes = 12; // version and the two counts
constexpr size_t kBlockBytes = size_t {1} << 20;

// How many bytes were read before the end of the file or an error.
size_t ReadAt(int fd, char* to, size_t size, uint64_t offset)
{
    constexpr size_t kMostAtOnce = size_t {1} << 30;
    size_t done = 0;
    while (done < size) {
        const ssize_t got = ::pread(
            fd, to + done, std::min(size - done, kMostAtOnce), static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break;
        }
        done += static_cast<size_t>(got);
    }
    return done;
}

} // namespace

CacheFileRecords::CacheFileRecords(
    const std::string& path, const std::atomic<bool>* stop, ByteDigest* digest)
{
    do {
        fd_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    } while (fd_ < 0 && errno == EINTR);
    if (fd_ < 0) {
        failure_ = "cannot be opened";
        return;
    }
    try {
        ReadThrough(stop, digest);
    } catch (const std::bad_alloc&) {
        failure_ = "out of memory";
    }
}

CacheFileRecords::~CacheFileRecords()
{
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

void CacheFileRecords::ReadThrough(const std::atomic<bool>* stop, ByteDigest* digest)
{
    struct stat status { };
    if (::fstat(fd_, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size < 0) {
        failure_ = "not a regular file";
        return;
    }
    size_ = static_cast<uint64_t>(status.st_size);
    // The head is checked before anything else is read, so that a file of
    // another kind costs nothing however large it is.
    char head[kHeadBytes] = {};
    const size_t headSize = static_cast<size_t>(std::min<uint64_t>(size_, kHeadBytes));
    if (ReadAt(fd_, head, headSize, 0) != headSize) {
        failure_ = kChanged;
        return;
    }
    try {
        CCacheSource in(head, headSize);
        const CacheHead counts = ReadCacheHead(in, size_);
        projects_ = counts.projects;
        headers_ = counts.headers;
        FindRecords();
    } catch (const CacheError& error) {
        failure_ = error.what();
        return;
    }
    if (!failure_.empty()) {
        return;
    }
    // Every byte in order, the head again among them. The digest is taken
    // whether the caller wants it or not: its states between the records
    // check them when they are read again.
    std::vector<char> block(static_cast<size_t>(std::min<uint64_t>(size_, kBlockBytes)));
    marks_.resize(places_.empty() ? 0 : places_.size() + 1);
    size_t mark = 0;
    ByteDigest own;
    ByteDigest& whole = digest != nullptr ? *digest : own;
    for (uint64_t done = 0; done < size_;) {
        if (stop != nullptr && stop->load(std::memory_order_relaxed)) {
            failure_ = "stopped";
            return;
        }
        const size_t size = static_cast<size_t>(std::min<uint64_t>(size_ - done, kBlockBytes));
        if (ReadAt(fd_, block.data(), size, done) != size ||
            (done == 0 && std::memcmp(block.data(), head, kHeadBytes) != 0)) {
            failure_ = kChanged;
            return;
        }
        DigestBlock(block.data(), done, size, mark, whole);
        done += size;
    }
    // Nothing may follow what the size promised.
    char more = 0;
    if (ReadAt(fd_, &more, 1, size_) != 0) {
        failure_ = kChanged;
    }
}

void CacheFileRecords::FindRecords()
{
    const size_t total = static_cast<size_t>(projects_) + static_cast<size_t>(headers_);
    places_.reserve(total);
    uint64_t at = kHeadBytes;
    for (size_t i = 0; i < total; ++i) {
        if (size_ - at < 4) {
            cut_ = std::make_exception_ptr(CacheError("Read size_t Error."));
            return;
        }
        char bytes[4];
        if (ReadAt(fd_, bytes, 4, at) != 4) {
            failure_ = kChanged;
            return;
        }
        const uint32_t length = CCacheSource::Decode(bytes);
        at += 4;
        if (size_ - at < length) {
            cut_ = std::make_exception_ptr(CacheError("Read Character Error."));
            return;
        }
        places_.push_back(Place {at, length});
        at += length;
    }
    trailing_ = at != size_;
}

uint64_t CacheFileRecords::MarkOffset(size_t k) const
{
    if (k < places_.size()) {
        return places_[k].offset - 4;
    }
    return places_.back().offset + places_.back().length;
}

// Adds the bytes of a block to the digest, keeping its state at each mark
// in the block; `mark` is the first mark not reached yet.
void CacheFileRecords::DigestBlock(
    const char* bytes, uint64_t from, size_t size, size_t& mark, ByteDigest& digest)
{
    const uint64_t to = from + size;
    uint64_t at = from;
    while (mark < marks_.size() && MarkOffset(mark) <= to) {
        const uint64_t boundary = MarkOffset(mark);
        digest.Add(bytes + (at - from), static_cast<size_t>(boundary - at));
        at = boundary;
        marks_[mark++] = digest;
    }
    digest.Add(bytes + (at - from), static_cast<size_t>(to - at));
}

const char* CacheFileRecords::Read(const Place& place, std::vector<char>& buffer) const
{
    // The state before the record is found by the place's own position.
    const std::less<const Place*> before;
    if (before(&place, places_.data()) || !before(&place, places_.data() + places_.size())) {
        throw CacheError(kChanged); // not a place of this file
    }
    const auto k = static_cast<size_t>(&place - places_.data());
    const size_t size = size_t {4} + place.length;
    if (buffer.size() < size) {
        buffer.resize(size);
    }
    if (ReadAt(fd_, buffer.data(), size, place.offset - 4) != size) {
        throw CacheError(kChanged);
    }
    ByteDigest digest = marks_[k];
    digest.Add(buffer.data(), size);
    if (!digest.SameState(marks_[k + 1]) || CCacheSource::Decode(buffer.data()) != place.length) {
        throw CacheError(kChanged);
    }
    return buffer.data() + 4;
}
