#include "MacroTableDigest.h"

#include "SourceContent.h"

void MacroTableDigest::Reset(const MacroTable& macros)
{
    entries_.clear();
    value_ = 0;
    for (const auto& [name, macro] : macros) {
        Update(macros, name);
    }
}

void MacroTableDigest::Update(const MacroTable& macros, const std::string& name)
{
    // The table's digest is the exclusive or of its entries' digests: an
    // entry is taken out by applying its old digest again.
    auto found = macros.find(name);
    const uint64_t now = found == macros.end() ? 0 : MixDigest(MacroDigest(name, found->second), 1);
    auto entry = entries_.find(name);
    const uint64_t before = entry == entries_.end() ? 0 : entry->second;
    value_ ^= before ^ now;
    if (now == 0) {
        if (entry != entries_.end()) {
            entries_.erase(entry);
        }
    } else if (entry == entries_.end()) {
        entries_.emplace(name, now);
    } else {
        entry->second = now;
    }
}
