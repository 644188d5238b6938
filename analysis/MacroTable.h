#pragma once

#include "SharedMacro.h"

#include <map>
#include <string>

// A macro table: macro name to definition, in byte-wise name order. The
// definitions are shared with the other tables that hold them.
using MacroTable = std::map<std::string, SharedMacro>;

// A reading of a header gave the same as an instance kept before: the
// definitions the reading made (`reading`, its own table) that `macros`
// still holds give way to the instance's (`kept`, equal to `reading`), so
// that every reading of a header shares one set of definitions.
void TakeKeptDefinitions(const MacroTable& reading, const MacroTable& kept, MacroTable& macros);
