#include "VcImportRun.h"

#include "AppContext.h"
#include "DetailView.h"
#include "InputSet.h"
#include "MainFrame.h"
#include "TotalView.h"
#include "UiThreadPoster.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QTimer>
#include <exception>
#include <system_error>
#include <thread>

namespace {

// Keeps the window open while an import runs: a close asks the import to
// stop and is made again once the import has ended.
class CloseAfterImport : public QObject {
public:
    CloseAfterImport(QWidget& window, std::atomic<bool>& stop) : window_(window), stop_(stop)
    {
        window_.installEventFilter(this);
    }
    ~CloseAfterImport() override
    {
        window_.removeEventFilter(this);
        if (wanted_)
            QTimer::singleShot(0, &window_, [window = &window_] { window->close(); });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != &window_ || event->type() != QEvent::Close)
            return false;
        stop_ = true;
        wanted_ = true;
        event->ignore();
        return true;
    }

private:
    QWidget& window_;
    std::atomic<bool>& stop_;
    bool wanted_ = false;
};

} // namespace

VcProjectContent RunVcImport(AppContext& context, CMainFrame* frame, const VcImportJob& job)
{
    if (frame == nullptr || context.drawRunning || !IsUiThread())
        return job(nullptr);

    std::atomic<bool>& stop = context.Input().stopRequest;
    stop = false;
    context.drawRunning = true;
    frame->DisableDrawMenus();

    VcProjectContent content;
    std::exception_ptr failure;
    std::atomic<bool> done {false};
    {
        QEventLoop loop;
        CloseAfterImport closing(*frame, stop);
        const UiThreadPoster poster(&loop);
        std::thread worker;
        try {
            worker = std::thread([&, poster] {
                try {
                    content = job(&stop);
                } catch (...) {
                    failure = std::current_exception();
                }
                done = true;
                poster.Post([&loop] { loop.quit(); });
            });
        } catch (const std::system_error&) {
            // No thread to be had: the import holds the window, as it did.
            content = job(&stop);
            done = true;
        }
        // The loop also ends when the application quits; the import is
        // stopped then.
        if (!done)
            loop.exec();
        if (worker.joinable()) {
            if (!done)
                stop = true;
            worker.join();
        }
    }

    context.drawRunning = false;
    stop = false;
    frame->EnableDrawMenus();
    // The views paint nothing of the model while the flag is set; a paint
    // that came meanwhile left them empty.
    frame->MacroView()->Invalidate();
    frame->DetailView()->Invalidate();
    if (failure)
        std::rethrow_exception(failure);
    return content;
}
