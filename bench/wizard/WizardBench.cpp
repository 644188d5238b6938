// Measures the new-project wizard's file page with many files, on the
// offscreen platform: the page opening with files already in the record, and
// Add File(s) into an empty page and then again with paths of which half are
// listed already (a user picking overlapping selections).
//
//   wizard_bench [COUNT]...        (default: 20000 100000)
//
// Prints one "key value" line each per count: files, open_ms (the page shows
// the record's files), add_ms (the paths are added to an empty page),
// add_more_ms (as many paths again, half of them listed already, into the
// filled page), rows (the rows at the end: 1.5 times the count).

#include "TempFolder.h"

#include "NewProjectInfo.h"
#include "NewProjectPages.h"
#include "Options.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

// Paths spread over folders, in a shuffled order: a file dialog gives them in
// the order they were picked.
std::vector<std::string> MakePaths(int count, int first, unsigned seed)
{
    std::vector<std::string> paths;
    paths.reserve(static_cast<size_t>(count));
    char name[96];
    for (int i = first; i < first + count; ++i) {
        std::snprintf(name, sizeof name, "/home/me/src/module%03d/part%07d.cpp", i % 500, i);
        paths.emplace_back(name);
    }
    std::shuffle(paths.begin(), paths.end(), std::mt19937(seed));
    return paths;
}

double Milliseconds(const QElapsedTimer& timer)
{
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    TempFolder work;
    QApplication application(argc, argv);
    std::vector<int> counts;
    for (int i = 1; i < argc; ++i)
        counts.push_back(std::atoi(argv[i]));
    if (counts.empty())
        counts = {20000, 100000};
    COptions options(work.File("Kestrin.ini"), work.Path());

    for (const int count : counts) {
        const std::vector<std::string> paths = MakePaths(count, 0, 1);
        QElapsedTimer timer;

        NewProjectInfo filled;
        filled.files.insert(paths.begin(), paths.end());
        CDialogNewProject3 opened(filled, options);
        timer.start();
        opened.Initialize();
        std::printf("files %d\nopen_ms %.1f\n", count, Milliseconds(timer));
        std::fflush(stdout);

        NewProjectInfo info;
        CDialogNewProject3 page(info, options);
        page.Initialize();
        timer.start();
        page.AddFiles(paths);
        std::printf("add_ms %.1f\n", Milliseconds(timer));
        std::fflush(stdout);

        std::vector<std::string> more = MakePaths(count, count / 2, 2);
        timer.start();
        page.AddFiles(more);
        std::printf("add_more_ms %.1f\nrows %d\n", Milliseconds(timer), page.List()->count());
        std::fflush(stdout);
    }
    return 0;
}
