#pragma once

#include "MacroViewPicture.h"
#include "UiThreadPoster.h"

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

// Arranges a huge macro view for a new width on a thread of its own, so
// that resizing the window never holds the window's thread for it. One
// arrangement is wanted at a time: a newer one supersedes the one that
// runs, which is asked to stop. The arranged tree is posted to the window's
// thread and handed over there unless a newer arrangement or Cancel came
// since. The thread is started with the first job and ends with the worker,
// which must be owned by the poster's receiver.
class MacroArrangeWorker {
public:
    using Done = std::function<void(const MacroArrangement&)>;

    explicit MacroArrangeWorker(UiThreadPoster poster);
    // Cancels and ends the thread.
    ~MacroArrangeWorker();
    MacroArrangeWorker(const MacroArrangeWorker&) = delete;
    MacroArrangeWorker& operator=(const MacroArrangeWorker&) = delete;

    // Queues the job in place of any earlier one; returns at once. `done`
    // runs later on the window's thread with the arrangement made. False,
    // with nothing queued, when no thread could be made.
    bool Start(MacroViewPicture::ArrangeJob job, Done done);
    // Drops the queued job, stops the running one and waits until it has
    // returned (it no longer reads the tree or the model); nothing of either
    // is handed over afterwards. True when a job was waiting or running, or
    // its tree waiting to be handed over.
    bool Cancel();
    // A job is queued or running, or its tree waits to be handed over.
    bool Pending() const { return pending_; }

private:
    void Work();
    void HandOver(uint64_t generation, const std::shared_ptr<MacroArrangement>& arrangement);

    UiThreadPoster poster_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::optional<MacroViewPicture::ArrangeJob> queued_;
    Done done_;
    // Counts Start and Cancel calls: a job's tree is handed over only while
    // it is still the latest.
    uint64_t generation_ = 0;
    bool busy_ = false;
    bool quit_ = false;
    bool pending_ = false; // read and written on the window's thread only
    std::atomic<bool> stop_ {false};
    std::thread thread_;
};
