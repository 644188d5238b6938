#include "CacheError.h"
#include "ParseCacheIO.h"

#include <cstring>

void CCacheSink::WriteUnsigned(uint32_t value)
{
    const char bytes[4] = {static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF),
                           static_cast<char>((value >> 16) & 0xFF),
                           static_cast<char>((value >> 24) & 0xFF)};
    bytes_.append(bytes, 4);
}

void CCacheSink::PatchInt(size_t offset, int32_t value)
{
    const auto v = static_cast<uint32_t>(value);
    for (size_t i = 0; i < 4; ++i) {
        bytes_[offset + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    }
}

void CCacheSink::WriteString(const std::string& text)
{
    const size_t length = std::strlen(text.c_str());
    WriteSize(static_cast<uint32_t>(length));
    WriteChars(text.data(), length);
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
