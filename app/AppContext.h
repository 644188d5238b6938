#pragma once

#include "AppPrinter.h"
#include "BackgroundDisposal.h"
#include "ModelHolders.h"
#include "PaintGuard.h"
#include "PaneMessageSink.h"
#include "RecentFileList.h"
#include "TextMeasurer.h"

#include <atomic>
#include <memory>
#include <string>

class CAnalyzer;
class CInputSet;
class COptions;
class QSettings;

// Where the program keeps its settings: the options' settings file (which
// also holds the window placements and the recent files), the user's folder
// for the option files and the folder of the shipped copies. Empty values
// take the user's configuration folder and the program's folder.
struct AppFolders {
    std::string settingsFile;
    std::string userFolder;
    std::string shippedFolder;
};

// What the whole program shares, made once by main before the first window
// and destroyed after the last: the options, the project input, the analysis
// driver with its engine and model, the holders of model pointers, the
// message sink, the printer, the run's flags and the painting locks. Windows
// get it as an argument; nothing here is a hidden global. (The engines that
// keep state between paints, such as the multi-sequence diagram and the
// detail box, belong here too, each registered with the model holders.)
class AppContext {
public:
    // Made on the user-interface thread, after the language table is loaded.
    explicit AppContext(const AppFolders& folders = {});
    // Frees the model and writes the options and option files.
    ~AppContext();
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

    COptions& Options() { return *options_; }
    CInputSet& Input() { return *input_; }
    // The analysis driver; null only when it could not be made.
    CAnalyzer* Analyzer() const { return analyzer_.get(); }
    // Resets every holder of model pointers, then throws the driver with its
    // engine and model away and makes a fresh one on the project input, so
    // that the next Draw parses every file again. The old model is freed on
    // a thread of its own (nothing refers to it any more), so that a large
    // project closes at once and the next one opens without waiting for it.
    void ReplaceAnalyzer();
    // Resets every holder of model pointers (the model is about to change).
    void OnModelReplaced() { holders_.OnModelReplaced(); }
    // Frees replaced models away from this thread; a run waits for it
    // before it builds a model.
    BackgroundDisposal& Disposal() { return disposal_; }
    ModelHolders& Holders() { return holders_; }

    PaneMessageSink& Messages() { return *messages_; }
    AppPrinter& Printer() { return printer_; }
    // The settings file's store of window placements and recent files.
    QSettings& Profile() { return *profile_; }
    RecentFileList& RecentFiles() { return recentFiles_; }
    void SaveRecentFiles();

    // A Draw runs (set on the user-interface thread by Draw, cleared there
    // when the run has returned); a finished run's model waits for the macro
    // view to rebuild its layout.
    std::atomic<bool> drawRunning {false};
    std::atomic<bool> modelReady {false};

    // Keep each view's painting from running inside itself.
    PaintLock macroPaint;
    PaintLock detailPaint;

private:
    // Text extents are remembered while the program runs.
    std::shared_ptr<const TextMeasurer> previousMeasurer_;
    std::unique_ptr<COptions> options_;
    std::unique_ptr<CInputSet> input_;
    std::unique_ptr<CAnalyzer> analyzer_;
    BackgroundDisposal disposal_;
    ModelHolders holders_;
    std::unique_ptr<PaneMessageSink> messages_;
    AppPrinter printer_;
    std::unique_ptr<QSettings> profile_;
    RecentFileList recentFiles_;
};
