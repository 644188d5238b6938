// Measures one function's detail diagram as the detail view shows it: the
// project is analysed, the function's diagram is built and laid out, and one
// window of 1600 by 1000 pixels at the picture's top-left is painted off
// screen.
//
// diagram_bench [-I DIR]... [-D NAME[=VALUE]]... --function NAME
//               --kind flow1|flow4|flow16|nsd|sequence|multiseq|detailbox
//               [--png FILE] PATH...
//
// NAME is plain ("run") or qualified ("ns::Parser::run"); the first function
// with a body that matches is drawn (for detailbox, the first type). Output: one "key value" line
// each for layout_ms, paint_ms, width, height and items, then model_rss_mb (resident once
// the project is analysed) and peak_rss_mb (the most resident until the picture is drawn,
// the PNG aside).

#include "DiagramKinds.h"
#include "ProjectArguments.h"

#include "Analyzer.h"
#include "LanguageTable.h"

#include "Bitmap.h"
#include "DetailDiagram.h"
#include "DeviceContext.h"
#include "FlowSetting.h"
#include "GuiSession.h"
#include "MemDC.h"
#include "ModelScope.h"
#include "NSDSetting.h"

#include <chrono>
#include <cstdio>
#include <functional>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>

#include <sys/resource.h>
#include <unistd.h>

using namespace diagram_kinds;

namespace {

constexpr const char* kProgram = "diagram_bench";

struct Options {
    ProjectArguments project;
    std::string function;
    const KindChoice* kind = nullptr;
    std::string png;
};

[[noreturn]] void Usage()
{
    BenchUsageError(kProgram,
        "usage: diagram_bench [-I DIR]... [-D NAME[=VALUE]]... --function NAME "
        "--kind flow1|flow4|flow16|nsd|sequence|multiseq|detailbox "
        "[--png FILE] PATH...");
}

Options ParseOptions(int argc, char** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc)
                BenchUsageError(kProgram, arg + " needs a value");
            return argv[++i];
        };
        if (TakeProjectOption(kProgram, argc, argv, i, options.project)) {
            continue;
        } else if (arg == "--function") {
            options.function = value();
        } else if (arg == "--kind") {
            const std::string name = value();
            for (const KindChoice& kind : kKinds) {
                if (name == kind.name)
                    options.kind = &kind;
            }
            if (options.kind == nullptr)
                BenchUsageError(kProgram, "unknown kind " + name);
        } else if (arg == "--png") {
            options.png = value();
        } else if (!arg.empty() && arg[0] == '-') {
            BenchUsageError(kProgram, "unknown option " + arg);
        } else {
            AddProjectPath(kProgram, arg, options.project.files);
            options.project.anyPath = true;
        }
    }
    if (!options.project.anyPath || options.function.empty() || options.kind == nullptr)
        Usage();
    return options;
}

double MillisecondsOf(const std::function<void()>& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

// The qualified name matches NAME as a whole or in its last parts.
bool NameMatches(const std::string& qualified, const std::string& wanted)
{
    if (qualified == wanted)
        return true;
    return qualified.size() > wanted.size() + 2 &&
        qualified.compare(qualified.size() - wanted.size(), wanted.size(), wanted) == 0 &&
        qualified.compare(qualified.size() - wanted.size() - 2, 2, "::") == 0;
}

// The first element, depth first, of the mode's kind with a definition whose
// name matches.
const CModelScope* FindElement(
    const CModelScope& scope, const std::string& prefix, const std::string& wanted, int mode)
{
    if (!scope.scopeChildren)
        return nullptr;
    for (const auto& child : *scope.scopeChildren) {
        const std::string qualified =
            prefix.empty() ? child->name.str() : prefix + "::" + child->name;
        const bool function = child->kind == UNIT_FUNCTION;
        const bool wantedKind = mode == CDetailDiagram::kFunctionMode ? function : !function;
        if (wantedKind && !child->definitions.empty() && NameMatches(qualified, wanted))
            return child;
        if (const CModelScope* found = FindElement(*child, qualified, wanted, mode))
            return found;
    }
    return nullptr;
}

// Resident memory now, in megabytes.
double ResidentMegabytes()
{
    long pages = 0;
    long resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) /
        (1024.0 * 1024.0);
}

double PeakResidentMegabytes()
{
    struct rusage usage { };
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

int CountItems(const CFlowItem& item)
{
    int count = 0;
    for (const CFlowItem& child : item.children)
        count += 1 + CountItems(child);
    return count;
}

} // namespace

int main(int argc, char** argv)
{
    OffscreenGuiSession gui(argc, argv);
    const Options options = ParseOptions(argc, argv);
    LoadLanguageFile();
    CInputSet input;
    options.project.FillInput(input);
    auto analyzer = std::make_unique<CAnalyzer>(&input);
    {
        std::ostringstream progress; // the engine's progress lines are not wanted here
        std::streambuf* saved = std::cout.rdbuf(progress.rdbuf());
        RunWithLargeStack([&] { analyzer->Run(3, false); });
        std::cout.rdbuf(saved);
    }
    const double modelMb = ResidentMegabytes();
    const CModelScope* root = analyzer->Engine()->Root();
    const CModelScope* element =
        root ? FindElement(*root, "", options.function, options.kind->mode) : nullptr;
    if (element == nullptr) {
        std::fprintf(stderr, "%s: no definition of %s found\n", kProgram, options.function.c_str());
        return 1;
    }

    CFlowSetting flowSetting;
    CNSDSetting nsdSetting;
    CDetailDiagram diagram(flowSetting, nsdSetting);
    OtherEngines others;
    std::unique_ptr<DetailDiagramKind> engine;
    if (options.kind->make) {
        engine = options.kind->make(*analyzer, others);
        if (options.kind->mode == CDetailDiagram::kTypeMode)
            diagram.SetTypeDiagram(engine.get());
        else
            diagram.SetKind(options.kind->viewKind, engine.get());
    }
    diagram.Select(element, options.kind->mode);
    diagram.ChooseView(options.kind->viewKind, options.kind->zoom);

    // The view's window, scrolled to the top-left.
    DetailWindow view;
    CDC& window = view.dc;
    ScrollRecord scroll(CSize(kWindowWidth, kWindowHeight));

    const double layoutMs = MillisecondsOf([&] { diagram.Prepare(&window, scroll); });
    const double paintMs = MillisecondsOf([&] {
        CMemDC memory(&window, diagram.Background());
        diagram.DrawContents(&memory, scroll);
    });
    const CSize size = diagram.DiagramSize();
    int items = 0;
    if (options.kind->make == MakeSequence) {
        items = static_cast<int>(analyzer->Engine()->GetCalledFunctions(element).size());
    } else if (options.kind->make == MakeMultiSequence) {
        for (const MultiSeqColumn& column : others.multiSequence.Columns())
            items += static_cast<int>(column.entries.size());
    } else if (options.kind->make == MakeDetailBox) {
        items = others.detailBox.Tree() ? CountBoxes(*others.detailBox.Tree()) : 0;
    } else {
        const FunctionBody* body = options.kind->viewKind == CDetailDiagram::kNSD
            ? diagram.NSDItems()
            : diagram.FlowItems();
        items = body ? CountItems(body->root) : 0;
    }
    std::printf("layout_ms %.2f\n", layoutMs);
    std::printf("paint_ms %.2f\n", paintMs);
    std::printf("width %d\n", size.cx);
    std::printf("height %d\n", size.cy);
    std::printf("items %d\n", items);
    std::printf("model_rss_mb %.1f\n", modelMb);
    std::printf("peak_rss_mb %.1f\n", PeakResidentMegabytes());
    std::fflush(stdout);

    int status = 0;
    if (!options.png.empty()) {
        // The whole picture when a bitmap can hold it, else the window.
        CBitmap whole;
        QImage* picture = &view.bitmap.Image();
        if (whole.CreateCompatibleBitmap(
                &view.screen, std::max(1, size.cx), std::max(1, size.cy))) {
            CDC canvas;
            canvas.CreateCompatibleDC(&view.screen);
            canvas.SelectObject(&whole);
            canvas.FillSolidRect(0, 0, size.cx, size.cy, diagram.Background());
            ScrollRecord all(size);
            all.total = size;
            diagram.DrawContents(&canvas, all);
            picture = &whole.Image();
        }
        if (!picture->save(QString::fromStdString(options.png), "PNG")) {
            std::fprintf(stderr, "%s: cannot write %s\n", kProgram, options.png.c_str());
            status = 1;
        }
    }
    // Deep unit trees are freed on the large stack.
    diagram.Clear(scroll);
    engine.reset();
    others.multiSequence.Reset();
    others.detailBox.Reset();
    RunWithLargeStack([&] { analyzer.reset(); });
    return status;
}
