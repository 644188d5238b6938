// Preprocessor speed:
//   preprocess_bench [-I DIR]... [-D NAME[=VALUE]]... [PATH...]
// Reads and preprocesses every file given (a folder contributes its .c, .cc,
// .cpp and .cxx files, recursively) and prints the input size, the time and
// MB/s. Without a PATH it preprocesses generated C files of about 10 MB and
// 5 MB and prints the ratio of the two times (close to 2 when the time grows
// linearly).

#include "FileIndex.h"
#include "GeneratedSource.h"
#include "Preprocessor.h"
#include "ProjectArguments.h"
#include "ProjectFile.h"
#include "SourceScanner.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Measure {
    double bytes = 0;
    double seconds = 0;
    double scanSeconds = 0;
    size_t tokens = 0;
};

Measure PreprocessFiles(const std::vector<std::string>& files, CInputSet& input)
{
    Measure m;
    std::ostringstream sink; // progress and failure lines go nowhere
    std::streambuf* old = std::cout.rdbuf(sink.rdbuf());
    const auto start = std::chrono::steady_clock::now();
    CFileIndex index;
    for (const std::string& path : files) {
        CProjectFile file(path.c_str(), &input, input.defines);
        const auto loadStart = std::chrono::steady_clock::now();
        file.Load(GetSourceScanner());
        m.scanSeconds +=
            std::chrono::duration<double>(std::chrono::steady_clock::now() - loadStart).count();
        m.bytes += file.size;
        CPreprocessor(&file, &input, &index).Run();
        m.tokens += file.scan.tokens.size();
    }
    m.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::cout.rdbuf(old);
    return m;
}

Measure Best(const std::vector<std::string>& files, CInputSet& input, int runs)
{
    Measure best;
    best.seconds = 1e30;
    for (int k = 0; k < runs; ++k) {
        Measure m = PreprocessFiles(files, input);
        if (m.seconds < best.seconds) {
            best = m;
        }
    }
    return best;
}

void Print(const char* label, const Measure& m)
{
    std::printf("%s: %.0f bytes, %zu tokens after preprocessing, %.4f s (reading and scanning "
                "%.4f s), %.1f MB/s\n",
        label, m.bytes, m.tokens, m.seconds, m.scanSeconds, m.bytes / m.seconds / 1e6);
}

} // namespace

int main(int argc, char** argv)
{
    ProjectArguments project;
    for (int k = 1; k < argc; ++k) {
        if (!TakeProjectOption("preprocess_bench", argc, argv, k, project)) {
            AddProjectPath("preprocess_bench", argv[k], project.files);
        }
    }
    CInputSet input;
    input.verbose = false;
    input.searchSystemIncludes = true;
    input.includeDirs = project.includeDirs;
    input.userIncludeDirs = project.includeDirs;
    input.defines = project.defines;
    const std::vector<std::string>& files = project.files;
    if (!files.empty()) {
        Print("input", Best(files, input, 3));
        return 0;
    }
    const std::string big = "preprocess_bench_10mb.c";
    const std::string half = "preprocess_bench_5mb.c";
    std::ofstream(big, std::ios::binary) << GenerateCSource(10u << 20);
    std::ofstream(half, std::ios::binary) << GenerateCSource(5u << 20);
    const Measure m10 = Best({big}, input, 3);
    const Measure m5 = Best({half}, input, 3);
    std::remove(big.c_str());
    std::remove(half.c_str());
    Print("10 MB", m10);
    Print(" 5 MB", m5);
    std::printf("time ratio 10 MB / 5 MB: %.2f\n", m10.seconds / m5.seconds);
    return 0;
}
