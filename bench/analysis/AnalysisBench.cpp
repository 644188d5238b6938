// Measures the analysis engine on a project: a cold run, a warm run with
// nothing changed, saving the parse cache, loading it into a fresh engine and
// rebuilding the model there without parsing.
//
// analysis_bench [-I DIR]... [-D NAME[=VALUE]]... [--by-name] [--cache FILE] [--dump]
//                [--jobs N] [--touch PATH] [--edit PATH] [--rounds N] PATH...
//
// --by-name reuses every header by name, as the program does by default
// (same-name files are not preprocessed again); without it, only precompiled
// headers are.
//
// --jobs N reads the project files on N threads (1: the run's own only);
// without it, one per core.
//
// --touch PATH moves the file's modification time two seconds on after the
// warm run (its bytes stay as they are) and runs the same engine once more:
// touch_ms is that run, which finds the file's bytes as they were and reads
// nothing again.
//
// --rounds N then saves the cache N times more and loads each save into a
// fresh engine, checked against the digest the save gave as the program
// does, freeing that engine before the next save: round_save_ms and
// round_load_ms are the medians, round_read_ms and round_decode_ms the
// medians of the load's first pass through the file and of making the
// records, round_save_cpu_ms and round_load_cpu_ms the medians of the
// processor time all threads spent on a save and on a load (steadier than
// the time that passed on a busy machine); round_free_ms and
// round_free_cpu_ms the same for freeing the loaded engine.
//
// --edit PATH then appends a declaration to the file and runs the same
// engine once more: edit_ms is that run, which reads again the files that
// include it. The file's bytes and time are put back at the end.
//
// cold_cpu_ms and edit_cpu_ms are the processor time (user and system, all
// threads) the process used during the cold and the edit run.
//
// cold_STEP_ms and edit_STEP_ms say how long each step of the cold and the
// edit run took (see CAnalyzer::SetStepTimes): changes, start, reading,
// end, headers and model.
//
// cold_peak_kb is the most memory resident by the end of the cold run,
// peak_kb the most over the whole measurement. idle_kb is what the process
// had resident before it read anything, input_bytes the size of every file
// read (project files and headers), and bytes_per_input_byte what the peak
// took beyond the idle process for each of those bytes (cold_: by the end of
// the cold run).

#include "Analyzer.h"
#include "ChildStartKind.h"
#include "LanguageTable.h"
#include "ParseCacheReader.h"
#include "ProjectArguments.h"
#include "StepTimes.h"
#include "TokenType.h"
#include "UnitDump.h"
#include "UnitKind.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <iostream>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct Options {
    ProjectArguments project;
    std::string cache;
    bool dump = false;
    unsigned jobs = 0; // 0: one per core
    std::string touch; // a file whose time moves before one more run
    std::string edit; // a file that gains a declaration before one more run
    int rounds = 0; // saves and loads measured after the first
};

Options ParseOptions(int argc, char** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (TakeProjectOption("analysis_bench", argc, argv, i, options.project)) {
            continue;
        }
        if (arg == "--cache") {
            if (i + 1 >= argc) {
                BenchUsageError("analysis_bench", "--cache needs a value");
            }
            options.cache = argv[++i];
        } else if (arg == "--dump") {
            options.dump = true;
        } else if (arg == "--jobs") {
            const int jobs = i + 1 < argc ? std::atoi(argv[i + 1]) : 0;
            if (jobs < 1) {
                BenchUsageError("analysis_bench", "--jobs needs a number of at least 1");
            }
            options.jobs = static_cast<unsigned>(jobs);
            ++i;
        } else if (arg == "--touch") {
            if (i + 1 >= argc) {
                BenchUsageError("analysis_bench", "--touch needs a file");
            }
            options.touch = argv[++i];
        } else if (arg == "--edit") {
            if (i + 1 >= argc) {
                BenchUsageError("analysis_bench", "--edit needs a file");
            }
            options.edit = argv[++i];
        } else if (arg == "--rounds") {
            const int rounds = i + 1 < argc ? std::atoi(argv[i + 1]) : 0;
            if (rounds < 1) {
                BenchUsageError("analysis_bench", "--rounds needs a number of at least 1");
            }
            options.rounds = rounds;
            ++i;
        } else if (!arg.empty() && arg[0] == '-') {
            BenchUsageError("analysis_bench", "unknown option " + arg);
        } else {
            AddProjectPath("analysis_bench", arg, options.project.files);
            options.project.anyPath = true;
        }
    }
    if (!options.project.anyPath) {
        BenchUsageError("analysis_bench",
            "usage: analysis_bench [-I DIR]... [-D NAME[=VALUE]]... [--by-name] "
            "[--cache FILE] [--dump] [--jobs N] [--touch PATH] [--edit PATH] [--rounds N] PATH...");
    }
    return options;
}

// A "Vm...:" figure of the process in KB (0 when the system does not say).
long StatusKb(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    const size_t length = std::char_traits<char>::length(field);
    while (std::getline(status, line)) {
        if (line.compare(0, length, field) == 0) {
            return std::atol(line.c_str() + length);
        }
    }
    return 0;
}

// The most memory the process has had resident so far, in KB.
long PeakResidentKb()
{
    return StatusKb("VmHWM:");
}

double BytesPerInputByte(long peakKb, long idleKb, long long inputBytes)
{
    return inputBytes > 0
        ? static_cast<double>(peakKb - idleKb) * 1024.0 / static_cast<double>(inputBytes)
        : 0.0;
}

// Moves the file's modification time two seconds past what it is, so that
// its size and time no longer match any record read from it.
void MoveModificationTime(const std::string& path)
{
    std::error_code error;
    const auto time = fs::last_write_time(path, error);
    if (!error) {
        fs::last_write_time(path, time + std::chrono::seconds(2), error);
    }
    if (error) {
        std::fprintf(stderr, "analysis_bench: the time of %s could not be moved: %s\n",
            path.c_str(), error.message().c_str());
        std::exit(1);
    }
}

// Appends a declaration to a file, and puts its bytes and time back when
// it goes.
class EditedFile {
public:
    explicit EditedFile(std::string path) : path_(std::move(path))
    {
        std::ifstream in(path_, std::ios::binary);
        bytes_.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        std::error_code error;
        time_ = fs::last_write_time(path_, error);
        std::ofstream out(path_, std::ios::binary | std::ios::app);
        out << "\nextern int analysis_bench_edit;\n";
        if (!in || error || !out) {
            std::fprintf(stderr, "analysis_bench: %s could not be edited\n", path_.c_str());
            std::exit(1);
        }
        out.close();
        fs::last_write_time(path_, time_ + std::chrono::seconds(4), error);
    }
    ~EditedFile()
    {
        std::ofstream(path_, std::ios::binary | std::ios::trunc) << bytes_;
        std::error_code error;
        fs::last_write_time(path_, time_, error);
    }
    EditedFile(const EditedFile&) = delete;
    EditedFile& operator=(const EditedFile&) = delete;

private:
    std::string path_;
    std::string bytes_;
    fs::file_time_type time_;
};

// The processor time the process has used so far, user and system, in
// milliseconds.
double ProcessorMilliseconds()
{
    rusage usage {};
    ::getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval& time) {
        return static_cast<double>(time.tv_sec) * 1000.0 +
            static_cast<double>(time.tv_usec) / 1000.0;
    };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

double Milliseconds(const std::function<void()>& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    const auto end = std::chrono::steady_clock::now();
    return std::chrono::duration<double, std::milli>(end - start).count();
}

// The times of the measured saves and loads, in ms.
struct CacheRounds {
    std::vector<double> save, load, read, decode, free;
    std::vector<double> saveCpu, loadCpu, freeCpu; // on all threads
};

// The processor time of every thread of the process so far, in ms.
double ProcessCpuMs()
{
    struct rusage usage { };
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval& time) {
        return static_cast<double>(time.tv_sec) * 1e3 + static_cast<double>(time.tv_usec) / 1e3;
    };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

double Median(std::vector<double> values)
{
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The engine writes its progress lines to the standard output; while it
// works they go nowhere, so that the output holds only the figures.
class QuietStdout {
public:
    QuietStdout()
    {
        std::cout.flush();
        std::fflush(stdout);
        saved_ = ::dup(1);
        const int null = ::open("/dev/null", O_WRONLY);
        if (null >= 0) {
            ::dup2(null, 1);
            ::close(null);
        }
    }
    ~QuietStdout()
    {
        std::cout.flush();
        std::fflush(stdout);
        if (saved_ >= 0) {
            ::dup2(saved_, 1);
            ::close(saved_);
        }
    }

private:
    int saved_ = -1;
};

using KindCounts = std::map<int, long>;

void CountElements(const CModelScope& scope, KindCounts& counts)
{
    ++counts[scope.kind];
    if (scope.scopeChildren) {
        for (const auto& child : *scope.scopeChildren) {
            CountElements(*child, counts);
        }
    }
}

// Declarations the parser was given (at namespace scope and in class,
// struct and union bodies) and could not recognise: they stay not done.
// Enumeration bodies are read without being marked, so they do not count.
long CountFailedUnits(const std::vector<CUnit>& units, int startKind)
{
    long failed = 0;
    const bool parsed = startKind == DECLARATION || startKind == INCLASS || startKind == INSTRUCT;
    for (const CUnit& unit : units) {
        if (parsed && !unit.done && !unit.tokenIndices.empty()) {
            ++failed;
        }
        if (!unit.children.empty()) {
            failed += CountFailedUnits(unit.children, ChildStartKind(unit));
        }
    }
    return failed;
}

} // namespace

int main(int argc, char** argv)
{
    const Options options = ParseOptions(argc, argv);
    LoadLanguageFile();
    const long idleKb = StatusKb("VmRSS:");

    CInputSet input;
    options.project.FillInput(input);

    std::string cachePath = options.cache;
    bool removeCache = false;
    if (cachePath.empty()) {
        cachePath =
            (fs::temp_directory_path() / ("analysis_bench_" + std::to_string(::getpid()) + ".car"))
                .string();
        removeCache = true;
    } else {
        cachePath = fs::absolute(cachePath).string();
    }

    auto cold = std::make_unique<CAnalyzer>(&input);
    auto loaded = std::make_unique<CAnalyzer>(&input);
    cold->Engine()->SetJobs(options.jobs);
    StepTimes steps;
    StepTimes coldSteps, editSteps;
    cold->SetStepTimes(&steps);
    double coldCpuMs = 0, editCpuMs = 0;
    double coldMs = 0, warmMs = 0, touchMs = 0, editMs = 0, saveMs = 0, loadMs = 0, mergeMs = 0;
    std::unique_ptr<EditedFile> edited;
    bool saved = false, read = false;
    CacheRounds rounds;
    KindCounts before, savedModel, after;
    long headers = 0, tokens = 0, failed = 0, coldPeakKb = 0;
    long long inputBytes = 0;

    RunWithLargeStack([&] {
        {
            QuietStdout quiet;
            double processor = ProcessorMilliseconds();
            coldMs = Milliseconds([&] { cold->Run(3, false); });
            coldCpuMs = ProcessorMilliseconds() - processor;
            coldSteps = steps;
            coldPeakKb = PeakResidentKb();
            CountElements(*cold->Engine()->Root(), before);
            warmMs = Milliseconds([&] { cold->Run(3, false); });
            if (!options.touch.empty()) {
                MoveModificationTime(options.touch);
                touchMs = Milliseconds([&] { cold->Run(3, false); });
            }
            if (!options.edit.empty()) {
                edited = std::make_unique<EditedFile>(options.edit);
                processor = ProcessorMilliseconds();
                editMs = Milliseconds([&] { cold->Run(3, false); });
                editCpuMs = ProcessorMilliseconds() - processor;
                editSteps = steps;
            }
            CountElements(*cold->Engine()->Root(), savedModel);
            saveMs = Milliseconds([&] { saved = cold->Engine()->SaveCache(cachePath); });
            for (int round = 0; saved && round < options.rounds; ++round) {
                std::string digest;
                const double cpuBefore = ProcessCpuMs();
                rounds.save.push_back(
                    Milliseconds([&] { saved = cold->Engine()->SaveCache(cachePath, &digest); }));
                rounds.saveCpu.push_back(ProcessCpuMs() - cpuBefore);
                auto again = std::make_unique<CAnalyzer>(&input);
                StepTimes steps;
                steps.Start();
                bool againRead = false;
                const double loadCpuBefore = ProcessCpuMs();
                rounds.load.push_back(Milliseconds([&] {
                    againRead = again->Engine()->LoadCache(
                        cachePath, {}, digest, CacheLoadSteps {&steps, {}});
                }));
                rounds.loadCpu.push_back(ProcessCpuMs() - loadCpuBefore);
                rounds.read.push_back(steps.Milliseconds("read"));
                rounds.decode.push_back(steps.Milliseconds("decode"));
                saved = saved && againRead;
                const double freeCpuBefore = ProcessCpuMs();
                rounds.free.push_back(Milliseconds([&] { again.reset(); }));
                rounds.freeCpu.push_back(ProcessCpuMs() - freeCpuBefore);
            }
        }
        const CProjectAnalyzer& engine = *cold->Engine();
        std::set<std::string> readPaths;
        headers = static_cast<long>(engine.FileIndex().files.size());
        for (const auto& file : engine.ProjectFiles()) {
            tokens += static_cast<long>(file->scan.tokens.size());
            failed += CountFailedUnits(file->units, DECLARATION);
            if (readPaths.insert(file->path).second) {
                inputBytes += file->size;
            }
        }
        for (const auto& header : engine.FileIndex().files) {
            tokens += static_cast<long>(header->scan.tokens.size());
            failed += CountFailedUnits(header->units, DECLARATION);
            if (readPaths.insert(header->path).second) {
                inputBytes += header->size; // once for all instances of a header
            }
        }
        if (options.dump) {
            CUnitDumper(
                engine.FileIndex(), engine.ProjectFiles(), engine.Root(), StandardOutputSink())
                .Dump();
        }
        // The program never holds two engines at once: the first goes
        // before the second reads the cache. Deep unit trees are freed here,
        // on the large stack.
        cold.reset();
        {
            QuietStdout quiet;
            loadMs = Milliseconds([&] { read = saved && loaded->Engine()->LoadCache(cachePath); });
            mergeMs = Milliseconds([&] { loaded->RebuildModel(3); });
            CountElements(*loaded->Engine()->Root(), after);
        }
        loaded.reset();
    });
    const long peakKb = PeakResidentKb();

    std::error_code error;
    const long cacheBytes = saved ? static_cast<long>(fs::file_size(cachePath, error)) : 0;
    if (removeCache) {
        fs::remove(cachePath, error);
    }

    const bool sameModel = savedModel == after;
    std::printf("files %zu\n", input.paths.size());
    std::printf("headers %ld\n", headers);
    std::printf("tokens %ld\n", tokens);
    std::printf("units_failed %ld\n", failed);
    std::printf("cold_ms %.1f\n", coldMs);
    std::printf("warm_ms %.1f\n", warmMs);
    if (!options.touch.empty()) {
        std::printf("touch_ms %.1f\n", touchMs);
    }
    if (!options.edit.empty()) {
        std::printf("edit_ms %.1f\n", editMs);
    }
    std::printf("cold_cpu_ms %.1f\n", coldCpuMs);
    if (!options.edit.empty()) {
        std::printf("edit_cpu_ms %.1f\n", editCpuMs);
    }
    static const char* const kSteps[] = {"changes", "start", "reading", "end", "headers", "model"};
    for (const char* step : kSteps) {
        std::printf("cold_%s_ms %.1f\n", step, coldSteps.Milliseconds(step));
    }
    if (!options.edit.empty()) {
        for (const char* step : kSteps) {
            std::printf("edit_%s_ms %.1f\n", step, editSteps.Milliseconds(step));
        }
    }
    std::printf("save_ms %.1f\n", saveMs);
    std::printf("load_ms %.1f\n", loadMs);
    std::printf("merge_ms %.1f\n", mergeMs);
    if (options.rounds > 0) {
        std::printf("round_save_ms %.1f\n", Median(rounds.save));
        std::printf("round_load_ms %.1f\n", Median(rounds.load));
        std::printf("round_read_ms %.1f\n", Median(rounds.read));
        std::printf("round_decode_ms %.1f\n", Median(rounds.decode));
        std::printf("round_save_cpu_ms %.1f\n", Median(rounds.saveCpu));
        std::printf("round_load_cpu_ms %.1f\n", Median(rounds.loadCpu));
        std::printf("round_free_ms %.1f\n", Median(rounds.free));
        std::printf("round_free_cpu_ms %.1f\n", Median(rounds.freeCpu));
    }
    std::printf("cache_bytes %ld\n", cacheBytes);
    std::printf("cold_peak_kb %ld\n", coldPeakKb);
    std::printf("peak_kb %ld\n", peakKb);
    std::printf("idle_kb %ld\n", idleKb);
    std::printf("input_bytes %lld\n", inputBytes);
    std::printf(
        "cold_bytes_per_input_byte %.1f\n", BytesPerInputByte(coldPeakKb, idleKb, inputBytes));
    std::printf("bytes_per_input_byte %.1f\n", BytesPerInputByte(peakKb, idleKb, inputBytes));
    std::printf("model_namespace %ld\n", before[UNIT_NAMESPACE]);
    std::printf("model_class %ld\n", before[UNIT_CLASS]);
    std::printf("model_struct %ld\n", before[UNIT_STRUCT]);
    std::printf("model_union %ld\n", before[UNIT_UNION]);
    std::printf("model_enum %ld\n", before[UNIT_ENUM]);
    std::printf("model_function %ld\n", before[UNIT_FUNCTION]);
    std::printf("model_variable %ld\n", before[UNIT_VARIABLE]);
    std::fflush(stdout);

    if (!saved || !read) {
        std::fprintf(stderr, "analysis_bench: the parse cache could not be %s\n",
            saved ? "loaded" : "saved");
        return 1;
    }
    if (!sameModel) {
        std::fprintf(stderr, "analysis_bench: the model rebuilt from the cache differs\n");
        return 1;
    }
    return 0;
}
