#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

// The preprocessor words a Visual C++ project defines, each with its value;
// a word without a value has 0. A word met again keeps its first value.
using VcDefines = std::map<std::string, int32_t>;

// Adds one definition as a project writes it: "NAME" or "NAME=VALUE", blanks
// around it ignored. The
// value is a C number (decimal, 0x hexadecimal or 0 octal, with a sign) that
// fits in 32 bits; any other value counts as 0. An empty name, or one holding
// a control character, is left out.
void AddVcDefine(std::string_view definition, VcDefines& defines);
