#include "SourceFileFreeing.h"

#include "ForEachOnThreads.h"

#include <algorithm>
#include <thread>

namespace {

// Fewer records are not worth a thread.
constexpr size_t kLeastFilesPerThread = 8;
constexpr unsigned kMostThreads = 8;

unsigned FreeingThreads()
{
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    return std::min(cores, kMostThreads);
}

} // namespace

void FreeSourceFiles(SourceFileList& files)
{
    SourceFileList none;
    FreeSourceFiles(files, none, nullptr);
}

void FreeSourceFiles(
    SourceFileList& first, SourceFileList& second, const std::function<void()>& alongside)
{
    // The first call is the longest job of all: it goes first.
    ForEachOnThreads(
        1 + first.size() + second.size(), FreeingThreads(), [] { return 0; },
        [&](size_t i, int) {
            if (i == 0) {
                if (alongside) {
                    alongside();
                }
            } else if (i <= first.size()) {
                first[i - 1].reset();
            } else {
                second[i - 1 - first.size()].reset();
            }
        },
        kLeastFilesPerThread);
    first.clear();
    second.clear();
}
