#include "ModelScope.h"
#include "BulkMemory.h"

#include <gtest/gtest.h>

#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#endif

#include <cstdint>
#include <cstring>
#include <memory>
#include <set>
#include <thread>
#include <vector>

namespace {

struct Piece {
    unsigned char* bytes;
    size_t size;
    unsigned char fill;
};

// Pieces of every size from 1 byte to past the largest block a thread cuts
// from, every fifth a heap block of its own, each filled with its own byte.
std::vector<Piece> TakeMany(int count)
{
    std::vector<Piece> pieces;
    for (int i = 0; i < count; ++i) {
        const size_t size = i % 997 == 0 ? size_t {300000} + i : 1 + static_cast<size_t>(i % 700);
        void* memory = i % 5 == 0 ? BulkMemory::TakeSingle(size) : BulkMemory::Take(size);
        auto* bytes = static_cast<unsigned char*>(memory);
        const auto fill = static_cast<unsigned char>(i * 7 + 1);
        std::memset(bytes, fill, size);
        pieces.push_back({bytes, size, fill});
    }
    return pieces;
}

bool Intact(const Piece& piece)
{
    for (size_t k = 0; k < piece.size; ++k) {
        if (piece.bytes[k] != piece.fill) {
            return false;
        }
    }
    return true;
}

} // namespace

// Pieces never overlap and keep their alignment, across many blocks.
TEST(BulkMemory, PiecesAreSeparateAndAligned)
{
    std::vector<Piece> pieces = TakeMany(20000);
    for (const Piece& piece : pieces) {
        ASSERT_EQ(reinterpret_cast<uintptr_t>(piece.bytes) % BulkMemory::kAlignment, 0u);
        ASSERT_TRUE(Intact(piece)) << piece.size;
    }
    for (const Piece& piece : pieces) {
        BulkMemory::Give(piece.bytes);
    }
    BulkMemory::Give(nullptr);
}

// A model built on one thread and dropped on another, in any order, also
// after the building thread has ended.
TEST(BulkMemory, GivenBackOnOtherThreads)
{
    std::vector<Piece> pieces;
    std::thread builder([&] { pieces = TakeMany(30000); });
    builder.join();
    std::vector<Piece> odd, even;
    for (size_t i = 0; i < pieces.size(); ++i) {
        (i % 2 ? odd : even).push_back(pieces[i]);
    }
    std::thread dropper([&] {
        for (const Piece& piece : odd) {
            BulkMemory::Give(piece.bytes);
        }
    });
    for (const Piece& piece : even) {
        EXPECT_TRUE(Intact(piece));
        BulkMemory::Give(piece.bytes);
    }
    dropper.join();
}

TEST(BulkMemory, ElementsAndChildSetsUseIt)
{
    auto root = std::make_unique<CModelScope>();
    root->scopeChildren = std::make_unique<ScopeChildSet>();
    CModelScope key;
    for (int i = 0; i < 5000; ++i) {
        key.name = "element" + std::to_string(i);
        key.kind = 12;
        root->AddChild(key);
    }
    std::set<std::string> names;
    for (const auto& child : *root->scopeChildren) {
        EXPECT_EQ(child->parent, root.get());
        names.insert(child->name);
    }
    EXPECT_EQ(names.size(), 5000u);
    std::thread dropper([&] { root.reset(); });
    dropper.join();
    EXPECT_EQ(root, nullptr);
}

#if defined(__linux__)
// A thread that ends part way into one of the largest blocks keeps what it
// cut there and gives the pages behind its last piece back to the system.
TEST(BulkMemory, AnEndedThreadGivesTheRestOfItsBlockBack)
{
    constexpr uintptr_t kLargest = uintptr_t {2} << 20;
    constexpr size_t kSize = 1000;
    std::vector<Piece> pieces;
    uintptr_t blockStart = 0;
    std::thread builder([&] {
        // Cut until a piece opens a block aligned to its size (one mapped on
        // its own), then a few more.
        for (int i = 0; i < 10000; ++i) {
            auto* bytes = static_cast<unsigned char*>(BulkMemory::Take(kSize));
            const auto fill = static_cast<unsigned char>(i + 1);
            std::memset(bytes, fill, kSize);
            pieces.push_back({bytes, kSize, fill});
            const auto at = reinterpret_cast<uintptr_t>(bytes);
            if (blockStart == 0 && at % kLargest < 64) {
                blockStart = at / kLargest * kLargest;
            }
            if (blockStart != 0 && at > blockStart + 20 * kSize) {
                break;
            }
        }
    });
    builder.join();
    if (blockStart == 0) {
        for (const Piece& piece : pieces) {
            BulkMemory::Give(piece.bytes);
        }
        GTEST_SKIP() << "no block was mapped on its own";
    }
    const auto page = static_cast<uintptr_t>(::sysconf(_SC_PAGESIZE));
    const auto lastEnd = reinterpret_cast<uintptr_t>(pieces.back().bytes) + kSize;
    const uintptr_t restFrom = (lastEnd + page - 1) / page * page;
    const uintptr_t blockEnd = blockStart + kLargest;
    std::vector<unsigned char> resident((blockEnd - blockStart) / page);
    ASSERT_EQ(
        ::mincore(reinterpret_cast<void*>(blockStart), blockEnd - blockStart, resident.data()), 0);
    EXPECT_TRUE(resident[(lastEnd - 1 - blockStart) / page] & 1); // the last piece stays
    size_t kept = 0;
    for (uintptr_t at = restFrom; at < blockEnd; at += page) {
        kept += resident[(at - blockStart) / page] & 1;
    }
    EXPECT_EQ(kept, 0u);
    for (const Piece& piece : pieces) {
        EXPECT_TRUE(Intact(piece));
        BulkMemory::Give(piece.bytes);
    }
}
#endif
