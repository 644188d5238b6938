#include "MacroRecordPool.h"

#include <cstring>
#include <utility>

uint64_t MacroRecordPool::HashOf(std::string_view bytes)
{
    // Eight bytes at a time, each word mixed in by a multiply and a shift;
    // the last few bytes and the length go in at the end.
    constexpr uint64_t kMultiplier = 0x9e3779b97f4a7c15ULL;
    uint64_t h = 0x6a09e667f3bcc908ULL;
    const char* at = bytes.data();
    size_t left = bytes.size();
    for (; left >= 8; at += 8, left -= 8) {
        uint64_t word;
        std::memcpy(&word, at, 8);
        h = (h ^ word) * kMultiplier;
        h ^= h >> 29;
    }
    uint64_t tail = 0;
    std::memcpy(&tail, at, left);
    h = (h ^ tail ^ (static_cast<uint64_t>(bytes.size()) << 56)) * kMultiplier;
    h ^= h >> 32;
    h *= 0xd6e8feb86659fd93ULL;
    h ^= h >> 32;
    return h;
}

bool MacroRecordPool::Find(std::string_view bytes, uint64_t hash, SharedMacro& found) const
{
    const Shard& shard = ShardOf(hash);
    std::lock_guard<std::mutex> hold(shard.lock);
    auto kept = shard.kept.find(Key {bytes, hash});
    if (kept == shard.kept.end()) {
        return false;
    }
    found = kept->second;
    return true;
}

SharedMacro MacroRecordPool::Keep(std::string bytes, uint64_t hash, SharedMacro made)
{
    Shard& shard = ShardOf(hash);
    std::lock_guard<std::mutex> hold(shard.lock);
    auto kept = shard.kept.find(Key {bytes, hash});
    if (kept != shard.kept.end()) {
        return kept->second;
    }
    const std::string& owned = shard.owned.emplace_back(std::move(bytes));
    shard.kept.emplace(Key {owned, hash}, made);
    return made;
}
