#include "BackgroundDisposal.h"

#include <future>
#include <gtest/gtest.h>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

// Handing over never waits for a job that is still running, the jobs run in
// the order given, and nothing handed over is left when the disposal goes
// (also after the thread ended once and had to start again).
TEST(BackgroundDisposalTest, NeverWaitsRunsInOrderAndLeavesNothingBehind)
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
        BackgroundDisposal disposal;
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

namespace {

// Notes the thread it is destroyed on.
struct Witness {
    explicit Witness(std::thread::id* freedOn) : freedOn(freedOn) { }
    Witness(Witness&& other) noexcept : freedOn(std::exchange(other.freedOn, nullptr)) { }
    Witness(const Witness&) = delete;
    ~Witness()
    {
        if (freedOn != nullptr) {
            *freedOn = std::this_thread::get_id();
        }
    }
    std::thread::id* freedOn;
};

} // namespace

// A thing that can only be moved is taken over whole and destroyed on the
// disposal's thread, not on the one that handed it over.
TEST(BackgroundDisposalTest, DestroysAMoveOnlyThingOnItsOwnThread)
{
    std::thread::id freedOn;
    std::vector<std::unique_ptr<Witness>> things;
    things.push_back(std::make_unique<Witness>(&freedOn));
    BackgroundDisposal disposal;
    disposal.DisposeOf(std::move(things));
    disposal.Drain();
    EXPECT_NE(freedOn, std::thread::id());
    EXPECT_NE(freedOn, std::this_thread::get_id());
}

// Await waits for what was handed to Dispose, not for tidying: a disposal
// handed over behind tidying that has not begun runs first, and one behind
// tidying that is running does not wait for more tidying queued after it.
// Drain waits for everything.
TEST(BackgroundDisposalTest, AwaitWaitsForDisposalsNotForTidying)
{
    std::mutex mutex;
    std::vector<int> order;
    auto record = [&](int n) {
        std::lock_guard lock(mutex);
        order.push_back(n);
    };
    std::promise<void> firstHeld;
    std::promise<void> releaseFirst;
    std::shared_future<void> firstReleased = releaseFirst.get_future().share();
    std::promise<void> releaseSecond;
    std::shared_future<void> secondReleased = releaseSecond.get_future().share();
    BackgroundDisposal disposal;
    disposal.Tidy([&, firstReleased] {
        firstHeld.set_value();
        firstReleased.wait(); // tidying still going on
        record(1);
    });
    firstHeld.get_future().wait();
    disposal.Tidy([&, secondReleased] {
        secondReleased.wait(); // queued tidying, not begun
        record(2);
    });
    disposal.Dispose([&] { record(3); });
    releaseFirst.set_value();
    disposal.Await(); // returns although the second tidying never ends yet
    {
        std::lock_guard lock(mutex);
        EXPECT_EQ(order, (std::vector<int> {1, 3}));
    }
    releaseSecond.set_value();
    disposal.Drain();
    EXPECT_EQ(order, (std::vector<int> {1, 3, 2}));
}
