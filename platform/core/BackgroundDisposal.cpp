#include "BackgroundDisposal.h"

#include <algorithm>

BackgroundDisposal::~BackgroundDisposal()
{
    Drain();
}

void BackgroundDisposal::Dispose(std::function<void()> job)
{
    Queue(Job {std::move(job), true});
}

void BackgroundDisposal::Tidy(std::function<void()> job)
{
    Queue(Job {std::move(job), false});
}

void BackgroundDisposal::Queue(Job job)
{
    std::unique_lock lock(mutex_);
    if (job.awaited) {
        // Ahead of the queued tidying: what is awaited waits for nothing
        // else. Counted once queued, so that a failed insertion leaves
        // nothing to wait for.
        const auto tidying = std::find_if(
            jobs_.begin(), jobs_.end(), [](const Job& queued) { return !queued.awaited; });
        jobs_.insert(tidying, std::move(job));
        ++awaitedLeft_;
    } else {
        jobs_.push_back(std::move(job));
    }
    if (working_)
        return; // the running thread takes it
    // A thread that found the queue empty has ended or is about to.
    lock.unlock();
    thread_.Join();
    lock.lock();
    working_ = true;
    lock.unlock();
    if (!thread_.Start([this] { Work(); })) {
        RunOnLargeStack([this] { Work(); });
    }
}

void BackgroundDisposal::Drain()
{
    {
        std::unique_lock lock(mutex_);
        idle_.wait(lock, [this] { return !working_ && jobs_.empty(); });
    }
    thread_.Join();
}

void BackgroundDisposal::Await()
{
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return awaitedLeft_ == 0; });
}

void BackgroundDisposal::Work()
{
    for (;;) {
        Job job;
        {
            std::lock_guard lock(mutex_);
            if (jobs_.empty()) {
                working_ = false;
                idle_.notify_all();
                return;
            }
            job = std::move(jobs_.front());
            jobs_.pop_front();
        }
        job.run();
        if (job.awaited) {
            std::lock_guard lock(mutex_);
            if (--awaitedLeft_ == 0) {
                idle_.notify_all();
            }
        }
    }
}
