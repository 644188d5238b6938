#include "CacheRecordEncoder.h"

#include "LargeStackThread.h"
#include "ParseCacheWriter.h"
#include "SourceFile.h"

#include <algorithm>
#include <thread>

CacheRecordEncoder::CacheRecordEncoder(std::vector<const CSourceFile*> files)
    : files_(std::move(files)), slots_(files_.size())
{
    size_t tokens = 0;
    for (const CSourceFile* file : files_) {
        if (file != nullptr) {
            tokens += file->scan.tokens.size();
        }
    }
    if (tokens < kLeastTokensForWorkers || files_.size() < 2) {
        return;
    }
    // The first run is the caller's: it is encoded on the thread that takes
    // it, which is there already, while the workers start on the runs after
    // it; waiting for a worker to finish it would also wait for the caller
    // to be woken.
    if (!Streamed(0)) {
        callersEnd_ = RunEnd(0);
        next_ = callersEnd_;
    }
    // Unit trees are encoded recursively: the workers get a large stack.
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const size_t workers = std::min<size_t>({cores, kMostWorkers, files_.size()}) - 1;
    for (size_t w = 0; w < workers; ++w) {
        auto thread = std::make_unique<LargeStackThread>();
        if (thread->Start([this] { Work(); })) {
            threads_.push_back(std::move(thread));
        }
    }
}

CacheRecordEncoder::~CacheRecordEncoder()
{
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    room_.notify_all();
    for (auto& thread : threads_) {
        thread->Join();
    }
}

bool CacheRecordEncoder::Streamed(size_t i) const
{
    return files_[i] != nullptr && files_[i]->scan.tokens.size() > kMostTokensAhead;
}

size_t CacheRecordEncoder::EstimatedBytes(const CSourceFile* file)
{
    // About a token's head and text for each token, with its share of the
    // units' token positions, and a macro's name, parameters and body for
    // each macro; a quarter more, so that most records need no more room.
    constexpr size_t kBytesPerToken = 24;
    constexpr size_t kBytesPerMacro = 90;
    constexpr size_t kLeastBytes = 256;
    if (file == nullptr) {
        return 4;
    }
    const size_t estimate =
        file->scan.tokens.size() * kBytesPerToken + file->macros.size() * kBytesPerMacro;
    return estimate + estimate / 4 + kLeastBytes;
}

size_t CacheRecordEncoder::EstimatedTotalBytes() const
{
    size_t estimate = 0;
    for (const CSourceFile* file : files_) {
        estimate += EstimatedBytes(file);
    }
    return estimate;
}

size_t CacheRecordEncoder::RunEnd(size_t first) const
{
    size_t end = first;
    size_t estimate = 0;
    while (end < files_.size() && !Streamed(end) && (end == first || estimate < kBatchBytes)) {
        estimate += EstimatedBytes(files_[end]);
        ++end;
    }
    return end;
}

CacheRecordEncoder::Slot CacheRecordEncoder::Encode(size_t first, size_t end, CacheChunk room) const
{
    Slot slot;
    try {
        size_t estimate = 0;
        for (size_t i = first; i < end; ++i) {
            estimate += EstimatedBytes(files_[i]);
        }
        CCacheSink sink;
        sink.Adopt(std::move(room));
        sink.Reserve(estimate);
        for (size_t i = first; i < end; ++i) {
            const size_t lengthAt = sink.Held();
            sink.WriteSize(0);
            if (files_[i] != nullptr) {
                CParseCacheWriter::WriteSourceFile(sink, *files_[i]);
            }
            sink.PatchInt(lengthAt, static_cast<int32_t>(sink.Held() - lengthAt - 4));
        }
        slot.run.bytes = sink.TakeChunk();
        slot.run.count = end - first;
    } catch (...) {
        slot.failure = std::current_exception();
    }
    slot.done = true;
    return slot;
}

void CacheRecordEncoder::Work()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        ++idleWorkers_;
        room_.wait(lock,
            [this] { return stopping_ || next_ >= files_.size() || heldBytes_ < kMostBytesAhead; });
        --idleWorkers_;
        if (stopping_ || next_ >= files_.size()) {
            return;
        }
        const size_t i = next_;
        if (Streamed(i)) {
            ++next_;
            continue;
        }
        const size_t end = RunEnd(i);
        next_ = end;
        CacheChunk room = SpareRoom();
        lock.unlock();
        Slot slot = Encode(i, end, std::move(room));
        lock.lock();
        heldBytes_ += slot.run.bytes.capacity;
        slots_[i] = std::move(slot);
        ready_.notify_one(); // only the writer waits for it
    }
}

std::optional<CacheRecordEncoder::Run> CacheRecordEncoder::Take(size_t i)
{
    std::unique_lock lock(mutex_);
    Slot slot;
    if (i < callersEnd_ || next_ <= i) {
        // The caller's own run, or nobody has come to it: it is encoded here.
        if (Streamed(i)) {
            next_ = i + 1;
            return std::nullopt;
        }
        const size_t end = i < callersEnd_ ? callersEnd_ : RunEnd(i);
        next_ = std::max(next_, end);
        callersEnd_ = 0;
        CacheChunk room = SpareRoom();
        lock.unlock();
        slot = Encode(i, end, std::move(room));
    } else {
        if (Streamed(i)) {
            return std::nullopt;
        }
        ready_.wait(lock, [this, i] { return slots_[i].done; });
        slot = std::move(slots_[i]);
        heldBytes_ -= slot.run.bytes.capacity;
        // A worker waits only while the bytes ahead are at their bound;
        // the waiting ones are woken together once a quarter of the bound is
        // free again (waking one for the room each record leaves costs more
        // than encoding a small record).
        const bool wake = idleWorkers_ > 0 && heldBytes_ < kMostBytesAhead - kMostBytesAhead / 4;
        lock.unlock();
        if (wake) {
            room_.notify_all();
        }
    }
    if (slot.failure) {
        std::rethrow_exception(slot.failure);
    }
    return std::move(slot.run);
}

CacheChunk CacheRecordEncoder::SpareRoom()
{
    if (spare_.empty()) {
        return CacheChunk();
    }
    CacheChunk room = std::move(spare_.back());
    spare_.pop_back();
    spareBytes_ -= room.capacity;
    return room;
}

void CacheRecordEncoder::GiveBack(CacheChunk room)
{
    if (!room.bytes) {
        return;
    }
    std::unique_lock lock(mutex_);
    if (spareBytes_ + room.capacity > kMostSpareBytes) {
        lock.unlock();
        return; // freed here
    }
    spareBytes_ += room.capacity;
    spare_.push_back(std::move(room));
}
