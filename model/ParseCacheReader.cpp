#include "ParseCacheReader.h"

#include "ByteDigest.h"
#include "CacheError.h"
#include "CacheRecordReader.h"
#include "FileIndex.h"
#include "IncludedFile.h"
#include "LargeStackThread.h"
#include "ParseCacheFormat.h"
#include "ProjectFile.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <exception>
#include <thread>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The bytes of a regular file, read into memory once its first bytes show a
// cache of this format. Opening never waits (a FIFO has no writer to wait
// for), and only a regular file is read at all. The file is copied rather
// than mapped, so that another program cutting it short meanwhile cannot
// take the bytes away under the reader: a file whose size changes while it
// is read is refused. A stop request is looked at between blocks.
class CacheFileBytes {
public:
    CacheFileBytes(const std::string& path, const std::atomic<bool>* stop) : stop_(stop)
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
    const char* Data() const { return bytes_.get(); }
    size_t Size() const { return size_; }

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
            bytes_ = std::make_unique_for_overwrite<char[]>(head);
        } catch (const std::bad_alloc&) {
            failure_ = "out of memory";
            return;
        }
        if (ReadAt(fd, bytes_.get(), head, 0) != head) {
            failure_ = kChanged;
            return;
        }
        if (size_ >= kHeadBytes &&
            static_cast<int32_t>(CCacheSource::Decode(bytes_.get())) != kParseCacheVersion) {
            failure_ = "version not match";
            return;
        }
        if (size_ > head) {
            std::unique_ptr<char[]> whole;
            try {
                whole = std::make_unique_for_overwrite<char[]>(size_);
            } catch (const std::bad_alloc&) {
                failure_ = "out of memory";
                return;
            }
            std::memcpy(whole.get(), bytes_.get(), head);
            bytes_ = std::move(whole);
            for (size_t done = head; done < size_;) {
                if (stop_ != nullptr && stop_->load(std::memory_order_relaxed)) {
                    failure_ = CParseCacheReader::kStopped;
                    return;
                }
                const size_t block = std::min(size_ - done, kBlockBytes);
                if (ReadAt(fd, bytes_.get() + done, block, done) != block) {
                    failure_ = kChanged;
                    return;
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
    static constexpr size_t kBlockBytes = size_t {32} << 20;
    static constexpr const char* kChanged = "changed while being read";

    const std::atomic<bool>* stop_;
    std::unique_ptr<char[]> bytes_;
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
    std::unique_ptr<CSourceFile> file;
    bool pathRead = false;
    std::exception_ptr failure;
};

// Below this many bytes in all, records are read here, one after the other.
constexpr size_t kParallelBytes = size_t {1} << 20;
constexpr unsigned kMostReaders = 4;

// Reads the records on up to kMostReaders threads, this one among them.
// Each thread takes the next record not taken yet; records after one that
// failed are left unread.
void ReadRecords(std::vector<RecordSlot>& slots, int32_t headerCount, size_t totalBytes,
    const std::atomic<bool>* stop)
{
    std::atomic<size_t> next {0};
    std::atomic<size_t> firstFailed {slots.size()};
    auto work = [&] {
        TokenTextStore texts; // this thread's
        const CDetailRecord::BulkCreation bulk; // the records of whole unit trees
        for (size_t i = next++; i < slots.size(); i = next++) {
            if (i > firstFailed.load()) {
                continue;
            }
            RecordSlot& slot = slots[i];
            try {
                if (stop != nullptr && stop->load(std::memory_order_relaxed)) {
                    throw CacheError(CParseCacheReader::kStopped);
                }
                CCacheRecordReader reader(headerCount, texts);
                reader.ReadSourceFile(slot.bytes, *slot.file, slot.pathRead);
                if (!slot.bytes.AtEnd()) {
                    throw CacheError("error"); // the record is not what its length says
                }
            } catch (...) {
                slot.failure = std::current_exception();
                size_t failed = firstFailed.load();
                while (i < failed && !firstFailed.compare_exchange_weak(failed, i)) { }
            }
        }
    };
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const size_t helpers =
        totalBytes < kParallelBytes ? 0 : std::min<size_t>({cores, kMostReaders, slots.size()}) - 1;
    std::vector<std::unique_ptr<LargeStackThread>> threads;
    for (size_t h = 0; h < helpers; ++h) {
        auto thread = std::make_unique<LargeStackThread>();
        if (thread->Start(work)) {
            threads.push_back(std::move(thread));
        }
    }
    work();
    for (auto& thread : threads) {
        thread->Join();
    }
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
            CCacheSource record = in.Take(length);
            bytes += length;
            RecordSlot& slot = slots.emplace_back();
            slot.bytes = record;
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
    ReadRecords(slots, headerCount, bytes, stop_);
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

bool CParseCacheReader::Load(const std::string& path, const std::string& digest)
{
    const CacheFileBytes file(path, stop_);
    if (!file.Failure().empty()) {
        failure_ = file.Failure();
        return false;
    }
    if (!digest.empty() && DigestOfBytes(file.Data(), file.Size()) != digest) {
        failure_ = "changed since it was saved";
        return false;
    }
    return LoadBytes(file.Data(), file.Size());
}
