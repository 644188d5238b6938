#include "SourceFileFreeing.h"

#include "ForEachOnThreads.h"

#include <algorithm>
#include <thread>

namespace {

// Fewer records are not worth a thread.
constexpr size_t kLeastFilesPerThread = 8;
constexpr unsigned kMostThreads = 8;

} // namespace

void FreeSourceFiles(SourceFileList& files)
{
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    ForEachOnThreads(
        files.size(), std::min(cores, kMostThreads), [] { return 0; },
        [&files](size_t i, int) { files[i].reset(); }, kLeastFilesPerThread);
    files.clear();
}
