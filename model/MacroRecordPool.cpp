#include "MacroRecordPool.h"

#include <cstring>
#include <memory>
#include <utility>

MacroRecordPool::~MacroRecordPool() = default;

MacroRecordPool::Hash MacroRecordPool::HashOf(std::string_view bytes)
{
    // Eight bytes at a time into two hashes that differ in their seed,
    // multipliers and shifts; the last few bytes and the length go in at
    // the end.
    uint64_t a = 0x6a09e667f3bcc908ULL;
    uint64_t b = 0xbb67ae8584caa73bULL;
    const auto mix = [&a, &b](uint64_t word) {
        a = (a ^ word) * 0x9e3779b97f4a7c15ULL;
        a ^= a >> 29;
        b = ((b << 23) | (b >> 41)) ^ (word * 0xc2b2ae3d27d4eb4fULL);
        b *= 0xff51afd7ed558ccdULL;
    };
    const char* at = bytes.data();
    size_t left = bytes.size();
    for (; left >= 8; at += 8, left -= 8) {
        uint64_t word;
        std::memcpy(&word, at, 8);
        mix(word);
    }
    uint64_t tail = 0;
    std::memcpy(&tail, at, left);
    mix(tail ^ (static_cast<uint64_t>(bytes.size()) << 56));
    a ^= a >> 32;
    a *= 0xd6e8feb86659fd93ULL;
    a ^= a >> 32;
    b ^= b >> 33;
    b *= 0xc4ceb9fe1a85ec53ULL;
    b ^= b >> 33;
    return {a, b};
}

const MacroRecordPool::Entry* MacroRecordPool::Lookup(const Slots* table, Hash hash)
{
    if (table == nullptr) {
        return nullptr;
    }
    // The low bits pick the slot (the high ones picked the shard); on from
    // there to the first empty slot.
    for (size_t i = hash.first & table->mask;; i = (i + 1) & table->mask) {
        const Entry* entry = table->slots[i].load(std::memory_order_acquire);
        if (entry == nullptr || entry->hash == hash) {
            return entry;
        }
    }
}

void MacroRecordPool::Place(Slots& table, const Entry* entry)
{
    size_t i = entry->hash.first & table.mask;
    while (table.slots[i].load(std::memory_order_relaxed) != nullptr) {
        i = (i + 1) & table.mask;
    }
    table.slots[i].store(entry, std::memory_order_release);
}

bool MacroRecordPool::Find(Hash hash, SharedMacro& found) const
{
    const Entry* entry = Lookup(ShardOf(hash).published.load(std::memory_order_acquire), hash);
    if (entry == nullptr) {
        return false;
    }
    found = entry->macro;
    return true;
}

SharedMacro MacroRecordPool::Keep(Hash hash, SharedMacro made)
{
    Shard& shard = ShardOf(hash);
    std::lock_guard<std::mutex> hold(shard.adding);
    Slots* table = shard.tables.empty() ? nullptr : shard.tables.back().get();
    if (const Entry* entry = Lookup(table, hash)) {
        return entry->macro;
    }
    auto owned = std::make_unique<Entry>(Entry {hash, std::move(made)});
    const Entry* entry = shard.entries.emplace_back(std::move(owned)).get();
    if (table == nullptr || 2 * shard.entries.size() > table->mask + 1) {
        // A larger table with every entry is made aside and then published:
        // a look-up under way goes on in the table it started in.
        auto larger =
            std::make_unique<Slots>(table == nullptr ? kFirstSlots : 2 * (table->mask + 1));
        for (const auto& kept : shard.entries) {
            Place(*larger, kept.get());
        }
        shard.published.store(larger.get(), std::memory_order_release);
        shard.tables.push_back(std::move(larger));
    } else {
        Place(*table, entry);
    }
    return entry->macro;
}
