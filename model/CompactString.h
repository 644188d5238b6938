#pragma once

#include <compare>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <string_view>

// A NUL-terminated text in sixteen bytes, for the names that every model
// element and declaration record holds (a std::string takes 32): up to
// fourteen characters in the object itself, a longer text in a heap block
// of its own. Reads like a std::string_view of its text and converts to a
// std::string; the text cannot be changed in place, only replaced.
//
// The last byte tells the two apart: its high bit is set for a text in the
// object, whose length is in the other bits; otherwise the first eight
// bytes are the block's address and the next four the length.
class CompactString {
public:
    CompactString() noexcept { Clear(); }
    CompactString(std::string_view text) { Set(text); }
    CompactString(const std::string& text) : CompactString(std::string_view(text)) { }
    CompactString(const char* text) : CompactString(std::string_view(text)) { }
    CompactString(const CompactString& other) : CompactString(other.view()) { }
    CompactString(CompactString&& other) noexcept
    {
        std::memcpy(bytes_, other.bytes_, sizeof bytes_);
        other.Clear();
    }
    CompactString& operator=(const CompactString& other)
    {
        if (this != &other) {
            CompactString copy(other);
            *this = std::move(copy);
        }
        return *this;
    }
    CompactString& operator=(CompactString&& other) noexcept
    {
        if (this != &other) {
            Free();
            std::memcpy(bytes_, other.bytes_, sizeof bytes_);
            other.Clear();
        }
        return *this;
    }
    CompactString& operator=(std::string_view text) { return *this = CompactString(text); }
    CompactString& operator=(const std::string& text) { return *this = CompactString(text); }
    CompactString& operator=(const char* text) { return *this = CompactString(text); }
    ~CompactString() { Free(); }

    const char* c_str() const { return IsInline() ? bytes_ : Heap(); }
    const char* data() const { return c_str(); }
    size_t size() const
    {
        return IsInline() ? static_cast<size_t>(bytes_[kTag] & 0x7f) : HeapSize();
    }
    size_t length() const { return size(); }
    bool empty() const { return size() == 0; }
    void clear() noexcept
    {
        Free();
        Clear();
    }
    std::string_view view() const { return {c_str(), size()}; }
    operator std::string_view() const { return view(); }
    std::string str() const { return std::string(view()); }
    operator std::string() const { return str(); }
    int compare(std::string_view other) const { return view().compare(other); }
    bool starts_with(std::string_view prefix) const { return view().starts_with(prefix); }
    std::string substr(size_t from, size_t count = std::string::npos) const
    {
        return std::string(view().substr(from, count));
    }
    char operator[](size_t i) const { return c_str()[i]; }

    friend bool operator==(const CompactString& a, const CompactString& b)
    {
        return a.view() == b.view();
    }
    friend bool operator==(const CompactString& a, std::string_view b) { return a.view() == b; }
    friend bool operator==(const CompactString& a, const std::string& b) { return a.view() == b; }
    friend bool operator==(const CompactString& a, const char* b) { return a.view() == b; }
    friend auto operator<=>(const CompactString& a, const CompactString& b)
    {
        return a.view() <=> b.view();
    }
    friend auto operator<=>(const CompactString& a, std::string_view b) { return a.view() <=> b; }
    template <class Stream> friend Stream& operator<<(Stream& out, const CompactString& text)
    {
        out << text.view();
        return out;
    }
    friend std::string operator+(const std::string& a, const CompactString& b)
    {
        return a + b.str();
    }
    friend std::string operator+(const CompactString& a, const std::string& b)
    {
        return a.str() + b;
    }
    friend std::string operator+(const char* a, const CompactString& b) { return a + b.str(); }
    friend std::string operator+(const CompactString& a, const char* b) { return a.str() + b; }

private:
    static constexpr size_t kTag = 15;
    static constexpr size_t kMostInline = 14;

    bool IsInline() const { return (bytes_[kTag] & 0x80) != 0; }
    const char* Heap() const
    {
        const char* p;
        std::memcpy(&p, bytes_, sizeof p);
        return p;
    }
    size_t HeapSize() const
    {
        uint32_t n;
        std::memcpy(&n, bytes_ + 8, sizeof n);
        return n;
    }
    void Clear() noexcept
    {
        std::memset(bytes_, 0, sizeof bytes_);
        bytes_[kTag] = static_cast<char>(0x80);
    }
    void Free() noexcept
    {
        if (!IsInline()) {
            std::free(const_cast<char*>(Heap()));
        }
    }
    void Set(std::string_view text)
    {
        if (text.size() <= kMostInline) {
            std::memset(bytes_, 0, sizeof bytes_);
            std::memcpy(bytes_, text.data(), text.size());
            bytes_[kTag] = static_cast<char>(0x80 | text.size());
            return;
        }
        char* block = static_cast<char*>(std::malloc(text.size() + 1));
        if (!block) {
            throw std::bad_alloc();
        }
        std::memcpy(block, text.data(), text.size());
        block[text.size()] = '\0';
        std::memset(bytes_, 0, sizeof bytes_);
        std::memcpy(bytes_, &block, sizeof block);
        const auto n = static_cast<uint32_t>(text.size());
        std::memcpy(bytes_ + 8, &n, sizeof n);
    }

    alignas(8) char bytes_[16];
};
