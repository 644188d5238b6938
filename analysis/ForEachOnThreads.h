#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

// Calls visit(i, state) for every i below `count`, spread over up to
// `threads` threads (the caller's own among them), each with a state of
// its own made by makeState(). The calls for different i must not depend
// on one another. The first exception thrown is thrown again here once
// every thread has ended. Small counts run on the caller's thread alone.
template <class MakeState, class Visit>
void ForEachOnThreads(size_t count, unsigned threads, MakeState makeState, Visit visit)
{
    constexpr size_t kLeastPerThread = 32;
    const size_t wanted = std::min<size_t>(threads, count / kLeastPerThread);
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
    std::vector<std::thread> helpers;
    for (size_t t = 1; t < wanted; ++t) {
        try {
            helpers.emplace_back(work);
        } catch (...) {
            break; // fewer threads do the same
        }
    }
    work();
    for (std::thread& helper : helpers) {
        helper.join();
    }
    if (failure) {
        std::rethrow_exception(failure);
    }
}
