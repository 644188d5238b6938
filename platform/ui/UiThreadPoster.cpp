#include "UiThreadPoster.h"

#include <QCoreApplication>
#include <QPointer>
#include <QThread>

// The receiver is only looked at on the user-interface thread, where it is
// also destroyed, so the check before running the work cannot race with it.
struct UiThreadPoster::Link {
    QPointer<QObject> receiver;
};

UiThreadPoster::UiThreadPoster(QObject* receiver)
    : link_(std::make_shared<const Link>(Link {receiver}))
{
}

void UiThreadPoster::Post(std::function<void()> work) const
{
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr || !work)
        return;
    QMetaObject::invokeMethod(
        app,
        [link = link_, work = std::move(work)] {
            if (!link->receiver.isNull())
                work();
        },
        Qt::QueuedConnection);
}

bool IsUiThread()
{
    QCoreApplication* app = QCoreApplication::instance();
    return app != nullptr && QThread::currentThread() == app->thread();
}
