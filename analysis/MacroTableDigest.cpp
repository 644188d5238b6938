#include "MacroTableDigest.h"

#include "SourceContent.h"

namespace {

// The table's digest is the exclusive or of its entries' digests: an entry
// is taken out by applying its digest again.
uint64_t EntryDigest(const std::string& name, const SharedMacro* macro)
{
    return macro == nullptr ? 0 : MixDigest(MacroDigest(name, *macro), 1);
}

} // namespace

void MacroTableDigest::Reset(const MacroTable& macros)
{
    value_ = 0;
    for (const auto& [name, macro] : macros) {
        value_ ^= EntryDigest(name, &macro);
    }
}

void MacroTableDigest::Change(
    const std::string& name, const SharedMacro* before, const SharedMacro* after)
{
    value_ ^= EntryDigest(name, before) ^ EntryDigest(name, after);
}
