#pragma once

#include "MessageSink.h"

#include <QObject>
#include <QPointer>
#include <QTimer>
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
class PaneMessageSink : public QObject, public MessageSink {
    Q_OBJECT
public:
    static constexpr int kDeliveryMs = 50;

    // Made on the user-interface thread.
    explicit PaneMessageSink(QObject* parent = nullptr);

    // Any thread.
    void Write(MessageKind kind, std::string_view line) override;

    // The pane that shows the lines (null: keep them).
    void Attach(CInfoView* pane);
    // Hands what was gathered to the pane now (user-interface thread).
    void Deliver();
    // What waits for the pane: lines each ended by "\n", or the first part
    // of a long line and the number of its bytes left out.
    struct Pending {
        std::string text;
        size_t leftOut = 0;
    };
    // Takes what was gathered.
    std::vector<Pending> TakePending();

private:
    std::mutex mutex_;
    std::vector<Pending> pending_;
    QPointer<CInfoView> pane_;
    QTimer timer_;
};
