// The project's files: reading the project file with its parse cache, and
// adding source files and folders.
#include "KestrinDoc.h"

#include "Analyzer.h"
#include "AppContext.h"
#include "AtomicFile.h"
#include "FileType.h"
#include "InputSet.h"
#include "LanguageTable.h"
#include "LargeStackThread.h"
#include "MainFrame.h"
#include "MessageSink.h"
#include "Options.h"
#include "ParseCacheOptions.h"
#include "ProjectFileRemoval.h"
#include "TotalView.h"
#include "KstProjectFile.h"
#include "UiService.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// Project files larger than this are not project files.
constexpr size_t kMaxProjectFile = size_t(256) << 20;

} // namespace

bool CKestrinDoc::ReadProjectFile(const std::string& path)
{
    std::string bytes;
    ProjectFileContent content;
    const ReadResult read = ReadWholeFile(path, bytes, kMaxProjectFile);
    if (read == ReadResult::CannotOpen) {
        Ui().MessageBox(std::string(GetLangString(3)) + ": " + GetLangString(27) + "\n" + path,
            MessageButtons::Ok, MessageIcon::Error);
        return false;
    }
    if (read != ReadResult::Ok || !ParseProjectFile(bytes, content)) {
        Ui().MessageBox(
            std::string(GetLangString(28)) + "\n" + path, MessageButtons::Ok, MessageIcon::Error);
        return false;
    }

    CInputSet& input = context_.Input();
    for (const auto& [name, value] : content.defines)
        context_.Options().projectWords.emplace(name, value);
    // A relative path (a project shipped with its sources) is taken from the
    // project file's folder.
    std::error_code error;
    const fs::path folder = fs::absolute(path, error).parent_path();
    for (const ProjectFileEntry& file : content.files) {
        const fs::path source(file.path);
        const std::string full = source.is_relative() && !folder.empty()
            ? (folder / source).lexically_normal().string()
            : file.path;
        input.AddFile(full, file.analyse, file.draw);
    }
    if (content.sectionOpen)
        Ui().MessageBox(GetLangString(26), MessageButtons::Ok, MessageIcon::Warning);
    if (input.paths.empty()) {
        Ui().MessageBox(GetLangString(29), MessageButtons::Ok, MessageIcon::Information);
        return true;
    }

    frame_->SetProgress(0);
    const std::string cache = CachePathOf(path);
    CAnalyzer* analyzer = context_.Analyzer();
    if (!cache.empty() && analyzer != nullptr) {
        frame_->SetProgress(30);
        bool loaded = false;
        const std::string readWith = RecallCacheOptions(context_.Profile(), cache);
        RunOnLargeStack([&] { loaded = analyzer->Engine()->LoadCache(cache, readWith); });
        if (loaded) {
            CProjectAnalyzer* engine = analyzer->Engine();
            try {
                changeCheck_ =
                    std::async(std::launch::async, [engine] { return engine->IsAnyFileChanged(); });
            } catch (const std::system_error&) {
                // No thread: the check is made after the model is shown.
            }
            MessageLine(context_.Messages())
                << GetLangString(1) << ": " << cache << " " << GetLangString(22) << ".";
            frame_->SetProgress(80);
            frame_->Reanalyze();
        } else {
            MessageLine(context_.Messages(), MessageKind::Error)
                << GetLangString(2) << ": " << cache << " - " << GetLangString(34) << " ("
                << analyzer->Engine()->CacheFailure() << ")";
            if (Ui().MessageBox(GetLangString(35), MessageButtons::YesNo, MessageIcon::Question) ==
                Answer::Yes)
                frame_->PostDraw();
        }
    }
    frame_->SetProgress(100);
    frame_->SetProgress(0);
    return true;
}

void CKestrinDoc::AddFile(const std::string& path)
{
    if (path.find_first_of("\r\n") != std::string::npos) {
        std::string shown = path;
        std::replace_if(
            shown.begin(), shown.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
        MessageLine(context_.Messages(), MessageKind::Error)
            << GetLangString(2) << ": " << GetLangString(602) << ": " << shown;
        return;
    }
    switch (GetFileType(path)) {
    case 1:
        context_.Input().AddFile(path, true, true);
        break;
    case 2:
    case 3:
    case 5:
        // The Visual C++ readers plug in here.
        MessageLine(context_.Messages(), MessageKind::Error)
            << GetLangString(2) << ": " << path << " - " << GetLangString(603);
        break;
    default:
        break;
    }
}

void CKestrinDoc::RemoveFile(const std::string& path)
{
    if (RefusedDuringDraw())
        return;
    CAnalyzer* analyzer = context_.Analyzer();
    RemoveProjectFiles({path}, context_.Input(), analyzer != nullptr ? analyzer->Engine() : nullptr,
        [this] { context_.OnModelReplaced(); });
    if (frame_ != nullptr)
        frame_->MacroView()->RebuildLayout();
    SetModifiedFlag();
}

void CKestrinDoc::ScanFolder(const std::string& folder, bool recurse)
{
    std::error_code error;
    std::vector<fs::directory_entry> entries;
    for (fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, error);
         !error && it != fs::directory_iterator(); it.increment(error))
        entries.push_back(*it);
    std::sort(entries.begin(), entries.end());
    for (const fs::directory_entry& entry : entries) {
        std::error_code ignored;
        if (entry.is_symlink(ignored) && entry.is_directory(ignored))
            continue; // a linked folder may lead back up the tree
        if (entry.is_directory(ignored)) {
            if (recurse)
                ScanFolder(entry.path().string(), true);
        } else if (entry.is_regular_file(ignored)) {
            AddFile(entry.path().string());
        }
    }
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
    }
}

void CKestrinDoc::OnAddFolder(QWidget*)
{
    FolderRequest request {" ", context_.Options().lastPath, GetLangString(105), false};
    const auto choice = Ui().ChooseFolder(request);
    if (!choice)
        return;
    context_.Options().lastPath = choice->path;
    const size_t before = context_.Input().paths.size();
    ScanFolder(choice->path, choice->checked);
    if (context_.Input().paths.size() != before)
        SetModifiedFlag();
}

void CKestrinDoc::CreateProjectFromWizard(const std::set<std::string>& files,
    const std::set<std::string>& defines, const std::string& location, const std::string& fileName)
{
    context_.Input().Clear();
    selectedNode = nullptr;
    if (frame_ != nullptr)
        frame_->ResetViews();
    for (const std::string& file : files)
        AddFile(file);
    context_.Options().AddProjectWords(defines);
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
