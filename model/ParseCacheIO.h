#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <string>

// The byte-level items of the parse cache: 32-bit numbers little-endian,
// bools as one byte, strings as a count and their bytes. No padding.

// A block of bytes a sink fills: `size` of its `capacity` bytes are used.
struct CacheChunk {
    std::unique_ptr<char[]> bytes;
    size_t capacity = 0;
    size_t size = 0;
};

// Appends items to a byte buffer, or streams them through one (SpillTo).
// Writers that know how many bytes an item takes ask for the room once and
// fill it with Put before they ask for more (a cache is written item by
// item, millions of them, so each must cost next to nothing).
class CCacheSink {
public:
    CCacheSink() = default;
    CCacheSink(const CCacheSink&) = delete;
    CCacheSink& operator=(const CCacheSink&) = delete;

    // From now on the bytes held go to `spill` whenever the buffer of
    // `chunk` bytes is full, so that a large cache is written out while it
    // is still in the processor's cache and is never held whole. The spill
    // gets the full buffer and leaves in its place an empty one to go on
    // with (the same, or another that it takes over). Offsets (Size,
    // PatchInt) stay those of the whole stream. A spill that fails throws,
    // and the exception leaves the writing function.
    using Spill = std::function<void(CacheChunk& full)>;
    void SpillTo(size_t chunk, Spill spill);
    // Hands the bytes held to the spill.
    void Flush();
    // Counts n bytes that went to where the spill writes by another way,
    // right after a Flush: offsets stay those of the whole stream.
    void PassOver(size_t n) { spilled_ += n; }

    void WriteInt(int32_t value) { Put(Room(4), static_cast<uint32_t>(value)); }
    void WriteSize(uint32_t value) { Put(Room(4), value); }
    void WriteBool(bool value) { *Room(1) = value ? '\1' : '\0'; }
    void WriteChars(const char* data, size_t length)
    {
        if (length > 0) {
            std::memcpy(Room(length), data, length);
        }
    }
    // A count and the bytes up to the first NUL (a NUL would end the text
    // when it is read back).
    void WriteString(const std::string& text)
    {
        const size_t length = std::strlen(text.c_str());
        char* at = Put(Room(4 + length), static_cast<uint32_t>(length));
        if (length > 0) {
            std::memcpy(at, text.data(), length);
        }
    }

    // The next n bytes of the buffer, to be filled by the caller.
    char* Room(size_t n)
    {
        char* at = Reserve(n);
        next_ += n;
        return at;
    }
    // Room for up to n bytes, of which the caller fills and then commits
    // as many as it needs (nothing is asked of the sink in between).
    char* Reserve(size_t n)
    {
        if (n > static_cast<size_t>(end_ - next_)) {
            MakeRoom(n);
        }
        return next_;
    }
    void Commit(size_t n) { next_ += n; }
    // Stores a 32-bit value little-endian at `at`; returns the byte after.
    static char* Put(char* at, uint32_t value)
    {
        at[0] = static_cast<char>(value & 0xFF);
        at[1] = static_cast<char>((value >> 8) & 0xFF);
        at[2] = static_cast<char>((value >> 16) & 0xFF);
        at[3] = static_cast<char>((value >> 24) & 0xFF);
        return at + 4;
    }

    // Overwrites the four bytes at `offset` (written before, and not yet
    // spilled) with a value.
    void PatchInt(size_t offset, int32_t value)
    {
        Put(chunk_.bytes.get() + (offset - spilled_), static_cast<uint32_t>(value));
    }

    // Bytes written in all, and how many of them were spilled.
    size_t Size() const { return spilled_ + Held(); }
    size_t Spilled() const { return spilled_; }
    // The bytes held (all that were written when nothing spills).
    const char* Data() const { return chunk_.bytes.get(); }
    size_t Held() const { return static_cast<size_t>(next_ - chunk_.bytes.get()); }
    std::string Bytes() const { return std::string(Data(), Held()); }
    // Forgets the bytes held and keeps the room (a sink that does not
    // spill).
    void Clear() { next_ = chunk_.bytes.get(); }
    // Hands over the bytes held with their room (`size` is what was
    // written) and goes on with none (a sink that does not spill).
    CacheChunk TakeChunk();
    // Goes on in the room of `chunk` (its bytes are forgotten) instead of
    // its own (a sink that does not spill).
    void Adopt(CacheChunk chunk);

private:
    void MakeRoom(size_t n);
    void Grow(size_t n);

    Spill spill_;
    size_t spilled_ = 0;
    CacheChunk chunk_; // its size is kept in next_
    char* next_ = nullptr;
    char* end_ = nullptr;
};

// Reads items from a block of bytes. Every read is checked against the
// bytes left and throws a CacheError naming what could not be read. The
// reads are inline: a cache is read item by item, millions of them.
class CCacheSource {
public:
    CCacheSource(const char* data, size_t length) : next_(data), end_(data + length) { }

    int32_t ReadInt()
    {
        if (Left() < 4) [[unlikely]] {
            Fail("Read Integer Error.");
        }
        return static_cast<int32_t>(Next4());
    }
    uint32_t ReadSize()
    {
        if (Left() < 4) [[unlikely]] {
            Fail("Read size_t Error.");
        }
        return Next4();
    }
    // Only 0 and 1 are bools; any other byte is damage.
    bool ReadBool()
    {
        if (Left() < 1 || static_cast<unsigned char>(*next_) > 1) [[unlikely]] {
            Fail("Read Bool Error.");
        }
        return *next_++ == 1;
    }
    // The next n bytes (valid while the block lives).
    const char* ReadChars(size_t n)
    {
        if (Left() < n) [[unlikely]] {
            Fail("Read Character Error.");
        }
        const char* data = next_;
        next_ += n;
        return data;
    }
    std::string ReadString();
    // A count of elements that each take at least `minimumBytes` bytes; a
    // count that cannot fit in the bytes left is damage.
    uint32_t ReadCount(size_t minimumBytes)
    {
        const uint32_t count = ReadSize();
        if (minimumBytes > 0 && count > Left() / minimumBytes) [[unlikely]] {
            Fail("Read size_t Error.");
        }
        return count;
    }

    // A little-endian 32-bit value at p (no check).
    static uint32_t Decode(const char* p)
    {
        const auto* b = reinterpret_cast<const unsigned char*>(p);
        return static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8) |
            (static_cast<uint32_t>(b[2]) << 16) | (static_cast<uint32_t>(b[3]) << 24);
    }

    size_t Left() const { return static_cast<size_t>(end_ - next_); }
    bool AtEnd() const { return next_ == end_; }
    // Where the next read starts.
    const char* Position() const { return next_; }
    // A source over the next n bytes; this one moves past them.
    CCacheSource Take(size_t n);

private:
    // Throws a CacheError with the text.
    [[noreturn]] static void Fail(const char* what);
    uint32_t Next4()
    {
        const uint32_t value = Decode(next_);
        next_ += 4;
        return value;
    }

    const char* next_;
    const char* end_;
};
