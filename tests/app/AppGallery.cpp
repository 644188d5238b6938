// Renders the main window (and the About box and small dialogs) to PNG files
// for a person to look at:
//     app_gallery <folder> [PROJECT.kst [--draw] [-I DIR]...]
// With --draw the project is drawn first and every box unfolded; -I adds a
// folder to the include list.
// On a real display (xcb, e.g. under xvfb-run) it also saves the screen.
// Settings go to a temporary folder, never the user's.

#include "AboutDialog.h"
#include "CommandIds.h"
#include "TotalView.h"
#include "AppContext.h"
#include "KestrinApp.h"
#include "LanguageTable.h"
#include "MainFrame.h"
#include "MarginDialog.h"
#include "Options.h"
#include "SelectViewDialog.h"
#include "TempFolder.h"
#include "UiRecorder.h"

#include <QApplication>
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
    const QString path = folder + "/" + name + ".png";
    widget.grab().save(path);
    std::printf("%s\n", path.toUtf8().constData());
    if (QGuiApplication::platformName() == "xcb") {
        const QString screenPath = folder + "/" + name + "-screen.png";
        QGuiApplication::primaryScreen()->grabWindow(0).save(screenPath);
        std::printf("%s\n", screenPath.toUtf8().constData());
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
        AppContext context;
        CKestrinApp kestrin(context);
        std::vector<std::string> arguments;
        bool draw = false;
        for (int i = 3; i < argc; ++i) {
            const std::string arg = argv[i];
            if (arg == "--draw")
                draw = true;
            else if (arg == "-I" && i + 1 < argc)
                context.Options().userIncludeList.push_back(argv[++i]);
        }
        if (argc > 2)
            arguments.emplace_back(argv[2]);
        kestrin.InitInstance(arguments);
        CMainFrame& frame = *kestrin.MainFrame();
        frame.resize(1100, 720);
        if (draw) {
            frame.Commands().Execute(ID_DRAW);
            QElapsedTimer timer;
            timer.start();
            while (context.drawRunning && timer.elapsed() < 600000)
                QApplication::processEvents(QEventLoop::AllEvents, 50);
            Pump(500);
            Save(frame, "main-window-drawn");
            frame.MacroView()->UnfoldAll();
            Pump(300);
            Save(frame, "main-window-unfolded");
            frame.MacroView()->Click({frame.MacroView()->Nodes().front().absX + 30,
                                      frame.MacroView()->Nodes().front().absY + 5});
        }
        Save(frame, "main-window");

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
        frame.close();
    }
    FreeLanguageFile();
    return 0;
}
