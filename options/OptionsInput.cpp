#include "Options.h"

#include "InputSet.h"

// The options' part that fills a run's project input; kept apart so that
// users of the options that run no analysis need not link it.

void COptions::ApplyToGlobalInput(CInputSet& input) const
{
    if (const auto* dirs = GetIncludeDirs())
        input.includeDirs = *dirs;
    else
        input.includeDirs.clear();
    input.userIncludeDirs = userIncludeList;
    ApplyPredefinedWords(input);
}

void COptions::ApplyPredefinedWords(CInputSet& input) const
{
    input.defines.clear();
    for (const auto& [name, value] : commonWords)
        input.defines.push_back({name, value});
    for (const auto& [name, value] : projectWords)
        input.defines.push_back({name, value});
}
