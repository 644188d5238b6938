// The main window's handlers of Draw, Stop, Clear All and Redraw, Fold and
// Unfold, and of the document's File menu and Info.
#include "MainFrame.h"

#include "AppContext.h"
#include "CommandIds.h"
#include "CommandTable.h"
#include "KestrinDoc.h"
#include "TotalView.h"

void CMainFrame::RegisterDrawCommands()
{
    CommandRegistry& c = commands_;
    auto notRunning = [this](CommandUpdate& u) { u.Enable(!context_.drawRunning); };
    auto running = [this](CommandUpdate& u) { u.Enable(context_.drawRunning); };
    for (int id : {ID_DRAW, IDC_DRAW}) {
        c.OnCommand(id, [this, id] {
            macroView_->StartDraw();
            if (id == IDC_DRAW)
                commands_.PostUpdate();
        });
        c.OnUpdate(id, notRunning);
    }
    for (int id : {ID_STOP, IDC_STOP}) {
        c.OnCommand(id, [this, id] {
            macroView_->StopDraw();
            if (id == IDC_STOP)
                commands_.PostUpdate();
        });
        c.OnUpdate(id, running);
    }
    c.OnCommand(ID_CLEAR_ALL_REDRAW, [this] {
        if (document_.RefusedDuringDraw())
            return;
        macroView_->ClearAll();
        macroView_->StartDraw();
    });
    c.OnUpdate(ID_CLEAR_ALL_REDRAW, notRunning);
    c.OnCommand(IDC_FOLD, [this] { macroView_->FoldAll(); });
    c.OnCommand(IDC_UNFOLD, [this] { macroView_->UnfoldAll(); });
}

void CMainFrame::RegisterDocumentCommands()
{
    CommandRegistry& c = commands_;
    CKestrinDoc& d = document_;
    c.OnCommand(ID_FILE_NEW, [&d] { d.OnFileNew(); });
    c.OnCommand(ID_NEW_PROJECT, [&d] { d.OnNewProject(); });
    c.OnCommand(ID_FILE_OPEN, [&d] { d.OnFileOpen(); });
    c.OnCommand(ID_CLOSE_PROJECT, [&d] { d.OnCloseProject(); });
    c.OnCommand(ID_APPEND_FILES, [&d] { d.OnAppendFiles(); });
    c.OnCommand(ID_OPEN_FROM_VC, [&d] { d.OnOpenFromVcFile(); });
    c.OnCommand(ID_PROJECT_INFO, [&d] { d.OnProjectInfo(); });
    c.OnCommand(ID_FILE_SAVE, [&d] { d.OnFileSave(); });
    c.OnCommand(ID_FILE_SAVE_AS, [&d] { d.OnFileSaveAs(); });
    for (int i = 0; i < kRecentFileCount; ++i) {
        c.OnCommand(ID_FILE_MRU_FILE1 + i, [&d, i] { d.OnOpenRecentFile(i); });
        c.OnUpdate(ID_FILE_MRU_FILE1 + i, [this, i](CommandUpdate& u) {
            u.Enable(i < static_cast<int>(context_.RecentFiles().Entries().size()));
        });
    }
}
