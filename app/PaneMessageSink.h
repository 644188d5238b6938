#pragma once

#include "MessageSink.h"

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

class CInfoView;

// The program's message sink: gathers whole lines from any thread (the
// analysis on the draw thread, the document and views on the user-interface
// thread) and hands them, in the order written, to the message pane on the
// user-interface thread every 50 ms. A line is never split nor mixed with
// another. Lines written before a pane is attached wait for it. Of a line
// longer than the pane shows only the part it shows is kept.
//
// The pane takes the lines in pieces of at most kPieceBytes (or one longer
// text holding line ends), so that a run or an import of many thousands of
// lines never holds the window for long: after each piece the window's other
// events come first, and the next piece follows right after them.
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

    // A piece that waits for the pane: lines each ended by "\n", or the
    // first part of a long line and the number of its bytes left out.
    struct Pending {
        std::string text;
        size_t leftOut = 0;
    };
    // Takes everything gathered.
    std::vector<Pending> TakePending();
    // Takes the first piece gathered (an empty one when none waits).
    Pending TakePiece();
    // Whether lines wait for the pane.
    bool HasPending();

private:
    // The timer's delivery: one piece, and the next soon after.
    void DeliverInTurn();

    std::mutex mutex_;
    std::deque<Pending> pending_;
    QPointer<CInfoView> pane_;
    QTimer timer_;
    bool inTurn_ = false; // a piece's delivery has asked for the next
};
