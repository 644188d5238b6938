#include "BulkMemory.h"

#include <atomic>
#include <cstdint>
#include <cstdlib>

#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace BulkMemory {
namespace {

// Every piece is preceded by the address of its block, or by nullptr when it
// is a heap block of its own.
struct Block {
    // The pieces a block can hold at most, plus one for its thread; pieces
    // and the thread each give back their share.
    std::atomic<std::size_t> holds;
    // Bytes mapped for the block, or 0 when it came from the heap.
    std::size_t mapped;
};

constexpr std::size_t kHeader = sizeof(Block*);
static_assert(kHeader % kAlignment == 0);
constexpr std::size_t kFirstBlock = std::size_t {64} << 10;
// The size of a huge page on the usual machines: the largest blocks are
// mapped on their own, aligned to it, so that the system may back each with
// one huge page instead of 512 small ones (a fault for each).
constexpr std::size_t kLargestBlock = std::size_t {2} << 20;
constexpr std::size_t kBlockStart = (sizeof(Block) + kAlignment - 1) / kAlignment * kAlignment;

// A block of kLargestBlock bytes aligned to its size, or nullptr.
void* MapLargestBlock()
{
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    const std::size_t span = 2 * kLargestBlock;
    void* mapped =
        ::mmap(nullptr, span, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) {
        return nullptr;
    }
    char* start = static_cast<char*>(mapped);
    char* aligned = reinterpret_cast<char*>(
        (reinterpret_cast<std::uintptr_t>(start) + kLargestBlock - 1) & ~(kLargestBlock - 1));
    if (aligned > start) {
        ::munmap(start, static_cast<std::size_t>(aligned - start));
    }
    char* end = start + span;
    if (aligned + kLargestBlock < end) {
        ::munmap(
            aligned + kLargestBlock, static_cast<std::size_t>(end - (aligned + kLargestBlock)));
    }
    ::madvise(aligned, kLargestBlock, MADV_HUGEPAGE); // a hint; refused is fine
    return aligned;
#else
    return nullptr;
#endif
}

void FreeBlock(Block* block) noexcept
{
    const std::size_t mapped = block->mapped;
    block->~Block();
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    if (mapped) {
        ::munmap(block, mapped);
        return;
    }
#endif
    std::free(block);
}

void Release(Block* block, std::size_t holds) noexcept
{
    if (block->holds.fetch_sub(holds, std::memory_order_acq_rel) == holds) {
        FreeBlock(block);
    }
}

std::size_t PieceBytes(std::size_t size)
{
    return kHeader + (size + kAlignment - 1) / kAlignment * kAlignment;
}

// The block a thread is cutting pieces from. Blocks grow with use, so that
// a small model stays small and a large one needs few blocks.
class Cutter {
public:
    ~Cutter() { Retire(); }

    void* Cut(std::size_t size)
    {
        const std::size_t need = PieceBytes(size);
        if (need > kLargestBlock / 8) {
            return TakeSingle(size);
        }
        if (!block_ || static_cast<std::size_t>(end_ - next_) < need) {
            NewBlock();
        }
        char* piece = next_;
        next_ += need;
        ++cut_;
        *reinterpret_cast<Block**>(piece) = block_;
        return piece + kHeader;
    }

private:
    void NewBlock()
    {
        Retire();
        size_ = size_ == 0 ? kFirstBlock : (size_ < kLargestBlock ? size_ * 2 : size_);
        std::size_t mapped = 0;
        void* memory = nullptr;
        if (size_ == kLargestBlock) {
            memory = MapLargestBlock();
            mapped = memory ? size_ : 0;
        }
        if (!memory) {
            memory = std::malloc(size_);
        }
        if (!memory) {
            throw std::bad_alloc();
        }
        most_ = size_ / kHeader; // no piece is smaller than its header
        block_ = new (memory) Block {most_ + 1, mapped};
        next_ = static_cast<char*>(memory) + kBlockStart;
        end_ = static_cast<char*>(memory) + size_;
    }

    void Retire() noexcept
    {
        if (block_) {
            GiveBackRest();
            Release(block_, most_ + 1 - cut_);
            block_ = nullptr;
            next_ = end_ = nullptr;
            cut_ = 0;
        }
    }

    // No piece is cut from a block after its thread moved on: the whole
    // pages behind the last piece of a mapped block go back to the system
    // (a thread that ends leaves up to a block's worth untouched, which a
    // huge page backs whole). They are first taken out of the huge-page
    // hint, or the kernel's background merging may back the block with a
    // whole huge page again. Done before the thread lets go of the block,
    // which may be unmapped as soon as it has.
    void GiveBackRest() noexcept
    {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
        if (block_->mapped == 0) {
            return;
        }
        const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
        const std::uintptr_t from =
            (reinterpret_cast<std::uintptr_t>(next_) + page - 1) / page * page;
        const auto to = reinterpret_cast<std::uintptr_t>(end_);
        if (to > from) {
            ::madvise(reinterpret_cast<void*>(from), to - from, MADV_NOHUGEPAGE);
            ::madvise(reinterpret_cast<void*>(from), to - from, MADV_DONTNEED);
        }
#endif
    }

    Block* block_ = nullptr;
    char* next_ = nullptr;
    char* end_ = nullptr;
    std::size_t size_ = 0; // of the current block
    std::size_t most_ = 0; // pieces it can hold at most
    std::size_t cut_ = 0; // pieces cut from it
};

thread_local Cutter t_cutter;

} // namespace

void* Take(std::size_t size)
{
    return t_cutter.Cut(size);
}

void* TakeSingle(std::size_t size)
{
    auto* own = static_cast<char*>(std::malloc(PieceBytes(size)));
    if (!own) {
        throw std::bad_alloc();
    }
    *reinterpret_cast<Block**>(own) = nullptr;
    return own + kHeader;
}

void Give(void* piece) noexcept
{
    if (!piece) {
        return;
    }
    char* start = static_cast<char*>(piece) - kHeader;
    Block* block = *reinterpret_cast<Block**>(start);
    if (block) {
        Release(block, 1);
    } else {
        std::free(start);
    }
}

} // namespace BulkMemory
