// Reading project files ahead on worker threads, which also split and parse
// the headers they read, must leave exactly the records a run on one thread
// makes.

#include "AnalysisHelpers.h"
#include "BackgroundDisposal.h"
#include "FileIndex.h"
#include "EarlierFirsts.h"
#include "FileReadAhead.h"
#include "IncludedFile.h"
#include "MessageSink.h"
#include "Preprocessor.h"
#include "ReadingsChain.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <fstream>
#include <iterator>
#include <memory>
#include <thread>
#include <vector>

namespace {

std::string CacheBytes(
    CInputSet& input, unsigned jobs, const ProjectFolder& folder, size_t* readAhead = nullptr)
{
    CAnalyzer analyzer(&input);
    analyzer.Engine()->SetJobs(jobs);
    analyzer.Run(3, false);
    if (readAhead != nullptr) {
        *readAhead = analyzer.Engine()->FilesReadAhead();
    }
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

class KeptMessages : public MessageSink {
public:
    void Write(MessageKind kind, std::string_view line) override
    {
        text += std::to_string(static_cast<int>(kind)) + " " + std::string(line) + "\n";
    }
    std::string text;
};

} // namespace

// Every file begins with its folder's precompiled header, which the run reads
// once and each later file takes by name, macros and all; the one of `sub/`
// reaches a header below the include depth limit, which every file taking
// it is told again. Readings ahead take those headers as the run files them
// and give the records and lines of one thread.
TEST(ReadAhead, PrecompiledHeadersAreTakenAsTheRunFilesThem)
{
    ProjectFolder folder;
    folder.Write("inc/winbase.h",
        "#ifndef WINBASE_H\n#define WINBASE_H\ntypedef unsigned long DWORD;\n"
        "#define MAKEWORD(a, b) ((a) | ((b) << 8))\n#define WINAPI\nclass CWnd { public: int m; "
        "};\n"
        "#endif\n");
    folder.Write("src/stdafx.h",
        "#pragma once\n#include \"winbase.h\"\n#define APP_LIMIT 40\n#ifndef APP_NAME\n"
        "#define APP_NAME 7\n#endif\nclass CApp : public CWnd { int limit; };\n");
    std::string deep = "#include \"d0.h\"\n#define SUB_LIMIT 3\n";
    folder.Write("src/sub/stdafx.h", deep);
    for (int d = 0; d <= CPreprocessor::kMaxIncludeDepth; ++d) {
        folder.Write("src/sub/d" + std::to_string(d) + ".h",
            "#include \"d" + std::to_string(d + 1) + ".h\"\nint depth" + std::to_string(d) + ";\n");
    }
    CInputSet input;
    input.verbose = false;
    input.userIncludeDirs = {folder.Path("inc")};
    const int files = 24;
    for (int s = 0; s < files; ++s) {
        const std::string n = std::to_string(s);
        const bool sub = s % 3 == 2;
        const std::string name = (sub ? "src/sub/p" : "src/p") + n + ".cpp";
        std::string text = s % 4 == 1 ? "#define APP_NAME 9\n" : "";
        text += "#include \"stdafx.h\"\n";
        text += s % 5 == 3 ? "#include \"stdafx.h\"\n" : "";
        text += "DWORD WINAPI Run" + n + "(int a) { return MAKEWORD(a, " + n + ") + " +
            (sub ? "SUB_LIMIT" : "APP_LIMIT + APP_NAME") + "; }\n";
        folder.Write(name, text);
        input.AddFile(folder.Path(name), true, true);
    }
    // Where every header is reused by name, every one is taken so.
    for (const bool sameName : {true, false}) {
        SCOPED_TRACE(sameName ? "precompiled headers by name" : "every header by name");
        input.sameNameOption = sameName;
        KeptMessages oneLines;
        input.messages = &oneLines;
        const std::string one = CacheBytes(input, 1, folder);
        ASSERT_EQ(one.find("unparsed"), std::string::npos) << one;
        ASSERT_NE(oneLines.text.find("were cut short when it was first read"), std::string::npos);
        for (unsigned jobs : {2u, 4u, 8u}) {
            SCOPED_TRACE(std::to_string(jobs) + " threads");
            KeptMessages lines;
            input.messages = &lines;
            size_t readAhead = 0;
            EXPECT_EQ(CacheBytes(input, jobs, folder, &readAhead), one);
            EXPECT_EQ(lines.text, oneLines.text);
            // A thread may meet a precompiled header before the first
            // file's thread has: its reading is read again. That is at most
            // once per thread but the first, and header.
            if (sameName) {
                EXPECT_GE(readAhead + 2 * (jobs - 1), static_cast<size_t>(files));
            }
        }
    }
    input.messages = &StandardOutputSink();
}

// Headers reused by name that nearby files meet first, each file through a
// chain of headers: readings keep waiting for the files before them, and
// the run may read the rest itself. The records are those of one thread.
TEST(ReadAhead, ChainsOfHeadersReusedByNameGiveTheRecordsOfOneThread)
{
    ProjectFolder folder;
    CInputSet input;
    input.verbose = false;
    input.sameNameOption = false;
    input.userIncludeDirs = {folder.Path("inc")};
    const int modules = 120;
    for (int k = 0; k < modules; ++k) {
        const std::string n = std::to_string(k);
        folder.Write("inc/m" + n + ".h",
            "#ifndef M" + n + "_H\n#define M" + n + "_H\n" +
                (k > 0 ? "#include \"m" + std::to_string(k / 2) + ".h\"\n" : "") + "#define LIMIT" +
                n + " " + n + "\nstruct S" + n + " { int v; };\n#endif\n");
        folder.Write("src/m" + n + ".cpp",
            "#include \"m" + n + ".h\"\nint f" + n + "() { return LIMIT" + n + "; }\n");
    }
    // In the order of their names, as a folder lists them: m0, m1, m10, ...
    std::vector<std::string> names;
    for (int k = 0; k < modules; ++k) {
        names.push_back("m" + std::to_string(k));
    }
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        input.AddFile(folder.Path("src/" + name + ".cpp"), true, true);
    }
    const std::string one = CacheBytes(input, 1, folder);
    ASSERT_EQ(one.find("unparsed"), std::string::npos) << one;
    for (unsigned jobs : {3u, 8u}) {
        EXPECT_EQ(CacheBytes(input, jobs, folder), one) << jobs << " threads";
    }
}

// A reading waits for the file before it that began reading the same header
// and takes the first instance the run files of it; a header whose earlier
// reader was filed without one is read, and a stop ends every wait.
TEST(ReadAhead, AReadingWaitsForTheEarlierReaderOfItsPrecompiledHeader)
{
    const FileKey stdafx = IdentityOf("/p/StdAfx.h", 120, 7);
    std::atomic<bool> stop {false};
    EarlierFirsts firsts;
    bool waited = false;
    EXPECT_EQ(firsts.Find(stdafx, 2, stop, waited), -1); // file 2 reads it itself
    std::atomic<int32_t> taken {-2};
    bool laterWaited = false;
    EXPECT_EQ(firsts.Find(stdafx, 1, stop, waited), -1); // an earlier file claims it
    std::atomic<bool> started {false};
    std::thread later([&] {
        started = true;
        taken = firsts.Find(stdafx, 5, stop, laterWaited);
    });
    // The reading has begun to look before the run files anything: it
    // waits, however slowly its thread came up.
    while (!started) {
        std::this_thread::yield();
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(taken.load(), -2) << "file 5 must wait for file 1";

    CFileIndex index;
    auto header = std::make_unique<CIncludedFile>("/p/StdAfx.h", nullptr, true);
    header->size = 120;
    header->mtime = 7;
    header->macros["APP_LIMIT"] = SharedMacro();
    const int32_t number = index.Add(std::move(header));
    index.OfferFirst(number, index.NextReadingStamp());
    firsts.Publish(index, {stdafx});
    firsts.FiledBefore(2);
    later.join();
    EXPECT_EQ(taken.load(), number);
    EXPECT_TRUE(laterWaited);
    EXPECT_FALSE(waited);
    std::vector<std::string> names;
    bool cut = true;
    ASSERT_TRUE(firsts.CopyReached(
        number, [&](const MacroTable& macros) { names.push_back(macros.begin()->first); }, cut));
    EXPECT_EQ(names, std::vector<std::string> {"APP_LIMIT"});
    EXPECT_FALSE(cut);

    const FileKey other = IdentityOf("/p/sub/stdafx.h", 30, 7);
    EXPECT_EQ(firsts.Find(other, 3, stop, waited), -1);
    firsts.FiledBefore(4); // file 3 filed, and no first instance of it
    EXPECT_EQ(firsts.Find(other, 6, stop, waited), -1);
    EXPECT_FALSE(waited);

    const FileKey third = IdentityOf("/p/x/stdafx.h", 30, 7);
    EXPECT_EQ(firsts.Find(third, 4, stop, waited), -1);
    std::thread waiting([&] { taken = firsts.Find(third, 8, stop, laterWaited); });
    firsts.Stop();
    waiting.join();
    EXPECT_EQ(taken.load(), -1);
    EXPECT_FALSE(firsts.CopyReached(
        number, [](const MacroTable&) {}, cut));
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

// Stretches of readings after the first: a stretch in which more than three
// readings in four waited says the readings only follow the run.
TEST(ReadAhead, MostReadingsOfAStretchWaitingSayTheyOnlyFollowTheRun)
{
    ReadingsChain chain(4);
    for (int k = 0; k < 4; ++k) {
        EXPECT_FALSE(chain.Note(true)) << "the first stretch waits for the common headers";
    }
    const bool threeOfFour[] = {true, false, true, true};
    for (bool waited : threeOfFour) {
        EXPECT_FALSE(chain.Note(waited));
    }
    for (int k = 0; k < 3; ++k) {
        EXPECT_FALSE(chain.Note(true));
    }
    EXPECT_TRUE(chain.Note(true));
    EXPECT_FALSE(chain.Note(true)) << "a new stretch begins";
}
