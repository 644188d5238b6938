#include "PredefinedWordLists.h"

#include "Options.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <limits>

namespace {

std::vector<WordRow> RowsOf(const std::map<std::string, int32_t>& words)
{
    return {words.begin(), words.end()};
}

std::map<std::string, int32_t> MapOf(const std::vector<WordRow>& rows)
{
    std::map<std::string, int32_t> words;
    for (const WordRow& row : rows)
        words.emplace(row.first, row.second);
    return words;
}

} // namespace

void PredefinedWordLists::Load(const COptions& options)
{
    common = RowsOf(options.commonWords);
    project = RowsOf(options.projectWords);
}

void PredefinedWordLists::Store(COptions& options) const
{
    options.commonWords = MapOf(common);
    options.projectWords = MapOf(project);
}

int PredefinedWordLists::WordProblem(const std::string& word)
{
    if (word.empty())
        return 102;
    if (!std::isalpha(static_cast<unsigned char>(word[0])) && word[0] != '_')
        return 103;
    if (word.find_first_of("\r\n") != std::string::npos)
        return 103;
    return 0;
}

std::optional<int32_t> PredefinedWordLists::ParseValue(const std::string& text)
{
    size_t begin = text.find_first_not_of(" \t");
    size_t end = text.find_last_not_of(" \t");
    if (begin == std::string::npos)
        return std::nullopt;
    const std::string number = text.substr(begin, end - begin + 1);
    errno = 0;
    char* stop = nullptr;
    const long long value = std::strtoll(number.c_str(), &stop, 10);
    if (errno != 0 || stop != number.c_str() + number.size() ||
        !(std::isdigit(static_cast<unsigned char>(number.back()))) ||
        value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max())
        return std::nullopt;
    return static_cast<int32_t>(value);
}
