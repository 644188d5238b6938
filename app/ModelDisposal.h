#pragma once

#include "LargeStackThread.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

// Frees thrown-away models off the user-interface thread without ever
// waiting for an earlier one: each handed-over job (one deletion) joins a
// queue that a large-stack thread works through in order, and the thread
// ends when the queue is empty. Whatever is still queued is freed before
// the destructor returns.
class ModelDisposal {
public:
    ModelDisposal() = default;
    ~ModelDisposal();
    ModelDisposal(const ModelDisposal&) = delete;
    ModelDisposal& operator=(const ModelDisposal&) = delete;

    // Queues the job; runs it here, on a large stack, when no thread can be
    // made.
    void Dispose(std::function<void()> job);
    // Returns once every job handed over so far has run.
    void Drain();
    // The same from any thread, for one that is about to build a model
    // not to build it beside one still being freed.
    void Await();

private:
    void Work();

    std::mutex mutex_;
    std::condition_variable idle_;
    std::deque<std::function<void()>> jobs_;
    bool working_ = false; // the thread takes jobs
    LargeStackThread thread_;
};
