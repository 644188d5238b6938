// Memory of reading a damaged default colour file at start:
//     color_file_bench [BYTES]
// Writes the user's "defaultNSD" as BYTES (default 16000000) of empty
// elements under the root, reads the three default files of the detail view
// as the program does at start, and prints whether the NSD file was read,
// the time taken and the peak resident memory before and after.

#include "DefaultColorFiles.h"
#include "Prompt.h"
#include "TempFolder.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

// The most memory the process has had resident so far, in KB.
long PeakResidentKb()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::atol(line.c_str() + 6);
    }
    return 0;
}

class CountingPrompt : public Prompt {
public:
    void Show(PromptKind, const std::string&) override { ++shown; }
    int shown = 0;
};

} // namespace

int main(int argc, char** argv)
{
    const long long bytes = argc > 1 ? std::atoll(argv[1]) : 16000000;
    if (argc > 2 || bytes < 100) {
        std::fprintf(stderr, "usage: color_file_bench [BYTES]\n");
        return 2;
    }
    TempFolder config;
    setenv("KESTRIN_CONFIG_DIR", config.Path().c_str(), 1);
    const std::string head = "<?xml version=\"1.0\"?>\r\n<NSDColorXML Version=\"1.0\">\r\n";
    const std::string tail = "</NSDColorXML>\r\n";
    const size_t elements = (static_cast<size_t>(bytes) - head.size() - tail.size()) / 4;
    const std::string path = config.Write(std::string("Color/") + kDefaultNSDFile, head);
    {
        std::ofstream file(path, std::ios::binary | std::ios::app);
        const std::string thousand = [] {
            std::string piece;
            for (int i = 0; i < 1000; ++i)
                piece += "<a/>";
            return piece;
        }();
        for (size_t written = 0; written < elements; written += 1000)
            file << (elements - written >= 1000 ? thousand
                                                : thousand.substr(0, 4 * (elements - written)));
        file << tail;
    }

    CountingPrompt prompt;
    ScopedPrompt scope(&prompt);
    CFlowSetting flow;
    CSequenceSetting sequence;
    CNSDSetting nsd;
    const long before = PeakResidentKb();
    const auto start = std::chrono::steady_clock::now();
    const DetailColorFilesWritable writable = LoadDefaultDetailColorFiles(flow, sequence, nsd);
    const auto stop = std::chrono::steady_clock::now();
    const long after = PeakResidentKb();
    std::printf("file_bytes %zu\nelements %zu\nmessages %d\nnsd_kept %s\nseconds %.3f\n"
                "peak_rss_before_mb %.1f\npeak_rss_after_mb %.1f\n",
        head.size() + 4 * elements + tail.size(), elements, prompt.shown,
        writable.nsd ? "no" : "yes", std::chrono::duration<double>(stop - start).count(),
        before / 1024.0, after / 1024.0);
    return 0;
}
