#pragma once

#include "SharedMacro.h"

#include <array>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>

// The macro definitions read back by one load of the parse cache, by the
// bytes of their records, so that every table naming a definition stored
// with the same bytes holds the one definition read first: the tables of a
// project repeat the definitions of its headers thousands of times over.
// Records are read on several threads at once; the pool is split into
// shards by a hash of the bytes, each behind a lock of its own. It goes
// with the load; the definitions stay with the tables holding them.
class MacroRecordPool {
public:
    MacroRecordPool() = default;
    MacroRecordPool(const MacroRecordPool&) = delete;
    MacroRecordPool& operator=(const MacroRecordPool&) = delete;

    static uint64_t HashOf(std::string_view bytes);

    // The definition kept for these bytes (hashed by HashOf), if any.
    bool Find(std::string_view bytes, uint64_t hash, SharedMacro& found) const;
    // Keeps `made`, read from `bytes`, unless another thread kept a
    // definition for the same bytes first; returns the one kept.
    SharedMacro Keep(std::string bytes, uint64_t hash, SharedMacro made);

private:
    struct Key {
        std::string_view bytes; // in the shard's `owned`
        uint64_t hash;
        bool operator==(const Key& other) const { return bytes == other.bytes; }
    };
    struct KeyHash {
        size_t operator()(const Key& key) const { return static_cast<size_t>(key.hash); }
    };
    struct alignas(64) Shard {
        mutable std::mutex lock;
        std::unordered_map<Key, SharedMacro, KeyHash> kept;
        std::deque<std::string> owned; // the bytes of the keys
    };
    static constexpr size_t kShardBits = 6;

    const Shard& ShardOf(uint64_t hash) const { return shards_[hash >> (64 - kShardBits)]; }
    Shard& ShardOf(uint64_t hash) { return shards_[hash >> (64 - kShardBits)]; }

    std::array<Shard, size_t {1} << kShardBits> shards_;
};
