#include "PaneMessageSink.h"

#include "InfoView.h"
#include "MessageLineLimit.h"

PaneMessageSink::PaneMessageSink(QObject* parent) : QObject(parent)
{
    timer_.setInterval(kDeliveryMs);
    connect(&timer_, &QTimer::timeout, this, &PaneMessageSink::Deliver);
}

void PaneMessageSink::Write(MessageKind, std::string_view line)
{
    std::lock_guard lock(mutex_);
    // (A line holding line ends is several lines of the pane.)
    if (line.size() > kMaxShownLineBytes && line.find('\n') == std::string_view::npos) {
        const size_t shown = WholeCharacterPrefix(line, kMaxShownLineBytes);
        pending_.push_back({std::string(line.substr(0, shown)), line.size() - shown});
        return;
    }
    if (pending_.empty() || pending_.back().leftOut > 0)
        pending_.emplace_back();
    pending_.back().text.append(line);
    pending_.back().text.push_back('\n');
}

void PaneMessageSink::Attach(CInfoView* pane)
{
    pane_ = pane;
    if (pane != nullptr)
        timer_.start();
    else
        timer_.stop();
}

std::vector<PaneMessageSink::Pending> PaneMessageSink::TakePending()
{
    std::vector<Pending> taken;
    std::lock_guard lock(mutex_);
    taken.swap(pending_);
    return taken;
}

void PaneMessageSink::Deliver()
{
    if (pane_.isNull())
        return;
    for (const Pending& piece : TakePending()) {
        if (piece.leftOut > 0)
            pane_->AppendLongLine(piece.text, piece.leftOut);
        else
            pane_->AppendMessage(piece.text);
    }
}
