#include "ProjectFileRemoval.h"

#include "InputSet.h"
#include "LargeStackThread.h"
#include "ProjectAnalyzer.h"

void RemoveProjectFiles(const std::vector<std::string>& paths, CInputSet& input,
    CProjectAnalyzer* engine, const std::function<void()>& resetHolders)
{
    if (resetHolders)
        resetHolders();
    for (const std::string& path : paths)
        input.RemoveFile(path);
    if (engine != nullptr)
        RunOnLargeStack([&] { engine->RemoveSourceFiles(paths); });
}
