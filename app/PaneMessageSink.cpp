#include "PaneMessageSink.h"

#include "InfoView.h"

PaneMessageSink::PaneMessageSink(QObject* parent) : QObject(parent)
{
    timer_.setInterval(kDeliveryMs);
    connect(&timer_, &QTimer::timeout, this, &PaneMessageSink::Deliver);
}

void PaneMessageSink::Write(MessageKind, std::string_view line)
{
    std::lock_guard lock(mutex_);
    pending_.append(line);
    pending_.push_back('\n');
}

void PaneMessageSink::Attach(CInfoView* pane)
{
    pane_ = pane;
    if (pane != nullptr)
        timer_.start();
    else
        timer_.stop();
}

std::string PaneMessageSink::TakePending()
{
    std::string text;
    std::lock_guard lock(mutex_);
    text.swap(pending_);
    return text;
}

bool PaneMessageSink::HasPending()
{
    std::lock_guard lock(mutex_);
    return !pending_.empty();
}

void PaneMessageSink::Deliver()
{
    if (pane_.isNull())
        return;
    const std::string text = TakePending();
    if (!text.empty())
        pane_->AppendMessage(text);
}
