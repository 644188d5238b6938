// Visual C++ project reading speed: vc_reader_bench [SOURCES]
// Writes a .dsp naming SOURCES sources (default 20000) in 100 folders into a
// temporary folder, half of them in the wrong letter case, reads it several
// times and prints the best run's sources per second.

#include "DspReader.h"
#include "MessageSink.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

class CountingSink : public MessageSink {
public:
    void Write(MessageKind, std::string_view) override { ++lines; }
    long lines = 0;
};

} // namespace

int main(int argc, char** argv)
{
    const long sources = argc > 1 ? std::atol(argv[1]) : 20000;
    if (argc > 2 || sources <= 0) {
        std::fprintf(stderr, "usage: vc_reader_bench [SOURCES]\n");
        return 2;
    }
    namespace fs = std::filesystem;
    std::string pattern = (fs::temp_directory_path() / "vc-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        std::fprintf(stderr, "vc_reader_bench: cannot create a temporary folder\n");
        return 1;
    }
    const fs::path root = pattern;
    std::string project = "# ADD CPP /nologo /D \"WIN32\" /D \"_DEBUG\"\r\n";
    for (long i = 0; i < sources; ++i) {
        const std::string folder = "Part" + std::to_string(i % 100);
        const std::string name = "File" + std::to_string(i) + ".cpp";
        fs::create_directories(root / folder);
        std::ofstream(root / folder / name) << "int x;\n";
        std::string written = ".\\" + folder + "\\" + name;
        if (i % 2 == 1)
            std::transform(written.begin(), written.end(), written.begin(), ::toupper);
        project += "SOURCE=" + written + "\r\n";
    }
    std::ofstream(root / "Bench.dsp", std::ios::binary) << project;

    double best = 1e30;
    size_t found = 0;
    for (int run = 0; run < 3; ++run) {
        CountingSink sink;
        const auto start = std::chrono::steady_clock::now();
        CDspReader reader(sink, true);
        if (reader.Open((root / "Bench.dsp").string()))
            reader.Read();
        const auto stop = std::chrono::steady_clock::now();
        best = std::min(best, std::chrono::duration<double>(stop - start).count());
        found = reader.FoundFiles().size();
    }
    std::error_code ignored;
    fs::remove_all(root, ignored);
    std::printf("sources %ld\nfound %zu\nseconds %.4f\nsources/s %.0f\n", sources, found, best,
        sources / best);
    return found == static_cast<size_t>(sources) ? 0 : 1;
}
