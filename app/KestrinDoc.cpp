#include "KestrinDoc.h"

#include "AbsolutePath.h"
#include "AppContext.h"
#include "LanguageTable.h"
#include "MainFrame.h"
#include "UiService.h"

#include <filesystem>

CKestrinDoc::CKestrinDoc(AppContext& context)
    : context_(context), holder_(context.Holders(), "document selection", [this] {
          ClearSelection();
          dirty = true;
      })
{
}

std::string CKestrinDoc::GetTitle() const
{
    if (path_.empty())
        return "Untitled";
    return std::filesystem::path(path_).filename().string();
}

void CKestrinDoc::SetPathName(const std::string& path, bool addToRecent)
{
    path_ = path.empty() ? path : AbsolutePath(path);
    if (!path_.empty() && addToRecent) {
        context_.RecentFiles().Add(path_);
        context_.SaveRecentFiles();
        if (frame_ != nullptr)
            frame_->UpdateRecentFileMenu();
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

bool CKestrinDoc::RefusedDuringDraw() const
{
    if (!context_.drawRunning)
        return false;
    Ui().MessageBox(GetLangString(18), MessageButtons::Ok, MessageIcon::Warning);
    return true;
}

void CKestrinDoc::RemoveFromRecentFiles(const std::string& path)
{
    // Adding moves an entry first in its normal form; then it goes.
    context_.RecentFiles().Add(path);
    context_.RecentFiles().Remove(0);
    context_.SaveRecentFiles();
    if (frame_ != nullptr)
        frame_->UpdateRecentFileMenu();
}
