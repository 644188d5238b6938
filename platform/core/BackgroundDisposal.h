#pragma once

#include "LargeStackThread.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <utility>

// Frees thrown-away data off the thread that threw it away, without ever
// waiting for an earlier job: each handed-over job (one deletion) joins a
// queue that a large-stack thread works through in order, and the thread
// ends when the queue is empty. Whatever is still queued is freed before
// the destructor returns.
class BackgroundDisposal {
public:
    BackgroundDisposal() = default;
    ~BackgroundDisposal();
    BackgroundDisposal(const BackgroundDisposal&) = delete;
    BackgroundDisposal& operator=(const BackgroundDisposal&) = delete;

    // Queues the job; runs it here, on a large stack, when no thread can be
    // made.
    void Dispose(std::function<void()> job);
    // Queues a job that Await does not wait for, such as giving freed
    // memory back to the system: whoever builds next may begin beside it.
    // Jobs handed to Dispose later run before it when it has not begun.
    void Tidy(std::function<void()> job);
    // Takes the thing over and destroys it on the disposal's thread (a
    // thing that can only be moved, such as a list of unique pointers).
    // When the job cannot be queued, the thing is destroyed as the failure
    // leaves this call.
    template <class Thing> void DisposeOf(Thing thing)
    {
        // The job holds the only reference: had this call kept one too, the
        // thing would go here whenever the job ran before the call returned.
        auto held = std::make_shared<Thing>(std::move(thing));
        Dispose([held = std::move(held)]() mutable { held.reset(); });
    }
    // Returns once every job handed over so far has run.
    void Drain();
    // Returns once every job handed over to Dispose so far has run, from
    // any thread: for one that is about to build something big not to build
    // it beside one still being freed.
    void Await();

private:
    struct Job {
        std::function<void()> run;
        bool awaited = true;
    };
    void Queue(Job job);
    void Work();

    std::mutex mutex_;
    std::condition_variable idle_;
    std::deque<Job> jobs_;
    size_t awaitedLeft_ = 0; // queued or running
    bool working_ = false; // the thread takes jobs
    LargeStackThread thread_;
};
