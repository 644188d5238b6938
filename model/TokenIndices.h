#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <stdexcept>
#include <type_traits>

// Positions of tokens in a file's token vector, in source order: what units
// and detail records hold. Most such lists are runs of consecutive positions
// (a declaration on one line, the type words of a declaration, the
// expression after return), and a run is kept as its first position and its
// length in the object itself; any other list in a heap block. Either way the
// object is eight bytes, and the list reads like a vector of int (elements
// by value: they cannot be changed in place).
class TokenIndices {
public:
    using value_type = int;
    using size_type = size_t;
    using difference_type = std::ptrdiff_t;

    // Walks a run by counting, a stored list by pointer.
    class const_iterator {
    public:
        using iterator_category = std::random_access_iterator_tag;
        using value_type = int;
        using difference_type = std::ptrdiff_t;
        using reference = int;
        using pointer = void;

        const_iterator() = default;
        const_iterator(const int* at, int value) : at_(at), value_(value) { }

        int operator*() const { return at_ ? *at_ : value_; }
        int operator[](difference_type n) const { return *(*this + n); }
        const_iterator& operator++() { return *this += 1; }
        const_iterator operator++(int)
        {
            const_iterator before = *this;
            *this += 1;
            return before;
        }
        const_iterator& operator--() { return *this -= 1; }
        const_iterator operator--(int)
        {
            const_iterator before = *this;
            *this -= 1;
            return before;
        }
        const_iterator& operator+=(difference_type n)
        {
            if (at_) {
                at_ += n;
            } else {
                value_ = static_cast<int>(static_cast<int64_t>(value_) + n);
            }
            return *this;
        }
        const_iterator& operator-=(difference_type n) { return *this += -n; }
        friend const_iterator operator+(const_iterator it, difference_type n) { return it += n; }
        friend const_iterator operator+(difference_type n, const_iterator it) { return it += n; }
        friend const_iterator operator-(const_iterator it, difference_type n) { return it -= n; }
        friend difference_type operator-(const const_iterator& a, const const_iterator& b)
        {
            return a.at_
                ? a.at_ - b.at_
                : static_cast<difference_type>(a.value_) - static_cast<difference_type>(b.value_);
        }
        friend bool operator==(const const_iterator& a, const const_iterator& b)
        {
            return a.at_ == b.at_ && a.value_ == b.value_;
        }
        friend auto operator<=>(const const_iterator& a, const const_iterator& b)
        {
            return a - b <=> 0;
        }

    private:
        const int* at_ = nullptr; // a stored list's element, or none in a run
        int value_ = 0; // the position a run's iterator stands for
    };
    using iterator = const_iterator;

    TokenIndices() noexcept = default;
    TokenIndices(std::initializer_list<int> positions)
    {
        assign(positions.begin(), positions.end());
    }
    template <class It> TokenIndices(It first, It last) { assign(first, last); }
    TokenIndices(const TokenIndices& other);
    TokenIndices(TokenIndices&& other) noexcept : bits_(other.bits_) { other.bits_ = 0; }
    TokenIndices& operator=(const TokenIndices& other);
    TokenIndices& operator=(TokenIndices&& other) noexcept;
    ~TokenIndices() { Free(); }

    size_t size() const;
    bool empty() const { return size() == 0; }
    int operator[](size_t i) const
    {
        return IsRun() ? RunStart() + static_cast<int>(i) : Data()[i];
    }
    // Throws std::out_of_range for a position past the end.
    int at(size_t i) const;
    int front() const { return (*this)[0]; }
    int back() const { return (*this)[size() - 1]; }
    const_iterator begin() const;
    const_iterator end() const;
    const_iterator cbegin() const { return begin(); }
    const_iterator cend() const { return end(); }

    void push_back(int position);
    // A hint only: room is made when the list is stored, not while it is a
    // run (or empty), which needs none.
    void reserve(size_t count);
    // Shorter: the first `count` stay; longer: zeros follow.
    void resize(size_t count);
    void clear() noexcept { Free(); }
    void pop_back() { resize(size() - 1); }
    template <class It> void assign(It first, It last);
    // Appends [first, last) at the end (the only place lists grow at).
    template <class It> const_iterator insert(const_iterator where, It first, It last);

    friend bool operator==(const TokenIndices& a, const TokenIndices& b);

    // Whether the list is kept as a run (no heap block): for tests.
    bool IsCompact() const { return bits_ == 0 || IsRun(); }

private:
    // A stored list: its size and room, then the positions.
    struct Stored {
        uint32_t size;
        uint32_t capacity;
        int positions[1];
    };

    static constexpr uint64_t kRunTag = 1;
    static constexpr size_t kMostInRun = 0x7fffffff;

    bool IsRun() const { return (bits_ & kRunTag) != 0; }
    int RunStart() const { return static_cast<int32_t>(static_cast<uint32_t>(bits_ >> 32)); }
    size_t RunLength() const { return static_cast<size_t>((bits_ & 0xffffffffu) >> 1); }
    void SetRun(int start, size_t length)
    {
        bits_ = length == 0 ? 0
                            : (static_cast<uint64_t>(static_cast<uint32_t>(start)) << 32) |
                (static_cast<uint64_t>(length) << 1) | kRunTag;
    }
    Stored* Block() const { return reinterpret_cast<Stored*>(static_cast<uintptr_t>(bits_)); }
    const int* Data() const { return Block()->positions; }

    // Stores the list in a block with room for `capacity` (at least its size).
    void Store(size_t capacity);
    void Free() noexcept;
    // Whether the positions, `count` of them, run consecutively.
    template <class It> static bool IsConsecutive(It first, size_t count, int& start);
    template <class It> void Append(It first, It last);

    // 0: empty; low bit set: a run (start in the high half, length above the
    // tag); otherwise the address of a Stored block.
    uint64_t bits_ = 0;
};

template <class It> bool TokenIndices::IsConsecutive(It first, size_t count, int& start)
{
    if (count == 0 || count > kMostInRun) {
        return false;
    }
    start = static_cast<int>(*first);
    int64_t expected = start;
    for (size_t k = 0; k < count; ++k, ++first) {
        if (static_cast<int64_t>(*first) != expected++) {
            return false;
        }
    }
    return true;
}

template <class It> void TokenIndices::assign(It first, It last)
{
    if constexpr (std::is_base_of_v<std::forward_iterator_tag,
                      typename std::iterator_traits<It>::iterator_category>) {
        const auto count = static_cast<size_t>(std::distance(first, last));
        int start = 0;
        if (count == 0 || IsConsecutive(first, count, start)) {
            Free();
            SetRun(start, count);
            return;
        }
        TokenIndices stored;
        stored.Store(count);
        for (; first != last; ++first) {
            stored.Block()->positions[stored.Block()->size++] = static_cast<int>(*first);
        }
        *this = std::move(stored);
    } else {
        TokenIndices built;
        built.Append(first, last);
        *this = std::move(built);
    }
}

template <class It> void TokenIndices::Append(It first, It last)
{
    for (; first != last; ++first) {
        push_back(static_cast<int>(*first));
    }
}

template <class It>
TokenIndices::const_iterator TokenIndices::insert(const_iterator where, It first, It last)
{
    const size_t before = size();
    if (where != end()) {
        throw std::invalid_argument("TokenIndices::insert: only at the end");
    }
    if constexpr (std::is_base_of_v<std::forward_iterator_tag,
                      typename std::iterator_traits<It>::iterator_category>) {
        if (!IsRun() && bits_ != 0) {
            const auto count = static_cast<size_t>(std::distance(first, last));
            if (count > 0) {
                reserve(before + count);
            }
        }
    }
    Append(first, last);
    return begin() + static_cast<difference_type>(before);
}
