#include "ProjectOptionValues.h"

#include "Options.h"

ProjectOptionValues ProjectOptionValues::Take(const OptionValues& o)
{
    ProjectOptionValues v;
    v.preprocessingSameNameFile = o.preprocessingSameNameFile;
    v.autoResizeMacroView = o.autoResizeMacroView;
    v.autoShowDetailContent = o.autoShowDetailContent;
    v.fixedSizeArrange = o.fixedSizeArrange;
    v.codeEditButtonShow = o.codeEditButtonShow;
    v.codeEditProgram = o.codeEditProgram;
    v.codeFontName = o.codeFontName;
    v.macroViewSort = o.macroViewSort;
    v.codeFontSize = o.codeFontSize;
    return v;
}

void ProjectOptionValues::PutBack(OptionValues& o) const
{
    o.preprocessingSameNameFile = preprocessingSameNameFile;
    o.autoResizeMacroView = autoResizeMacroView;
    o.autoShowDetailContent = autoShowDetailContent;
    o.fixedSizeArrange = fixedSizeArrange;
    o.codeEditButtonShow = codeEditButtonShow;
    o.codeEditProgram = codeEditProgram;
    o.codeFontName = codeFontName;
    o.macroViewSort = macroViewSort;
    o.codeFontSize = codeFontSize;
}

void SetProjectOptionDefaults(OptionValues& options)
{
    ProjectOptionValues::Take(OptionValues {}).PutBack(options);
}

CodeFontChoice ChooseCodeFont(
    const OptionValues& options, const std::string& listedFace, int sizeIndex)
{
    CodeFontChoice choice;
    choice.face = listedFace.empty() ? options.codeFontName : listedFace;
    choice.tenths = sizeIndex >= 0 && sizeIndex <= kLastCodeFontPoints - kFirstCodeFontPoints
        ? (sizeIndex + kFirstCodeFontPoints) * 10
        : options.codeFontSize;
    return choice;
}

int CodeFontSizeIndex(int tenths)
{
    const int points = tenths / 10;
    if (points < kFirstCodeFontPoints || points > kLastCodeFontPoints)
        return -1;
    return points - kFirstCodeFontPoints;
}

std::string QuoteProgramPath(const std::string& path)
{
    if (path.find_first_of(" \t\"'\\") == std::string::npos)
        return path;
    std::string quoted = "\"";
    for (char c : path) {
        if (c == '"' || c == '\\')
            quoted += '\\';
        quoted += c;
    }
    return quoted + "\"";
}
