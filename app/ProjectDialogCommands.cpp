// The main window's commands that open the general option, include-folder,
// predefined-word and system information dialogs.
#include "MainFrame.h"

#include "AppContext.h"
#include "CodeWindow.h"
#include "CommandIds.h"
#include "IncludeDirDialog.h"
#include "KestrinDoc.h"
#include "Options.h"
#include "PredefinedWordDialog.h"
#include "ProjectOptionDialog.h"
#include "SystemFacts.h"
#include "SystemInformationDialog.h"
#include "TotalView.h"

void CMainFrame::RegisterProjectDialogCommands()
{
    CommandRegistry& c = commands_;
    // A Draw reads the options' include lists and words while it runs.
    c.OnCommand(ID_OPTION_GENERAL, [this] {
        if (document_.RefusedDuringDraw())
            return;
        CDialogProjectOption dialog(
            context_.Options(), *codeWindow_, [this] { macroView_->Rearrange(); }, this);
        dialog.DoModal();
    });
    c.OnCommand(ID_OPTION_DIRECTORY, [this] {
        if (document_.RefusedDuringDraw())
            return;
        CDialogIncludeDir dialog(context_.Options(), this);
        dialog.DoModal();
    });
    c.OnCommand(ID_OPTION_PREDEFINED, [this] {
        if (document_.RefusedDuringDraw())
            return;
        CDialogPredefinedWord dialog(context_.Options(), this);
        if (dialog.DoModal() == IDOK && dialog.ProjectWordsChanged())
            document_.SetModifiedFlag();
    });
    c.OnCommand(ID_SYSTEM_INFO, [this] {
        if (document_.RefusedDuringDraw())
            return;
        LinuxSystemFacts facts;
        CDialogSystemInformation dialog(facts, this);
        dialog.DoModal();
    });
}
