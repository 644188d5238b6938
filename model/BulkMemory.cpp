#include "BulkMemory.h"

#include <atomic>
#include <cstdint>
#include <cstdlib>

namespace BulkMemory {
namespace {

// Every piece is preceded by the address of its block, or by nullptr when it
// is a heap block of its own (pieces too large to cut from a block).
struct Block {
    // The pieces a block can hold at most, plus one for its thread; pieces
    // and the thread each give back their share.
    std::atomic<std::size_t> holds;
};

constexpr std::size_t kHeader = sizeof(Block*);
static_assert(kHeader % kAlignment == 0);
constexpr std::size_t kFirstBlock = std::size_t{64} << 10;
constexpr std::size_t kLargestBlock = std::size_t{2} << 20;
constexpr std::size_t kBlockStart = (sizeof(Block) + kAlignment - 1) / kAlignment * kAlignment;

void Release(Block* block, std::size_t holds) noexcept
{
    if (block->holds.fetch_sub(holds, std::memory_order_acq_rel) == holds) {
        block->~Block();
        std::free(block);
    }
}

// The block a thread is cutting pieces from. Blocks grow with use, so that
// a small model stays small and a large one needs few blocks.
class Cutter {
public:
    ~Cutter() { Retire(); }

    void* Cut(std::size_t size)
    {
        const std::size_t need = kHeader + (size + kAlignment - 1) / kAlignment * kAlignment;
        if (need > kLargestBlock / 8) {
            auto* own = static_cast<char*>(std::malloc(need));
            if (!own) {
                throw std::bad_alloc();
            }
            *reinterpret_cast<Block**>(own) = nullptr;
            return own + kHeader;
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
        void* memory = std::malloc(size_);
        if (!memory) {
            throw std::bad_alloc();
        }
        most_ = size_ / kHeader; // no piece is smaller than its header
        block_ = new (memory) Block{most_ + 1};
        next_ = static_cast<char*>(memory) + kBlockStart;
        end_ = static_cast<char*>(memory) + size_;
    }

    void Retire() noexcept
    {
        if (block_) {
            Release(block_, most_ + 1 - cut_);
            block_ = nullptr;
            next_ = end_ = nullptr;
            cut_ = 0;
        }
    }

    Block* block_ = nullptr;
    char* next_ = nullptr;
    char* end_ = nullptr;
    std::size_t size_ = 0;  // of the current block
    std::size_t most_ = 0;  // pieces it can hold at most
    std::size_t cut_ = 0;   // pieces cut from it
};

thread_local Cutter t_cutter;

} // namespace

void* Take(std::size_t size)
{
    return t_cutter.Cut(size);
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
