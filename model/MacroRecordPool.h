#pragma once

#include "SharedMacro.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string_view>
#include <vector>

// The macro definitions read back by one load of the parse cache, by the
// bytes of their records, so that every table naming a definition stored
// with the same bytes holds the one definition read first: the tables of a
// project repeat the definitions of its headers thousands of times over.
// Records are told apart by a wide hash of their bytes, two 64-bit hashes
// of independent make, as the file index tells contents apart.
//
// Records are read on several threads at once, every table in name order,
// so the threads look the same definitions up at about the same moment: a
// look-up takes no lock and writes nothing shared but the count of the
// definition's holders. The pool is split into
// shards by a hash of the bytes; a definition is added under its shard's
// lock, into a table of slots that is replaced by one twice as large, and
// published, when half full. Tables replaced stay until the pool goes,
// with the load; the definitions stay with the macro tables holding them.
class MacroRecordPool {
public:
    MacroRecordPool() = default;
    MacroRecordPool(const MacroRecordPool&) = delete;
    MacroRecordPool& operator=(const MacroRecordPool&) = delete;
    ~MacroRecordPool();

    struct Hash {
        uint64_t first = 0;
        uint64_t second = 0;
        bool operator==(const Hash&) const = default;
    };
    static Hash HashOf(std::string_view bytes);

    // The definition kept for a record of these bytes, if any.
    bool Find(Hash hash, SharedMacro& found) const;
    // Keeps `made`, read from a record of these bytes, unless another
    // thread kept a definition for the same bytes first; returns the one
    // kept.
    SharedMacro Keep(Hash hash, SharedMacro made);

private:
    struct Entry {
        Hash hash;
        SharedMacro macro;
    };
    struct Slots {
        explicit Slots(size_t size) : mask(size - 1), slots(new std::atomic<const Entry*>[size] {})
        {
        }
        size_t mask; // size - 1, a power of two
        std::unique_ptr<std::atomic<const Entry*>[]> slots;
    };
    struct alignas(64) Shard {
        std::atomic<const Slots*> published {nullptr};
        std::mutex adding;
        std::vector<std::unique_ptr<Slots>> tables; // the last is published
        std::vector<std::unique_ptr<Entry>> entries;
    };
    static constexpr size_t kShardBits = 6;
    static constexpr size_t kFirstSlots = 64;

    static const Entry* Lookup(const Slots* table, Hash hash);
    static void Place(Slots& table, const Entry* entry);
    const Shard& ShardOf(Hash hash) const { return shards_[hash.first >> (64 - kShardBits)]; }
    Shard& ShardOf(Hash hash) { return shards_[hash.first >> (64 - kShardBits)]; }

    std::array<Shard, size_t {1} << kShardBits> shards_;
};
