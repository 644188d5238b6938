#include "KestrinApp.h"

#include "AppContext.h"
#include "KestrinDoc.h"
#include "MainFrame.h"
#include "Options.h"

CKestrinApp::CKestrinApp(AppContext& context) : context_(context)
{
}

CKestrinApp::~CKestrinApp()
{
    if (document_ != nullptr)
        document_->SetFrame(nullptr);
    frame_.reset();
    document_.reset();
}

bool CKestrinApp::InitInstance(const std::vector<std::string>& arguments)
{
    document_ = std::make_unique<CKestrinDoc>(context_);
    // The window is made hidden; the stored placement shows it.
    frame_ = std::make_unique<CMainFrame>(context_, *document_);
    document_->titleChanged = [this] {
        if (frame_ != nullptr)
            frame_->UpdateTitle();
    };

    // The command line: a new project, or the named one's path, kept until
    // the window is up (its open needs the window's panes).
    document_->OnNewDocument();
    if (!arguments.empty() && !arguments.front().empty()) {
        document_->OnOpenDocument(arguments.front());
        document_->SetPathName(arguments.front());
    }
    document_->SetFrame(frame_.get());
    frame_->UpdateRecentFileMenu();

    if (!frame_->RestorePlacement())
        frame_->show();
    frame_->repaint();

    COptions& options = context_.Options();
    if (!options.pendingProjectPath.empty()) {
        const std::string path = options.pendingProjectPath;
        options.pendingProjectPath.clear();
        document_->OpenDocumentFile(path); // which updates the recent-file menu
    }
    return true;
}
