#include "CacheFileWriter.h"

#include "AtomicFile.h"
#include "CacheError.h"

#include <system_error>

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
    if (!thread_.joinable()) {
        return;
    }
    {
        std::lock_guard lock(mutex_);
        finishing_ = true;
        queue_.clear(); // given up: the file is not kept
    }
    changed_.notify_all();
    thread_.join();
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
        patched_ = true;
        return WriteAllBytesAt(fd_, item.patch, 4, item.patchOffset);
    }
    if (!WriteAllBytes(fd_, item.chunk.bytes.get(), item.chunk.size)) {
        return false;
    }
    if (digest_ != nullptr) {
        digest_->Add(item.chunk.bytes.get(), item.chunk.size);
    }
    // The disk starts on each piece at once; the flush at the end then has
    // little left to wait for.
    StartWriteBack(fd_, written_, item.chunk.size);
    written_ += item.chunk.size;
    return true;
}

void CCacheFileWriter::Write(CacheChunk& chunk)
{
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
    changed_.notify_all();
    // A chunk to go on with: a written one, a new one while few are in
    // flight, else the next one to come back.
    if (spare_.empty() && chunks_ >= kChunksInFlight) {
        changed_.wait(lock, [this] { return !spare_.empty() || failed_; });
        ThrowIfFailed();
    }
    if (!spare_.empty()) {
        chunk = std::move(spare_.back());
        spare_.pop_back();
        return;
    }
    ++chunks_;
    lock.unlock();
    chunk.bytes = std::make_unique_for_overwrite<char[]>(capacity);
    chunk.capacity = capacity;
}

void CCacheFileWriter::Append(CacheChunk bytes)
{
    Item item;
    item.chunk = std::move(bytes);
    item.own = true;
    if (!thread_.joinable()) {
        failed_ = failed_ || !WriteItem(item);
        ThrowIfFailed();
        return;
    }
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return appendedBytes_ < kMostAppendedBytes || failed_; });
    ThrowIfFailed();
    appendedBytes_ += item.chunk.size;
    queue_.push_back(std::move(item));
    changed_.notify_all();
}

void CCacheFileWriter::Patch(size_t offset, uint32_t value)
{
    Item item;
    item.patchOffset = offset;
    CCacheSink::Put(item.patch, value);
    if (!thread_.joinable()) {
        failed_ = failed_ || !WriteItem(item);
        ThrowIfFailed();
        return;
    }
    std::lock_guard lock(mutex_);
    ThrowIfFailed();
    queue_.push_back(std::move(item));
    changed_.notify_all();
}

bool CCacheFileWriter::Finish()
{
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return (queue_.empty() && !busy_) || failed_; });
    return !failed_;
}

void CCacheFileWriter::Work()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return !queue_.empty() || finishing_; });
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
        if (!ok) {
            failed_ = true;
            queue_.clear();
        } else if (item.own) {
            appendedBytes_ -= item.chunk.size;
        } else if (item.chunk.bytes) {
            item.chunk.size = 0;
            spare_.push_back(std::move(item.chunk));
        }
        changed_.notify_all();
    }
}
