#include "LargeStackThread.h"

LargeStackThread::~LargeStackThread()
{
    Join();
}

void* LargeStackThread::Body(void* self)
{
    static_cast<LargeStackThread*>(self)->work_();
    return nullptr;
}

bool LargeStackThread::Start(std::function<void()> work)
{
    if (running_)
        return false;
    work_ = std::move(work);
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, kStackBytes);
    running_ = pthread_create(&thread_, &attributes, &LargeStackThread::Body, this) == 0;
    pthread_attr_destroy(&attributes);
    if (!running_)
        work_ = nullptr;
    return running_;
}

void LargeStackThread::Join()
{
    if (!running_)
        return;
    pthread_join(thread_, nullptr);
    running_ = false;
    work_ = nullptr;
}

void RunOnLargeStack(const std::function<void()>& work)
{
    LargeStackThread thread;
    if (!thread.Start(work))
        work();
}
