#include "CacheFileWriter.h"

#include "AtomicFile.h"
#include "CacheError.h"

#include <system_error>

CCacheFileWriter::CCacheFileWriter(int fd) : fd_(fd)
{
    // The settling thread first: the writing thread settles what it wrote
    // itself when there is none.
    try {
        settler_ = std::thread([this] { Settle(); });
    } catch (const std::system_error&) {
        // The writing thread settles.
    }
    settleApart_ = settler_.joinable();
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
    {
        std::lock_guard lock(mutex_);
        written_.clear();
        writerDone_ = true;
    }
    settle_.notify_all();
    if (settler_.joinable()) {
        settler_.join();
    }
}

void CCacheFileWriter::ThrowIfFailed() const
{
    if (failed_) {
        throw CacheError("write failed");
    }
}

bool CCacheFileWriter::WriteItem(Item& item)
{
    if (!item.chunk.bytes) {
        patched_ = true;
        return WriteAllBytesAt(fd_, item.patch, 4, item.offset);
    }
    if (!WriteAllBytes(fd_, item.chunk.bytes.get(), item.chunk.size)) {
        return false;
    }
    item.offset = writtenBytes_;
    writtenBytes_ += item.chunk.size;
    return true;
}

void CCacheFileWriter::SettleItem(const Item& item)
{
    if (digest_ != nullptr) {
        digest_->Add(item.chunk.bytes.get(), item.chunk.size);
    }
    // The disk starts on what was written once a few megabytes are there;
    // the flush at the end then has little left to wait for. Each start
    // walks the file's pages and takes locks the writes take too: once per
    // item, it held the writing thread back.
    if (item.offset != writeBackEnd_) {
        writeBackFrom_ = item.offset;
    }
    writeBackEnd_ = item.offset + item.chunk.size;
    if (writeBackEnd_ - writeBackFrom_ >= kWriteBackBytes) {
        StartWriteBack(fd_, writeBackFrom_, writeBackEnd_ - writeBackFrom_);
        writeBackFrom_ = writeBackEnd_;
    }
}

CacheChunk CCacheFileWriter::Release(Item& item)
{
    if (item.own) {
        appendedBytes_ -= item.chunk.size;
        return std::move(item.chunk); // freed by the caller, off the lock
    }
    item.chunk.size = 0;
    spare_.push_back(std::move(item.chunk));
    return CacheChunk();
}

void CCacheFileWriter::Write(CacheChunk& chunk)
{
    if (!thread_.joinable()) {
        Item item;
        item.chunk = std::move(chunk);
        failed_ = failed_ || !WriteItem(item);
        ThrowIfFailed();
        SettleItem(item);
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
    // A chunk to go on with: a settled one, a new one while few are in
    // flight, else the next one to come back.
    if (spare_.empty() && chunks_ >= kChunksInFlight) {
        progress_.wait(lock, [this] { return !spare_.empty() || failed_; });
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
        SettleItem(item);
        return;
    }
    std::unique_lock lock(mutex_);
    progress_.wait(lock, [this] {
        return (unwrittenBytes_ < kMostAppendedBytes && appendedBytes_ < kMostUnsettledBytes) ||
            failed_;
    });
    ThrowIfFailed();
    appendedBytes_ += item.chunk.size;
    unwrittenBytes_ += item.chunk.size;
    queue_.push_back(std::move(item));
    queued_.notify_one();
}

void CCacheFileWriter::Patch(size_t offset, uint32_t value)
{
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
    progress_.wait(lock,
        [this] { return (queue_.empty() && !busy_ && written_.empty() && !settling_) || failed_; });
    return !failed_;
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
        const bool settleHere = ok && item.chunk.bytes && !settleApart_;
        if (settleHere) {
            SettleItem(item);
        }
        CacheChunk freed;
        lock.lock();
        busy_ = false;
        if (item.own) {
            unwrittenBytes_ -= item.chunk.size;
        }
        if (!ok) {
            failed_ = true;
            queue_.clear();
        } else if (settleHere) {
            freed = Release(item);
        } else if (item.chunk.bytes) {
            written_.push_back(std::move(item));
            settle_.notify_one();
        }
        progress_.notify_one();
        if (freed.bytes) {
            lock.unlock();
            freed = CacheChunk();
            lock.lock();
        }
    }
}

void CCacheFileWriter::Settle()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        settle_.wait(lock, [this] { return !written_.empty() || writerDone_; });
        if (written_.empty()) {
            return;
        }
        Item item = std::move(written_.front());
        written_.pop_front();
        settling_ = true;
        lock.unlock();
        SettleItem(item);
        lock.lock();
        settling_ = false;
        CacheChunk freed = Release(item);
        progress_.notify_one();
        if (freed.bytes) {
            lock.unlock();
            freed = CacheChunk();
            lock.lock();
        }
    }
}
