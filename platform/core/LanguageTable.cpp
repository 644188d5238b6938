#include "LanguageTable.h"

#include "NumberText.h"
#include "ProgramFolder.h"
#include "TextLines.h"

#include <fstream>
#include <memory>
#include <sstream>

namespace {

std::unique_ptr<LanguageMap> g_languageMap;

} // namespace

LanguageMap ParseLanguageText(const std::string& content)
{
    LanguageMap map;
    // A file saved by an editor that marks UTF-8 starts with a byte-order
    // mark, which is not part of the first line's number.
    const std::string_view text =
        content.rfind("\xEF\xBB\xBF", 0) == 0 ? std::string_view(content).substr(3) : content;
    for (const std::string_view line : SplitLines(text)) {
        if (line.size() <= 5)
            continue;
        const int32_t number = DecimalOrZero(line.substr(0, 4));
        map.emplace(number, std::string(line.substr(5))); // the first line for a number wins
    }
    return map;
}

void LoadLanguageFileFrom(const std::string& path)
{
    g_languageMap = std::make_unique<LanguageMap>();
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return;
    std::ostringstream content;
    content << file.rdbuf();
    *g_languageMap = ParseLanguageText(content.str());
}

void LoadLanguageFile()
{
    std::string folder = GetAppDirectory();
    std::string path = folder;
    if (!path.empty() && path.back() != '/')
        path += '/';
    path += "language.ini";
    LoadLanguageFileFrom(path);
}

void FreeLanguageFile()
{
    g_languageMap.reset();
}

const char* GetLangString(int32_t number)
{
    if (g_languageMap) {
        auto it = g_languageMap->find(number);
        if (it != g_languageMap->end())
            return it->second.c_str();
    }
    return "";
}
