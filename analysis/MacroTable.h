#pragma once

#include "SharedMacro.h"

#include <map>
#include <string>

// A macro table: macro name to definition, in byte-wise name order. The
// definitions are shared with the other tables that hold them.
using MacroTable = std::map<std::string, SharedMacro>;
