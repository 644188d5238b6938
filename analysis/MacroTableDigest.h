#pragma once

#include "MacroTable.h"

#include <cstdint>
#include <string>

// A digest of a whole macro table, kept up to date one change at a time, so
// that whether the table is the same as at some earlier moment can be told
// without going through it. Two tables with the same definitions have the
// same digest, however they got there.
class MacroTableDigest {
public:
    // Starts over from every definition of the table.
    void Reset(const MacroTable& macros);
    // The definition of `name` went from `before` to `after` (null: none).
    void Change(const std::string& name, const SharedMacro* before, const SharedMacro* after);

    uint64_t Value() const { return value_; }

private:
    uint64_t value_ = 0;
};
