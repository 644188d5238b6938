// Scanner speed: scanner_bench [FILE]
// Tokenises FILE (or, without an argument, a generated C file of about
// 10 MB) several times and prints the best run's MB/s and tokens/s.

#include "GeneratedSource.h"
#include "SourceScanner.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    if (argc > 2) {
        std::fprintf(stderr, "usage: scanner_bench [FILE]\n");
        return 2;
    }
    std::string path;
    if (argc == 2) {
        path = argv[1];
    } else {
        path = "scanner_bench_input.c";
        std::ofstream(path, std::ios::binary) << GenerateCSource(10u << 20);
    }
    std::ifstream probe(path, std::ios::binary | std::ios::ate);
    if (!probe) {
        std::fprintf(stderr, "scanner_bench: cannot open %s\n", path.c_str());
        return 1;
    }
    const double bytes = static_cast<double>(probe.tellg());

    double best = 1e30;
    std::size_t tokenCount = 0;
    for (int run = 0; run < 5; ++run) {
        std::vector<PPToken> tokens;
        const auto start = std::chrono::steady_clock::now();
        std::ifstream in(path, std::ios::binary);
        GetSourceScanner().Scan(in, tokens);
        const auto stop = std::chrono::steady_clock::now();
        best = std::min(best, std::chrono::duration<double>(stop - start).count());
        tokenCount = tokens.size();
    }
    if (argc == 1) {
        std::remove(path.c_str());
    }
    std::printf("file %s\nbytes %.0f\ntokens %zu\nseconds %.4f\nMB/s %.1f\ntokens/s %.0f\n",
        argc == 2 ? argv[1] : "(generated)", bytes, tokenCount, best, bytes / best / 1e6,
        tokenCount / best);
    return 0;
}
