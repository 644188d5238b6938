#pragma once

#include <cstddef>
#include <new>

// Memory for the elements of the project-wide model and the nodes of their
// child sets. A model is made of tens of thousands of small pieces that are
// made together and go together; they are cut from large blocks, each
// thread filling one block at a time, instead of taking one heap block each.
// A piece may be given back on any thread; a block goes back to the heap
// when every piece cut from it has been given back and its thread has moved
// on to another block (or ended).
namespace ModelScopeMemory {

// `size` bytes aligned for any object of alignment 8 or less.
void* Take(std::size_t size);
// Gives back a piece from Take (nullptr: nothing).
void Give(void* piece) noexcept;

inline constexpr std::size_t kAlignment = 8;

} // namespace ModelScopeMemory

// A standard allocator over ModelScopeMemory, for the node-based containers
// of the model.
template <class T>
struct ModelScopeAllocator {
    static_assert(alignof(T) <= ModelScopeMemory::kAlignment);
    using value_type = T;

    ModelScopeAllocator() noexcept = default;
    template <class U>
    ModelScopeAllocator(const ModelScopeAllocator<U>&) noexcept {}

    T* allocate(std::size_t n)
    {
        if (n > static_cast<std::size_t>(-1) / sizeof(T)) {
            throw std::bad_alloc();
        }
        return static_cast<T*>(ModelScopeMemory::Take(n * sizeof(T)));
    }
    void deallocate(T* p, std::size_t) noexcept { ModelScopeMemory::Give(p); }

    template <class U>
    bool operator==(const ModelScopeAllocator<U>&) const noexcept { return true; }
};
