#include "PredefinedWordLists.h"

#include "NumberText.h"
#include "Options.h"

#include <cctype>

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
    return WholeDecimal(text);
}
