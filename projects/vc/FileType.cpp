#include "FileType.h"

#include <algorithm>
#include <cctype>

namespace {

bool EndsWith(const std::string& text, const std::string& ending)
{
    if (text.size() >= ending.size() &&
        text.compare(text.size() - ending.size(), ending.size(), ending) == 0)
        return true;
    const std::string quoted = ending + "\"";
    return text.size() >= quoted.size() &&
        text.compare(text.size() - quoted.size(), quoted.size(), quoted) == 0;
}

} // namespace

int GetFileType(const std::string& path)
{
    std::string upper = path;
    std::transform(upper.begin(), upper.end(), upper.begin(),
        [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    static const struct {
        const char* ending;
        int type;
    } kTypes[] = {
        {".CPP", 1}, {".CC", 1}, {".C", 1}, {".DSP", 2}, {".DSW", 3}, {".KST", 4}, {".VCPROJ", 5}};
    for (const auto& entry : kTypes)
        if (EndsWith(upper, entry.ending))
            return entry.type;
    return 0;
}
