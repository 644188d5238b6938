#include "AppContext.h"

#include "Analyzer.h"
#include "CachingTextMeasurer.h"
#include "InputSet.h"
#include "LargeStackThread.h"
#include "Options.h"
#include "ProgramFolder.h"
#include "SettingsStore.h"
#include "UserFolders.h"

#include <QSettings>

#include <malloc.h>

namespace {

// Frees a driver with its engine and model on a large stack (unit trees are
// freed recursively).
void FreeAnalyzer(std::unique_ptr<CAnalyzer>& analyzer)
{
    if (analyzer != nullptr)
        RunOnLargeStack([&] { analyzer.reset(); });
}

// Puts a caching measurer in front of the one in use; returns that one.
std::shared_ptr<const TextMeasurer> InstallCachingMeasurer()
{
    std::shared_ptr<const TextMeasurer> current = SetTextMeasurer(nullptr);
    SetTextMeasurer(std::make_shared<CachingTextMeasurer>(current));
    return current;
}

} // namespace

AppContext::AppContext(const AppFolders& folders)
    : previousMeasurer_(InstallCachingMeasurer()),
      input_(std::make_unique<CInputSet>()),
      messages_(std::make_unique<PaneMessageSink>())
{
    const std::string settingsFile =
        folders.settingsFile.empty() ? CRegistry::DefaultFile() : folders.settingsFile;
    options_ = std::make_unique<COptions>(settingsFile,
        folders.userFolder.empty() ? GetUserConfigDirectory() : folders.userFolder,
        folders.shippedFolder.empty() ? GetAppDirectory() : folders.shippedFolder);
    input_->messages = messages_.get();
    // The run says what it does; the details of each step are not wanted.
    input_->verbose = false;
    input_->SetDefaultIncludeDirs();
    analyzer_ = std::make_unique<CAnalyzer>(input_.get());
    profile_ =
        std::make_unique<QSettings>(QString::fromStdString(settingsFile), QSettings::IniFormat);
    recentFiles_.Load(*profile_);
}

AppContext::~AppContext()
{
    holders_.OnModelReplaced();
    disposal_.Drain();
    FreeAnalyzer(analyzer_);
    SaveRecentFiles();
    profile_->sync();
    options_.reset(); // writes the settings and option files
    SetTextMeasurer(previousMeasurer_);
}

void AppContext::ReplaceAnalyzer()
{
    holders_.OnModelReplaced();
    if (analyzer_) {
        disposal_.DisposeOf(std::move(analyzer_));
        // What the engine held goes back to the system afterwards; a load
        // or a Draw waits for the engine to be freed, not for this, and
        // the memory they take meanwhile comes from what was freed.
        disposal_.Tidy([] { ::malloc_trim(0); });
    }
    input_->mergedFiles.clear();
    analyzer_ = std::make_unique<CAnalyzer>(input_.get());
}

void AppContext::SaveRecentFiles()
{
    recentFiles_.Save(*profile_);
}
