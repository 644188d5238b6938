// Draw: the analysis of the project on a thread of its own.
//
// The user-interface thread prepares the run's input (it owns the options),
// forgets everything that points into the model, and starts the thread. The
// thread only runs the analysis and posts its end back; the user-interface
// thread then joins it, takes the new model and repaints. Stop only sets the
// input's stop request: the menus stay greyed until the run has returned.
#include "TotalView.h"

#include "Analyzer.h"
#include "AppContext.h"
#include "DetailView.h"
#include "InfoView.h"
#include "InputSet.h"
#include "KestrinDoc.h"
#include "LanguageTable.h"
#include "MainFrame.h"
#include "MessageSink.h"
#include "Options.h"
#include "ProgressDialog.h"
#include "UiService.h"
#include "UiThreadPoster.h"

#include <QProgressBar>

void CTotalView::StartDraw()
{
    if (context_.drawRunning) {
        Ui().MessageBox(GetLangString(18), MessageButtons::Ok, MessageIcon::Warning);
        return;
    }
    CAnalyzer* analyzer = context_.Analyzer();
    if (analyzer == nullptr || frame_ == nullptr) {
        Ui().MessageBox(GetLangString(19), MessageButtons::Ok, MessageIcon::Error);
        return;
    }
    context_.drawRunning = true;
    frame_->DisableDrawMenus();
    // Nothing may point into the model the run is about to replace; the
    // detail view shows no diagram from now on.
    context_.OnModelReplaced();
    frame_->DetailView()->RedrawNow();
    RedrawNow();

    context_.Messages().Deliver();
    frame_->InfoView()->Clear();
    ApplyRunOptions();
    CInputSet& input = context_.Input();
    input.verbose = false;
    input.stopRequest = false;
    input.percent = 0;

    if (progress_ == nullptr) {
        progress_ = new CDialogProgress(window());
        progress_->setWindowTitle(QString::fromUtf8(GetLangString(500)));
    }
    progress_->Bar()->setValue(0);
    progress_->show();
    progressTimer_.start();

    // The thread builds, measures and arranges the new model's tree as well,
    // in copies of the fonts made here, so that the first paint need not.
    prepared_ = {};
    runTree_ = std::make_shared<RunTree>();
    const UiThreadPoster poster(this);
    const bool started = drawThread_.Start(
        [analyzer, poster, this, slot = runTree_, job = MakePrepareJob()]() mutable {
            // A model replaced just before (Clear All and Redraw) is freed
            // first: the new one never lies beside it.
            context_.Disposal().Await();
            analyzer->Run(3, false);
            const std::atomic<bool>& stop = context_.Input().stopRequest;
            if (!stop) {
                slot->tree = job.Run(analyzer->Engine()->Root(), stop);
                slot->analyzer = analyzer;
                slot->generation = analyzer->Engine()->ModelGeneration();
            }
            poster.Post([this] { OnDrawThreadDone(); });
        });
    if (!started) {
        Ui().MessageBox(GetLangString(19), MessageButtons::Ok, MessageIcon::Error);
        progressTimer_.stop();
        progress_->hide();
        context_.drawRunning = false;
        frame_->EnableDrawMenus();
        RebuildLayout(); // the model is unchanged: show it again
        return;
    }
    document_.SetModifiedFlag();
}

void CTotalView::ApplyRunOptions()
{
    CInputSet& input = context_.Input();
    const COptions& options = context_.Options();
    options.ApplyToGlobalInput(input);
    input.searchSystemIncludes = parseHeaders_;
    input.sameNameOption = options.preprocessingSameNameFile;
}

void CTotalView::OnDrawThreadDone()
{
    if (!drawThread_.Joinable())
        return;
    drawThread_.Join();
    if (Loading()) {
        FinishLoad(false);
        return;
    }
    if (runTree_ != nullptr)
        prepared_ = std::move(*runTree_);
    runTree_.reset();
    ShowScrollBarsForPreparedTree();
    progressTimer_.stop();
    context_.drawRunning = false;
    context_.modelReady = true;
    context_.Messages().Deliver();
    emit DrawFinished();
    RedrawNow();
    if (progress_ != nullptr)
        progress_->hide();
    if (frame_ != nullptr)
        frame_->EnableDrawMenus();
}

void CTotalView::StopDraw()
{
    if (!context_.drawRunning)
        return;
    context_.Input().stopRequest = true;
    MessageLine(context_.Messages()) << GetLangString(12);
    context_.Messages().Deliver();
}

void CTotalView::StopAndWait()
{
    if (Loading()) {
        AbandonLoad();
        return;
    }
    if (!drawThread_.Joinable())
        return;
    StopDraw();
    OnDrawThreadDone();
}
