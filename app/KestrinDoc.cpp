#include "KestrinDoc.h"

#include "AppContext.h"
#include "AtomicFile.h"
#include "FileType.h"
#include "InputSet.h"
#include "LanguageTable.h"
#include "MainFrame.h"
#include "MessageSink.h"
#include "Options.h"
#include "UiService.h"

#include <filesystem>

CKestrinDoc::CKestrinDoc(AppContext& context) : context_(context) {}

std::string CKestrinDoc::GetTitle() const
{
    if (path_.empty())
        return "Untitled";
    return std::filesystem::path(path_).filename().string();
}

void CKestrinDoc::SetPathName(const std::string& path, bool addToRecent)
{
    std::error_code error;
    path_ = path.empty() ? path : std::filesystem::absolute(path, error).lexically_normal().string();
    if (!path.empty() && addToRecent) {
        context_.RecentFiles().Add(path);
        context_.SaveRecentFiles();
    }
    if (titleChanged)
        titleChanged();
}

void CKestrinDoc::SetModifiedFlag(bool modified)
{
    if (modified_ == modified)
        return;
    modified_ = modified;
    if (titleChanged)
        titleChanged();
}

void CKestrinDoc::ClearSelection()
{
    rootScope = nullptr;
    selectedScope = nullptr;
    selectedNode = nullptr;
    dirty = false;
    mode = 0;
}

bool CKestrinDoc::OnNewDocument()
{
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
        Ui().MessageBox(std::string(GetLangString(303)) + "\n" + path, MessageButtons::Ok, MessageIcon::Error);
        return false;
    }
    ClearSelection();
    frame_->ResetViews();
    context_.Input().Clear();
    context_.Input().SetDefaultIncludeDirs();
    return true;
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
        return true; // saving projects comes with the project file
    }
}

bool CKestrinDoc::OpenDocumentFile(const std::string& path)
{
    if (!SaveModified())
        return false;
    if (OnOpenDocument(path)) {
        modified_ = false;
        SetPathName(path);
        return true;
    }
    // Nothing of the failed file is kept: no path a later save could
    // overwrite, and no recent-file entry that fails again.
    // (Adding moves an entry first in its normal form; then it goes.)
    context_.RecentFiles().Add(path);
    context_.RecentFiles().Remove(0);
    context_.SaveRecentFiles();
    OnNewDocument();
    return false;
}

void CKestrinDoc::AddFile(const std::string& path)
{
    if (path.find_first_of("\r\n") != std::string::npos) {
        MessageLine(context_.Messages(), MessageKind::Error) << GetLangString(2) << ": " << GetLangString(602);
        return;
    }
    switch (GetFileType(path)) {
    case 1:
        context_.Input().AddFile(path, true, true);
        break;
    case 2:
    case 3:
    case 5:
        MessageLine(context_.Messages(), MessageKind::Error)
            << GetLangString(2) << ": " << path << " - " << GetLangString(603);
        break;
    default:
        break;
    }
}
