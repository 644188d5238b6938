// Opening, saving and closing projects.
#include "KestrinDoc.h"

#include "AbsolutePath.h"
#include "Analyzer.h"
#include "AppContext.h"
#include "AtomicFile.h"
#include "FileType.h"
#include "InputSet.h"
#include "LanguageTable.h"
#include "MainFrame.h"
#include "MessageSink.h"
#include "NewProjectInfo.h"
#include "NewProjectPaths.h"
#include "NewProjectWizard.h"
#include "Options.h"
#include "ParseCacheOptions.h"
#include "KstProjectFile.h"
#include "TotalView.h"
#include "UiService.h"

#include <algorithm>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr const char* kProjectFilter = "Kestrin Project files (*.kst);;All files (*)";

std::string FolderOf(const std::string& file)
{
    return std::filesystem::path(file).parent_path().string();
}

// The folder of the last project; settings of older versions kept the
// project's file there.
std::string ProjectFolder(const std::string& last)
{
    std::error_code error;
    if (last.empty() || std::filesystem::is_directory(last, error))
        return last;
    return FolderOf(last);
}

} // namespace

bool CKestrinDoc::OnNewDocument()
{
    // A load left going ends before its model goes.
    if (frame_ != nullptr)
        frame_->MacroView()->AbandonLoad();
    context_.Input().Clear();
    ClearSelection();
    if (frame_ != nullptr)
        frame_->ResetViews();
    path_.clear();
    modified_ = false;
    if (titleChanged)
        titleChanged();
    return true;
}

bool CKestrinDoc::OnOpenDocument(const std::string& path)
{
    if (frame_ == nullptr) {
        context_.Options().pendingProjectPath = path;
        return true;
    }
    if (!IsRegularFile(path)) {
        Ui().MessageBox(
            std::string(GetLangString(303)) + "\n" + path, MessageButtons::Ok, MessageIcon::Error);
        return false;
    }
    frame_->MacroView()->AbandonLoad(); // before its model goes
    ClearSelection();
    frame_->ResetViews();
    context_.Input().Clear();
    context_.Input().SetDefaultIncludeDirs();
    if (GetFileType(path) != 4) {
        Ui().MessageBox(
            std::string(GetLangString(28)) + "\n" + path, MessageButtons::Ok, MessageIcon::Error);
        return false;
    }
    if (!ReadProjectFile(path))
        return false;
    LoadProjectCache(path);
    return true;
}

void CKestrinDoc::FinishOpen(const std::string& path, bool changed)
{
    const size_t files = context_.Input().paths.size();
    MessageLine(context_.Messages())
        << GetLangString(1) << ": " << std::filesystem::path(path).filename().string() << " "
        << GetLangString(23)
        << (files > 0 ? " - " + std::to_string(files) + " " + GetLangString(31)
                      : std::string(" but no files."));
    if (changed) {
        const std::string question = std::string(GetLangString(16)) + "\r\n" + GetLangString(20);
        if (Ui().MessageBox(question, MessageButtons::YesNo, MessageIcon::Question) == Answer::Yes)
            frame_->PostDraw();
    }
    Ui().Notice(GetLangString(24));
}

bool CKestrinDoc::OpenDocumentFile(const std::string& path)
{
    if (!SaveModified())
        return false;
    if (OnOpenDocument(path)) {
        modified_ = false;
        SetPathName(path);
        context_.Options().lastProjectPath = FolderOf(path_);
        return true;
    }
    // Nothing of the failed file is kept: no path a later save could
    // overwrite with an empty project, and no recent-file entry.
    RemoveFromRecentFiles(path);
    OnNewDocument();
    return false;
}

bool CKestrinDoc::SaveModified()
{
    if (!modified_)
        return true;
    switch (Ui().AskSaveChanges(GetTitle())) {
    case Answer::Cancel:
        return false;
    case Answer::No:
        return true;
    default:
        return OnFileSave();
    }
}

bool CKestrinDoc::WriteProject(const std::string& path)
{
    const CInputSet& input = context_.Input();
    std::vector<ProjectFileEntry> files;
    files.reserve(input.paths.size());
    // A file that came in by a relative path is named in full: reading takes
    // relative names from the project file's folder, not from where this
    // program was started.
    bool madeWhole = false;
    for (const std::string& file : input.paths) {
        const auto flags = input.fileFlags.find(file);
        const bool analyse = flags == input.fileFlags.end() || flags->second.analyse;
        const bool draw = flags == input.fileFlags.end() || flags->second.draw;
        const bool relative = std::filesystem::path(file).is_relative();
        files.push_back({relative ? AbsolutePath(file) : file, analyse, draw});
        madeWhole = madeWhole || relative;
    }
    if (madeWhole) // still in path order
        std::sort(files.begin(), files.end(),
            [](const ProjectFileEntry& x, const ProjectFileEntry& y) { return x.path < y.path; });
    return WriteFileAtomically(path, FormatProjectFile(context_.Options().projectWords, files));
}

bool CKestrinDoc::DoSave(const std::string& path)
{
    // A run reads the project and builds the records the cache is made of.
    if (RefusedDuringDraw())
        return false;
    const auto progress = [this](int percent) {
        if (frame_ != nullptr)
            frame_->SetProgress(percent);
    };
    // The steps after the cache are over in moments and leave the window's
    // thread free: painting the bar for each (a millisecond or so, with
    // whatever else of the window waits) would only hold it longer.
    const auto progressSoon = [this](int percent) {
        if (frame_ != nullptr)
            frame_->SetProgressSoon(percent);
    };
    progress(0);
    if (!WriteProject(path)) {
        Ui().MessageBox(std::string(GetLangString(3)) + ": " + GetLangString(604) + "\n" + path,
            MessageButtons::Ok, MessageIcon::Error);
        return false;
    }
    progress(30);
    MessageLine(context_.Messages()) << path << " " << GetLangString(32);

    const std::string cache = CachePathOf(path);
    CAnalyzer* analyzer = context_.Analyzer();
    bool cacheSaved = true;
    if (!cache.empty() && analyzer != nullptr) {
        std::string bytes;
        try {
            cacheSaved = analyzer->Engine()->SaveCache(cache, &bytes);
        } catch (...) {
            cacheSaved = false;
        }
        if (cacheSaved) {
            RememberCacheOptions(context_.Profile(), cache,
                {analyzer->Engine()->RecordsOptionsDigest(), std::move(bytes)});
            MessageLine(context_.Messages()) << cache << " " << GetLangString(32);
        } else {
            DiscardCache(cache);
            MessageLine(context_.Messages(), MessageKind::Error)
                << GetLangString(3) << ": " << cache << " " << GetLangString(33);
        }
        progressSoon(80);
    }
    if (!cacheSaved) {
        // The project file is written; the save as a whole is not done, and
        // the project stays marked as changed.
        SetPathName(path);
        progress(0);
        Ui().MessageBox(std::string(GetLangString(3)) + ": " + GetLangString(33) + "\n" + cache,
            MessageButtons::Ok, MessageIcon::Error);
        return false;
    }
    progressSoon(100);
    Ui().Notice(GetLangString(25));
    progressSoon(0);
    modified_ = false;
    SetPathName(path);
    return true;
}

void CKestrinDoc::DiscardCache(const std::string& cache)
{
    // The old cache belongs to the project file as it was before: it goes,
    // and should it stay, it is never loaded (whatever its options say).
    struct stat status { };
    if (::lstat(cache.c_str(), &status) == 0 &&
        (S_ISREG(status.st_mode) || S_ISLNK(status.st_mode)))
        ::unlink(cache.c_str());
    RememberCacheOptions(context_.Profile(), cache, {std::string(), kUnwrittenCacheDigest});
}

void CKestrinDoc::OnFileNew()
{
    if (RefusedDuringDraw() || !SaveModified())
        return;
    OnNewDocument();
}

void CKestrinDoc::OnFileOpen()
{
    if (RefusedDuringDraw())
        return;
    FileRequest request {
        "Open Kestrin Project", context_.Options().lastProjectPath, kProjectFilter, "kst"};
    if (const auto path = Ui().OpenFile(request))
        OpenDocumentFile(*path);
}

bool CKestrinDoc::OnFileSave()
{
    if (RefusedDuringDraw())
        return false;
    if (path_.empty())
        return OnFileSaveAs();
    return DoSave(path_);
}

bool CKestrinDoc::OnFileSaveAs()
{
    if (RefusedDuringDraw())
        return false;
    // An untitled project proposes its title in the last project folder,
    // never the file of the project before it.
    const std::string start = path_.empty()
        ? (std::filesystem::path(ProjectFolder(context_.Options().lastProjectPath)) /
              (GetTitle() + ".kst"))
              .string()
        : path_;
    FileRequest request {"Save Kestrin Project", start, kProjectFilter, "kst"};
    const auto path = Ui().SaveFile(request);
    if (!path)
        return false;
    if (!DoSave(*path))
        return false;
    context_.Options().lastProjectPath = FolderOf(path_);
    return true;
}

void CKestrinDoc::OnOpenRecentFile(int index)
{
    if (RefusedDuringDraw())
        return;
    const auto& entries = context_.RecentFiles().Entries();
    if (index >= 0 && index < static_cast<int>(entries.size()))
        OpenDocumentFile(std::string(entries[static_cast<size_t>(index)]));
}

void CKestrinDoc::OnNewProject()
{
    if (RefusedDuringDraw() || !SaveModified())
        return;
    NewProjectInfo info;
    const WizardEnd end = RunNewProjectWizard(info, context_.Options(), context_.Messages());
    if (end == WizardEnd::Cancelled)
        return;
    CreateProjectFromWizard(
        info.files, info.defines, info.location, ProjectFileName(info.fileName));
    if (end == WizardEnd::WithFiles && frame_ != nullptr) {
        frame_->PostDraw();
        frame_->Commands().PostUpdate();
    }
}

void CKestrinDoc::OnCloseProject()
{
    if (RefusedDuringDraw() || !SaveModified())
        return;
    context_.Options().ClearProjectWords();
    OnNewDocument();
    Ui().Notice(GetLangString(30));
}
