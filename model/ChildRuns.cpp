#include "ChildRuns.h"

#include "ModelScope.h"

#include <algorithm>

namespace {

// Runs of the root's children a thread walks at most in turn, and the
// fewest children a run has.
constexpr size_t kRunsPerThread = 4;
constexpr size_t kLeastPerRun = 64;

} // namespace

ChildRuns CutChildrenIntoRuns(const CModelScope& root, unsigned threads)
{
    ChildRuns cut;
    const size_t children = root.scopeChildren ? root.scopeChildren->size() : 0;
    if (threads <= 1 || children / kLeastPerRun <= 1) {
        return cut;
    }
    cut.chunks = root.scopeChildren->Spans();
    cut.runs =
        std::min<size_t>({threads * kRunsPerThread, children / kLeastPerRun, cut.chunks.size()});
    if (cut.runs <= 1) {
        cut = {};
    }
    return cut;
}
