#pragma once

#include <functional>
#include <string>
#include <vector>

class CInputSet;
class CProjectAnalyzer;

// Takes files out of a project: they leave the file set and the engine's
// project files, and the model, which may refer to their units, is built
// again once for all of them (on a large stack). Every holder of pointers
// into the model is reset first, through `resetHolders`. Without an engine
// (nothing analysed yet) only the file set changes. Paths that are not in
// the project are passed over.
void RemoveProjectFiles(const std::vector<std::string>& paths, CInputSet& input,
    CProjectAnalyzer* engine, const std::function<void()>& resetHolders);
