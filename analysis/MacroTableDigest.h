#pragma once

#include "MacroTable.h"

#include <cstdint>
#include <string>
#include <unordered_map>

// A digest of a whole macro table, kept up to date one name at a time, so
// that whether the table is the same as at some earlier moment can be told
// without going through it. Two tables with the same definitions have the
// same digest, however they got there.
class MacroTableDigest {
public:
    // Starts over from every definition of the table.
    void Reset(const MacroTable& macros);
    // The definition of `name` in the table may have changed (or gone).
    void Update(const MacroTable& macros, const std::string& name);

    uint64_t Value() const { return value_; }

private:
    std::unordered_map<std::string, uint64_t> entries_;
    uint64_t value_ = 0;
};
