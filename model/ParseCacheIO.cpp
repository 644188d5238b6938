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
    if (spill_ && Held() > 0) {
        const size_t held = Held();
        chunk_.size = held;
        spill_(chunk_);
        spilled_ += held;
        chunk_.size = 0;
        next_ = chunk_.bytes.get();
        end_ = next_ + (next_ != nullptr ? chunk_.capacity : 0);
    }
}

CacheChunk CCacheSink::TakeChunk()
{
    chunk_.size = Held();
    CacheChunk taken = std::move(chunk_);
    chunk_ = CacheChunk();
    next_ = nullptr;
    end_ = nullptr;
    return taken;
}

void CCacheSink::Adopt(CacheChunk chunk)
{
    chunk_ = std::move(chunk);
    chunk_.size = 0;
    next_ = chunk_.bytes.get();
    end_ = next_ != nullptr ? next_ + chunk_.capacity : nullptr;
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
    const size_t wanted = std::max(used + n, std::max<size_t>(chunk_.capacity * 2, 4096));
    auto grown = std::make_unique_for_overwrite<char[]>(wanted);
    if (used > 0) {
        std::memcpy(grown.get(), chunk_.bytes.get(), used);
    }
    chunk_.bytes = std::move(grown);
    chunk_.capacity = wanted;
    next_ = chunk_.bytes.get() + used;
    end_ = chunk_.bytes.get() + wanted;
}

void CCacheSource::Fail(const char* what)
{
    throw CacheError(what);
}

std::string CCacheSource::ReadString()
{
    const uint32_t length = ReadSize();
    const char* data = ReadChars(length);
    return std::string(data, strnlen(data, length));
}

CCacheSource CCacheSource::Take(size_t n)
{
    const char* data = ReadChars(n);
    return CCacheSource(data, n);
}
