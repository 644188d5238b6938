// The project's files: reading the project file with its parse cache, and
// adding source files and folders.
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
#include "FolderWalk.h"
#include "Options.h"
#include "ParseCacheOptions.h"
#include "ProjectFileRemoval.h"
#include "ProjectInfoDialog.h"
#include "TotalView.h"
#include "KstProjectFile.h"
#include "UiService.h"
#include "VcImportRun.h"
#include "VcProjectImport.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// Project files larger than this are not project files.
constexpr size_t kMaxProjectFile = size_t(256) << 20;

} // namespace

bool CKestrinDoc::ReadProjectFile(const std::string& path)
{
    ProjectFileContent content;
    const ReadResult read = LoadProjectFile(path, kMaxProjectFile, content);
    if (read == ReadResult::CannotOpen) {
        Ui().MessageBox(std::string(GetLangString(3)) + ": " + GetLangString(27) + "\n" + path,
            MessageButtons::Ok, MessageIcon::Error);
        return false;
    }
    if (read != ReadResult::Ok) {
        Ui().MessageBox(
            std::string(GetLangString(28)) + "\n" + path, MessageButtons::Ok, MessageIcon::Error);
        return false;
    }

    CInputSet& input = context_.Input();
    for (const auto& [name, value] : content.defines)
        context_.Options().projectWords.emplace(name, value);
    // A relative path (a project shipped with its sources) is taken from the
    // project file's folder.
    const fs::path folder = fs::path(AbsolutePath(path)).parent_path();
    for (const ProjectFileEntry& file : content.files) {
        const fs::path source(file.path);
        const std::string full = source.is_relative() && !folder.empty()
            ? AbsolutePath((folder / source).string())
            : file.path;
        input.AddFile(full, file.analyse, file.draw);
    }
    if (content.sectionOpen)
        Ui().MessageBox(GetLangString(26), MessageButtons::Ok, MessageIcon::Warning);
    if (input.paths.empty()) {
        Ui().MessageBox(GetLangString(29), MessageButtons::Ok, MessageIcon::Information);
        return true;
    }

    return true;
}

namespace {

bool NothingAt(const std::string& path)
{
    std::error_code error;
    return fs::symlink_status(path, error).type() == fs::file_type::not_found;
}

} // namespace

void CKestrinDoc::LoadProjectCache(const std::string& path)
{
    const std::string cache = CachePathOf(path);
    CAnalyzer* analyzer = context_.Analyzer();
    if (context_.Input().paths.empty() || cache.empty() || analyzer == nullptr) {
        FinishOpen(path, false);
        return;
    }
    frame_->SetProgressSoon(30); // the cache is read on the load's thread
    // The records are checked against the files as the next Draw would read
    // them: through its include folders, with its words and options.
    frame_->MacroView()->ApplyRunOptions();
    const SavedCacheDigests saved = RecallCacheOptions(context_.Profile(), cache);
    // Whether any file of the records changed on disk is found out beside
    // the rebuild of the model; it reads the records only.
    auto changed = std::make_shared<bool>(false);
    const bool started = frame_->MacroView()->StartLoad(
        [cache, saved](CAnalyzer& loading, const CacheLoadSteps& steps) {
            return loading.Engine()->LoadCache(cache, saved.options, saved.bytes, steps);
        },
        [this, path, cache, changed](bool loaded) {
            if (loaded) {
                MessageLine(context_.Messages())
                    << GetLangString(1) << ": " << cache << " " << GetLangString(22) << ".";
                frame_->SetProgress(80);
            } else if (context_.Analyzer()->Engine()->CacheLoadStopped()) {
                // Stopped by the user: the project stays open without its
                // model, which the next Draw makes.
            } else {
                // A project that was never saved with its cache has none:
                // only a cache that is there and cannot be read is a failure.
                if (!NothingAt(cache))
                    MessageLine(context_.Messages(), MessageKind::Error)
                        << GetLangString(3) << ": " << cache << " - " << GetLangString(34) << " ("
                        << context_.Analyzer()->Engine()->CacheFailure() << ")";
                if (Ui().MessageBox(GetLangString(35), MessageButtons::YesNo,
                        MessageIcon::Question) == Answer::Yes)
                    frame_->PostDraw();
            }
            frame_->SetProgress(100);
            frame_->SetProgress(0);
            FinishOpen(path, loaded && *changed);
        },
        [changed](const CAnalyzer& loaded) { *changed = loaded.Engine()->IsAnyFileChanged(); });
    if (!started)
        FinishOpen(path, false);
}

bool CKestrinDoc::AddFile(const std::string& path)
{
    importStopped_ = false;
    if (path.find_first_of("\r\n") != std::string::npos) {
        std::string shown = path;
        std::replace_if(
            shown.begin(), shown.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
        MessageLine(context_.Messages(), MessageKind::Error)
            << GetLangString(3) << ": " << GetLangString(602) << ": " << shown;
        return false;
    }
    CInputSet& input = context_.Input();
    const size_t filesBefore = input.paths.size();
    switch (GetFileType(path)) {
    case 1:
        input.AddFile(path, true, true);
        break;
    case 2:
    case 3:
    case 5: {
        MessageSink& sink = context_.Messages();
        const VcProjectContent content =
            RunVcImport(context_, frame_, [&path, &sink](const std::atomic<bool>* stop) {
                return ReadVcProjectFile(path, sink, true, stop);
            });
        if (content.stopped) {
            importStopped_ = true;
            MessageLine(sink) << GetLangString(1) << ": " << path << " - " << GetLangString(321);
        }
        auto& words = context_.Options().projectWords;
        const size_t wordsBefore = words.size();
        for (const auto& [name, value] : content.defines)
            words.emplace(name, value);
        input.AddFiles(content.files);
        return words.size() != wordsBefore || input.paths.size() != filesBefore;
    }
    default:
        break;
    }
    return input.paths.size() != filesBefore;
}

void CKestrinDoc::RemoveFile(const std::string& path)
{
    RemoveFiles({path});
}

void CKestrinDoc::RemoveFiles(const std::vector<std::string>& paths)
{
    if (RefusedDuringDraw())
        return;
    CAnalyzer* analyzer = context_.Analyzer();
    RemoveProjectFiles(paths, context_.Input(), analyzer != nullptr ? analyzer->Engine() : nullptr,
        [this] { context_.OnModelReplaced(); });
    if (frame_ != nullptr)
        frame_->MacroView()->RebuildLayout();
    SetModifiedFlag();
}

bool CKestrinDoc::ScanFolder(const std::string& folder, bool recurse)
{
    // Stop ends the whole scan, not only the import it reached.
    bool added = false;
    bool stopped = false;
    WalkFolder(folder, recurse, [&](const std::string& path) {
        if (stopped)
            return;
        added = AddFile(path) || added;
        stopped = importStopped_;
    });
    return added;
}

void CKestrinDoc::OnAppendFiles()
{
    if (RefusedDuringDraw())
        return;
    FileRequest request {"Append Files", context_.Options().lastPath,
        "All Support Type (*.vcproj *.dsp *.dsw *.cpp *.c *.cc);;"
        "Visual C++ Workspace Files (*.dsp *.dsw *.vcproj);;"
        "CPP C CC Files (*.cpp *.c *.cc);;All Files (*)",
        {}};
    const std::vector<std::string> paths = Ui().OpenFiles(request);
    if (paths.empty())
        return;
    context_.Input().SetDefaultIncludeDirs();
    for (const std::string& path : paths) {
        SetModifiedFlag();
        AddFile(path);
        if (importStopped_)
            break;
    }
}

void CKestrinDoc::OnAddFolder(QWidget*)
{
    FolderRequest request {" ", context_.Options().lastPath, GetLangString(105), false};
    const auto choice = Ui().ChooseFolder(request);
    if (!choice)
        return;
    context_.Options().lastPath = choice->path;
    if (ScanFolder(choice->path, choice->checked))
        SetModifiedFlag();
}

void CKestrinDoc::CreateProjectFromWizard(const std::set<std::string>& files,
    const std::map<std::string, int32_t>& defines, const std::string& location,
    const std::string& fileName)
{
    context_.Input().Clear();
    selectedNode = nullptr;
    if (frame_ != nullptr)
        frame_->ResetViews();
    // The wizard's files join as they are: a file picked by hand is kept
    // whatever its type, and a Visual C++ project picked as a file is not
    // imported. Names holding a line break cannot be saved: AddFile refuses
    // them with a message.
    std::vector<std::string> paths;
    for (const std::string& file : files) {
        if (file.find_first_of("\r\n") == std::string::npos)
            paths.push_back(file);
        else
            AddFile(file);
    }
    context_.Input().AddFiles(paths);
    for (const auto& [name, value] : defines)
        context_.Options().projectWords.emplace(name, value);
    std::string path = location;
    if (!path.empty() && path.back() != '/')
        path += '/';
    SetPathName(path + fileName);
    SetModifiedFlag();
}

std::string CKestrinDoc::SelectFolder(QWidget*, std::string& folder)
{
    const auto choice =
        Ui().ChooseFolder(FolderRequest {"Please select a folder ", folder, {}, false});
    if (!choice)
        return {};
    folder = choice->path;
    return folder;
}

void CKestrinDoc::OnProjectInfo()
{
    if (RefusedDuringDraw() || frame_ == nullptr)
        return;
    CDialogProjectInfo dialog(*this, *frame_, context_.Input(), frame_);
    dialog.DoModal();
    if (dialog.Changed())
        SetModifiedFlag();
}

void CKestrinDoc::OnOpenFromVcFile()
{
    if (RefusedDuringDraw())
        return;
    FileRequest request {"Open From Visual C++", context_.Options().lastPath,
        "Visual C++ Workspace Files (*.dsp *.dsw *.vcproj);;All Files (*)", {}};
    const auto path = Ui().OpenFile(request);
    if (!path || !SaveModified())
        return;
    OnNewDocument();
    if (AddFile(*path))
        SetModifiedFlag();
}
