// The main window's print commands: the File menu's Print and Print Preview
// ask which view to print; the keys' print commands take the active view.
#include "MainFrame.h"

#include "AppContext.h"
#include "CommandIds.h"
#include "DetailView.h"
#include "PrintImage.h"
#include "SelectViewDialog.h"
#include "TotalView.h"

namespace {

enum class PrintMode { Preview = 0, Print = 1 };

} // namespace

void CMainFrame::RegisterPrintCommands()
{
    CommandRegistry& c = commands_;
    // The view to print: the chosen one, or none when the chooser was closed.
    auto choose = [this](PrintMode mode) -> PrintableView* {
        CDialogSelectView chooser(this);
        chooser.mode = static_cast<int>(mode);
        detailView_->LayOutNow();
        chooser.SetSizes(macroView_->GetTotalSize(), detailView_->GetTotalSize());
        if (chooser.DoModal() != IDOK)
            return nullptr;
        if (chooser.chosenView == 1)
            return macroView_;
        return detailView_;
    };
    // The view the keys mean: the detail view when it had the focus last.
    auto active = [this]() -> PrintableView& {
        const QWidget* focus = focusWidget();
        if (focus != nullptr && (focus == detailView_ || detailView_->isAncestorOf(focus)))
            return *detailView_;
        return *macroView_;
    };
    c.OnCommand(ID_PRINT_PREVIEW_CHOOSE, [this, choose] {
        if (PrintableView* view = choose(PrintMode::Preview))
            PreviewView(context_.Printer(), *view, this);
    });
    c.OnCommand(ID_PRINT_CHOOSE, [this, choose] {
        if (PrintableView* view = choose(PrintMode::Print))
            PrintView(context_.Printer(), *view, this);
    });
    c.OnCommand(ID_FILE_PRINT, [this, active] { PrintView(context_.Printer(), active(), this); });
    c.OnCommand(ID_FILE_PRINT_DIRECT,
        [this, active] { PrintView(context_.Printer(), active(), this, true); });
    c.OnCommand(
        ID_FILE_PRINT_PREVIEW, [this, active] { PreviewView(context_.Printer(), active(), this); });
    for (int id : {ID_PRINT_PREVIEW_CHOOSE, ID_PRINT_CHOOSE, ID_FILE_PRINT, ID_FILE_PRINT_DIRECT,
             ID_FILE_PRINT_PREVIEW})
        c.OnUpdate(id, [this](CommandUpdate& u) { u.Enable(!context_.drawRunning); });
}
