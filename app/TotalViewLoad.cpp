// Loading a model from a parse cache on the run's thread.
//
// Reading a large cache and rebuilding its model take seconds; the window's
// thread only starts the load and takes its end, exactly as for a Draw: it
// forgets everything that points into the model first, greys the Draw
// commands, and paints nothing of the model until the thread has been
// joined.
#include "TotalView.h"

#include "Analyzer.h"
#include "AppContext.h"
#include "DetailView.h"
#include "InputSet.h"
#include "LargeStackThread.h"
#include "MainFrame.h"
#include "UiThreadPoster.h"

#include <QScrollBar>
#include <QStyle>

bool CTotalView::StartLoad(Load load, std::function<void(bool)> done, Beside beside)
{
    CAnalyzer* analyzer = context_.Analyzer();
    if (context_.drawRunning || analyzer == nullptr || frame_ == nullptr)
        return false;
    context_.drawRunning = true;
    frame_->DisableDrawMenus();
    context_.OnModelReplaced();
    Invalidate(); // painted empty once the window's thread is free
    context_.Input().stopRequest = false;

    prepared_ = {};
    runTree_ = std::make_shared<RunTree>();
    loadDone_ = done ? std::move(done) : [](bool) {};
    auto body = [analyzer, this, slot = runTree_, load = std::move(load),
                    beside = std::move(beside), job = MakePrepareJob()]() mutable {
        StepTimes& steps = slot->steps;
        steps.Start();
        // The project closed before is freed while the cache file is read,
        // and before any record is made: the new model never lies beside
        // it.
        BackgroundDisposal& disposal = context_.Disposal();
        slot->loaded = load(*analyzer, CacheLoadSteps {&steps, [&disposal] { disposal.Await(); }});
        disposal.Await(); // also when `load` did not ask
        if (!slot->loaded)
            return;
        // `beside` goes on beside the rebuild; with no thread to be had,
        // here before it.
        LargeStackThread besideRebuild;
        if (beside && !besideRebuild.Start([&beside, analyzer] { beside(*analyzer); }))
            beside(*analyzer);
        // Records without their model are never left behind, stopped or not.
        analyzer->RebuildModel(3);
        steps.Lap("rebuild");
        const std::atomic<bool>& stop = context_.Input().stopRequest;
        if (!stop) {
            slot->tree = job.Run(analyzer->Engine()->Root(), stop);
            slot->analyzer = analyzer;
            slot->generation = analyzer->Engine()->ModelGeneration();
        }
        steps.Lap("macro");
        besideRebuild.Join();
        steps.Lap("beside");
    };
    const UiThreadPoster poster(this);
    const bool started = drawThread_.Start([body, poster, this]() mutable {
        body();
        poster.Post([this] { OnDrawThreadDone(); });
    });
    if (!started) {
        // No thread to be had: the load is made here, as it was before.
        RunOnLargeStack(body);
        FinishLoad(false);
    }
    return true;
}

MacroViewPicture::PrepareJob CTotalView::MakePrepareJob() const
{
    const QRect area = contentsRect();
    const QScrollBar* bar = verticalScrollBar();
    const int barWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, bar);
    return picture_.MakePrepareJob(
        ArrangeOptions(), area.width(), area.height(), area.width() - barWidth);
}

void CTotalView::ShowScrollBarsForPreparedTree()
{
    if (!prepared_.tree)
        return;
    SetScrollSizes(prepared_.tree->size);
    // Setting a policy lays the bars and the viewport out at once.
    setVerticalScrollBarPolicy(verticalScrollBarPolicy());
    setHorizontalScrollBarPolicy(horizontalScrollBarPolicy());
}

void CTotalView::AbandonLoad()
{
    if (!Loading())
        return;
    context_.Input().stopRequest = true;
    drawThread_.Join();
    FinishLoad(true);
}

void CTotalView::FinishLoad(bool abandoned)
{
    const std::function<void(bool)> done = std::move(loadDone_);
    loadDone_ = nullptr;
    const bool loaded = runTree_ != nullptr && runTree_->loaded;
    if (runTree_ != nullptr) {
        lastLoadSteps_ = runTree_->steps;
        prepared_ = std::move(*runTree_);
    }
    runTree_.reset();
    if (!abandoned)
        ShowScrollBarsForPreparedTree();
    context_.drawRunning = false;
    context_.Input().stopRequest = false;
    if (frame_ != nullptr)
        frame_->EnableDrawMenus();
    if (abandoned)
        return;
    context_.modelReady = true; // painted at once below
    ClearSelection();
    // The macro view first: painting it paints whatever else waits, so that
    // clearing the detail view afterwards repaints only that view.
    RedrawNow();
    if (frame_ != nullptr)
        frame_->DetailView()->ClearDetail();
    done(loaded);
}
