#include "ParseCacheReader.h"

#include "ByteDigest.h"
#include "CacheError.h"
#include "CacheFileRecords.h"
#include "CacheHead.h"
#include "CacheRecordReader.h"
#include "FileIndex.h"
#include "IncludedFile.h"
#include "ForEachOnThreads.h"
#include "MacroRecordPool.h"
#include "ProjectFile.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <exception>
#include <functional>
#include <numeric>
#include <thread>
#include <utility>
#include <sys/mman.h>
#include <unistd.h>

CParseCacheReader::CParseCacheReader(
    SourceFileList& projectFiles, CFileIndex& fileIndex, CInputSet* owner, MessageSink& messages)
    : projectFiles_(projectFiles), fileIndex_(fileIndex), owner_(owner), messages_(messages)
{
}

// One record of the cache: its bytes, the file it becomes, and how far
// reading it went.
struct CParseCacheReader::RecordSlot {
    CCacheSource bytes {nullptr, 0}; // when the cache is in memory
    const CacheFileRecords::Place* place = nullptr; // when it is read from its file
    std::unique_ptr<CSourceFile> file;
    bool pathRead = false;
    std::exception_ptr failure;
};

namespace {

using RecordSlot = CParseCacheReader::RecordSlot;

// Below this many bytes in all, records are read here, one after the other.
constexpr size_t kParallelBytes = size_t {1} << 20;
constexpr unsigned kMostReaders = 8;

// Below this length a record is read without giving its pages back.
constexpr size_t kLeastReleasedRecord = size_t {8} << 20;

// Gives the whole pages inside [from, to) back to the system; they read as
// zeros afterwards.
void ReleasePages(const char* from, const char* to)
{
    const auto page = static_cast<uintptr_t>(::sysconf(_SC_PAGESIZE));
    const uintptr_t start = (reinterpret_cast<uintptr_t>(from) + page - 1) / page * page;
    const uintptr_t end = reinterpret_cast<uintptr_t>(to) / page * page;
    if (end > start) {
        ::madvise(reinterpret_cast<void*>(start), end - start, MADV_DONTNEED);
    }
}

// Reads the records on up to kMostReaders threads, this one among them.
// Each thread takes the next record not taken yet, the largest first, so
// that no thread is left with a large record when the others are done;
// records after one that failed are left unread. With `file`, each thread
// reads the bytes of its records from it into a buffer of its own.
void ReadRecords(std::vector<RecordSlot>& slots, int32_t headerCount, size_t totalBytes,
    const std::atomic<bool>* stop, const CacheFileRecords* file)
{
    std::atomic<size_t> firstFailed {slots.size()};
    // Each thread's texts, records of whole unit trees and record bytes.
    struct ReaderState {
        TokenTextStore texts;
        CDetailRecord::BulkCreation bulk;
        std::vector<char> bytes;
    };
    const CCacheRecordReader::Release release = ReleasePages;
    MacroRecordPool macros;
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const unsigned readers = totalBytes < kParallelBytes ? 1 : std::min(cores, kMostReaders);
    // A record is read on threads of its own only when it is larger than
    // a reader's share of all: a smaller one is done while the others are
    // read, and its threads would only take their cores.
    const size_t splitBytes = readers > 1 ? totalBytes / readers : 0;
    const auto read = [&](size_t i, ReaderState& state) {
        if (i > firstFailed.load()) {
            return;
        }
        RecordSlot& slot = slots[i];
        try {
            if (stop != nullptr && stop->load(std::memory_order_relaxed)) {
                throw CacheError(CParseCacheReader::kStopped);
            }
            CCacheRecordReader reader(headerCount, state.texts);
            reader.SetSplitBytes(splitBytes);
            reader.SetMacroPool(&macros);
            if (file != nullptr) {
                slot.bytes = CCacheSource(file->Read(*slot.place, state.bytes), slot.place->length);
                // A huge record's pages go while it is read; the buffer is
                // written again before it is read again.
                reader.SetRelease(slot.place->length >= kLeastReleasedRecord ? &release : nullptr);
            }
            reader.ReadSourceFile(slot.bytes, *slot.file, slot.pathRead);
            if (!slot.bytes.AtEnd()) {
                throw CacheError("error"); // the record is not what its length says
            }
        } catch (...) {
            slot.failure = std::current_exception();
            size_t failed = firstFailed.load();
            while (i < failed && !firstFailed.compare_exchange_weak(failed, i)) { }
        }
    };
    if (readers == 1) {
        ForEachOnThreads(
            slots.size(), readers, [] { return ReaderState(); }, read, 1);
        return;
    }
    std::vector<size_t> order(slots.size());
    std::iota(order.begin(), order.end(), size_t {0});
    const auto length = [&slots](size_t i) {
        return slots[i].place != nullptr ? size_t {slots[i].place->length} : slots[i].bytes.Left();
    };
    std::stable_sort(order.begin(), order.end(),
        [&length](size_t a, size_t b) { return length(a) > length(b); });
    ForEachOnThreads(
        order.size(), readers, [] { return ReaderState(); },
        [&read, &order](size_t k, ReaderState& state) { read(order[k], state); }, 1);
}

} // namespace

CParseCacheReader::RecordSlot CParseCacheReader::MakeSlot(bool project) const
{
    RecordSlot slot;
    if (project) {
        slot.file = std::make_unique<CProjectFile>(owner_);
    } else {
        slot.file = std::make_unique<CIncludedFile>("", owner_, true);
    }
    return slot;
}

void CParseCacheReader::ReadAll(CCacheSource& in, Records& records)
{
    const CacheHead head = ReadCacheHead(in, in.Left());
    const int32_t projects = head.projects;
    const int32_t headerCount = head.headers;
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
            slots.push_back(MakeSlot(i < static_cast<size_t>(projects)));
            slots.back().bytes = record;
        } catch (const CacheError&) {
            cut = std::current_exception();
            break;
        }
    }
    ReadRecords(slots, headerCount, bytes, stop_, nullptr);
    TakeRecords(slots, projects, cut, !in.AtEnd(), records);
}

void CParseCacheReader::ReadAll(const CacheFileRecords& file, Records& records)
{
    const std::vector<CacheFileRecords::Place>& places = file.Places();
    std::vector<RecordSlot> slots;
    slots.reserve(places.size());
    size_t bytes = 0;
    for (size_t i = 0; i < places.size(); ++i) {
        slots.push_back(MakeSlot(i < static_cast<size_t>(file.Projects())));
        slots.back().place = &places[i];
        bytes += places[i].length;
    }
    ReadRecords(slots, file.Headers(), bytes, stop_, &file);
    TakeRecords(slots, file.Projects(), file.Cut(), file.BytesAfterRecords(), records);
}

void CParseCacheReader::TellPath(const std::string& path)
{
    // The line as it is, without a stream made for it: a cache of
    // thousands of files tells as many lines. A line that cannot be
    // handed over is dropped, as any message line is.
    try {
        messages_.Write(MessageKind::Info, path);
    } catch (...) {
    }
}

void CParseCacheReader::TakeRecords(std::vector<RecordSlot>& slots, int32_t projects,
    const std::exception_ptr& cut, bool bytesAfter, Records& records)
{
    // Paths are told, and failures reported, as reading in order would.
    for (RecordSlot& slot : slots) {
        if (slot.pathRead) {
            TellPath(slot.file->path);
        }
        if (slot.failure) {
            std::rethrow_exception(slot.failure);
        }
    }
    if (cut) {
        std::rethrow_exception(cut);
    }
    if (bytesAfter) {
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
    return HandOver([data, length, this](Records& records) {
        CCacheSource in(data, length);
        ReadAll(in, records);
    });
}

bool CParseCacheReader::HandOver(const std::function<void(Records&)>& read)
{
    failure_.clear();
    Records records;
    try {
        read(records);
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
    const auto lap = [&steps](std::string_view step) { LapIf(steps.times, step); };
    // Reading the file through holds one small block: its records are
    // made, each read again on its own, once the caller's memory is back.
    ByteDigest bytesDigest;
    const CacheFileRecords file(path, stop_, digest.empty() ? nullptr : &bytesDigest);
    lap("read");
    failure_ = file.Failure();
    if (!failure_.empty()) {
        return false;
    }
    const bool same = digest.empty() || bytesDigest.Text() == digest;
    lap("digest");
    if (!same) {
        failure_ = "changed since it was saved";
        return false;
    }
    if (steps.awaitMemory) {
        steps.awaitMemory();
        lap("wait");
    }
    const bool loaded = HandOver([&file, this](Records& records) { ReadAll(file, records); });
    lap("decode");
    return loaded;
}
