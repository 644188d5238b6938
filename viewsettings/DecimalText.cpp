#include "DecimalText.h"

#include <limits>

namespace {

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

} // namespace

bool ScanDecimal(std::string_view text, int32_t& value, size_t& used)
{
    size_t i = 0;
    while (i < text.size() && IsSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    size_t firstDigit = i;
    // The magnitude saturates just past the 32-bit range, so long digit runs
    // clamp instead of wrapping.
    const int64_t limit = int64_t(std::numeric_limits<int32_t>::max()) + 1;
    int64_t magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > limit)
            magnitude = limit;
    }
    if (i == firstDigit) {
        value = 0;
        used = 0;
        return false;
    }
    int64_t signedValue = negative ? -magnitude : magnitude;
    if (signedValue > std::numeric_limits<int32_t>::max())
        signedValue = std::numeric_limits<int32_t>::max();
    value = static_cast<int32_t>(signedValue);
    used = i;
    return true;
}

int32_t DecimalTextToInt(std::string_view text)
{
    int32_t value = 0;
    size_t used = 0;
    ScanDecimal(text, value, used);
    return value;
}
