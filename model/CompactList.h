#pragma once

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <type_traits>
#include <utility>

// A list of pointer-sized values (unit pointers, file path references) that
// takes one word: a single element is kept in the word itself, more of them
// in a heap block. Model elements hold four such lists, and nearly all of
// them hold one unit or file (a variable declared once), so the model costs
// no heap block for them. A value that is null or has its lowest bit set
// (which no pointer to an object of alignment two or more has) is kept in a
// block too. Reads like a vector; elements cannot be changed in place.
template <class T> class CompactList {
    static_assert(sizeof(T) == sizeof(uintptr_t));
    static_assert(std::is_trivially_copyable_v<T> && std::is_trivially_destructible_v<T>);

public:
    using value_type = T;
    using const_iterator = const T*;
    using iterator = const T*;

    CompactList() noexcept { SetWord(0); }
    CompactList(const CompactList& other) : CompactList()
    {
        for (const T& value : other) {
            push_back(value);
        }
    }
    CompactList(CompactList&& other) noexcept
    {
        std::memcpy(storage_, other.storage_, sizeof(storage_));
        other.SetWord(0);
    }
    CompactList& operator=(const CompactList& other)
    {
        if (this != &other) {
            CompactList copy(other);
            *this = std::move(copy);
        }
        return *this;
    }
    CompactList& operator=(CompactList&& other) noexcept
    {
        if (this != &other) {
            clear();
            std::memcpy(storage_, other.storage_, sizeof(storage_));
            other.SetWord(0);
        }
        return *this;
    }
    ~CompactList() { clear(); }

    size_t size() const
    {
        const uintptr_t word = Word();
        return word == 0 ? 0 : IsBlock(word) ? BlockOf(word)->size : 1;
    }
    bool empty() const { return Word() == 0; }
    const T* begin() const
    {
        const uintptr_t word = Word();
        return IsBlock(word) ? Items(BlockOf(word))
                             : std::launder(reinterpret_cast<const T*>(storage_));
    }
    const T* end() const { return begin() + size(); }
    const T& operator[](size_t i) const { return begin()[i]; }
    const T& front() const { return *begin(); }
    const T& back() const { return begin()[size() - 1]; }

    void push_back(const T& value)
    {
        const uintptr_t word = Word();
        if (word == 0 && Inline(value)) {
            new (storage_) T(value);
            return;
        }
        Block* block = IsBlock(word) ? BlockOf(word) : nullptr;
        if (block == nullptr || block->size == block->capacity) {
            const size_t count = size();
            const size_t capacity = count < 2 ? 2 : 2 * count;
            auto* grown = static_cast<Block*>(std::malloc(sizeof(Block) + capacity * sizeof(T)));
            if (grown == nullptr) {
                throw std::bad_alloc();
            }
            grown->size = static_cast<uint32_t>(count);
            grown->capacity = static_cast<uint32_t>(capacity);
            if (count > 0) {
                std::memcpy(static_cast<void*>(Items(grown)), begin(), count * sizeof(T));
            }
            if (block != nullptr) {
                std::free(block);
            }
            block = grown;
            SetWord(reinterpret_cast<uintptr_t>(block) | kBlockTag);
        }
        new (Items(block) + block->size) T(value);
        ++block->size;
    }

    void clear() noexcept
    {
        const uintptr_t word = Word();
        if (IsBlock(word)) {
            std::free(BlockOf(word));
        }
        SetWord(0);
    }

    friend bool operator==(const CompactList& a, const CompactList& b)
    {
        if (a.size() != b.size()) {
            return false;
        }
        for (size_t i = 0; i < a.size(); ++i) {
            if (!(a[i] == b[i])) {
                return false;
            }
        }
        return true;
    }

private:
    struct Block {
        uint32_t size;
        uint32_t capacity;
    };
    static_assert(sizeof(Block) % alignof(T) == 0);
    static constexpr uintptr_t kBlockTag = 1;

    static bool Inline(const T& value)
    {
        uintptr_t bits;
        std::memcpy(&bits, &value, sizeof(bits));
        return bits != 0 && (bits & kBlockTag) == 0;
    }
    static bool IsBlock(uintptr_t word) { return (word & kBlockTag) != 0; }
    static Block* BlockOf(uintptr_t word) { return reinterpret_cast<Block*>(word & ~kBlockTag); }
    static T* Items(Block* block) { return reinterpret_cast<T*>(block + 1); }

    uintptr_t Word() const
    {
        uintptr_t word;
        std::memcpy(&word, storage_, sizeof(word));
        return word;
    }
    void SetWord(uintptr_t word) { std::memcpy(storage_, &word, sizeof(word)); }

    // 0: empty; a block's address with the tag bit set; otherwise the one
    // element itself.
    alignas(T) alignas(uintptr_t) unsigned char storage_[sizeof(T)];
};
