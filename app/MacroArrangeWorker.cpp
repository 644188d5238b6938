#include "MacroArrangeWorker.h"

#include <system_error>
#include <utility>

MacroArrangeWorker::MacroArrangeWorker(UiThreadPoster poster) : poster_(std::move(poster))
{
}

MacroArrangeWorker::~MacroArrangeWorker()
{
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
        queued_.reset();
        stop_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable())
        thread_.join();
}

bool MacroArrangeWorker::Start(MacroViewPicture::ArrangeJob job, Done done)
{
    if (!thread_.joinable()) {
        try {
            thread_ = std::thread([this] { Work(); });
        } catch (const std::system_error&) {
            return false;
        }
    }
    {
        std::lock_guard lock(mutex_);
        queued_ = job;
        ++generation_;
        stop_ = true; // the running job, if any, is superseded
    }
    done_ = std::move(done);
    pending_ = true;
    wake_.notify_all();
    return true;
}

bool MacroArrangeWorker::Cancel()
{
    const bool pending = pending_;
    pending_ = false;
    std::unique_lock lock(mutex_);
    queued_.reset();
    ++generation_;
    stop_ = true;
    idle_.wait(lock, [this] { return !busy_; });
    return pending;
}

void MacroArrangeWorker::Work()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return quit_ || queued_.has_value(); });
        if (quit_)
            return;
        const MacroViewPicture::ArrangeJob job = *queued_;
        queued_.reset();
        const uint64_t generation = generation_;
        stop_ = false;
        busy_ = true;
        lock.unlock();
        std::optional<MacroArrangement> arrangement = job.Run(stop_);
        if (arrangement) {
            // Dropped on arrival when a newer job or Cancel came meanwhile.
            auto shared = std::make_shared<MacroArrangement>(std::move(*arrangement));
            poster_.Post([this, generation, shared] { HandOver(generation, shared); });
        }
        lock.lock();
        busy_ = false;
        idle_.notify_all();
    }
}

void MacroArrangeWorker::HandOver(
    uint64_t generation, const std::shared_ptr<MacroArrangement>& arrangement)
{
    {
        std::lock_guard lock(mutex_);
        if (generation != generation_)
            return;
    }
    pending_ = false;
    if (done_)
        done_(*arrangement);
}
