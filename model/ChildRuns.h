#pragma once

#include <cstddef>
#include <span>
#include <vector>

class CModelScope;

// The root's children cut up for a walk on several threads: the chunks of
// its child set in order, and how many runs of consecutive chunks the walk
// shares out (see ForEachRunOnThreads). Fewer than two runs: the children
// are best walked in one go, and no chunk is listed.
struct ChildRuns {
    std::vector<std::span<CModelScope* const>> chunks;
    size_t runs = 0;
};

ChildRuns CutChildrenIntoRuns(const CModelScope& root, unsigned threads);
