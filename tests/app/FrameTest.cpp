#include "AppFixture.h"

#include "CodeWindow.h"
#include "CommandIds.h"
#include "DetailView.h"
#include "DialogBar.h"
#include "FrameStatusBar.h"
#include "InfoView.h"
#include "InputSet.h"
#include "LanguageTable.h"
#include "MySplitter.h"
#include "Options.h"
#include "TotalView.h"
#include "WindowPlacement.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QSettings>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

std::string Text(const QAction* action)
{
    return action == nullptr ? std::string("(none)") : action->text().toStdString();
}

// Counts the paints a widget receives.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget& widget) { widget.installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

} // namespace

TEST(FrameTest, EveryCommandHasItsTextKeysAndMenuPlace)
{
    RunningApp program;
    CommandRegistry& commands = program.Frame().Commands();
    struct Expected {
        int id;
        const char* text;
        const char* keys; // as Qt spells them, joined by ", "
    };
    const Expected table[] = {
        {32796, "&New Project...\tCtrl+N", "Ctrl+N"},
        {57601, "&Open Kestrin Project...\tCtrl+O", "Ctrl+O"},
        {32799, "C&lose Kestrin Project\tCtrl+L", "Ctrl+L"},
        {32788, "Open From &Dsw Dsp vcproj File...\tCtrl+D", "Ctrl+D"},
        {32771, "Append Cpp C Dsw Dsp vcproj Fil&es...\tCtrl+E", "Ctrl+E"},
        {57603, "&Save Project\tCtrl+S", "Ctrl+S"},
        {57604, "Save Project &As...\tCtrl+A", "Ctrl+A"},
        {32808, "Print Pre&view...", ""},
        {32809, "&Print...\tCtrl+P", ""},
        {57606, "P&rint Setup...", ""},
        {57665, "E&xit", ""},
        {32778, "&Draw\tF5", "F5"},
        {32779, "Clear All and &Redraw\tCtrl+F5", "Ctrl+F5"},
        {32780, "&Stop\tF8", "F8"},
        {32794, "&Control Bar\tF10", "F10"},
        {59393, "&Status Bar\tF11", "F11"},
        {32789, "&Code\tF9", "F9"},
        {32781, "&General...", ""},
        {32782, "&Directory...", ""},
        {32783, "&Predefined Word...", ""},
        {32790, "&Macro View Visual Setting...", ""},
        {32807, "&Flow View Visual Setting...", ""},
        {32805, "&Sequence View Visual Setting...", ""},
        {32810, "&NSD View Visual Setting...", ""},
        {32774, "&Info", "F3"},
        {32785, "&Help...\tF1", "F1"},
        {32806, "&System Information...", ""},
        {57664, "&About Kestrin...", ""},
        {501, "U", "Ctrl+Up"},
        {502, "D", "Ctrl+Down"},
        {503, "<<", "Ctrl+Left"},
        {504, ">>", "Ctrl+Right"},
        {505, "1:2", "Ctrl+7"},
        {506, "|", "Ctrl+8"},
        {507, "2:1", "Ctrl+9"},
        {508, "Fit", "Ctrl+5"},
        {57607, "Print", "Ctrl+P"},
        {57680, "Next Pane", "F6"},
        {57681, "Previous Pane", "Shift+F6"},
        {57634, "Copy", "Ctrl+C, Ctrl+Ins"},
        {57635, "Cut", "Ctrl+X, Shift+Del"},
        {57637, "Paste", "Ctrl+V, Shift+Ins"},
        {57643, "Undo", "Ctrl+Z, Alt+Backspace"},
    };
    for (const Expected& e : table) {
        QAction* action = commands.Action(e.id);
        ASSERT_NE(action, nullptr) << e.id;
        EXPECT_EQ(Text(action), e.text) << e.id;
        QStringList keys;
        for (const QKeySequence& key : action->shortcuts())
            keys << key.toString();
        EXPECT_EQ(keys.join(", ").toStdString(), e.keys) << e.id;
    }

    // The menus by position: the run greys File, Option, Info, Draw and Clear All.
    QMenuBar& bar = *program.Frame().menuBar();
    const QList<QAction*> top = bar.actions();
    ASSERT_EQ(top.size(), 6);
    EXPECT_EQ(Text(top[0]), "&File");
    EXPECT_EQ(top[4], commands.Action(ID_PROJECT_INFO));
    const QList<QAction*> kestrin = top[1]->menu()->actions();
    EXPECT_EQ(kestrin[0], commands.Action(ID_DRAW));
    EXPECT_EQ(kestrin[1], commands.Action(ID_CLEAR_ALL_REDRAW));
    // Stop is not greyed by its position: while a draw runs it stays
    // enabled.
    EXPECT_EQ(kestrin[2], commands.Action(ID_STOP));
    program.context->drawRunning = true;
    program.Frame().DisableDrawMenus();
    for (int position : {0, 3, 4})
        EXPECT_FALSE(top[position]->isEnabled()) << position;
    EXPECT_FALSE(kestrin[1]->isEnabled());
    EXPECT_TRUE(kestrin[2]->isEnabled());
    program.context->drawRunning = false;
    program.Frame().EnableDrawMenus();
    EXPECT_TRUE(top[3]->isEnabled());
    EXPECT_FALSE(kestrin[2]->isEnabled());
}

TEST(FrameTest, SplitterButtonsDialogBarAndViewSelector)
{
    RunningApp program;
    CMainFrame& frame = program.Frame();
    frame.resize(1200, 800);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    CommandRegistry& commands = frame.Commands();

    // Ctrl+Up from mode 2 gives 1, then 0 (the message pane fills the window), then nothing.
    frame.OuterSplitter()->SetMode(2);
    for (int mode : {1, 0, 0}) {
        EXPECT_TRUE(commands.Execute(IDC_SPLIT_UP));
        EXPECT_EQ(frame.OuterSplitter()->GetMode(), mode);
    }
    EXPECT_EQ(frame.OuterSplitter()->FirstPaneSize(), 0);
    commands.Execute(IDC_SPLIT_HALF);
    EXPECT_EQ(frame.InnerSplitter()->RememberedSize(), frame.InnerSplitter()->width() / 2);
    commands.Execute(IDC_SPLIT_FIT);
    EXPECT_EQ(frame.InnerSplitter()->GetMode(), 2) << "no diagram: the detail pane goes";

    // The right-hand controls sit at fixed distances from the bar's right edge
    // and vanish rather than cover the Code button.
    const auto wide = PlaceRightControls(1200, 0, 30, 380);
    ASSERT_TRUE(wide);
    EXPECT_EQ((*wide)[0], QRect(QPoint(1169, 3), QPoint(1198, 28)));
    EXPECT_EQ((*wide)[6], QRect(QPoint(906, 3), QPoint(992, 28)));
    const auto narrow = PlaceRightControls(560, 0, 30, 380);
    EXPECT_TRUE((*narrow)[6].isEmpty());
    EXPECT_FALSE((*narrow)[4].isEmpty());
    EXPECT_FALSE(PlaceRightControls(45, 0, 30, 380));
    EXPECT_EQ(CFrameStatusBar::ProgressRect(700), QRect(453, 2, 233, 17));
    EXPECT_FALSE(CFrameStatusBar::ProgressRect(150));

    // The status bar stands whole at the window's bottom at any size: its
    // buttons, panes and progress bar inside it and the window.
    for (const QSize size : {QSize(1200, 800), QSize(560, 300)}) {
        frame.resize(size);
        QApplication::processEvents();
        CFrameStatusBar& bar = *frame.StatusBar();
        ASSERT_TRUE(bar.isVisible());
        const QRect inFrame(bar.mapTo(&frame, QPoint(0, 0)), bar.size());
        EXPECT_TRUE(frame.rect().contains(inFrame)) << size.width();
        EXPECT_EQ(inFrame.bottom(), frame.rect().bottom()) << size.width();
        EXPECT_EQ(inFrame.width(), frame.width());
        for (const QWidget* part : bar.findChildren<QWidget*>()) {
            if (!part->isVisible())
                continue;
            EXPECT_TRUE(bar.rect().contains(part->geometry())) << size.width();
            EXPECT_GE(part->height(), 17) << size.width();
        }
        EXPECT_TRUE(bar.Progress()->isVisible());
    }
    frame.resize(1200, 800);

    // Sort works once only while Auto Sort is off; the selector's choice is kept at close.
    COptions& options = program.context->Options();
    EXPECT_EQ(frame.DialogBar()->CheckBox(IDC_AUTO_SORT)->isChecked(), options.autoSort);
    options.autoSort = true;
    EXPECT_FALSE(commands.IsEnabled(IDC_SORT));
    frame.DialogBar()->Button(IDC_AUTO_SORT)->click();
    EXPECT_FALSE(options.autoSort);
    EXPECT_TRUE(commands.Execute(IDC_SORT));
    EXPECT_FALSE(options.autoSort);
    frame.DialogBar()->ViewSelector()->setCurrentIndex(2);
    frame.close();
    EXPECT_EQ(options.flowSequence, 2);
}

// A step of work on the window's thread shows its progress at once; a step
// after which the thread is free again leaves it to the next paints, and
// the bar still paints then.
TEST(FrameTest, ProgressShowsAtOnceOrWithTheNextPaints)
{
    RunningApp program;
    CMainFrame& frame = program.Frame();
    frame.resize(1200, 800);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    QProgressBar& bar = *frame.StatusBar()->Progress();
    QApplication::processEvents();
    PaintCounter counter(bar);

    frame.SetProgress(40);
    EXPECT_EQ(bar.value(), 40);
    EXPECT_EQ(counter.paints, 1) << "painted at once";

    frame.SetProgressSoon(130);
    EXPECT_EQ(bar.value(), 100);
    EXPECT_EQ(counter.paints, 1) << "not painted yet";
    EXPECT_TRUE(bar.updatesEnabled());
    EXPECT_TRUE(QTest::qWaitFor([&] { return counter.paints == 2; }))
        << "painted with the next paints";

    frame.SetProgressSoon(-5);
    frame.SetProgress(60);
    EXPECT_EQ(bar.value(), 60);
    EXPECT_EQ(counter.paints, 3) << "a later step at once paints as before";
    frame.SetProgress(0);
}

TEST(FrameTest, CodeWindowFollowsItsCommandAndPassesKeysToTheFrame)
{
    RunningApp program;
    CMainFrame& frame = program.Frame();
    CommandRegistry& commands = frame.Commands();
    EXPECT_FALSE(frame.CodeWindow()->isVisible());
    commands.Execute(ID_VIEW_CODE);
    EXPECT_TRUE(frame.CodeWindow()->isVisible());
    EXPECT_TRUE(program.context->Options().showCode);
    EXPECT_TRUE(frame.DialogBar()->Button(IDC_CODE)->isChecked());

    // A key pressed in the code window runs the frame's command.
    const int before = frame.OuterSplitter()->GetMode();
    frame.CodeWindow()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.CodeWindow()));
    QTest::keyClick(
        frame.CodeWindow()->focusWidget() ? frame.CodeWindow()->focusWidget() : frame.CodeWindow(),
        Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(frame.OuterSplitter()->GetMode(), std::min(before + 1, 2));
    // Even a key the text would take for itself (select all) runs Save As.
    UiRecorder ui;
    QTest::keyClick(
        frame.CodeWindow()->focusWidget() ? frame.CodeWindow()->focusWidget() : frame.CodeWindow(),
        Qt::Key_A, Qt::ControlModifier);
    ASSERT_EQ(ui.calls.size(), 1u);
    EXPECT_EQ(ui.calls[0].kind, UiCallKind::SaveFile);

    frame.CodeWindow()->close();
    EXPECT_FALSE(program.context->Options().showCode);
    commands.UpdateAll();
    EXPECT_FALSE(frame.DialogBar()->Button(IDC_CODE)->isChecked());
}

TEST(FrameTest, PlacementsSurviveARestartAndAFirstStartKeepsTheDefault)
{
    ScopedConfigFolder config;
    {
        AppContext context(config.Folders());
        CKestrinApp app(context);
        app.InitInstance({});
        CMainFrame& frame = *app.MainFrame();
        EXPECT_TRUE(frame.isVisible()) << "shown without a stored placement";
        EXPECT_FALSE(frame.CodeWindow()->isVisible());
        frame.setGeometry(40, 50, 900, 640);
        frame.CodeWindow()->setGeometry(300, 200, 500, 400);
        frame.showMaximized();
        QApplication::processEvents();
        frame.close();
    }
    QSettings profile(QString::fromStdString(config.File("Kestrin.ini")), QSettings::IniFormat);
    const auto stored = ReadPlacement(profile, "WindowPos");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->flags, WPF_RESTORETOMAXIMIZED);
    EXPECT_EQ(stored->normal, CRect(40, 50, 940, 690));
    {
        AppContext context(config.Folders());
        context.Options().showCode = true;
        CKestrinApp app(context);
        app.InitInstance({});
        CMainFrame& frame = *app.MainFrame();
        EXPECT_TRUE(frame.isMaximized());
        EXPECT_TRUE(frame.CodeWindow()->isVisible()) << "Show Code with a stored placement";
        EXPECT_EQ(frame.CodeWindow()->geometry(), QRect(300, 200, 500, 400));
        frame.close();
    }
}

TEST(FrameTest, StartUpOpensTheCommandLineProjectOnceTheWindowIsUpAndShutDownKeepsEverything)
{
    ScopedConfigFolder config;
    const std::string missing = config.File("gone/missing.kst");
    bool visibleAtMessage = false;
    std::string titleAtMessage;
    WatchingRecorder ui;
    {
        AppContext context(config.Folders());
        CKestrinApp app(context);
        ui.onMessage = [&](const std::string& text) {
            if (text.find(GetLangString(303)) == std::string::npos)
                return;
            CMainFrame* frame = app.MainFrame();
            visibleAtMessage = frame != nullptr && frame->isVisible();
            titleAtMessage = frame != nullptr ? frame->windowTitle().toStdString() : "";
        };
        ASSERT_TRUE(app.InitInstance({missing}));
        // The failure is shown once the window is up, titled with the file's name.
        EXPECT_TRUE(visibleAtMessage);
        EXPECT_EQ(titleAtMessage, "missing.kst[*] - Kestrin");
        // A file that cannot be opened leaves an untitled project, nothing a
        // save could overwrite, and no recent-file entry.
        EXPECT_EQ(app.Document()->GetPathName(), "");
        EXPECT_EQ(app.Document()->GetTitle(), "Untitled");
        EXPECT_TRUE(context.RecentFiles().Entries().empty());
        EXPECT_TRUE(context.Options().pendingProjectPath.empty());

        // Shut-down: the placements are written before the save question;
        // Cancel keeps the window.
        bool placedBeforeQuestion = false;
        ui.onMessage = [&](const std::string&) {
            QSettings profile(
                QString::fromStdString(config.File("Kestrin.ini")), QSettings::IniFormat);
            placedBeforeQuestion = ReadPlacement(profile, "WindowPos").has_value();
        };
        app.Document()->SetModifiedFlag();
        app.MainFrame()->OuterSplitter()->SetMode(0);
        ui.Reply(UiReply::Answer(Answer::Cancel));
        app.MainFrame()->close();
        EXPECT_TRUE(placedBeforeQuestion);
        EXPECT_TRUE(app.MainFrame()->isVisible());
        ui.Reply(UiReply::Answer(Answer::No));
        app.MainFrame()->close();
        EXPECT_FALSE(app.MainFrame()->isVisible());
    }
    // After the program: the options with the splitter's mode, and the default colour files.
    QSettings settings(QString::fromStdString(config.File("Kestrin.ini")), QSettings::IniFormat);
    EXPECT_EQ(settings.value("Kestrin/MacroInfoMode").toInt(), 0);
    for (const char* name : {"default", "defaultFlow", "defaultSequence", "defaultNSD"})
        EXPECT_TRUE(std::filesystem::exists(config.File(std::string("Color/") + name))) << name;
}

TEST(FrameTest, DroppedFilesJoinTheProjectUnlessADrawRuns)
{
    RunningApp program;
    CMainFrame& frame = program.Frame();
    UiRecorder ui;
    const std::string longPath = "/tmp/" + std::string(300, 'x') + "/deep.cpp";
    const std::vector<std::string> dropped = {
        "/tmp/one.cpp", longPath, "/tmp/notes.txt", "/tmp/bad\nname.c"};

    program.context->drawRunning = true;
    frame.OnDropFiles(dropped);
    EXPECT_EQ(ui.Texts(UiCallKind::Message), std::vector<std::string> {GetLangString(18)});
    EXPECT_TRUE(program.context->Input().paths.empty());
    program.context->drawRunning = false;

    frame.OnDropFiles(dropped);
    program.context->Messages().Deliver();
    const std::set<std::string> added(
        program.context->Input().paths.begin(), program.context->Input().paths.end());
    EXPECT_EQ(added, (std::set<std::string> {"/tmp/one.cpp", longPath}))
        << "never cut at 260 characters";
    EXPECT_TRUE(program.Doc().IsModified());
    const QStringList lines = frame.InfoView()->toPlainText().split('\n');
    EXPECT_EQ(lines.value(0).toStdString(), GetLangString(77));
    EXPECT_EQ(lines.value(1).toStdString(), "/tmp/one.cpp");
}

TEST(FrameTest, ReplacingTheModelResetsEveryRegisteredHolderFirst)
{
    ScopedConfigFolder config;
    AppContext context(config.Folders());
    int resets = 0;
    const CAnalyzer* analyzerAtReset = nullptr;
    {
        ModelHolders::Registration holder(context.Holders(), "test", [&] {
            ++resets;
            analyzerAtReset = context.Analyzer();
        });
        const CAnalyzer* old = context.Analyzer();
        context.ReplaceAnalyzer();
        EXPECT_EQ(resets, 1);
        EXPECT_EQ(analyzerAtReset, old) << "reset while the old model still exists";
        EXPECT_NE(context.Analyzer(), nullptr);
        context.OnModelReplaced();
        EXPECT_EQ(resets, 2);
    }
    context.OnModelReplaced();
    EXPECT_EQ(resets, 2) << "a holder that went is not called";
}

TEST(FrameTest, DefaultColorFilesThatCannotBeReadAreNotOverwrittenAtExit)
{
    ScopedConfigFolder config;
    std::filesystem::create_directories(config.File("Color"));
    // The user's copies, damaged by hand: cut short, and a text file whose
    // values end early. The sequence file is missing and is written.
    const std::string flow =
        "<?xml version=\"1.0\"?>\r\n<FlowviewColorXML Version=\"1.0\">\r\n<High";
    const std::string macro = "Color Information File Version 1.2\r\nHighColorShading 3\r\n";
    WriteFileBytes(config.File("Color/defaultFlow"), flow);
    WriteFileBytes(config.File("Color/default"), macro);
    {
        UiRecorder ui;
        AppContext context(config.Folders());
        CKestrinApp app(context);
        app.InitInstance({});
        app.MainFrame()->close();
    }
    EXPECT_EQ(ReadFileBytes(config.File("Color/defaultFlow")), flow);
    EXPECT_EQ(ReadFileBytes(config.File("Color/default")), macro);
    EXPECT_TRUE(std::filesystem::exists(config.File("Color/defaultSequence")));
    EXPECT_TRUE(std::filesystem::exists(config.File("Color/defaultNSD")));
}

// Two windows on the same user folder, closed in turn: the one closed last
// changed nothing, and what the other changed in the Visual Setting dialogs
// stays in the default colour files.
TEST(FrameTest, ClosingLaterKeepsTheColourFilesAnotherWindowChanged)
{
    ScopedConfigFolder config;
    UiRecorder ui;
    { // a first run leaves the user's copies
        AppContext context(config.Folders());
        CKestrinApp app(context);
        app.InitInstance({});
        app.MainFrame()->close();
    }
    struct Window {
        explicit Window(const ScopedConfigFolder& config) : context(config.Folders()), app(context)
        {
            app.InitInstance({});
        }
        ~Window() { app.MainFrame()->close(); }
        AppContext context;
        CKestrinApp app;
    };
    auto first = std::make_unique<Window>(config);
    auto second = std::make_unique<Window>(config);
    CDetailView& detail = *first->app.MainFrame()->DetailView();
    CFlowSetting flow = detail.FlowSetting();
    flow.BackGroundColor = RGB(1, 2, 3);
    detail.ApplyFlowSetting(flow);
    CNSDSetting nsd = detail.NSDSetting();
    nsd.BackGroundColor = RGB(4, 5, 6);
    detail.ApplyNSDSetting(nsd);
    CTotalView& macro = *first->app.MainFrame()->MacroView();
    ElementStyleTable style = macro.Style();
    style.BackGroundColor = RGB(10, 11, 12);
    macro.ApplyMacroSetting(macro.Fonts(), style);
    first.reset();
    const std::string flowFile = ReadFileBytes(config.File("Color/defaultFlow"));
    const std::string nsdFile = ReadFileBytes(config.File("Color/defaultNSD"));
    const std::string macroFile = ReadFileBytes(config.File("Color/default"));
    EXPECT_NE(flowFile.find("\"030201\""), std::string::npos) << flowFile;
    EXPECT_NE(macroFile.find("BackGroundColor 10 11 12"), std::string::npos) << macroFile;
    second.reset();
    EXPECT_EQ(ReadFileBytes(config.File("Color/defaultFlow")), flowFile);
    EXPECT_EQ(ReadFileBytes(config.File("Color/defaultNSD")), nsdFile);
    EXPECT_EQ(ReadFileBytes(config.File("Color/default")), macroFile);

    // A later window reads the changes; a change of its own is written.
    {
        Window third(config);
        CDetailView& again = *third.app.MainFrame()->DetailView();
        EXPECT_EQ(again.FlowSetting().BackGroundColor, RGB(1, 2, 3));
        EXPECT_EQ(again.NSDSetting().BackGroundColor, RGB(4, 5, 6));
        flow.BackGroundColor = RGB(7, 8, 9);
        again.ApplyFlowSetting(flow);
    }
    EXPECT_NE(
        ReadFileBytes(config.File("Color/defaultFlow")).find("\"090807\""), std::string::npos);
    EXPECT_EQ(ReadFileBytes(config.File("Color/defaultNSD")), nsdFile);
}
