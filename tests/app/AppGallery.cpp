// Renders the main window (and the About box and small dialogs) to PNG files
// for a person to look at:
//     app_gallery <folder> [PROJECT.kst [--draw] [--function NAME] [--type NAME] [-I DIR]...]
// With --draw the project is drawn first and every box unfolded, then the
// function (default Plan) is shown at every view kind with the code window
// and print previews, and the type (default Vegetable) as its detail box; -I
// adds a folder to the include list.
// On a real display (xcb, e.g. under xvfb-run) it also saves the screen.
// Settings go to a temporary folder, never the user's.

#include "AboutDialog.h"
#include "AppFixture.h"
#include "CodeView.h"
#include "CodeWindow.h"
#include "CommandIds.h"
#include "DetailView.h"
#include "DialogBar.h"
#include "TotalView.h"
#include "AppContext.h"
#include "KestrinApp.h"
#include "LanguageTable.h"
#include "MainFrame.h"
#include "MarginDialog.h"
#include "PowerListView.h"
#include "ProjectInfoDialog.h"
#include "ProjectOptionDialog.h"
#include "InputSet.h"
#include "CheckListRows.h"
#include "ModelScope.h"
#include "Options.h"
#include "PrintPreviewDialog.h"
#include "Prompt.h"
#include "SelectViewDialog.h"
#include "TempFolder.h"
#include "UiRecorder.h"
#include "WidgetPicture.h"

#include <QApplication>
#include <QComboBox>
#include <QMouseEvent>
#include <QElapsedTimer>
#include <QScreen>
#include <cstdio>
#include <cstdlib>

namespace {

QString folder;

void Pump(int ms = 200)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

void Save(QWidget& widget, const char* name)
{
    Pump();
    SaveWidgetPicture(widget, folder, name);
}

// Clicks the named item of the macro view (its box's top-right corner, clear
// of the fold mark); false when it is not there.
bool Select(CMainFrame& frame, const std::string& name)
{
    const MacroLayoutNode* node = FindNode(frame.MacroView()->Nodes(), name);
    if (node == nullptr) {
        std::fprintf(stderr, "no item %s in the macro view\n", name.c_str());
        return false;
    }
    frame.MacroView()->Click({node->absX + node->boxW - 4, node->absY + 3});
    Pump(100);
    return true;
}

void ChooseView(CMainFrame& frame, int index)
{
    QComboBox* selector = frame.DialogBar()->ViewSelector();
    selector->setCurrentIndex(index);
    emit selector->activated(index);
    Pump(100);
}

// The detail view of a function at every view kind, a type's detail box, the
// code window with a clicked flow box's lines marked, and print previews.
void SaveDetailPictures(
    CMainFrame& frame, AppContext& context, const std::string& function, const std::string& type)
{
    frame.Commands().Execute(IDC_SPLIT_HALF);
    frame.Commands().Execute(ID_VIEW_CODE);
    frame.CodeWindow()->move(frame.geometry().right() - 400, frame.geometry().top() + 80);
    if (!Select(frame, function))
        return;
    Save(frame, "detail-selected"); // a new chart opens on its Start box
    Save(*frame.CodeWindow(), "code-window-function");
    const char* names[] = {"detail-flow1", "detail-flow4", "detail-flow16", "detail-sequence",
        "detail-multiseq", "detail-nsd"};
    for (int index = 0; index < 6; ++index) {
        ChooseView(frame, index);
        Save(frame, names[index]);
    }
    CDetailView& detail = *frame.DetailView();
    // The multi-sequence diagram after a click on the marker of the first
    // function not explored yet.
    ChooseView(frame, 4);
    bool clicked = false;
    for (const MultiSeqColumn& column : detail.MultiSequence().Columns()) {
        for (const MultiSeqEntry& entry : column.entries) {
            if (entry.explored || clicked)
                continue;
            const CPoint scroll = detail.GetScrollPosition();
            const QPointF at(static_cast<double>(entry.x + 5 + entry.textH / 2 - scroll.x),
                static_cast<double>(entry.y + entry.BoxHeight() / 2 - scroll.y));
            QMouseEvent press(QEvent::MouseButtonPress, at, detail.viewport()->mapToGlobal(at),
                Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(detail.viewport(), &press);
            clicked = true;
        }
    }
    Save(frame, "detail-multiseq-explored");

    // A flow chart's first condition box clicked at 4x: its explanation, and
    // its lines marked in the code window.
    ChooseView(frame, 1);
    const CFlowChartPainter* painter = detail.Diagram().FlowPainter();
    bool found = false;
    for (int row = 1; painter != nullptr && row <= painter->Rows() && !found; ++row) {
        for (int col = 0; col <= painter->Cols() && !found; ++col) {
            const CFlowItem* item = painter->ItemAt(CPoint(col, row));
            if (item == nullptr || item->kind != 33)
                continue;
            found = true;
            detail.ScrollToPosition({std::max(0, col * painter->XSpace() - 60),
                std::max(0, row * painter->YSpace() - 60)});
            const CPoint scroll = detail.GetScrollPosition();
            detail.HitCell(CPoint(
                col * painter->XSpace() + 5 - scroll.x, row * painter->YSpace() + 5 - scroll.y));
            detail.RedrawNow();
        }
    }
    Save(frame, "detail-flow4-explained");
    Save(*frame.CodeWindow(), "code-window");

    // Print previews of the flow chart and of the macro view.
    context.Printer().SetPdfOutput("/dev/null");
    {
        PrintPreviewDialog preview(
            context.Printer(), detail, [](PrintMargins&) { return false; }, &frame);
        preview.show();
        Save(preview, "preview-flow4");
    }
    {
        PrintPreviewDialog preview(
            context.Printer(), *frame.MacroView(), [](PrintMargins&) { return false; }, &frame);
        preview.show();
        Save(preview, "preview-macro");
    }
    if (Select(frame, type)) {
        ChooseView(frame, 1);
        Save(frame, "detail-box");
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: app_gallery <folder> [PROJECT.kst]\n");
        return 2;
    }
    TempFolder config;
    setenv("KESTRIN_CONFIG_DIR", config.Path().c_str(), 1);
    QApplication application(argc, argv);
    folder = QString::fromLocal8Bit(argv[1]);
    LoadLanguageFile();
    {
        // Questions are answered No and nothing waits on a modal window.
        UiRecorder ui;
        // As the program does, messages of the libraries go to message
        // boxes; those shown while starting are listed.
        ScopedPrompt prompts(&ui);
        AppContext context;
        CKestrinApp kestrin(context);
        std::vector<std::string> arguments;
        bool draw = false;
        std::string function = "Plan";
        std::string type = "Vegetable";
        for (int i = 3; i < argc; ++i) {
            const std::string arg = argv[i];
            if (arg == "--draw")
                draw = true;
            else if (arg == "--function" && i + 1 < argc)
                function = argv[++i];
            else if (arg == "--type" && i + 1 < argc)
                type = argv[++i];
            else if (arg == "-I" && i + 1 < argc)
                context.Options().userIncludeList.push_back(argv[++i]);
        }
        if (argc > 2)
            arguments.emplace_back(argv[2]);
        kestrin.InitInstance(arguments);
        std::printf("message boxes while starting: %zu\n", ui.calls.size());
        for (const UiCall& call : ui.calls)
            std::printf("    %s\n", call.text.c_str());
        CMainFrame& frame = *kestrin.MainFrame();
        frame.resize(1100, 720);
        if (draw) {
            // The project's cache is loaded on the run's thread: Draw waits
            // for it as a user would.
            QElapsedTimer timer;
            timer.start();
            while (context.drawRunning && timer.elapsed() < 600000)
                QApplication::processEvents(QEventLoop::AllEvents, 50);
            frame.Commands().Execute(ID_DRAW);
            while (context.drawRunning && timer.elapsed() < 600000)
                QApplication::processEvents(QEventLoop::AllEvents, 50);
            Pump(500);
            Save(frame, "main-window-drawn");
            frame.MacroView()->UnfoldAll();
            Pump(300);
            Save(frame, "main-window-unfolded");
            SaveDetailPictures(frame, context, function, type);
        }
        Save(frame, "main-window");
        // The window's bottom (status bar, U and D, progress bar) at two
        // sizes, twice as large.
        for (const QSize size : {QSize(1100, 720), QSize(640, 420)}) {
            frame.resize(size);
            Pump();
            const QRect bottom(0, frame.height() - 40, frame.width(), 40);
            const QString name =
                QString("%1/status-bar-%2x%3.png").arg(folder).arg(size.width()).arg(size.height());
            frame.grab(bottom).scaled(bottom.size() * 2).save(name);
            std::printf("%s\n", name.toUtf8().constData());
        }
        frame.resize(1100, 720);

        CDialogAbout about(&frame);
        about.Initialize();
        about.show();
        Save(about, "about");
        about.hide();

        CDialogSelectView chooser(&frame);
        chooser.mode = 1;
        chooser.Initialize();
        chooser.show();
        Save(chooser, "select-view");
        chooser.hide();

        CDialogMargin margins(&frame);
        margins.SetMargins(10, 10, 3, 3);
        margins.Initialize();
        margins.show();
        Save(margins, "margin");
        margins.hide();

        // Page Setup shows the same margins.
        ui.Reply(UiReply::Dialog([](QDialog& dialog) {
            dialog.show();
            Save(dialog, "page-setup");
            dialog.hide();
            return 0;
        }));
        context.Printer().PageSetup(&frame);

        CDialogProjectOption option(
            context.Options(), *frame.CodeWindow(), [] {}, &frame);
        option.Initialize();
        option.show();
        Save(option, "project-option");
        option.hide();

        // The project's files, or a few made up when it has none.
        CInputSet& input = context.Input();
        if (input.paths.empty()) {
            for (const char* path : {"/home/me/garden/src/planner.cpp",
                     "/home/me/garden/src/beds.c", "/home/me/garden/legacy/old_water.c"})
                input.AddFile(path, true, true);
            input.fileFlags["/home/me/garden/legacy/old_water.c"].analyse = false;
        }
        CDialogProjectInfo info(*kestrin.Document(), frame, input, &frame);
        info.Initialize();
        info.show();
        Save(info, "project-information");
        info.CheckItem(CDialogProjectInfo::IDC_PATH, 1);
        info.List()->SetDisplayMode(1);
        info.List()->EditRows().Rows()[0].selected = true;
        info.List()->Refresh();
        Save(info, "project-information-paths");
        info.hide();
        frame.close();
    }
    FreeLanguageFile();
    return 0;
}
