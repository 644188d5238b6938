// Stop latency inside one huge token: stop_latency_bench [MEGABYTES]
// Scans a string literal and an identifier of MEGABYTES (default 50) on a
// worker thread, sets the stop request at ten points spread over a full
// scan's time, and prints the full scan time and the longest wait from the
// stop request to the end of the scan.

#include "SourceScanner.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double ScanSeconds(const std::string& text, std::atomic<bool>* stop, double stopAfter)
{
    std::istringstream in(text);
    std::vector<PPToken> tokens;
    const auto start = Clock::now();
    std::thread worker([&] { CSourceScanner(stop).Scan(in, tokens); });
    if (stop != nullptr) {
        std::this_thread::sleep_for(std::chrono::duration<double>(stopAfter));
        stop->store(true);
    }
    const auto asked = Clock::now();
    worker.join();
    return std::chrono::duration<double>(Clock::now() - (stop != nullptr ? asked : start)).count();
}

void Measure(const char* name, const std::string& text)
{
    const double full = ScanSeconds(text, nullptr, 0);
    double worst = 0;
    for (int k = 1; k <= 10; ++k) {
        std::atomic<bool> stop {false};
        worst = std::max(worst, ScanSeconds(text, &stop, full * k / 11));
    }
    std::printf(
        "%-10s full scan %7.1f ms   longest stop wait %7.1f ms\n", name, full * 1e3, worst * 1e3);
}

} // namespace

int main(int argc, char** argv)
{
    const long megabytes = argc > 1 ? std::atol(argv[1]) : 50;
    if (argc > 2 || megabytes <= 0) {
        std::fprintf(stderr, "usage: stop_latency_bench [MEGABYTES]\n");
        return 2;
    }
    const std::size_t size = static_cast<std::size_t>(megabytes) << 20;
    Measure("string", "\"" + std::string(size, 's') + "\" end");
    Measure("identifier", std::string(size, 'n') + " end");
    Measure("number", "1" + std::string(size, '0') + " end");
    Measure("include", "include <" + std::string(size, 'h') + "\nend");
    return 0;
}
