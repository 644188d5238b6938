// Runs the system's C library and C++ library headers through the
// preprocessor, the splitter and the parser, each header as a project file of
// its own: nothing may crash or hang, and the share of units the grammar does
// not recognise must stay where it is (C++11 and later constructs and
// compiler extensions account for most of it).

#include "HeaderSweep.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {

std::vector<std::string> FilesIn(const std::string& folder, bool headersOnly)
{
    std::vector<std::string> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (!entry.is_regular_file())
            continue;
        const std::string path = entry.path().string();
        if (!headersOnly || entry.path().extension() == ".h")
            files.push_back(path);
    }
    std::sort(files.begin(), files.end());
    return files;
}

void Report(const char* what, const SweepCounts& c)
{
    std::printf("%s: %ld files, %ld tokens, %ld units, %ld not recognised (%.1f%%)\n", what, c.files,
                c.tokens, c.declarations, c.failed,
                c.declarations ? 100.0 * static_cast<double>(c.failed) / static_cast<double>(c.declarations) : 0.0);
}

} // namespace

TEST(HeaderSweep, CLibraryHeaders)
{
    const std::vector<std::string> files = FilesIn("/usr/include", true);
    if (files.size() < 20)
        GTEST_SKIP() << "no C library headers on this machine";
    CHeaderSweep sweep(SystemIncludeDirs(), SystemDefines(false));
    sweep.prelude = kGccPrelude;
    for (const std::string& file : files)
        EXPECT_TRUE(sweep.Run(file)) << file;
    Report("C library", sweep.counts);
    EXPECT_GT(sweep.counts.declarations, 1000);
    EXPECT_LT(sweep.counts.failed * 4, sweep.counts.declarations);
}

TEST(HeaderSweep, CppLibraryHeaders)
{
    std::vector<std::string> versions;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/usr/include/c++", error)) {
        if (entry.is_directory())
            versions.push_back(entry.path().string());
    }
    if (versions.empty())
        GTEST_SKIP() << "no C++ library headers on this machine";
    std::sort(versions.begin(), versions.end());
    const std::vector<std::string> files = FilesIn(versions.back(), false);
    CHeaderSweep sweep(SystemIncludeDirs(), SystemDefines(true));
    sweep.prelude = kGccPrelude;
    for (const std::string& file : files)
        EXPECT_TRUE(sweep.Run(file)) << file;
    Report("C++ library", sweep.counts);
    EXPECT_GT(sweep.counts.declarations, 1000);
    EXPECT_LT(sweep.counts.failed * 5, sweep.counts.declarations * 2);
}
