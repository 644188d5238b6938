#include "PaneMessageSink.h"

#include "InfoView.h"
#include "MessageLineLimit.h"

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
    // (A line holding line ends is several lines of the pane.)
    if (line.size() > kMaxShownLineBytes && line.find('\n') == std::string_view::npos) {
        const size_t shown = WholeCharacterPrefix(line, kMaxShownLineBytes);
        pending_.push_back({std::string(line.substr(0, shown)), line.size() - shown});
        return;
    }
    if (pending_.empty() || pending_.back().leftOut > 0 ||
        (!pending_.back().text.empty() &&
            pending_.back().text.size() + line.size() + 1 > kPieceBytes))
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
    std::lock_guard lock(mutex_);
    std::vector<Pending> taken(
        std::make_move_iterator(pending_.begin()), std::make_move_iterator(pending_.end()));
    pending_.clear();
    return taken;
}

PaneMessageSink::Pending PaneMessageSink::TakePiece()
{
    std::lock_guard lock(mutex_);
    if (pending_.empty())
        return {};
    Pending piece = std::move(pending_.front());
    pending_.pop_front();
    return piece;
}

bool PaneMessageSink::HasPending()
{
    std::lock_guard lock(mutex_);
    return !pending_.empty();
}

bool PaneMessageSink::DeliverPiece()
{
    if (pane_.isNull())
        return false;
    const Pending piece = TakePiece();
    if (piece.leftOut > 0)
        pane_->AppendLongLine(piece.text, piece.leftOut);
    else if (!piece.text.empty())
        pane_->AppendMessage(piece.text);
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
