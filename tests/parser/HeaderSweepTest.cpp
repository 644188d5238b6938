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

// Sweeps the files as C or C++ and prints the counts; there must be enough
// units to judge by.
SweepCounts Sweep(const char* what, const std::vector<std::string>& files, bool cplusplus)
{
    CHeaderSweep sweep(SystemIncludeDirs(), SystemDefines(cplusplus));
    sweep.prelude = kGccPrelude;
    for (const std::string& file : files)
        EXPECT_TRUE(sweep.Run(file)) << file;
    const SweepCounts& c = sweep.counts;
    std::printf("%s: %ld files, %ld tokens, %ld units, %ld not recognised (%.1f%%)\n", what,
        c.files, c.tokens, c.declarations, c.failed,
        c.declarations ? 100.0 * static_cast<double>(c.failed) / static_cast<double>(c.declarations)
                       : 0.0);
    EXPECT_GT(c.declarations, 1000);
    return c;
}

} // namespace

TEST(HeaderSweep, CLibraryHeaders)
{
    const std::vector<std::string> files = FilesIn("/usr/include", true);
    if (files.size() < 20)
        GTEST_SKIP() << "no C library headers on this machine";
    const SweepCounts c = Sweep("C library", files, false);
    EXPECT_LT(c.failed * 4, c.declarations);
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
    const SweepCounts c = Sweep("C++ library", FilesIn(versions.back(), false), true);
    EXPECT_LT(c.failed * 5, c.declarations * 2);
}
