#pragma once

#include "MessageSink.h"

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <mutex>
#include <string>

class CInfoView;

// The program's message sink: gathers whole lines from any thread (the
// analysis on the draw thread, the document and views on the user-interface
// thread) and hands them, in the order written, to the message pane on the
// user-interface thread every 50 ms. A line is never split nor mixed with
// another. Lines written before a pane is attached wait for it.
//
// The pane takes the lines in pieces of at most kPieceBytes (or one longer
// line), so that a run or an import of many thousands of lines never holds
// the window for long: after each piece the window's other events come
// first, and the next piece follows right after them.
class PaneMessageSink : public QObject, public MessageSink {
    Q_OBJECT
public:
    static constexpr int kDeliveryMs = 50;
    static constexpr size_t kPieceBytes = 64000;

    // Made on the user-interface thread.
    explicit PaneMessageSink(QObject* parent = nullptr);

    // Any thread.
    void Write(MessageKind kind, std::string_view line) override;

    // The pane that shows the lines (null: keep them).
    void Attach(CInfoView* pane);
    // Hands everything gathered to the pane now (user-interface thread).
    void Deliver();
    // Hands the pane the next piece of what was gathered; true when more
    // waits (user-interface thread).
    bool DeliverPiece();
    // Takes what was gathered, each line ended by "\n".
    std::string TakePending();
    // Takes the first lines gathered, at most kPieceBytes of them, or the
    // first line alone when it is longer.
    std::string TakePiece();
    // Whether lines wait for the pane.
    bool HasPending();

private:
    // The timer's delivery: one piece, and the next soon after.
    void DeliverInTurn();

    std::mutex mutex_;
    std::string pending_;
    size_t taken_ = 0; // bytes at the start of pending_ already handed over
    QPointer<CInfoView> pane_;
    QTimer timer_;
    bool inTurn_ = false; // a piece's delivery has asked for the next
};
