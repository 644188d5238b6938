#include "SourceFileFreeing.h"

#include "LargeStackThread.h"

#include <algorithm>
#include <atomic>
#include <thread>

namespace {

// Fewer records are not worth a thread.
constexpr size_t kLeastFilesForThreads = 16;
constexpr unsigned kMostThreads = 8;

} // namespace

void FreeSourceFiles(SourceFileList& files)
{
    std::atomic<size_t> next {0};
    auto work = [&files, &next] {
        for (size_t i = next++; i < files.size(); i = next++) {
            files[i].reset();
        }
    };
    std::vector<std::unique_ptr<LargeStackThread>> threads;
    if (files.size() >= kLeastFilesForThreads) {
        const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
        const unsigned helpers = std::min(cores, kMostThreads) - 1;
        for (unsigned h = 0; h < helpers; ++h) {
            auto thread = std::make_unique<LargeStackThread>();
            if (thread->Start(work)) {
                threads.push_back(std::move(thread));
            }
        }
    }
    work();
    for (auto& thread : threads) {
        thread->Join();
    }
    files.clear();
}
