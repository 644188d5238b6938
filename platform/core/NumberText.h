#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

// Reading whole numbers out of text, one way for every file and field.
//
// A number starts after any white space (blank, tab, line ends, vertical tab,
// form feed) with an optional sign and runs up to the first character that
// is no digit; what follows is left to the caller. A value beyond the signed
// 32-bit range gives the nearest limit instead of wrapping.

struct NumberRead {
    int32_t value = 0;
    size_t length = 0; // characters read, white space and sign included
    bool clamped = false; // the digits were beyond the range
};

// A decimal number at the start of `text`; nothing when no digit follows the
// white space and sign.
std::optional<NumberRead> ReadDecimal(std::string_view text);

// A hexadecimal number read the same way; a 0x or 0X after the sign is
// skipped when a digit follows it.
std::optional<NumberRead> ReadHex(std::string_view text);

// A text that is one decimal number within the range and nothing else but
// white space around it; nothing otherwise.
std::optional<int32_t> WholeDecimal(std::string_view text);

// The decimal number at the start of `text`, 0 when there is none (as the C
// library's atoi reads, but never overflowing).
int32_t DecimalOrZero(std::string_view text);
