#include "MainFrame.h"

#include "AppContext.h"
#include "CodeWindow.h"
#include "CommandIds.h"
#include "CommandTable.h"
#include "DetailView.h"
#include "DialogBar.h"
#include "FrameStatusBar.h"
#include "GuiSession.h"
#include "InfoView.h"
#include "Analyzer.h"
#include "LargeStackThread.h"
#include "InputSet.h"
#include "KestrinDoc.h"
#include "LanguageTable.h"
#include "MessageSink.h"
#include "MySplitter.h"
#include "Options.h"
#include "TotalView.h"
#include "UiService.h"
#include "WindowPlacement.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenuBar>
#include <QMimeData>
#include <QProgressBar>
#include <QSettings>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

CMainFrame::CMainFrame(AppContext& context, CKestrinDoc& document, QWidget* parent)
    : QMainWindow(parent), context_(context), document_(document)
{
    setAcceptDrops(true);
    resize(1024, 720);
    RegisterCommandTable(commands_);
    commands_.BuildMenuBar(*menuBar(), MainMenuDescription());
    BuildBars();
    BuildPanes();
    RegisterFrameCommands();
    RegisterSplitterCommands();
    RegisterDialogBarCommands();
    RegisterDrawCommands();
    RegisterDocumentCommands();
    RegisterPrintCommands();
    RegisterProjectDialogCommands();
    RegisterVisualSettingCommands();
    commands_.AttachKeys(*this);
    commands_.AttachKeys(*codeWindow_);
    context_.Messages().Attach(infoView_);
    UpdateRecentFileMenu();
    UpdateTitle();
    commands_.UpdateAll();
}

CMainFrame::~CMainFrame()
{
    context_.Messages().Attach(nullptr);
    COptions& options = context_.Options();
    options.macroInfoMode = outer_->GetMode();
    options.macroInfoSize = outer_->RememberedSize();
    options.macroDetailMode = inner_->GetMode();
    options.macroDetailSize = inner_->RememberedSize();
}

void CMainFrame::BuildBars()
{
    // The bar's check boxes take their state from their commands' updates.
    dialogBar_ = new CDialogBar;
    statusBar_ = new CFrameStatusBar;
}

void CMainFrame::BuildPanes()
{
    outer_ = new CMySplitter(Qt::Vertical);
    inner_ = new CMySplitter(Qt::Horizontal);
    macroView_ = new CTotalView(context_, document_);
    macroView_->SetFrame(this);
    detailView_ = new CDetailView(context_, document_);
    detailView_->SetMacroView(macroView_);
    infoView_ = new CInfoView(nullptr, [this] { return context_.drawRunning.load(); });
    inner_->addWidget(macroView_);
    inner_->addWidget(detailView_);
    outer_->addWidget(inner_);
    outer_->addWidget(infoView_);

    const COptions& options = context_.Options();
    outer_->SetMode(options.macroInfoMode);
    outer_->SetRememberedSize(options.macroInfoSize);
    inner_->SetMode(options.macroDetailMode);
    inner_->SetRememberedSize(options.macroDetailSize);

    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(dialogBar_);
    layout->addWidget(outer_, 1);
    layout->addWidget(statusBar_);
    setCentralWidget(central);

    codeWindow_ = new CDialogCode(context_.Options(), this);
    connect(codeWindow_, &CDialogCode::Closed, this, [this] {
        context_.Options().showCode = false;
        commands_.UpdateAll();
    });

    QComboBox* selector = dialogBar_->ViewSelector();
    selector->setCurrentIndex(std::clamp(options.flowSequence, 0, selector->count() - 1));
    connect(selector, &QComboBox::activated, this, &CMainFrame::OnViewSelectorChanged);
    OnViewSelectorChanged(selector->currentIndex());
}

void CMainFrame::OnViewSelectorChanged(int index)
{
    detailView_->SetKindFromSelector(index);
    detailView_->Invalidate();
}

void CMainFrame::ResetViews()
{
    infoView_->Clear();
    detailView_->ClearDetail();
    macroView_->ClearAll();
    context_.Options().ClearProjectWords();
    codeWindow_->Clear();
}

void CMainFrame::ShowCodeLine(int first, int last, bool keepIfVisible)
{
    codeWindow_->SelectLine(first, last, keepIfVisible);
}

bool CMainFrame::ShowSource(const std::string& path)
{
    return codeWindow_->ShowFile(path);
}

void CMainFrame::ClearCode()
{
    codeWindow_->ClearText();
}

void CMainFrame::SetProgress(int percent)
{
    statusBar_->Progress()->setValue(std::clamp(percent, 0, 100));
}

void CMainFrame::SetProgressSoon(int percent)
{
    // The bar repaints itself at once on a visible change, unless its
    // updates are off; turning them on again asks for a paint.
    QProgressBar* bar = statusBar_->Progress();
    bar->setUpdatesEnabled(false);
    bar->setValue(std::clamp(percent, 0, 100));
    bar->setUpdatesEnabled(true);
}

void CMainFrame::Reanalyze()
{
    CAnalyzer* analyzer = context_.Analyzer();
    if (analyzer == nullptr || context_.drawRunning)
        return;
    context_.OnModelReplaced();
    RunOnLargeStack([analyzer] { analyzer->RebuildModel(3); });
    macroView_->RebuildLayout();
    macroView_->ClearSelection();
    // The macro view first: painting it paints whatever else waits, so that
    // clearing the detail view afterwards repaints only that view.
    macroView_->RedrawNow();
    detailView_->ClearDetail();
}

void CMainFrame::PostDraw()
{
    QMetaObject::invokeMethod(
        this, [this] { commands_.Execute(IDC_DRAW); }, Qt::QueuedConnection);
}

void CMainFrame::ShowCodeWindow(bool show)
{
    if (show) {
        codeWindow_->setAttribute(Qt::WA_ShowWithoutActivating);
        codeWindow_->show();
    } else {
        codeWindow_->hide();
    }
    context_.Options().showCode = show;
}

bool CMainFrame::RestorePlacement()
{
    QSettings& profile = context_.Profile();
    const std::optional<WindowPlacement> frame = ReadPlacement(profile, "WindowPos");
    const std::optional<WindowPlacement> code = ReadPlacement(profile, "CodeWindowPos");
    if (!frame || !code)
        return false;
    SetWindowPlacement(*this, *frame);
    codeWindow_->setGeometry(PlacementRect(*codeWindow_, *code));
    ShowCodeWindow(context_.Options().showCode);
    commands_.UpdateAll();
    return true;
}

void CMainFrame::SaveWindowPlacements()
{
    WindowPlacement frame = GetWindowPlacement(*this);
    frame.flags = isMaximized() ? WPF_RESTORETOMAXIMIZED : 0;
    const WindowPlacement code = GetWindowPlacement(*codeWindow_);
    QSettings& profile = context_.Profile();
    WritePlacement(profile, "WindowPos", frame);
    WritePlacement(profile, "CodeWindowPos", code);
    profile.sync();
}

void CMainFrame::SetDrawMenusEnabled(bool enable)
{
    QMenuBar& bar = *menuBar();
    commands_.EnableTopLevel(bar, kFileMenuPosition, enable);
    commands_.EnableTopLevel(bar, kOptionMenuPosition, enable);
    commands_.EnableTopLevel(bar, kInfoMenuPosition, enable);
    commands_.EnableMenuItem(bar, kKestrinMenuPosition, 0, enable);
    commands_.EnableMenuItem(bar, kKestrinMenuPosition, 1, enable);
    commands_.UpdateAll();
}

void CMainFrame::DisableDrawMenus()
{
    SetDrawMenusEnabled(false);
}

void CMainFrame::EnableDrawMenus()
{
    SetDrawMenusEnabled(true);
}

void CMainFrame::UpdateTitle()
{
    setWindowTitle(ToQString(document_.GetTitle()) + "[*] - Kestrin");
    setWindowModified(document_.IsModified());
}

void CMainFrame::UpdateRecentFileMenu()
{
    const RecentFileList& recent = context_.RecentFiles();
    const int count = static_cast<int>(recent.Entries().size());
    for (int i = 0; i < kRecentFileCount; ++i) {
        QAction* action = commands_.Action(ID_FILE_MRU_FILE1 + i);
        if (action == nullptr)
            continue;
        if (i < count)
            action->setText(ToQString(recent.MenuText(i)));
        else if (i == 0)
            action->setText("Recent File");
        action->setVisible(i < std::max(count, 1));
    }
    commands_.UpdateAll();
}

void CMainFrame::OnDropFiles(const std::vector<std::string>& paths)
{
    if (context_.drawRunning) {
        Ui().MessageBox(GetLangString(18), MessageButtons::Ok, MessageIcon::Warning);
        return;
    }
    bool added = false;
    MessageLine(context_.Messages()) << GetLangString(77);
    for (const std::string& path : paths) {
        MessageLine(context_.Messages()) << path;
        added = document_.AddFile(path) || added;
        if (document_.ImportStopped())
            break;
    }
    if (added)
        document_.SetModifiedFlag();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    std::vector<std::string> paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            paths.push_back(url.toLocalFile().toUtf8().toStdString());
    if (paths.empty())
        return;
    event->acceptProposedAction();
    OnDropFiles(paths);
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    context_.Options().flowSequence = dialogBar_->ViewSelector()->currentIndex();
    SaveWindowPlacements();
    macroView_->StopAndWait();
    if (!document_.SaveModified()) {
        event->ignore();
        return;
    }
    codeWindow_->hide();
    event->accept();
}
