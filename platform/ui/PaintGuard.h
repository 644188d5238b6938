#pragma once

#include <atomic>

// Keeps a painting routine from running inside itself: a paint that starts
// while the same routine is still drawing (a repaint asked for from inside
// it, a nested event loop) draws nothing. One lock per routine.
class PaintLock {
public:
    bool IsHeld() const { return held_.load(); }

private:
    friend class PaintGuard;
    std::atomic<bool> held_ {false};
};

// Takes the lock for one run of the routine when it is free:
//     PaintGuard guard(paintLock_);
//     if (!guard)
//         return;
class PaintGuard {
public:
    explicit PaintGuard(PaintLock& lock) : lock_(lock), owned_(!lock.held_.exchange(true)) { }
    ~PaintGuard()
    {
        if (owned_)
            lock_.held_.store(false);
    }
    PaintGuard(const PaintGuard&) = delete;
    PaintGuard& operator=(const PaintGuard&) = delete;

    explicit operator bool() const { return owned_; }

private:
    PaintLock& lock_;
    bool owned_;
};
