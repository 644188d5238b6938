#include "AppContext.h"

#include "Analyzer.h"
#include "InputSet.h"
#include "LargeStackThread.h"
#include "Options.h"
#include "ProgramFolder.h"
#include "SettingsStore.h"
#include "UserFolders.h"

#include <QSettings>

namespace {

// Frees a driver with its engine and model on a large stack (unit trees are
// freed recursively).
void FreeAnalyzer(std::unique_ptr<CAnalyzer>& analyzer)
{
    if (analyzer != nullptr)
        RunOnLargeStack([&] { analyzer.reset(); });
}

} // namespace

AppContext::AppContext(const AppFolders& folders)
    : input_(std::make_unique<CInputSet>()), messages_(std::make_unique<PaneMessageSink>())
{
    const std::string settingsFile =
        folders.settingsFile.empty() ? CRegistry::DefaultFile() : folders.settingsFile;
    options_ = std::make_unique<COptions>(
        settingsFile, folders.userFolder.empty() ? GetUserConfigDirectory() : folders.userFolder,
        folders.shippedFolder.empty() ? GetAppDirectory() : folders.shippedFolder);
    input_->messages = messages_.get();
    input_->SetDefaultIncludeDirs();
    analyzer_ = std::make_unique<CAnalyzer>(input_.get());
    profile_ = std::make_unique<QSettings>(QString::fromStdString(settingsFile), QSettings::IniFormat);
    recentFiles_.Load(*profile_);
}

AppContext::~AppContext()
{
    holders_.OnModelReplaced();
    FreeAnalyzer(analyzer_);
    SaveRecentFiles();
    profile_->sync();
    options_.reset(); // writes the settings and option files
}

void AppContext::ReplaceAnalyzer()
{
    holders_.OnModelReplaced();
    FreeAnalyzer(analyzer_);
    input_->mergedFiles.clear();
    analyzer_ = std::make_unique<CAnalyzer>(input_.get());
}

void AppContext::SaveRecentFiles()
{
    recentFiles_.Save(*profile_);
}
