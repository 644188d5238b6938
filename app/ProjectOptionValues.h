#pragma once

#include <cstdint>
#include <string>

class COptions;
struct OptionValues;

// The general options the project option dialog edits, as it found them
// when it opened, so that Cancel can put them back.
struct ProjectOptionValues {
    bool preprocessingSameNameFile = false;
    bool autoResizeMacroView = false;
    bool autoShowDetailContent = false;
    bool fixedSizeArrange = false;
    bool codeEditButtonShow = false;
    std::string codeEditProgram;
    std::string codeFontName;
    int32_t macroViewSort = 0;
    int32_t codeFontSize = 0;

    static ProjectOptionValues Take(const OptionValues& options);
    void PutBack(OptionValues& options) const;
};

// The dialog's Default: the edited options as a fresh installation has them.
void SetProjectOptionDefaults(OptionValues& options);

// The code font after a choice in the face or size list: a list without a
// selection (an empty face, a size index below 0) keeps the option's value.
struct CodeFontChoice {
    std::string face;
    int tenths = 0;
};
CodeFontChoice ChooseCodeFont(
    const OptionValues& options, const std::string& listedFace, int sizeIndex);
// The size list's index (6 to 32 points) for a size in tenths of a point; -1
// when the list has no such entry.
int CodeFontSizeIndex(int tenths);
// Sizes of the size list, in points.
constexpr int kFirstCodeFontPoints = 6;
constexpr int kLastCodeFontPoints = 32;

// A program path as one word of the editor's command line: quoted, with
// its quotes and backslashes escaped, when it holds a blank or any of them.
std::string QuoteProgramPath(const std::string& path);
