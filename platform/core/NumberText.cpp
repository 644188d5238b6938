#include "NumberText.h"

#include <algorithm>
#include <limits>

namespace {

int DigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool IsWhiteSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

std::optional<NumberRead> ReadNumber(std::string_view text, int base)
{
    size_t i = 0;
    while (i < text.size() && IsWhiteSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    auto digit = [&](size_t k) {
        if (k >= text.size())
            return -1;
        const int d = DigitValue(text[k]);
        return d < base ? d : -1;
    };
    if (base == 16 && i + 1 < text.size() && text[i] == '0' &&
        (text[i + 1] == 'x' || text[i + 1] == 'X') && digit(i + 2) >= 0)
        i += 2;

    const size_t firstDigit = i;
    // The magnitude stops just past the largest value, so that long digit
    // runs end at the nearest limit.
    const int64_t limit = int64_t(std::numeric_limits<int32_t>::max()) + 1;
    int64_t magnitude = 0;
    for (int d = digit(i); d >= 0; d = digit(++i)) {
        magnitude = magnitude * base + d;
        if (magnitude > limit)
            magnitude = limit + 1;
    }
    if (i == firstDigit)
        return std::nullopt;
    const bool clamped = magnitude > limit || (magnitude == limit && !negative);
    const int64_t value = negative ? -std::min(magnitude, limit) : magnitude;
    return NumberRead {
        static_cast<int32_t>(std::min<int64_t>(value, std::numeric_limits<int32_t>::max())), i,
        clamped};
}

} // namespace

std::optional<NumberRead> ReadDecimal(std::string_view text)
{
    return ReadNumber(text, 10);
}

std::optional<NumberRead> ReadHex(std::string_view text)
{
    return ReadNumber(text, 16);
}

std::optional<int32_t> WholeDecimal(std::string_view text)
{
    const std::optional<NumberRead> number = ReadDecimal(text);
    if (!number || number->clamped)
        return std::nullopt;
    for (size_t i = number->length; i < text.size(); ++i) {
        if (!IsWhiteSpace(text[i]))
            return std::nullopt;
    }
    return number->value;
}

int32_t DecimalOrZero(std::string_view text)
{
    const std::optional<NumberRead> number = ReadDecimal(text);
    return number ? number->value : 0;
}
