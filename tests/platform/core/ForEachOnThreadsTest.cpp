#include "ForEachOnThreads.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <vector>

// Every index is visited exactly once, whether the work is spread or stays
// on the caller's thread, and each thread works with a state of its own.
TEST(ForEachOnThreads, VisitsEveryIndexOnceWithAStatePerThread)
{
    for (const size_t count : {size_t {0}, size_t {5}, size_t {1000}}) {
        std::vector<std::atomic<int>> visits(count);
        std::atomic<int> states {0};
        ForEachOnThreads(
            count, 4,
            [&] {
                ++states;
                return std::vector<size_t>();
            },
            [&](size_t i, std::vector<size_t>& mine) {
                mine.push_back(i); // a shared state would race here
                ++visits[i];
            });
        for (size_t i = 0; i < count; ++i) {
            EXPECT_EQ(visits[i], 1) << i << " of " << count;
        }
        EXPECT_GE(states, 1);
        EXPECT_LE(states, 4);
    }
}

// A failure on any thread reaches the caller, after every thread has ended.
TEST(ForEachOnThreads, PassesAFailureOn)
{
    for (const size_t count : {size_t {10}, size_t {1000}}) {
        EXPECT_THROW(ForEachOnThreads(
                         count, 4, [] { return 0; },
                         [](size_t i, int) {
                             if (i == 7) {
                                 throw std::runtime_error("seven");
                             }
                         }),
            std::runtime_error);
    }
}
