// Measures the main road of the program in its real main window on the
// offscreen platform: open a project (or make one of the given paths), press
// Draw, wait for the macro view; then save, close, reopen from the parse
// cache and wait for the macro view again; then narrow the window.
//
//   gui_bench [-I DIR]... [-D NAME[=VALUE]]... [--by-name] [--arrange-at-once]
//             [--import-times] [--select PREFIX]
//             PROJECT.kst|PATH...
//
// --by-name: every header is reused by name (same-name files are not
// preprocessed again, the project option's default); without it, they are.
// --arrange-at-once: a new width is arranged on the window's thread however
// large the tree is, for comparison.
// --import-times: first prints how the opening or adding went: import_ms
// (opening the project, or adding the paths, until that returned), pane_ms
// (from then until the message pane has shown every line written),
// import_stall_ms (the longest hold of the user-interface thread over both),
// import_peak_rss_mb (the peak memory so far).
//
// Prints one "key value" line each: files, draw_ms (Draw pressed until the
// run has finished), first_paint_ms (run finished until the macro view has
// painted), max_stall_ms (the longest gap between ticks of a 5 ms timer on
// the user-interface thread while the run goes on), reopen_ms (save, close,
// reopen and show from the cache until painted), reopen_stall_ms (the longest
// hold of that thread meanwhile), resize_stall_ms (its longest hold while the
// window is narrowed in ten steps and the last width is shown), peak_rss_mb.
//
// --select PREFIX: then every box is unfolded, the first box whose name
// begins with PREFIX is clicked with the code window shown, and the detail
// view shows it at each of the six view kinds; select_ms (the click until
// the detail view has painted) and views_ms (the longest change of view
// kind until painted) follow, and peak_rss_mb includes these steps.
//
// Then come draw_peak_rss_mb (the peak memory until the Draw's model was
// first painted) and reopen_peak_rss_mb (until the reopened model was
// painted): peak_rss_mb takes the narrowing in as well. Both are peaks of
// the process so far; reopen_own_peak_rss_mb is the peak from the save on
// alone (0 where the system cannot tell it).
//
// Last, reopen_ms taken apart, in ms with a tenth: on the window's thread
// reopen_save_ms (the project file and the parse cache written),
// reopen_close_ms (the project closed, its model handed over to be freed),
// reopen_open_ms (opening the saved project until that returned, the load
// started); on the load's thread, which runs meanwhile and after,
// reopen_wait_ms (waiting for the closed project's model to be freed),
// reopen_read_ms (the cache file read through once, its digest taken and
// its records found), reopen_digest_ms (the digest compared with the one
// kept at the save), reopen_decode_ms (the records read again and made),
// reopen_rebuild_ms (the model built from the records), reopen_macro_ms
// (the macro view's tree built, measured and arranged) and reopen_check_ms
// (then waiting for every file to have been compared with the disk and its
// includes found again, which goes on beside the last two). What is left of
// reopen_ms is handing the end to the window and painting.

#include "ProjectArguments.h"
#include "TempFolder.h"

#include "AppContext.h"
#include "CodeWindow.h"
#include "CommandIds.h"
#include "DetailView.h"
#include "DialogBar.h"
#include "InputSet.h"
#include "KestrinApp.h"
#include "KestrinDoc.h"
#include "LanguageTable.h"
#include "MainFrame.h"
#include "Options.h"
#include "StepTimes.h"
#include "TotalView.h"
#include "UiRecorder.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <limits>
#include <sys/resource.h>
#include <utility>

namespace {

// The most memory the process has had resident so far, in MB.
double PeakResidentMb()
{
    struct rusage usage { };
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

// Starts the resident peak of the memory map afresh (the process's peak
// stays), so that ResidentPeakSinceMb tells the peak of one step; false
// where the system does not allow it.
bool RestartResidentPeak()
{
    std::FILE* file = std::fopen("/proc/self/clear_refs", "w");
    if (file == nullptr)
        return false;
    const bool written = std::fputs("5", file) >= 0;
    return std::fclose(file) == 0 && written;
}

// The most memory resident since RestartResidentPeak, in MB (0 when the
// system does not say).
double ResidentPeakSinceMb()
{
    std::FILE* file = std::fopen("/proc/self/status", "r");
    if (file == nullptr)
        return 0;
    char line[256];
    long kb = 0;
    while (std::fgets(line, sizeof line, file) != nullptr) {
        if (std::sscanf(line, "VmHWM: %ld kB", &kb) == 1)
            break;
    }
    std::fclose(file);
    return kb / 1024.0;
}

constexpr qint64 kTimeoutMs = 30 * 60 * 1000;

bool IsProjectFile(const std::string& path)
{
    return path.size() > 4 && path.compare(path.size() - 4, 4, ".kst") == 0;
}

// Runs the event loop until the condition holds; false on timeout.
bool RunUntil(const std::function<bool()>& done)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > kTimeoutMs)
            return false;
        // Blocks until an event comes (the 5 ms ticker sends one at the
        // latest): the overload with a time limit would never wait and keep
        // a core busy beside the run.
        QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    return true;
}

// The first box, depth first, whose element's name begins with `prefix`.
const MacroLayoutNode* FindBox(const std::vector<MacroLayoutNode>& nodes, const std::string& prefix)
{
    for (const MacroLayoutNode& node : nodes) {
        if (node.scope != nullptr && node.scope->name.starts_with(prefix))
            return &node;
        if (const MacroLayoutNode* found = FindBox(node.children, prefix))
            return found;
    }
    return nullptr;
}

} // namespace

int main(int argc, char** argv)
{
    ProjectArguments project;
    std::vector<std::string> paths;
    bool arrangeAtOnce = false;
    bool importTimes = false;
    std::string select;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (TakeProjectOption("gui_bench", argc, argv, i, project))
            continue;
        if (arg == "--arrange-at-once") {
            arrangeAtOnce = true;
            continue;
        }
        if (arg == "--import-times") {
            importTimes = true;
            continue;
        }
        if (arg == "--select" && i + 1 < argc) {
            select = argv[++i];
            continue;
        }
        if (!arg.empty() && arg[0] == '-')
            BenchUsageError("gui_bench", "unknown option " + arg);
        paths.push_back(arg);
    }
    if (paths.empty())
        BenchUsageError("gui_bench",
            "usage: gui_bench [-I DIR]... [-D NAME[=VALUE]]... [--by-name] "
            "[--arrange-at-once] [--import-times] [--select PREFIX] PROJECT.kst|PATH...");

    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    TempFolder work;
    setenv("KESTRIN_CONFIG_DIR", work.Path().c_str(), 1);
    QApplication application(argc, argv);
    LoadLanguageFile();
    int result = 0;
    {
        UiRecorder ui; // questions are answered No; nothing waits on a window
        AppContext context;
        CKestrinApp kestrin(context);
        kestrin.InitInstance({});
        CMainFrame& frame = *kestrin.MainFrame();
        CKestrinDoc& document = *kestrin.Document();
        frame.resize(1280, 860);
        QApplication::processEvents();

        COptions& options = context.Options();
        options.preprocessingSameNameFile = !project.byName;

        // The user-interface thread's ticks while the project is opened or
        // its paths are added, and until the pane shows every line.
        QElapsedTimer importClock;
        importClock.start();
        qint64 importTick = 0;
        qint64 importStall = 0;
        QTimer importTicker;
        importTicker.setInterval(5);
        QObject::connect(&importTicker, &QTimer::timeout, [&] {
            const qint64 now = importClock.elapsed();
            importStall = std::max(importStall, now - importTick);
            importTick = now;
        });
        if (importTimes)
            importTicker.start();
        importTick = importClock.elapsed();
        if (paths.size() == 1 && IsProjectFile(paths.front())) {
            if (!document.OpenDocumentFile(paths.front())) {
                std::fprintf(stderr, "gui_bench: cannot open %s\n", paths.front().c_str());
                return 1;
            }
        } else {
            // Absolute, so that the saved project finds its files again
            // wherever it is written.
            for (const std::string& given : paths) {
                std::error_code error;
                const std::string path = std::filesystem::absolute(given, error).string();
                if (std::filesystem::is_directory(path, error))
                    document.ScanFolder(path, true);
                else if (std::filesystem::exists(path, error))
                    document.AddFile(path);
                else
                    BenchUsageError("gui_bench", "no such file or folder: " + path);
            }
        }
        if (importTimes) {
            const qint64 imported = importClock.elapsed();
            importStall = std::max(importStall, imported - importTick);
            RunUntil([&] { return !context.Messages().HasPending(); });
            QApplication::processEvents(); // the pane paints what it was given
            const qint64 shown = importClock.elapsed();
            importStall = std::max(importStall, shown - importTick);
            importTicker.stop();
            struct rusage usage { };
            getrusage(RUSAGE_SELF, &usage);
            std::printf("import_ms %lld\n", static_cast<long long>(imported));
            std::printf("pane_ms %lld\n", static_cast<long long>(shown - imported));
            std::printf("import_stall_ms %lld\n", static_cast<long long>(importStall));
            std::printf("import_peak_rss_mb %.1f\n", usage.ru_maxrss / 1024.0);
            std::fflush(stdout);
        }
        for (const std::string& dir : project.includeDirs) {
            std::error_code error;
            options.userIncludeList.push_back(std::filesystem::absolute(dir, error).string());
        }
        for (const PredefinedWord& word : project.defines)
            options.projectWords[word.name] = word.value;
        const size_t files = context.Input().paths.size();

        // The user-interface thread's ticks while the run goes on.
        QElapsedTimer clock;
        clock.start();
        qint64 lastTick = 0;
        qint64 maxStall = 0;
        bool drawing = false;
        QTimer ticker;
        ticker.setInterval(5);
        QObject::connect(&ticker, &QTimer::timeout, [&] {
            const qint64 now = clock.elapsed();
            if (drawing)
                maxStall = std::max(maxStall, now - lastTick);
            lastTick = now;
        });
        ticker.start();

        CTotalView& view = *frame.MacroView();
        if (arrangeAtOnce)
            view.SetArrangeAwayFrom(std::numeric_limits<int>::max());
        qint64 drawStart = 0;
        qint64 drawEnd = 0;
        qint64 paintEnd = 0;
        bool finished = false;
        bool painted = false;
        QObject::connect(&view, &CTotalView::DrawFinished, [&] {
            drawEnd = clock.elapsed();
            maxStall = std::max(maxStall, drawEnd - lastTick);
            drawing = false;
            finished = true;
        });
        QObject::connect(&view, &CTotalView::MacroViewPainted, [&] {
            if (finished && !painted) {
                paintEnd = clock.elapsed();
                painted = true;
            }
        });

        lastTick = clock.elapsed();
        drawStart = lastTick;
        drawing = true;
        frame.Commands().Execute(ID_DRAW);
        // A model without elements (no sources, or none that could be read)
        // leaves nothing to paint.
        const auto nothingToPaint = [&] { return finished && view.Nodes().empty(); };
        if (!RunUntil([&] { return painted || nothingToPaint(); })) {
            std::fprintf(stderr, "gui_bench: the Draw did not end\n");
            return 1;
        }
        if (!painted)
            paintEnd = drawEnd;

        const qint64 drawStall = maxStall;
        const bool shown = !nothingToPaint();
        const double drawPeakMb = PeakResidentMb();

        // Save, close and reopen from the parse cache.
        const std::string saved = work.Path() + "/gui_bench.kst";
        bool reopened = false;
        auto connection =
            QObject::connect(&view, &CTotalView::MacroViewPainted, [&] { reopened = true; });
        QElapsedTimer part;
        part.start();
        const bool ownPeak = RestartResidentPeak();
        const qint64 reopenStart = clock.elapsed();
        document.DoSave(saved);
        const double saveMs = part.nsecsElapsed() / 1e6;
        part.restart();
        document.OnCloseProject();
        const double closeMs = part.nsecsElapsed() / 1e6;
        reopened = false;
        // The longest the window's thread is held from opening until the
        // model shows.
        maxStall = 0;
        lastTick = clock.elapsed();
        drawing = true;
        part.restart();
        const bool opened = document.OpenDocumentFile(saved);
        const double openMs = part.nsecsElapsed() / 1e6;
        if (opened && shown)
            RunUntil([&] { return reopened || (!view.Loading() && view.Nodes().empty()); });
        const qint64 reopenEnd = clock.elapsed();
        drawing = false;
        const qint64 reopenStall = std::max(maxStall, reopenEnd - lastTick);
        const double reopenPeakMb = PeakResidentMb();
        const double reopenOwnPeakMb = ownPeak ? ResidentPeakSinceMb() : 0;
        const StepTimes loadSteps = view.LastLoadSteps();
        QObject::disconnect(connection);
        if (!opened)
            std::fprintf(stderr, "gui_bench: the saved project did not open again\n");
        else if (shown && !reopened)
            std::fprintf(stderr, "gui_bench: the saved project opened without its model\n");

        // Narrowing the window over the model in steps, as a drag of its
        // edge does: the longest hold of the window's thread until the last
        // width's arrangement is shown.
        qint64 resizeStall = 0;
        if (opened && shown) {
            bool arranged = false;
            const auto painted =
                QObject::connect(&view, &CTotalView::MacroViewPainted, [&] { arranged = true; });
            maxStall = 0;
            lastTick = clock.elapsed();
            drawing = true;
            for (int step = 0; step < 10; ++step) {
                frame.resize(frame.width() - 16, frame.height());
                QElapsedTimer pause;
                pause.start();
                RunUntil([&] { return pause.elapsed() >= 30; });
            }
            // A small tree was arranged by the paints between the steps; a
            // large one may still be arranging away from the window.
            RunUntil([&] { return !view.ArrangingAway() && !view.RearrangePending(); });
            arranged = false;
            view.RedrawNow();
            RunUntil([&] { return arranged; });
            drawing = false;
            resizeStall = std::max(maxStall, clock.elapsed() - lastTick);
            QObject::disconnect(painted);
        }

        // Selecting an element and showing it at every view kind.
        qint64 selectMs = -1;
        qint64 viewsMs = -1;
        if (!select.empty() && opened && shown) {
            view.UnfoldAll();
            RunUntil([&] { return !view.ArrangingAway() && !view.RearrangePending(); });
            view.RedrawNow();
            const MacroLayoutNode* box = FindBox(view.Nodes(), select);
            if (box == nullptr) {
                std::fprintf(stderr, "gui_bench: no box named %s...\n", select.c_str());
            } else {
                if (frame.CodeWindow()->isHidden())
                    frame.Commands().Execute(ID_VIEW_CODE);
                QApplication::processEvents();
                CDetailView& detail = *frame.DetailView();
                QElapsedTimer step;
                step.start();
                view.Click({box->absX + box->boxW - 4, box->absY + 3});
                detail.RedrawNow();
                QApplication::processEvents();
                selectMs = step.elapsed();
                QComboBox* selector = frame.DialogBar()->ViewSelector();
                for (int index = 0; index < selector->count(); ++index) {
                    step.restart();
                    selector->setCurrentIndex(index);
                    emit selector->activated(index);
                    detail.RedrawNow();
                    QApplication::processEvents();
                    viewsMs = std::max(viewsMs, step.elapsed());
                }
            }
        }

        struct rusage usage { };
        getrusage(RUSAGE_SELF, &usage);
        std::printf("files %zu\n", files);
        std::printf("draw_ms %lld\n", static_cast<long long>(drawEnd - drawStart));
        std::printf("first_paint_ms %lld\n", static_cast<long long>(paintEnd - drawEnd));
        std::printf("max_stall_ms %lld\n", static_cast<long long>(drawStall));
        std::printf("reopen_ms %lld\n", static_cast<long long>(reopenEnd - reopenStart));
        std::printf("reopen_stall_ms %lld\n", static_cast<long long>(reopenStall));
        std::printf("resize_stall_ms %lld\n", static_cast<long long>(resizeStall));
        std::printf("peak_rss_mb %.1f\n", usage.ru_maxrss / 1024.0);
        if (!select.empty()) {
            std::printf("select_ms %lld\n", static_cast<long long>(selectMs));
            std::printf("views_ms %lld\n", static_cast<long long>(viewsMs));
        }
        std::printf("draw_peak_rss_mb %.1f\n", drawPeakMb);
        std::printf("reopen_peak_rss_mb %.1f\n", reopenPeakMb);
        std::printf("reopen_own_peak_rss_mb %.1f\n", reopenOwnPeakMb);
        std::printf("reopen_save_ms %.1f\n", saveMs);
        std::printf("reopen_close_ms %.1f\n", closeMs);
        std::printf("reopen_open_ms %.1f\n", openMs);
        // The files are checked beside the rebuild: "check" is the wait after it.
        const std::pair<const char*, const char*> lines[] = {{"wait", "wait"}, {"read", "read"},
            {"digest", "digest"}, {"decode", "decode"}, {"check", "beside"}, {"rebuild", "rebuild"},
            {"macro", "macro"}};
        for (const auto& [line, step] : lines)
            std::printf("reopen_%s_ms %.1f\n", line, loadSteps.Milliseconds(step));
        std::fflush(stdout);
        document.SetModifiedFlag(false);
        frame.close();
        result = opened ? 0 : 1;
    }
    FreeLanguageFile();
    return result;
}
