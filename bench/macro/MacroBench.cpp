// Builds, measures, arranges and paints the whole macro view of a project off
// screen and reports how long layout and painting take.
//
//   macro_bench [-I DIR]... [-D NAME[=VALUE]]... [PATH...] [--lines N]
//               [--width PIXELS] [--png FILE] [--png-top ROWS] [--store]
//
// With paths the project is analysed first (folders give their .c, .cc, .cpp
// and .cxx files, as for analysis_bench); without any, the model is made up in
// memory with the shape of a project of N lines (default 100000). With
// --store the texts are measured through a store of extents, as in the
// program, so that the second layout finds the first one's names.

#include "GeneratedModel.h"
#include "ProjectArguments.h"

#include "Analyzer.h"
#include "LanguageTable.h"

#include "CachingTextMeasurer.h"
#include "DeviceContext.h"
#include "ElementStyleTable.h"
#include "GuiSession.h"
#include "MacroGroups.h"
#include "MacroLayout.h"
#include "MacroLayoutTree.h"
#include "MacroMap.h"
#include "MacroViewDefaults.h"
#include "VisualSetting.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

double MillisecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

int Usage()
{
    std::fprintf(stderr,
        "usage: macro_bench [-I DIR]... [-D NAME[=VALUE]]... [PATH...] [--lines N] [--width "
        "PIXELS] "
        "[--png FILE] [--png-top ROWS] [--store]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    OffscreenGuiSession gui(argc, argv);
    int lines = 100000;
    int width = 1600;
    std::string png;
    int pngTop = 0;
    bool store = false;
    ProjectArguments project;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) {
                std::exit(Usage());
            }
            return argv[++i];
        };
        if (arg == "--png")
            png = value();
        else if (arg == "--png-top")
            pngTop = std::max(1, std::atoi(value().c_str()));
        else if (arg == "--lines")
            lines = std::max(1, std::atoi(value().c_str()));
        else if (arg == "--width")
            width = std::max(1, std::atoi(value().c_str()));
        else if (arg == "--store")
            store = true;
        else if (TakeProjectOption("macro_bench", argc, argv, i, project))
            continue;
        else if (!arg.empty() && arg[0] == '-')
            return Usage();
        else {
            AddProjectPath("macro_bench", arg, project.files);
            project.anyPath = true;
        }
    }

    // The model: analysed from the project, or made up.
    std::unique_ptr<GeneratedModel> generated;
    CInputSet input;
    std::unique_ptr<CAnalyzer> analyzer;
    CModelScope* root = nullptr;
    if (project.anyPath) {
        LoadLanguageFile();
        project.FillInput(input);
        analyzer = std::make_unique<CAnalyzer>(&input);
        std::ostringstream progress; // the engine's progress lines are not wanted here
        std::streambuf* saved = std::cout.rdbuf(progress.rdbuf());
        const auto start = std::chrono::steady_clock::now();
        RunWithLargeStack([&] { analyzer->Run(3, false); });
        std::cout.rdbuf(saved);
        root = analyzer->Engine()->Root();
        std::printf("files %zu\nanalysis_ms %.1f\n", input.paths.size(), MillisecondsSince(start));
        if (root == nullptr) {
            std::fprintf(stderr, "macro_bench: the analysis gave no model\n");
            return 1;
        }
    } else {
        generated = std::make_unique<GeneratedModel>(lines);
        root = &generated->root;
        std::printf("model_lines %d\nelements %d\n", lines, generated->elements);
    }

    std::optional<ScopedTextMeasurer> stored;
    if (store)
        stored.emplace(std::make_shared<CachingTextMeasurer>(SetTextMeasurer(nullptr)));

    // The options' defaults: by name, fixed size, every node placed.
    const MacroArrangeOptions options;
    MacroBoxBudget boxes;
    MacroGroups groups;
    CVisualSetting fonts;
    ElementStyleTable style;
    SetMacroViewDefaults(fonts, style);

    CDC screen;
    screen.CreateCompatibleDC(nullptr);
    std::vector<MacroLayoutNode> nodes;
    int count = 0;

    // One arrangement and one paint of the whole picture; `open` unfolds
    // every box first (the view shows a new tree folded).
    auto run = [&](bool open, const char* suffix, CBitmap& bitmap) -> bool {
        auto start = std::chrono::steady_clock::now();
        count = BuildMacroLayout(root, nodes, groups);
        if (open)
            SetAllNodesOpen(nodes, true);
        const double buildMs = MillisecondsSince(start);
        MeasureLayout(nodes, fonts, style, &screen, 1);
        const double measureMs = MillisecondsSince(start) - buildMs;
        CMacroLayout layout(nodes, 1, style.UnitSpace, width, style.Grouping, options);
        const CSize size = layout.Arrange();
        const double layoutMs = MillisecondsSince(start);
        std::printf("nodes %d\nlayout%s_ms %.1f\npicture%s %d x %d\n", count, suffix, layoutMs,
            suffix, size.cx, size.cy);
        std::printf("build%s_ms %.1f\nmeasure%s_ms %.1f\narrange%s_ms %.1f\n", suffix, buildMs,
            suffix, measureMs, suffix, layoutMs - buildMs - measureMs);

        CDC canvas;
        canvas.CreateCompatibleDC(&screen);
        if (!bitmap.CreateCompatibleBitmap(&screen, std::max(1, size.cx), std::max(1, size.cy))) {
            std::fprintf(stderr, "picture of %d x %d is too large to paint\n", size.cx, size.cy);
            return false;
        }
        canvas.SelectObject(&bitmap);
        canvas.FillSolidRect(0, 0, size.cx, size.cy, style.BackGroundColor);
        start = std::chrono::steady_clock::now();
        {
            CMacroMap map(&canvas, nodes, fonts, style, 1, boxes);
            map.Draw();
        }
        const double paintMs = MillisecondsSince(start);
        std::printf("paint%s_ms %.1f\n", suffix, paintMs);
        std::printf("total%s_ms %.1f\n", suffix, layoutMs + paintMs);

        // One window's worth (1600 by 1000) from the middle, as a scrolled
        // view repaints it, twice: the second copies kept boxes back.
        for (int pass = 1; pass <= 2; ++pass) {
            CDC window;
            window.CreateCompatibleDC(&screen);
            window.SelectObject(&bitmap);
            window.IntersectClipRect(CRect(0, size.cy / 2, 1600, size.cy / 2 + 1000));
            start = std::chrono::steady_clock::now();
            CMacroMap map(&window, nodes, fonts, style, 1, boxes);
            map.Draw();
            std::printf("paint_window%s_%d_ms %.2f\n", suffix, pass, MillisecondsSince(start));
        }
        std::printf("kept_boxes%s %d\n", suffix, boxes.count);
        return true;
    };

    CBitmap folded;
    if (!run(false, "", folded))
        return 1;
    CBitmap unfolded;
    if (!run(true, "_open", unfolded))
        return 1;

    if (!png.empty()) {
        QImage picture = unfolded.Image();
        if (pngTop > 0 && pngTop < picture.height())
            picture = picture.copy(0, 0, picture.width(), pngTop);
        if (!picture.save(QString::fromStdString(png), "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", png.c_str());
            return 1;
        }
        std::printf("png %s (%d x %d)\n", png.c_str(), picture.width(), picture.height());
    }
    nodes.clear();
    // Deep unit trees are freed on the large stack too.
    RunWithLargeStack([&] { analyzer.reset(); });
    return 0;
}
