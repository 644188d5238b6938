// Reading project files ahead on worker threads, which also split and parse
// the headers they read, must leave exactly the records a run on one thread
// makes.

#include "AnalysisHelpers.h"
#include "BackgroundDisposal.h"
#include "FileIndex.h"
#include "FileReadAhead.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <iterator>
#include <memory>
#include <thread>
#include <vector>

namespace {

std::string CacheBytes(CInputSet& input, unsigned jobs, const ProjectFolder& folder)
{
    CAnalyzer analyzer(&input);
    analyzer.Engine()->SetJobs(jobs);
    analyzer.Run(3, false);
    for (const auto& header : analyzer.Engine()->FileIndex().files) {
        if (header && !header->parsed) {
            return "unparsed header " + header->path;
        }
    }
    const std::string cache = folder.Path("run-" + std::to_string(jobs) + ".car");
    if (!analyzer.Engine()->SaveCache(cache)) {
        return "cache not saved";
    }
    std::ifstream in(cache, std::ios::binary);
    return OutlineOf(*analyzer.Engine()) + std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace

// The first file reads g.h alone; each later one reads it through h.h, after
// a word that changes what k.h, which g.h includes, reads to. Their g.h has
// the first file's tokens (its units come from there) but other include
// numbers: a new instance, reached only through an h.h whose units came
// with the reading, and parsed all the same.
TEST(ReadAhead, ManyThreadsGiveTheRecordsOfOne)
{
    ProjectFolder folder;
    folder.Write("inc/g.h", "#pragma once\n#include \"k.h\"\nclass G { int g; };\nint gf(int);\n");
    folder.Write("inc/k.h", "#ifdef WIDE\nint kwide;\n#else\nint knarrow;\n#endif\n");
    folder.Write("inc/h.h",
        "#pragma once\n#ifdef WIDE\nclass HWide { int w; };\n#endif\n#include \"g.h\"\n"
        "namespace hn { class H { void m(); }; }\n");
    folder.Write("src/a00.cpp", "#include \"g.h\"\nint a() { return gf(1); }\n");
    CInputSet input;
    input.verbose = false;
    input.userIncludeDirs = {folder.Path("inc")};
    input.AddFile(folder.Path("src/a00.cpp"), true, true);
    for (int s = 1; s <= 16; ++s) {
        const std::string name =
            "src/a" + std::string(s < 10 ? "0" : "") + std::to_string(s) + ".cpp";
        folder.Write(name,
            (s % 2 ? "#define WIDE\n" : "") +
                std::string("#include \"h.h\"\nvoid hn::H::m() {}\n") + "int f" +
                std::to_string(s) + "() { return gf(" + std::to_string(s) + "); }\n");
        input.AddFile(folder.Path(name), true, true);
    }
    const std::string one = CacheBytes(input, 1, folder);
    ASSERT_EQ(one.find("unparsed"), std::string::npos) << one;
    for (unsigned jobs : {2u, 4u, 8u}) {
        EXPECT_EQ(CacheBytes(input, jobs, folder), one) << jobs << " threads";
    }
}

namespace {

// A former record that notes the thread it is freed on.
class NotedRecord : public CSourceFile {
public:
    explicit NotedRecord(std::atomic<std::thread::id>& freedOn) : freedOn_(freedOn) { }
    ~NotedRecord() override { freedOn_ = std::this_thread::get_id(); }

private:
    std::atomic<std::thread::id>& freedOn_;
};

} // namespace

// A result the run hands back once the workers were asked to stop, waited
// for or not, goes with the former record it carries to the disposal: the
// run does not free it.
TEST(ReadAhead, AResultHandedBackAfterTheStopIsFreedOffTheRunsThread)
{
    ProjectFolder folder;
    folder.Write("src/a.cpp", "int a() { return 1; }\n");
    folder.Write("src/b.cpp", "int b() { return 2; }\n");
    CInputSet input;
    input.verbose = false;
    const std::vector<std::string> paths = {folder.Path("src/a.cpp"), folder.Path("src/b.cpp")};
    for (const bool wait : {true, false}) {
        SCOPED_TRACE(wait ? "stopped" : "asked to stop");
        std::atomic<std::thread::id> freedOn;
        std::vector<std::unique_ptr<CSourceFile>> formers;
        formers.push_back(std::make_unique<NotedRecord>(freedOn));
        ScannedFiles scanned;
        BackgroundDisposal disposal;
        auto ahead = std::make_unique<FileReadAhead>(
            input, paths, scanned, 2, std::move(formers), std::vector<uint64_t> {}, &disposal);
        std::unique_ptr<FileReadAhead::Result> first = ahead->Take(paths[0]);
        ASSERT_NE(first, nullptr);
        ASSERT_NE(first->former, nullptr);
        ASSERT_NE(ahead->Take(paths[1]), nullptr);
        if (wait) {
            ahead->Stop();
        } else {
            ahead->AskToStop();
        }
        ahead->Discard(std::move(first));
        EXPECT_EQ(ahead->Take(paths[1]), nullptr);
        disposal.DisposeOf(std::move(ahead)); // joins its workers there
        disposal.Drain();
        EXPECT_NE(freedOn.load(), std::thread::id());
        EXPECT_NE(freedOn.load(), std::this_thread::get_id());
    }
}
