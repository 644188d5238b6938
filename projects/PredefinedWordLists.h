#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class COptions;

// One predefined word and its value.
using WordRow = std::pair<std::string, int32_t>;

// The working copy the predefined-word dialog edits: the rows of the common
// words and of the open project's words, in the order shown, and whether the
// project's words were changed. Nothing reaches the options before Store.
struct PredefinedWordLists {
    std::vector<WordRow> common;
    std::vector<WordRow> project;
    bool projectChanged = false;

    // Both lists from the options' maps, in word order. The changed flag
    // stays as it is.
    void Load(const COptions& options);
    // Replaces both maps; a word listed twice keeps its upper row's value.
    void Store(COptions& options) const;

    // The language text that refuses a word: 102 empty, 103 first character
    // neither a letter nor "_"; 0 for a good word. A word holding a line
    // break (the files are line-based) is refused with 103 as well.
    static int WordProblem(const std::string& word);
    // A whole decimal number within 32 bits, blanks around it allowed;
    // nothing for any other text.
    static std::optional<int32_t> ParseValue(const std::string& text);
};
