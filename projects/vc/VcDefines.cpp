#include "VcDefines.h"

#include <cerrno>
#include <cstdlib>
#include <limits>

namespace {

int32_t ValueOf(const std::string& text)
{
    if (text.empty())
        return 0;
    errno = 0;
    char* end = nullptr;
    const long long value = std::strtoll(text.c_str(), &end, 0);
    if (errno != 0 || end != text.c_str() + text.size() ||
        value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max())
        return 0;
    return static_cast<int32_t>(value);
}

} // namespace

void AddVcDefine(std::string_view definition, VcDefines& defines)
{
    while (!definition.empty() && (definition.front() == ' ' || definition.front() == '\t'))
        definition.remove_prefix(1);
    while (!definition.empty() && (definition.back() == ' ' || definition.back() == '\t'))
        definition.remove_suffix(1);
    const size_t equals = definition.find('=');
    const std::string_view name = definition.substr(0, equals);
    if (name.empty())
        return;
    for (const char c : name)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            return;
    const std::string value = equals == std::string_view::npos
        ? std::string()
        : std::string(definition.substr(equals + 1));
    defines.emplace(std::string(name), ValueOf(value));
}
