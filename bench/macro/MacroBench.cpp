// Builds, measures, arranges and paints the whole macro view of a project off
// screen and reports how long layout and painting take.
//
//   macro_bench [-I DIR]... [-D NAME[=VALUE]]... [PATH...] [--lines N]
//               [--width PIXELS] [--png FILE]
//
// The analysis run is not part of this program yet: the model is made up in
// memory with the shape of a project of N lines (default 100000); paths,
// include folders and definitions are accepted and reported as unused.

#include "GeneratedModel.h"

#include "DeviceContext.h"
#include "ElementStyleTable.h"
#include "MacroLayout.h"
#include "MacroLayoutTree.h"
#include "MacroMap.h"
#include "MacroViewDefaults.h"
#include "Options.h"
#include "VisualSetting.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

double MillisecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

int Usage()
{
    std::fprintf(stderr,
                 "usage: macro_bench [-I DIR] [-D NAME[=VALUE]] [PATH...] [--lines N] [--width PIXELS] "
                 "[--png FILE]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    int lines = 100000;
    int width = 1600;
    std::string png;
    std::vector<std::string> paths;
    int unused = 0;
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
        else if (arg == "--lines")
            lines = std::max(1, std::atoi(value().c_str()));
        else if (arg == "--width")
            width = std::max(1, std::atoi(value().c_str()));
        else if (arg == "-I" || arg == "-D")
            (void)value(), ++unused;
        else if (arg.rfind("-I", 0) == 0 || arg.rfind("-D", 0) == 0)
            ++unused;
        else if (!arg.empty() && arg[0] == '-')
            return Usage();
        else
            paths.push_back(arg);
    }
    if (!paths.empty() || unused > 0)
        std::printf("note: analysis not built in yet; %zu path(s) and %d option(s) ignored, "
                    "using a generated model\n",
                    paths.size(), unused);

    GeneratedModel model(lines);
    std::printf("model_lines %d\nelements %d\n", lines, model.elements);

    const auto settingsFile = std::filesystem::temp_directory_path() / "kestrin-macro-bench.ini";
    COptions options(settingsFile.string(), "");
    CVisualSetting fonts;
    ElementStyleTable style;
    SetMacroViewDefaults(fonts, style);

    CDC screen;
    screen.CreateCompatibleDC(nullptr);

    // Layout: build the tree, unfold it all, measure, arrange.
    auto start = std::chrono::steady_clock::now();
    std::vector<MacroLayoutNode> nodes;
    const int count = BuildMacroLayout(&model.root, nodes);
    SetAllNodesOpen(nodes, true);
    MeasureLayout(nodes, fonts, style, &screen, 1);
    CMacroLayout layout(nodes, 1, style.UnitSpace, width, style.Grouping, options);
    const CSize size = layout.Arrange();
    const double layoutMs = MillisecondsSince(start);
    std::printf("nodes %d\nlayout_ms %.1f\npicture %d x %d\n", count, layoutMs, size.cx, size.cy);

    // Paint the whole picture off screen.
    CDC canvas;
    canvas.CreateCompatibleDC(&screen);
    CBitmap bitmap;
    if (!bitmap.CreateCompatibleBitmap(&screen, std::max(1, size.cx), std::max(1, size.cy))) {
        std::fprintf(stderr, "picture of %d x %d is too large to paint\n", size.cx, size.cy);
        return 1;
    }
    canvas.SelectObject(&bitmap);
    canvas.FillSolidRect(0, 0, size.cx, size.cy, style.BackGroundColor);
    start = std::chrono::steady_clock::now();
    {
        CMacroMap map(&canvas, nodes, fonts, style, 1, options);
        map.Draw();
    }
    const double paintMs = MillisecondsSince(start);
    start = std::chrono::steady_clock::now();
    {
        CMacroMap map(&canvas, nodes, fonts, style, 1, options);
        map.Draw();
    }
    const double repaintMs = MillisecondsSince(start);
    std::printf("paint_ms %.1f\nrepaint_ms %.1f\nkept_boxes %d\n", paintMs, repaintMs, options.boxBitmapCount);
    std::printf("total_ms %.1f\n", layoutMs + paintMs);

    if (!png.empty()) {
        if (!bitmap.Image().save(QString::fromStdString(png), "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", png.c_str());
            return 1;
        }
        std::printf("png %s\n", png.c_str());
    }
    nodes.clear();
    return 0;
}
