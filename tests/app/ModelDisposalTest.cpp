#include "ModelDisposal.h"

#include <future>
#include <gtest/gtest.h>
#include <mutex>
#include <vector>

// Handing over never waits for a job that is still running, the jobs run in
// the order given, and nothing handed over is left when the disposal goes
// (also after the thread ended once and had to start again).
TEST(ModelDisposalTest, NeverWaitsRunsInOrderAndLeavesNothingBehind)
{
    std::mutex mutex;
    std::vector<int> order;
    auto record = [&](int n) {
        std::lock_guard lock(mutex);
        order.push_back(n);
    };
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    {
        ModelDisposal disposal;
        disposal.Dispose([&, released] {
            released.wait(); // a long free still going on
            record(1);
        });
        disposal.Dispose([&] { record(2); }); // returns at once
        release.set_value();
        disposal.Drain();
        EXPECT_EQ(order, (std::vector<int> {1, 2}));
        disposal.Dispose([&] { record(3); });
        disposal.Dispose([&] { record(4); });
    }
    EXPECT_EQ(order, (std::vector<int> {1, 2, 3, 4}));
}
