#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The byte-level items of the parse cache: 32-bit numbers little-endian,
// bools as one byte, strings as a count and their bytes. No padding.

// Appends items to a byte buffer.
class CCacheSink {
public:
    void WriteInt(int32_t value) { WriteUnsigned(static_cast<uint32_t>(value)); }
    void WriteSize(uint32_t value) { WriteUnsigned(value); }
    void WriteBool(bool value) { bytes_.push_back(value ? '\1' : '\0'); }
    void WriteChars(const char* data, size_t length)
    {
        if (length > 0) {
            bytes_.append(data, length);
        }
    }
    // A count and the bytes up to the first NUL (a NUL would end the text
    // when it is read back).
    void WriteString(const std::string& text);

    // Overwrites the four bytes at `offset` (written before) with a value.
    void PatchInt(size_t offset, int32_t value);

    const std::string& Bytes() const { return bytes_; }
    void Clear() { bytes_.clear(); }

private:
    void WriteUnsigned(uint32_t value);

    std::string bytes_;
};

// Reads items from a block of bytes. Every read is checked against the
// bytes left and throws a CacheError naming what could not be read.
class CCacheSource {
public:
    CCacheSource(const char* data, size_t length) : next_(data), end_(data + length) {}

    int32_t ReadInt();
    uint32_t ReadSize();
    // Only 0 and 1 are bools; any other byte is damage.
    bool ReadBool();
    // The next n bytes (valid while the block lives).
    const char* ReadChars(size_t n);
    std::string ReadString();
    // A count of elements that each take at least `minimumBytes` bytes; a
    // count that cannot fit in the bytes left is damage.
    uint32_t ReadCount(size_t minimumBytes);

    // A little-endian 32-bit value at p (no check).
    static uint32_t Decode(const char* p)
    {
        const auto* b = reinterpret_cast<const unsigned char*>(p);
        return static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8) |
               (static_cast<uint32_t>(b[2]) << 16) | (static_cast<uint32_t>(b[3]) << 24);
    }

    size_t Left() const { return static_cast<size_t>(end_ - next_); }
    bool AtEnd() const { return next_ == end_; }
    // A source over the next n bytes; this one moves past them.
    CCacheSource Take(size_t n);

private:
    const char* next_;
    const char* end_;
};
