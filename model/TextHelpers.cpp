#include "TextHelpers.h"

#include "NumberText.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace {

char LowerByte(char c)
{
    unsigned char u = static_cast<unsigned char>(c);
    if (u >= 'A' && u <= 'Z')
        return static_cast<char>(u - 'A' + 'a');
    return c;
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
    const std::optional<NumberRead> number = ReadHex(text);
    return number ? number->value : 0;
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
