#include "BackgroundDisposal.h"

BackgroundDisposal::~BackgroundDisposal()
{
    Drain();
}

void BackgroundDisposal::Dispose(std::function<void()> job)
{
    std::unique_lock lock(mutex_);
    jobs_.push_back(std::move(job));
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
    Await();
    thread_.Join();
}

void BackgroundDisposal::Await()
{
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return !working_ && jobs_.empty(); });
}

void BackgroundDisposal::Work()
{
    for (;;) {
        std::function<void()> job;
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
        job();
    }
}
