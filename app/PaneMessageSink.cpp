#include "PaneMessageSink.h"

#include "InfoView.h"

PaneMessageSink::PaneMessageSink(QObject* parent) : QObject(parent)
{
    timer_.setInterval(kDeliveryMs);
    connect(&timer_, &QTimer::timeout, this, [this] {
        if (!inTurn_)
            DeliverInTurn();
    });
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
    text = pending_.substr(taken_);
    pending_.clear();
    taken_ = 0;
    return text;
}

std::string PaneMessageSink::TakePiece()
{
    std::lock_guard lock(mutex_);
    const std::string_view waiting = std::string_view(pending_).substr(taken_);
    // Whole lines: up to the last line end within the piece's size, or past
    // the first line when that alone is longer.
    size_t end =
        waiting.size() <= kPieceBytes ? waiting.size() : waiting.rfind('\n', kPieceBytes - 1) + 1;
    if (end == 0)
        end = waiting.find('\n') + 1;
    std::string piece(waiting.substr(0, end));
    taken_ += end;
    // What was handed over goes once it is a good part of the text, so that
    // the text neither grows without end nor moves for every piece.
    if (taken_ == pending_.size()) {
        pending_.clear();
        taken_ = 0;
    } else if (taken_ >= pending_.size() / 2) {
        pending_.erase(0, taken_);
        taken_ = 0;
    }
    return piece;
}

bool PaneMessageSink::HasPending()
{
    std::lock_guard lock(mutex_);
    return taken_ < pending_.size();
}

bool PaneMessageSink::DeliverPiece()
{
    if (pane_.isNull())
        return false;
    const std::string piece = TakePiece();
    if (!piece.empty())
        pane_->AppendMessage(piece);
    return HasPending();
}

void PaneMessageSink::Deliver()
{
    while (DeliverPiece()) { }
}

void PaneMessageSink::DeliverInTurn()
{
    inTurn_ = DeliverPiece();
    if (inTurn_)
        QTimer::singleShot(0, this, &PaneMessageSink::DeliverInTurn);
}
