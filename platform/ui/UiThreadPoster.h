#pragma once

#include <functional>
#include <memory>

class QObject;

// Lets worker threads hand work to the user-interface thread for one
// receiver (a view, a dialog). Made on the user-interface thread; copies may
// be given to any thread. Work posted runs later on the user-interface
// thread, in the order posted, and is dropped when the receiver is gone by
// then. Workers must be ended before the application object is destroyed.
class UiThreadPoster {
public:
    explicit UiThreadPoster(QObject* receiver);

    // Queues the work; returns at once. Nothing happens without an
    // application object.
    void Post(std::function<void()> work) const;

private:
    struct Link;
    std::shared_ptr<const Link> link_;
};

// True on the thread that runs the application's event loop.
bool IsUiThread();
