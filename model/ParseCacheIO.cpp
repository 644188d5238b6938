#include "CacheError.h"
#include "ParseCacheIO.h"

#include <algorithm>
#include <cstring>

void CCacheSink::SpillTo(size_t chunk, Spill spill)
{
    spill_ = std::move(spill);
    if (static_cast<size_t>(end_ - next_) < chunk) {
        Grow(chunk);
    }
}

void CCacheSink::Flush()
{
    if (spill_ && next_ != begin_.get()) {
        spill_(begin_.get(), Held());
        spilled_ += Held();
        next_ = begin_.get();
    }
}

void CCacheSink::MakeRoom(size_t n)
{
    Flush();
    if (n > static_cast<size_t>(end_ - next_)) {
        Grow(n);
    }
}

void CCacheSink::Grow(size_t n)
{
    const size_t used = Held();
    const size_t capacity = static_cast<size_t>(end_ - begin_.get());
    const size_t wanted = std::max(used + n, std::max<size_t>(capacity * 2, 4096));
    auto grown = std::make_unique_for_overwrite<char[]>(wanted);
    if (used > 0) {
        std::memcpy(grown.get(), begin_.get(), used);
    }
    begin_ = std::move(grown);
    next_ = begin_.get() + used;
    end_ = begin_.get() + wanted;
}

uint32_t CCacheSource::ReadSize()
{
    if (Left() < 4) {
        throw CacheError("Read size_t Error.");
    }
    const uint32_t value = Decode(next_);
    next_ += 4;
    return value;
}

int32_t CCacheSource::ReadInt()
{
    if (Left() < 4) {
        throw CacheError("Read Integer Error.");
    }
    return static_cast<int32_t>(ReadSize());
}

bool CCacheSource::ReadBool()
{
    if (Left() < 1) {
        throw CacheError("Read Bool Error.");
    }
    const char byte = *next_++;
    if (byte != 0 && byte != 1) {
        throw CacheError("Read Bool Error.");
    }
    return byte == 1;
}

const char* CCacheSource::ReadChars(size_t n)
{
    if (Left() < n) {
        throw CacheError("Read Character Error.");
    }
    const char* data = next_;
    next_ += n;
    return data;
}

std::string CCacheSource::ReadString()
{
    const uint32_t length = ReadSize();
    const char* data = ReadChars(length);
    return std::string(data, strnlen(data, length));
}

uint32_t CCacheSource::ReadCount(size_t minimumBytes)
{
    const uint32_t count = ReadSize();
    if (minimumBytes > 0 && count > Left() / minimumBytes) {
        throw CacheError("Read size_t Error.");
    }
    return count;
}

CCacheSource CCacheSource::Take(size_t n)
{
    const char* data = ReadChars(n);
    return CCacheSource(data, n);
}
