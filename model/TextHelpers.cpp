#include "TextHelpers.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <system_error>

namespace {

char LowerByte(char c)
{
    unsigned char u = static_cast<unsigned char>(c);
    if (u >= 'A' && u <= 'Z')
        return static_cast<char>(u - 'A' + 'a');
    return c;
}

int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

} // namespace

void MakeLower(std::string& text)
{
    for (char& c : text)
        c = LowerByte(c);
}

std::string ToLowerCopy(std::string text)
{
    MakeLower(text);
    return text;
}

std::string IntToString(int32_t value)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%d", value);
    return buffer;
}

std::string ColorToHexString(int32_t color)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%06x", static_cast<unsigned>(color));
    return buffer;
}

namespace {

// Reads an optionally signed number in base 10 or 16 (after white space and,
// in base 16, an optional 0x prefix) up to the first character that is no
// digit of the base. The magnitude saturates just past the 32-bit range, so
// long digit runs clamp to the nearest limit instead of wrapping. Returns
// false, with value and used 0, when no digit is there.
bool ScanInteger(std::string_view text, int base, int32_t& value, size_t& used)
{
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    auto digit = [&](size_t k) {
        if (k >= text.size())
            return -1;
        int d = HexDigitValue(text[k]);
        return d < base ? d : -1;
    };
    if (base == 16 && i + 1 < text.size() && text[i] == '0' &&
        (text[i + 1] == 'x' || text[i + 1] == 'X') && digit(i + 2) >= 0)
        i += 2;

    const size_t firstDigit = i;
    const int64_t limit = int64_t(std::numeric_limits<int32_t>::max()) + 1;
    int64_t magnitude = 0;
    for (int d = digit(i); d >= 0; d = digit(++i)) {
        magnitude = magnitude * base + d;
        if (magnitude > limit)
            magnitude = limit;
    }
    if (i == firstDigit) {
        value = 0;
        used = 0;
        return false;
    }
    const int64_t signedValue = negative ? -magnitude : magnitude;
    value =
        static_cast<int32_t>(std::min<int64_t>(signedValue, std::numeric_limits<int32_t>::max()));
    used = i;
    return true;
}

} // namespace

int32_t HexStringToInt(std::string text)
{
    int32_t value = 0;
    size_t used = 0;
    ScanInteger(text, 16, value, used);
    return value;
}

bool ScanDecimal(std::string_view text, int32_t& value, size_t& used)
{
    return ScanInteger(text, 10, value, used);
}

int32_t DecimalTextToInt(std::string_view text)
{
    int32_t value = 0;
    size_t used = 0;
    ScanDecimal(text, value, used);
    return value;
}

std::string GetTempDirectory()
{
    for (const char* name : {"TEMP", "TMP", "TMPDIR"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0')
            return value;
    }
    std::error_code ec;
    if (std::filesystem::is_directory("/tmp", ec))
        return "/tmp";
    std::filesystem::path current = std::filesystem::current_path(ec);
    if (!ec)
        return current.string();
    return ".";
}
