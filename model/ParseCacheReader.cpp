#include "ParseCacheReader.h"

#include "ByteDigest.h"
#include "CacheError.h"
#include "CacheRecordReader.h"
#include "FileIndex.h"
#include "IncludedFile.h"
#include "ForEachOnThreads.h"
#include "ParseCacheFormat.h"
#include "ProjectFile.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <utility>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Memory for a copy of a whole cache file: mapped on its own, so that the
// pages of records already read can go back to the system while the rest
// is still being read (a large project's cache is well over a hundred MB).
class MappedBytes {
public:
    MappedBytes() = default;
    explicit MappedBytes(size_t size) : size_(size)
    {
        void* memory =
            ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (memory == MAP_FAILED) {
            throw std::bad_alloc();
        }
        data_ = static_cast<char*>(memory);
    }
    MappedBytes(MappedBytes&& other) noexcept
        : data_(std::exchange(other.data_, nullptr)),
          size_(std::exchange(other.size_, 0)),
          dropped_(std::exchange(other.dropped_, 0))
    {
    }
    MappedBytes& operator=(MappedBytes&& other) noexcept
    {
        std::swap(data_, other.data_);
        std::swap(size_, other.size_);
        std::swap(dropped_, other.dropped_);
        return *this;
    }
    MappedBytes(const MappedBytes&) = delete;
    MappedBytes& operator=(const MappedBytes&) = delete;
    ~MappedBytes()
    {
        if (data_) {
            ::munmap(data_, size_);
        }
    }

    char* Data() const { return data_; }

    // Gives the whole pages before `upTo` back to the system; they are not
    // read again (they would read as zeros).
    void DropBefore(const char* upTo)
    {
        if (!data_ || upTo <= data_) {
            return;
        }
        const size_t page = static_cast<size_t>(::sysconf(_SC_PAGESIZE));
        const size_t end = std::min(size_, static_cast<size_t>(upTo - data_)) / page * page;
        // In steps of a few MB, not a call for every record.
        if (end >= dropped_ + kDropStep || (end > dropped_ && end + page > size_)) {
            ::madvise(data_ + dropped_, end - dropped_, MADV_DONTNEED);
            dropped_ = end;
        }
    }

    // Gives the whole pages inside [from, to) back to the system; they are
    // not read again.
    void Release(const char* from, const char* to)
    {
        if (!data_ || to <= from || from < data_ || to > data_ + size_) {
            return;
        }
        const auto page = static_cast<uintptr_t>(::sysconf(_SC_PAGESIZE));
        const uintptr_t start = (reinterpret_cast<uintptr_t>(from) + page - 1) / page * page;
        const uintptr_t end = reinterpret_cast<uintptr_t>(to) / page * page;
        if (end > start) {
            ::madvise(reinterpret_cast<void*>(start), end - start, MADV_DONTNEED);
        }
    }

private:
    static constexpr size_t kDropStep = size_t {4} << 20;

    char* data_ = nullptr;
    size_t size_ = 0;
    size_t dropped_ = 0;
};

// The bytes of a regular file, read into memory once its first bytes show a
// cache of this format. Opening never waits (a FIFO has no writer to wait
// for), and only a regular file is read at all. The file is copied rather
// than mapped, so that another program cutting it short meanwhile cannot
// take the bytes away under the reader: a file whose size changes while it
// is read is refused. A stop request is looked at between blocks.
//
// With a `digest`, the bytes are added to it as they are read, while they
// are still in the processor's cache. `beforeHolding`, when set, is called
// once before more than `held` bytes are in memory.
class CacheFileBytes {
public:
    CacheFileBytes(const std::string& path, const std::atomic<bool>* stop,
        ByteDigest* digest = nullptr, size_t held = 0,
        const std::function<void()>& beforeHolding = {})
        : stop_(stop), digest_(digest), held_(held), beforeHolding_(beforeHolding)
    {
        int fd;
        do {
            fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        } while (fd < 0 && errno == EINTR);
        if (fd < 0) {
            failure_ = "cannot be opened";
            return;
        }
        Read(fd);
        ::close(fd);
    }

    // Why the file is not read; empty when its bytes are there.
    const std::string& Failure() const { return failure_; }
    const char* Data() const { return whole_.Data() ? whole_.Data() : head_.get(); }
    size_t Size() const { return size_; }
    // The bytes before `upTo` are not wanted any more.
    void DropBefore(const char* upTo) { whole_.DropBefore(upTo); }
    // Nor those in [from, to).
    void Release(const char* from, const char* to) { whole_.Release(from, to); }

private:
    void Read(int fd)
    {
        struct stat status { };
        if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size < 0) {
            failure_ = "not a regular file";
            return;
        }
        size_ = static_cast<size_t>(status.st_size);
        // The head is checked before anything else is read, so that a file
        // of another kind costs nothing however large it is. A file too
        // short for a head is read whole and refused by the reader.
        const size_t head = std::min(size_, kHeadBytes);
        try {
            head_ = std::make_unique_for_overwrite<char[]>(head);
        } catch (const std::bad_alloc&) {
            failure_ = "out of memory";
            return;
        }
        if (ReadAt(fd, head_.get(), head, 0) != head) {
            failure_ = kChanged;
            return;
        }
        if (size_ >= kHeadBytes &&
            static_cast<int32_t>(CCacheSource::Decode(head_.get())) != kParseCacheVersion) {
            failure_ = "version not match";
            return;
        }
        if (digest_ != nullptr) {
            digest_->Add(head_.get(), head);
        }
        if (size_ > head) {
            try {
                whole_ = MappedBytes(size_);
            } catch (const std::bad_alloc&) {
                failure_ = "out of memory";
                return;
            }
            std::memcpy(whole_.Data(), head_.get(), head);
            head_.reset();
            for (size_t done = head; done < size_;) {
                if (stop_ != nullptr && stop_->load(std::memory_order_relaxed)) {
                    failure_ = CParseCacheReader::kStopped;
                    return;
                }
                const size_t block = std::min(size_ - done, kBlockBytes);
                if (beforeHolding_ && done + block > held_) {
                    beforeHolding_();
                    beforeHolding_ = nullptr;
                }
                if (ReadAt(fd, whole_.Data() + done, block, done) != block) {
                    failure_ = kChanged;
                    return;
                }
                if (digest_ != nullptr) {
                    digest_->Add(whole_.Data() + done, block);
                }
                done += block;
            }
        }
        // Nothing may follow what the size promised.
        char more = 0;
        if (ReadAt(fd, &more, 1, size_) != 0) {
            failure_ = kChanged;
        }
    }

    // How many bytes were read before the end of the file or an error.
    static size_t ReadAt(int fd, char* to, size_t size, size_t offset)
    {
        constexpr size_t kMostAtOnce = size_t {1} << 30;
        size_t done = 0;
        while (done < size) {
            const ssize_t got = ::pread(fd, to + done, std::min(size - done, kMostAtOnce),
                static_cast<off_t>(offset + done));
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

    static constexpr size_t kHeadBytes = 12; // version and the two counts
    static constexpr size_t kBlockBytes = size_t {8} << 20;
    static constexpr const char* kChanged = "changed while being read";

    const std::atomic<bool>* stop_;
    ByteDigest* digest_;
    size_t held_;
    std::function<void()> beforeHolding_;
    std::unique_ptr<char[]> head_; // a file no longer than its head
    MappedBytes whole_; // a longer one
    size_t size_ = 0;
    std::string failure_;
};

} // namespace

CParseCacheReader::CParseCacheReader(
    SourceFileList& projectFiles, CFileIndex& fileIndex, CInputSet* owner, MessageSink& messages)
    : projectFiles_(projectFiles), fileIndex_(fileIndex), owner_(owner), messages_(messages)
{
}

namespace {

// One record of the cache: its bytes, the file it becomes, and how far
// reading it went.
struct RecordSlot {
    CCacheSource bytes {nullptr, 0};
    const char* start = nullptr; // its first byte
    std::unique_ptr<CSourceFile> file;
    bool pathRead = false;
    std::exception_ptr failure;
};

// Below this many bytes in all, records are read here, one after the other.
constexpr size_t kParallelBytes = size_t {1} << 20;
constexpr unsigned kMostReaders = 8;

// Reads the records on up to kMostReaders threads, this one among them.
// Each thread takes the next record not taken yet; records after one that
// failed are left unread. `consumed`, when set, is told the first byte of
// the first record not finished yet each time the records before it are.
void ReadRecords(std::vector<RecordSlot>& slots, int32_t headerCount, size_t totalBytes,
    const std::atomic<bool>* stop, const std::function<void(const char*)>& consumed,
    const CCacheRecordReader::Release& release)
{
    std::atomic<size_t> firstFailed {slots.size()};
    std::mutex finishing;
    std::vector<bool> finished(slots.size(), false);
    size_t unfinished = 0; // the first record not finished
    auto finish = [&](size_t i) {
        if (!consumed) {
            return;
        }
        const std::lock_guard<std::mutex> lock(finishing);
        finished[i] = true;
        const size_t before = unfinished;
        while (unfinished < slots.size() && finished[unfinished]) {
            ++unfinished;
        }
        if (unfinished != before && unfinished < slots.size()) {
            consumed(slots[unfinished].start);
        }
    };
    // Each thread's texts and records of whole unit trees.
    struct ReaderState {
        TokenTextStore texts;
        CDetailRecord::BulkCreation bulk;
    };
    const auto read = [&](size_t i, ReaderState& state) {
        if (i > firstFailed.load()) {
            finish(i);
            return;
        }
        RecordSlot& slot = slots[i];
        try {
            if (stop != nullptr && stop->load(std::memory_order_relaxed)) {
                throw CacheError(CParseCacheReader::kStopped);
            }
            CCacheRecordReader reader(headerCount, state.texts);
            reader.SetRelease(release ? &release : nullptr);
            reader.ReadSourceFile(slot.bytes, *slot.file, slot.pathRead);
            if (!slot.bytes.AtEnd()) {
                throw CacheError("error"); // the record is not what its length says
            }
        } catch (...) {
            slot.failure = std::current_exception();
            size_t failed = firstFailed.load();
            while (i < failed && !firstFailed.compare_exchange_weak(failed, i)) { }
        }
        finish(i);
    };
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const unsigned readers = totalBytes < kParallelBytes ? 1 : std::min(cores, kMostReaders);
    ForEachOnThreads(
        slots.size(), readers, [] { return ReaderState(); }, read, 1);
}

} // namespace

void CParseCacheReader::ReadAll(CCacheSource& in, Records& records)
{
    if (in.ReadInt() != kParseCacheVersion) {
        throw CacheError("version not match");
    }
    const int32_t projects = in.ReadInt();
    const int32_t headerCount = in.ReadInt();
    if (projects < 0 || headerCount < 0 ||
        static_cast<uint64_t>(projects) + static_cast<uint64_t>(headerCount) >
            in.Left() / kMinRecordBytes) {
        throw CacheError("Read Integer Error.");
    }
    // Where each record lies, up to one whose length does not fit.
    const size_t total = static_cast<size_t>(projects) + static_cast<size_t>(headerCount);
    std::vector<RecordSlot> slots;
    slots.reserve(total);
    std::exception_ptr cut; // the reason the records end early
    size_t bytes = 0;
    for (size_t i = 0; i < total; ++i) {
        try {
            const uint32_t length = in.ReadSize();
            const char* start = in.Position();
            CCacheSource record = in.Take(length);
            bytes += length;
            RecordSlot& slot = slots.emplace_back();
            slot.bytes = record;
            slot.start = start;
            if (i < static_cast<size_t>(projects)) {
                slot.file = std::make_unique<CProjectFile>(owner_);
            } else {
                slot.file = std::make_unique<CIncludedFile>("", owner_, true);
            }
        } catch (const CacheError&) {
            cut = std::current_exception();
            break;
        }
    }
    ReadRecords(slots, headerCount, bytes, stop_, consumed_, released_);
    // Paths are told, and failures reported, as reading in order would.
    for (RecordSlot& slot : slots) {
        if (slot.pathRead) {
            MessageLine(messages_) << slot.file->path;
        }
        if (slot.failure) {
            std::rethrow_exception(slot.failure);
        }
    }
    if (cut) {
        std::rethrow_exception(cut);
    }
    if (!in.AtEnd()) {
        throw CacheError("error");
    }
    for (size_t i = 0; i < slots.size(); ++i) {
        (i < static_cast<size_t>(projects) ? records.projects : records.headers)
            .push_back(std::move(slots[i].file));
    }
}

bool CParseCacheReader::LoadBytes(const std::string& bytes)
{
    return LoadBytes(bytes.data(), bytes.size());
}

bool CParseCacheReader::LoadBytes(const char* data, size_t length)
{
    failure_.clear();
    Records records;
    try {
        CCacheSource in(data, length);
        ReadAll(in, records);
        // Room for the hand-over, so that it cannot fail half way.
        projectFiles_.reserve(projectFiles_.size() + records.projects.size());
        fileIndex_.files.reserve(fileIndex_.files.size() + records.headers.size());
    } catch (const std::bad_alloc&) {
        failure_ = "out of memory";
        return false;
    } catch (const std::exception& failure) {
        failure_ = failure.what();
        return false;
    } catch (...) {
        failure_ = "error";
        return false;
    }
    // Everything was read: hand the records over. Header numbers move past
    // the headers the index already holds.
    const int32_t base = static_cast<int32_t>(fileIndex_.files.size());
    auto renumber = [base](CSourceFile& file) {
        for (int32_t& number : file.includes) {
            number += base;
        }
        if (file.hasIndexNumber) {
            file.indexNumber += base;
        }
    };
    for (auto& file : records.projects) {
        renumber(*file);
        projectFiles_.push_back(std::move(file));
    }
    for (auto& file : records.headers) {
        renumber(*file);
        fileIndex_.Add(std::move(file));
    }
    return true;
}

bool CParseCacheReader::Load(
    const std::string& path, const std::string& digest, const CacheLoadSteps& steps)
{
    const auto lap = [&steps](std::string_view step) {
        if (steps.times != nullptr) {
            steps.times->Lap(step);
        }
    };
    // Reading the file holds little memory beside what the caller may be
    // giving back meanwhile; its records are only made once that is done.
    bool awaited = !steps.awaitMemory;
    const auto await = [&] {
        if (!awaited) {
            lap("read");
            steps.awaitMemory();
            lap("wait");
            awaited = true;
        }
    };
    ByteDigest bytesDigest;
    CacheFileBytes file(
        path, stop_, digest.empty() ? nullptr : &bytesDigest, kBytesBeforeAwait, await);
    lap("read");
    if (!file.Failure().empty()) {
        failure_ = file.Failure();
        return false;
    }
    const bool same = digest.empty() || bytesDigest.Text() == digest;
    lap("digest");
    if (!same) {
        failure_ = "changed since it was saved";
        return false;
    }
    await();
    // Each record is read once: the pages of those read go back to the
    // system while the rest is read, instead of the whole copy staying
    // until the last record is in.
    consumed_ = [&file](const char* upTo) { file.DropBefore(upTo); };
    // A single large record (one big source file) goes while it is read.
    released_ = [&file](const char* from, const char* to) { file.Release(from, to); };
    const bool loaded = LoadBytes(file.Data(), file.Size());
    consumed_ = nullptr;
    released_ = nullptr;
    lap("decode");
    return loaded;
}
