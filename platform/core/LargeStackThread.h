#pragma once

#include <functional>
#include <pthread.h>

// A thread with a stack large enough for the analysis: scanning, splitting,
// parsing, reading back and freeing unit trees recurse with the nesting of the
// source, far deeper than a default stack allows on generated or amalgamated
// files.
class LargeStackThread {
public:
    static constexpr size_t kStackBytes = size_t(512) << 20;

    LargeStackThread() = default;
    ~LargeStackThread();
    LargeStackThread(const LargeStackThread&) = delete;
    LargeStackThread& operator=(const LargeStackThread&) = delete;

    // Starts the work; false when no thread could be made (nothing runs).
    bool Start(std::function<void()> work);
    bool Joinable() const { return running_; }
    // Waits for the work to end.
    void Join();

private:
    static void* Body(void* self);

    std::function<void()> work_;
    pthread_t thread_ {};
    bool running_ = false;
};

// Runs the work on a large-stack thread and waits for it; runs it here when
// no thread can be made.
void RunOnLargeStack(const std::function<void()>& work);
