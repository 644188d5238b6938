// Preprocesses, splits and parses files given on the command line (or listed
// one per line in a file given with --list), each as a project file of its
// own, and prints how many units the parser could not recognise and how fast
// it went.
//
//   parser_sweep [--c] [--gcc] [--show N] [--budget BASE PER_TOKEN] [--list FILE] [FILE...]
//
// --c reads the files as C (no __cplusplus); --gcc defines the compiler's
// extension words away before each file; --show prints the first N units not
// recognised on the error stream; --budget sets the parser's work limit.

#include "HeaderSweep.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

int main(int argc, char** argv)
{
    bool cplusplus = true;
    long show = 0;
    bool gcc = false;
    ParseLimits limits;
    std::vector<std::string> paths;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--show" && i + 1 < argc) {
            show = std::atol(argv[++i]);
        } else if (arg == "--budget" && i + 2 < argc) {
            limits.baseWork = std::atoll(argv[++i]);
            limits.workPerToken = std::atoll(argv[++i]);
        } else if (arg == "--gcc") {
            gcc = true;
        } else if (arg == "--c") {
            cplusplus = false;
        } else if (arg == "--list" && i + 1 < argc) {
            std::ifstream list(argv[++i]);
            std::string line;
            while (std::getline(list, line)) {
                if (!line.empty())
                    paths.push_back(line);
            }
        } else {
            paths.push_back(arg);
        }
    }
    if (paths.empty()) {
        std::fprintf(stderr, "usage: parser_sweep [--c] [--list FILE] [FILE...]\n");
        return 2;
    }

    CHeaderSweep sweep(SystemIncludeDirs(), SystemDefines(cplusplus));
    sweep.show = show;
    sweep.limits = limits;
    if (gcc)
        sweep.prelude = kGccPrelude;
    long unreadable = 0;
    for (const std::string& path : paths) {
        if (!sweep.Run(path))
            ++unreadable;
    }
    const SweepCounts& c = sweep.counts;
    std::printf("project files: %zu (%ld unreadable)\n", paths.size(), unreadable);
    std::printf("files parsed:  %ld (%ld tokens)\n", c.files, c.tokens);
    std::printf("units parsed:  %ld, not recognised: %ld (%.2f%%)\n", c.declarations, c.failed,
        c.declarations ? 100.0 * static_cast<double>(c.failed) / static_cast<double>(c.declarations)
                       : 0.0);
    std::printf("preprocessing: %.2f s\n", c.preprocessSeconds);
    std::printf("split + parse: %.2f s (%.0f tokens/s)\n", c.parseSeconds,
        c.parseSeconds > 0 ? static_cast<double>(c.tokens) / c.parseSeconds : 0.0);
    return 0;
}
