#pragma once

#include "LargeStackThread.h"

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <exception>
#include <memory>
#include <mutex>
#include <vector>

// Calls visit(i, state) for every i below `count`, spread over up to
// `threads` large-stack threads (the caller's own among them) with at least
// `leastPerThread` calls each, every thread with a state of its own made by
// makeState() on that thread. The calls for different i must not depend on
// one another. The first exception thrown is thrown again here once every
// thread has ended. Small counts run on the caller's thread alone, as does
// everything when no thread can be made.
template <class MakeState, class Visit>
void ForEachOnThreads(
    size_t count, unsigned threads, MakeState makeState, Visit visit, size_t leastPerThread = 32)
{
    const size_t wanted = std::min<size_t>(threads, count / std::max<size_t>(leastPerThread, 1));
    if (wanted <= 1) {
        auto state = makeState();
        for (size_t i = 0; i < count; ++i) {
            visit(i, state);
        }
        return;
    }
    std::atomic<size_t> next {0};
    std::atomic<bool> failed {false};
    std::exception_ptr failure;
    std::mutex failureMutex;
    const auto work = [&] {
        try {
            auto state = makeState();
            for (size_t i = next++; i < count && !failed; i = next++) {
                visit(i, state);
            }
        } catch (...) {
            std::lock_guard lock(failureMutex);
            if (!failure) {
                failure = std::current_exception();
            }
            failed = true;
        }
    };
    std::vector<std::unique_ptr<LargeStackThread>> helpers;
    try {
        helpers.reserve(wanted - 1);
        for (size_t t = 1; t < wanted; ++t) {
            auto helper = std::make_unique<LargeStackThread>();
            if (!helper->Start(work)) {
                break; // fewer threads do the same
            }
            helpers.push_back(std::move(helper));
        }
    } catch (...) {
        // fewer threads do the same
    }
    work();
    for (auto& helper : helpers) {
        helper->Join();
    }
    if (failure) {
        std::rethrow_exception(failure);
    }
}

// Cuts `count` items into `runs` runs of consecutive items, as even as can
// be, and calls work(run, first, end) for each run on up to `threads`
// threads: a walk whose runs are put together in run order afterwards comes
// out as one walk would.
template <class Work>
void ForEachRunOnThreads(size_t count, size_t runs, unsigned threads, Work work)
{
    ForEachOnThreads(
        runs, threads, [] { return 0; },
        [&](size_t run, int) { work(run, count * run / runs, count * (run + 1) / runs); }, 1);
}
