#pragma once

#include <cstdint>
#include <string_view>

// Reads a decimal number as the colour files store it: leading white space
// and a sign are accepted, reading stops at the first other character, no
// digits give 0. Values beyond the 32-bit range give the nearest limit.
int32_t DecimalTextToInt(std::string_view text);

// The same, for a number that must be there: returns false when no digit
// follows the optional white space and sign. `used` receives the number of
// characters read.
bool ScanDecimal(std::string_view text, int32_t& value, size_t& used);
