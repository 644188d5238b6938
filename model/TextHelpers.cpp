#include "TextHelpers.h"

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

int32_t HexStringToInt(std::string text)
{
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')
        && HexDigitValue(i + 2 < text.size() ? text[i + 2] : '\0') >= 0)
        i += 2;

    // Accumulate the magnitude, saturating once it leaves the 32-bit range,
    // so that long digit runs clamp instead of wrapping.
    const int64_t limit = int64_t(std::numeric_limits<int32_t>::max()) + 1;
    int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        int d = HexDigitValue(text[i]);
        if (d < 0)
            break;
        magnitude = magnitude * 16 + d;
        if (magnitude > limit)
            magnitude = limit;
    }
    if (negative)
        return static_cast<int32_t>(-magnitude);
    if (magnitude > std::numeric_limits<int32_t>::max())
        return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(magnitude);
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
