// Draws every diagram of a project as the detail view would: each function
// with a body at each function view (the flow chart at its three zooms, the
// NSD, the sequence and the multi-sequence diagram) and each type with a
// definition as its detail box. Each diagram is built, laid out and one
// window of 1600 by 1000 pixels at its top-left is painted off screen, as
// a change of selection or view kind does. Real code of every shape passes
// through the engines this way, and the slowest view change is found.
//
// diagram_sweep [-I DIR]... [-D NAME[=VALUE]]... PATH...
//
// Output: one "key value" line each for functions and types (the elements
// drawn), then for each kind KIND_worst_ms (the slowest diagram) and
// KIND_total_ms, then diagrams (how many were drawn) and empty (how many
// came out without a size). The slowest diagram of each kind is named on
// the error stream.

#include "DiagramKinds.h"
#include "ProjectArguments.h"

#include "Analyzer.h"
#include "LanguageTable.h"

#include "Bitmap.h"
#include "DeviceContext.h"
#include "FlowSetting.h"
#include "GuiSession.h"
#include "MemDC.h"
#include "ModelScope.h"
#include "NSDSetting.h"

#include <chrono>
#include <cstdio>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

using namespace diagram_kinds;

namespace {

constexpr const char* kProgram = "diagram_sweep";

struct Elements {
    std::vector<const CModelScope*> functions;
    std::vector<const CModelScope*> types;
};

// Every element with a definition, depth first.
void Collect(const CModelScope& scope, Elements& elements)
{
    if (!scope.scopeChildren)
        return;
    for (const CModelScope* child : *scope.scopeChildren) {
        if (!child->definitions.empty())
            (child->kind == UNIT_FUNCTION ? elements.functions : elements.types).push_back(child);
        Collect(*child, elements);
    }
}

struct KindFigures {
    double worstMs = 0;
    double totalMs = 0;
    std::string worst;
    int drawn = 0;
    int empty = 0;
};

KindFigures Sweep(const KindChoice& kind, CAnalyzer& analyzer,
    const std::vector<const CModelScope*>& elements, CDC& window)
{
    CFlowSetting flowSetting;
    CNSDSetting nsdSetting;
    CDetailDiagram diagram(flowSetting, nsdSetting);
    OtherEngines others;
    std::unique_ptr<DetailDiagramKind> engine;
    if (kind.make) {
        engine = kind.make(analyzer, others);
        if (kind.mode == CDetailDiagram::kTypeMode)
            diagram.SetTypeDiagram(engine.get());
        else
            diagram.SetKind(kind.viewKind, engine.get());
    }
    KindFigures figures;
    for (const CModelScope* element : elements) {
        ScrollRecord scroll(CSize(kWindowWidth, kWindowHeight));
        const auto start = std::chrono::steady_clock::now();
        diagram.Select(element, kind.mode);
        diagram.ChooseView(kind.viewKind, kind.zoom);
        diagram.Prepare(&window, scroll);
        {
            CMemDC memory(&window, diagram.Background());
            diagram.DrawContents(&memory, scroll);
        }
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
        const CSize size = diagram.DiagramSize();
        ++figures.drawn;
        if (size.cx <= 0 || size.cy <= 0)
            ++figures.empty;
        figures.totalMs += ms;
        if (ms > figures.worstMs) {
            figures.worstMs = ms;
            figures.worst = element->name.str();
        }
        diagram.Clear(scroll);
    }
    // Deep statement trees are freed on the large stack.
    RunWithLargeStack([&] {
        engine.reset();
        others.multiSequence.Reset();
        others.detailBox.Reset();
    });
    return figures;
}

} // namespace

int main(int argc, char** argv)
{
    OffscreenGuiSession gui(argc, argv);
    ProjectArguments project;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (TakeProjectOption(kProgram, argc, argv, i, project))
            continue;
        if (!arg.empty() && arg[0] == '-')
            BenchUsageError(kProgram, "unknown option " + arg);
        AddProjectPath(kProgram, arg, project.files);
        project.anyPath = true;
    }
    if (!project.anyPath)
        BenchUsageError(kProgram, "usage: diagram_sweep [-I DIR]... [-D NAME[=VALUE]]... PATH...");
    LoadLanguageFile();
    CInputSet input;
    project.FillInput(input);
    auto analyzer = std::make_unique<CAnalyzer>(&input);
    {
        std::ostringstream progress; // the engine's progress lines are not wanted here
        std::streambuf* saved = std::cout.rdbuf(progress.rdbuf());
        RunWithLargeStack([&] { analyzer->Run(3, false); });
        std::cout.rdbuf(saved);
    }
    Elements elements;
    if (const CModelScope* root = analyzer->Engine()->Root())
        Collect(*root, elements);
    std::printf("functions %zu\n", elements.functions.size());
    std::printf("types %zu\n", elements.types.size());

    DetailWindow window;
    int drawn = 0;
    int empty = 0;
    for (const KindChoice& kind : kKinds) {
        const KindFigures figures = Sweep(kind, *analyzer,
            kind.mode == CDetailDiagram::kTypeMode ? elements.types : elements.functions,
            window.dc);
        std::printf("%s_worst_ms %.2f\n", kind.name, figures.worstMs);
        std::printf("%s_total_ms %.1f\n", kind.name, figures.totalMs);
        std::fflush(stdout);
        if (!figures.worst.empty())
            std::fprintf(stderr, "%s: slowest %s (%.2f ms)\n", kind.name, figures.worst.c_str(),
                figures.worstMs);
        drawn += figures.drawn;
        empty += figures.empty;
    }
    std::printf("diagrams %d\n", drawn);
    std::printf("empty %d\n", empty);
    RunWithLargeStack([&] { analyzer.reset(); });
    return 0;
}
