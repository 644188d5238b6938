// The main window's command handlers: view toggles, help, the splitter
// buttons and keys, and the dialog bar's controls.
#include "MainFrame.h"

#include "AboutDialog.h"
#include "AppContext.h"
#include "CodeWindow.h"
#include "CommandIds.h"
#include "DetailView.h"
#include "DialogBar.h"
#include "FrameStatusBar.h"
#include "HelpPages.h"
#include "InfoView.h"
#include "MySplitter.h"
#include "Options.h"
#include "TotalView.h"

#include <QAbstractButton>
#include <QPushButton>
#include <QApplication>

void CMainFrame::RegisterFrameCommands()
{
    CommandRegistry& c = commands_;
    c.OnCommand(ID_VIEW_CONTROL_BAR, [this] {
        dialogBar_->setVisible(dialogBar_->isHidden());
        dialogBar_->PlaceControls();
    });
    c.OnUpdate(
        ID_VIEW_CONTROL_BAR, [this](CommandUpdate& u) { u.SetCheck(!dialogBar_->isHidden()); });
    c.OnCommand(ID_VIEW_STATUS_BAR, [this] { statusBar_->setVisible(statusBar_->isHidden()); });
    c.OnUpdate(
        ID_VIEW_STATUS_BAR, [this](CommandUpdate& u) { u.SetCheck(!statusBar_->isHidden()); });
    // The menu command and the bar's check box; a check box bound to a
    // command flips its state, and the command's update shows the new one.
    for (int id : {ID_VIEW_CODE, IDC_CODE}) {
        c.OnCommand(id, [this] { ShowCodeWindow(codeWindow_->isHidden()); });
        c.OnUpdate(id, [this](CommandUpdate& u) { u.SetCheck(codeWindow_->isVisible()); });
    }

    c.OnCommand(ID_HELP_CONTENTS, [] { OpenHelp(); });
    c.OnCommand(ID_WEB_PAGE, [] { OpenWebPage(); });
    c.OnCommand(ID_APP_ABOUT, [this] {
        CDialogAbout about(this);
        about.DoModal();
    });
    c.OnCommand(ID_APP_EXIT, [this] { close(); });
    c.OnCommand(ID_FILE_PRINT_SETUP, [this] { context_.Printer().PageSetup(this); });
    c.OnCommand(ID_NEXT_PANE, [this] { FocusPane(1); });
    c.OnCommand(ID_PREV_PANE, [this] { FocusPane(-1); });
    // Copy reaches the message pane, the only pane with a text selection.
    c.OnCommand(ID_EDIT_COPY, [this] { infoView_->copy(); });
    c.OnUpdate(ID_EDIT_COPY,
        [this](CommandUpdate& u) { u.Enable(infoView_->textCursor().hasSelection()); });
}

void CMainFrame::FocusPane(int step)
{
    QWidget* panes[] = {macroView_, detailView_, infoView_};
    int current = -1;
    for (int i = 0; i < 3; ++i)
        if (panes[i]->isAncestorOf(QApplication::focusWidget()) ||
            panes[i] == QApplication::focusWidget())
            current = i;
    const int next = current < 0 ? 0 : (current + step + 3) % 3;
    panes[next]->setFocus(Qt::ShortcutFocusReason);
}

void CMainFrame::RegisterSplitterCommands()
{
    CommandRegistry& c = commands_;
    c.OnCommand(IDC_SPLIT_UP, [this] { outer_->CollapseLess(); });
    c.OnCommand(IDC_SPLIT_DOWN, [this] { outer_->CollapseMore(); });
    c.OnCommand(IDC_SPLIT_LEFT, [this] { inner_->CollapseLess(); });
    c.OnCommand(IDC_SPLIT_RIGHT, [this] { inner_->CollapseMore(); });
    c.OnCommand(IDC_SPLIT_ONE_TWO, [this] { inner_->ShowTwoThirds(); });
    c.OnCommand(IDC_SPLIT_HALF, [this] { inner_->ShowHalf(); });
    c.OnCommand(IDC_SPLIT_TWO_ONE, [this] { inner_->ShowThird(); });
    c.OnCommand(IDC_SPLIT_FIT, [this] {
        // A hidden pane has not laid out the selection's diagram yet.
        detailView_->LayOutNow();
        inner_->SetSecondPaneSize(detailView_->diagramWidth);
    });
    c.BindButton(statusBar_->UpButton(), IDC_SPLIT_UP);
    c.BindButton(statusBar_->DownButton(), IDC_SPLIT_DOWN);
}

void CMainFrame::RegisterDialogBarCommands()
{
    CommandRegistry& c = commands_;
    COptions& options = context_.Options();
    c.OnCommand(IDC_AUTO_SORT, [this, &options] {
        options.autoSort = !options.autoSort;
        commands_.PostUpdate();
        if (options.autoSort)
            macroView_->Rearrange();
    });
    c.OnUpdate(IDC_AUTO_SORT, [&options](CommandUpdate& u) { u.SetCheck(options.autoSort); });
    c.OnCommand(IDC_SORT, [this, &options] {
        const bool kept = options.autoSort;
        options.autoSort = true;
        macroView_->Rearrange();
        macroView_->RedrawNow();
        options.autoSort = kept;
    });
    c.OnUpdate(IDC_SORT, [&options](CommandUpdate& u) { u.Enable(!options.autoSort); });
    c.OnCommand(
        IDC_SHOW_VC_HEADER, [this] { macroView_->SetShowHeaders(!macroView_->ShowHeaders()); });
    c.OnUpdate(
        IDC_SHOW_VC_HEADER, [this](CommandUpdate& u) { u.SetCheck(macroView_->ShowHeaders()); });
    c.OnCommand(
        IDC_FILENAME, [this] { macroView_->SetShowsFileName(!macroView_->ShowsFileName()); });
    c.OnUpdate(IDC_FILENAME, [this](CommandUpdate& u) { u.SetCheck(macroView_->ShowsFileName()); });
    c.OnCommand(IDC_AUTO_RESIZE, [this, &options] {
        options.autoResizeMacroView = !options.autoResizeMacroView;
        macroView_->Invalidate();
    });
    c.OnUpdate(
        IDC_AUTO_RESIZE, [&options](CommandUpdate& u) { u.SetCheck(options.autoResizeMacroView); });
    c.OnCommand(IDC_PARSING_VC_HEADER,
        [this] { macroView_->SetParsesHeaders(!macroView_->ParsesHeaders()); });
    c.OnUpdate(IDC_PARSING_VC_HEADER,
        [this](CommandUpdate& u) { u.SetCheck(macroView_->ParsesHeaders()); });

    for (const auto& [id, widget] : dialogBar_->Controls())
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            c.BindButton(button, id);
}
