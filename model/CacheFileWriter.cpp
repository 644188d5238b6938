#include "CacheFileWriter.h"

#include "AtomicFile.h"
#include "CacheError.h"

#include <algorithm>
#include <system_error>
#include <utility>

CCacheFileWriter::CCacheFileWriter(int fd) : fd_(fd)
{
    try {
        thread_ = std::thread([this] { Work(); });
    } catch (const std::system_error&) {
        // No thread to be had: every item is written as it is handed over.
    }
}

CCacheFileWriter::~CCacheFileWriter()
{
    {
        std::lock_guard lock(mutex_);
        finishing_ = true;
        queue_.clear(); // given up: the file is not kept
    }
    queued_.notify_all();
    if (thread_.joinable()) {
        thread_.join();
    }
}

void CCacheFileWriter::ThrowIfFailed() const
{
    if (failed_) {
        throw CacheError("write failed");
    }
}

bool CCacheFileWriter::WriteItem(const Item& item)
{
    if (!item.chunk.bytes) {
        return WriteAllBytesAt(fd_, item.patch, 4, item.offset);
    }
    if (!WriteAllBytes(fd_, item.chunk.bytes.get(), item.chunk.size)) {
        return false;
    }
    writtenBytes_ += item.chunk.size;
    // The disk is started on what was written right away, so that it is
    // busy from early on and the flush at the end has little left to wait
    // for: the disk, not the writing, is what a large save waits for. Each
    // start walks the file's pages and takes locks the writes take too:
    // once a span of a few megabytes is there, not once per item; the
    // first spans are shorter, so that the disk need not wait for them.
    if (writtenBytes_ - writeBackFrom_ >= writeBackSpan_) {
        writeBackSpan_ = std::min(writeBackSpan_ * 2, kWriteBackBytes);
        StartWriteBack(fd_, writeBackFrom_, writtenBytes_ - writeBackFrom_);
        writeBackFrom_ = writtenBytes_;
    }
    return true;
}

std::vector<CacheChunk> CCacheFileWriter::TakeWrittenOwn()
{
    return std::exchange(writtenOwn_, {});
}

void CCacheFileWriter::Write(CacheChunk& chunk)
{
    if (digest_ != nullptr) {
        digest_->Add(chunk.bytes.get(), chunk.size);
    }
    if (!thread_.joinable()) {
        Item item;
        item.chunk = std::move(chunk);
        failed_ = failed_ || !WriteItem(item);
        ThrowIfFailed();
        chunk = std::move(item.chunk);
        chunk.size = 0;
        return;
    }
    std::unique_lock lock(mutex_);
    ThrowIfFailed();
    const size_t capacity = chunk.capacity;
    queue_.emplace_back().chunk = std::move(chunk);
    chunk = CacheChunk();
    queued_.notify_one();
    // A chunk to go on with: a written one, a new one while few are in
    // flight, else the next one to come back.
    if (spare_.empty() && chunks_ >= kChunksInFlight) {
        progress_.wait(lock, [this] { return !spare_.empty() || failed_; });
        ThrowIfFailed();
    }
    std::vector<CacheChunk> freed = TakeWrittenOwn();
    const bool reused = !spare_.empty();
    if (reused) {
        chunk = std::move(spare_.back());
        spare_.pop_back();
    } else {
        ++chunks_;
    }
    lock.unlock();
    freed.clear(); // off the lock
    if (!reused) {
        chunk.bytes = std::make_unique_for_overwrite<char[]>(capacity);
        chunk.capacity = capacity;
    }
}

void CCacheFileWriter::Append(CacheChunk bytes)
{
    if (digest_ != nullptr) {
        digest_->Add(bytes.bytes.get(), bytes.size);
    }
    Item item;
    item.chunk = std::move(bytes);
    item.own = true;
    if (!thread_.joinable()) {
        failed_ = failed_ || !WriteItem(item);
        ThrowIfFailed();
        return;
    }
    std::unique_lock lock(mutex_);
    progress_.wait(lock, [this] { return unwrittenBytes_ < kMostAppendedBytes || failed_; });
    ThrowIfFailed();
    unwrittenBytes_ += item.chunk.size;
    queue_.push_back(std::move(item));
    queued_.notify_one();
    std::vector<CacheChunk> freed = TakeWrittenOwn();
    lock.unlock();
    // The written bytes are freed here, off the lock.
}

void CCacheFileWriter::Patch(size_t offset, uint32_t value)
{
    patched_ = true;
    Item item;
    item.offset = offset;
    CCacheSink::Put(item.patch, value);
    if (!thread_.joinable()) {
        failed_ = failed_ || !WriteItem(item);
        ThrowIfFailed();
        return;
    }
    std::lock_guard lock(mutex_);
    ThrowIfFailed();
    queue_.push_back(std::move(item));
    queued_.notify_one();
}

bool CCacheFileWriter::Finish()
{
    std::unique_lock lock(mutex_);
    progress_.wait(lock, [this] { return (queue_.empty() && !busy_) || failed_; });
    std::vector<CacheChunk> freed = TakeWrittenOwn();
    const bool ok = !failed_;
    lock.unlock();
    return ok;
}

void CCacheFileWriter::Work()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        queued_.wait(lock, [this] { return !queue_.empty() || finishing_; });
        if (queue_.empty()) {
            return;
        }
        Item item = std::move(queue_.front());
        queue_.pop_front();
        busy_ = true;
        lock.unlock();
        const bool ok = WriteItem(item);
        lock.lock();
        busy_ = false;
        if (item.own) {
            unwrittenBytes_ -= item.chunk.size;
        }
        if (!ok) {
            failed_ = true;
            queue_.clear();
        } else if (item.own) {
            writtenOwn_.push_back(std::move(item.chunk));
        } else if (item.chunk.bytes) {
            item.chunk.size = 0;
            spare_.push_back(std::move(item.chunk));
        }
        progress_.notify_one();
    }
}
