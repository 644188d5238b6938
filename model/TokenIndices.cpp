#include "TokenIndices.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <stdexcept>

namespace {

constexpr size_t kHeadBytes = 2 * sizeof(uint32_t);
constexpr size_t kMostStored = 0xffffffffu;

} // namespace

TokenIndices::TokenIndices(const TokenIndices& other)
{
    if (other.IsRun() || other.bits_ == 0) {
        bits_ = other.bits_;
        return;
    }
    const size_t count = other.size();
    Store(count);
    std::memcpy(Block()->positions, other.Data(), count * sizeof(int));
    Block()->size = static_cast<uint32_t>(count);
}

TokenIndices& TokenIndices::operator=(const TokenIndices& other)
{
    if (this != &other) {
        TokenIndices copy(other);
        *this = std::move(copy);
    }
    return *this;
}

TokenIndices& TokenIndices::operator=(TokenIndices&& other) noexcept
{
    if (this != &other) {
        Free();
        bits_ = other.bits_;
        other.bits_ = 0;
    }
    return *this;
}

size_t TokenIndices::size() const
{
    if (bits_ == 0) {
        return 0;
    }
    return IsRun() ? RunLength() : Block()->size;
}

int TokenIndices::at(size_t i) const
{
    if (i >= size()) {
        throw std::out_of_range("TokenIndices::at: position out of range");
    }
    return (*this)[i];
}

TokenIndices::const_iterator TokenIndices::begin() const
{
    if (bits_ == 0) {
        return {};
    }
    return IsRun() ? const_iterator(nullptr, RunStart()) : const_iterator(Data(), 0);
}

TokenIndices::const_iterator TokenIndices::end() const
{
    if (bits_ == 0) {
        return {};
    }
    return IsRun() ? const_iterator(nullptr,
                         static_cast<int>(
                             static_cast<int64_t>(RunStart()) + static_cast<int64_t>(RunLength())))
                   : const_iterator(Data() + Block()->size, 0);
}

void TokenIndices::Store(size_t capacity)
{
    const size_t count = size();
    capacity = std::max(capacity, count);
    if (capacity > kMostStored) {
        throw std::length_error("TokenIndices: list too long");
    }
    if (bits_ != 0 && !IsRun() && Block()->capacity >= capacity) {
        return;
    }
    auto* block =
        static_cast<Stored*>(std::malloc(kHeadBytes + std::max<size_t>(capacity, 1) * sizeof(int)));
    if (!block) {
        throw std::bad_alloc();
    }
    block->size = static_cast<uint32_t>(count);
    block->capacity = static_cast<uint32_t>(std::max<size_t>(capacity, 1));
    if (IsRun()) {
        const int start = RunStart();
        for (size_t k = 0; k < count; ++k) {
            block->positions[k] = start + static_cast<int>(k);
        }
    } else if (bits_ != 0) {
        std::memcpy(block->positions, Data(), count * sizeof(int));
    }
    Free();
    bits_ = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(block));
}

void TokenIndices::Free() noexcept
{
    if (bits_ != 0 && !IsRun()) {
        std::free(Block());
    }
    bits_ = 0;
}

void TokenIndices::push_back(int position)
{
    if (bits_ == 0) {
        SetRun(position, 1);
        return;
    }
    if (IsRun()) {
        const size_t length = RunLength();
        if (length < kMostInRun &&
            static_cast<int64_t>(RunStart()) + static_cast<int64_t>(length) == position) {
            SetRun(RunStart(), length + 1);
            return;
        }
        Store(std::max<size_t>(2 * length, 4));
    } else if (Block()->size == Block()->capacity) {
        Store(std::max<size_t>(2 * static_cast<size_t>(Block()->size), 4));
    }
    Block()->positions[Block()->size++] = position;
}

void TokenIndices::reserve(size_t count)
{
    if (bits_ != 0 && !IsRun() && count > Block()->capacity) {
        Store(count);
    }
}

void TokenIndices::resize(size_t count)
{
    const size_t now = size();
    if (count >= now) {
        for (size_t k = now; k < count; ++k) {
            push_back(0);
        }
        return;
    }
    if (count == 0) {
        Free();
    } else if (IsRun()) {
        SetRun(RunStart(), count);
    } else {
        Block()->size = static_cast<uint32_t>(count);
    }
}

bool operator==(const TokenIndices& a, const TokenIndices& b)
{
    const size_t count = a.size();
    if (count != b.size()) {
        return false;
    }
    for (size_t k = 0; k < count; ++k) {
        if (a[k] != b[k]) {
            return false;
        }
    }
    return true;
}
