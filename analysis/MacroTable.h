#pragma once

#include "MacroDef.h"

#include <map>
#include <string>

// A macro table: macro name to definition, in byte-wise name order.
using MacroTable = std::map<std::string, CMacroDef>;
