#pragma once

#include "CommandRegistry.h"

#include <QMainWindow>
#include <string>
#include <vector>

class AppContext;
class CDetailView;
class CDialogBar;
class CDialogCode;
class CFrameStatusBar;
class CInfoView;
class CKestrinDoc;
class CMySplitter;
class CTotalView;

// The main window: the macro view and the detail view side by side over the
// message pane, in two splitters that keep their second pane's size; the
// dialog bar above them and the status bar below; the menus and keys of
// every command; and the modeless code window. It keeps its placement and the
// splitters' modes between runs, takes files dropped on it, and on closing
// stops a running Draw and asks to save the project.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    // Made hidden; start-up shows it by its stored placement.
    CMainFrame(AppContext& context, CKestrinDoc& document, QWidget* parent = nullptr);
    // Keeps the splitters' modes and sizes in the options.
    ~CMainFrame() override;

    CommandRegistry& Commands() { return commands_; }
    CTotalView* MacroView() const { return macroView_; }
    CDetailView* DetailView() const { return detailView_; }
    CInfoView* InfoView() const { return infoView_; }
    CDialogCode* CodeWindow() const { return codeWindow_; }
    CMySplitter* OuterSplitter() const { return outer_; }
    CMySplitter* InnerSplitter() const { return inner_; }
    CDialogBar* DialogBar() const { return dialogBar_; }
    CFrameStatusBar* StatusBar() const { return statusBar_; }

    // Empties the message pane, the detail view, the macro view and the code
    // window, and forgets the project's predefined words.
    void ResetViews();
    void ShowCodeLine(int first, int last, bool keepIfVisible);
    bool ShowSource(const std::string& path);
    void ClearCode();
    // The status bar's progress bar; values beyond 100 show it full. The
    // bar shows the new value at once, painting whatever else of the window
    // waits with it, as a step of work on the window's thread needs.
    void SetProgress(int percent);
    // The same, shown with the next paints: for a step after which the
    // window's thread is free again.
    void SetProgressSoon(int percent);
    // Builds the model again from the files already read (a loaded parse
    // cache), without reading them, and shows it.
    void Reanalyze();
    // Presses Draw once the current command is over.
    void PostDraw();

    // Reads the stored placements of the frame and the code window; false,
    // and nothing changed, unless both are there and whole.
    bool RestorePlacement();
    void SaveWindowPlacements();
    // Adds dropped files to the project (refused while a Draw runs).
    void OnDropFiles(const std::vector<std::string>& paths);

    // Greys (or enables again) the File and Option menus, the Info command,
    // Draw and Clear All and Redraw while a Draw runs.
    void DisableDrawMenus();
    void EnableDrawMenus();

    void UpdateTitle();
    void UpdateRecentFileMenu();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void BuildPanes();
    void BuildBars();
    // The handlers of the frame's commands (MainFrameCommands.cpp).
    void RegisterFrameCommands();
    void RegisterSplitterCommands();
    void RegisterDialogBarCommands();
    void RegisterDrawCommands();
    void RegisterDocumentCommands();
    // Print and Print Preview of the macro view or the detail view
    // (MainFramePrint.cpp).
    void RegisterPrintCommands();
    // Include folders, predefined words, system information
    // (ProjectDialogCommands.cpp).
    void RegisterProjectDialogCommands();
    // The four Visual Setting dialogs (VisualSettingCommands.cpp).
    void RegisterVisualSettingCommands();
    void OnViewSelectorChanged(int index);
    void ShowCodeWindow(bool show);
    void FocusPane(int step);
    void SetDrawMenusEnabled(bool enable);

    AppContext& context_;
    CKestrinDoc& document_;
    CommandRegistry commands_;
    CMySplitter* outer_ = nullptr;
    CMySplitter* inner_ = nullptr;
    CTotalView* macroView_ = nullptr;
    CDetailView* detailView_ = nullptr;
    CInfoView* infoView_ = nullptr;
    CDialogCode* codeWindow_ = nullptr;
    CDialogBar* dialogBar_ = nullptr;
    CFrameStatusBar* statusBar_ = nullptr;
};
