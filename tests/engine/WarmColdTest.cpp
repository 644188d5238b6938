// Random edit sequences on generated projects: after every step, the engine
// that has lived through all the steps (warm runs, cache saves and loads)
// must hold exactly what a fresh engine builds from the same files.
//
// KESTRIN_WARM_COLD_SEEDS and KESTRIN_WARM_COLD_STEPS run more seeds and
// longer sequences by hand; KESTRIN_WARM_COLD_FIRST_SEED starts elsewhere.

#include "AnalysisHelpers.h"
#include "FileIndex.h"
#include "ParseCacheWriter.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>

namespace {

constexpr int kHeaders = 7;
constexpr int kSources = 5;
constexpr int kStdafx = kHeaders; // an include target beside the headers

std::string N(int k)
{
    return std::to_string(k);
}

struct Header {
    int guard = 1; // 0 none, 1 #ifndef, 2 #pragma once
    std::vector<int> includes;
    int version = 0;
};

std::string HeaderText(int k, const Header& h)
{
    std::string t = h.guard == 1 ? "#ifndef H" + N(k) + "_H\n#define H" + N(k) + "_H\n"
        : h.guard == 2           ? "#pragma once\n"
                                 : "";
    for (int j : h.includes) {
        t += "#include \"h" + N(j) + ".h\"\n";
    }
    // Macros that later headers and sources test, a nameless struct and enum
    // (numbered across the model), a class and a function.
    t += "#define H" + N(k) + "_VAL " + N(h.version) + "\n#ifdef FEATURE_" + N(k % 3) +
        "\nstruct Feat" + N(k) + " { int f; };\n#endif\n";
    if (!h.includes.empty()) {
        t += "#if H" + N(h.includes[0]) + "_VAL > 1\nclass Up" + N(k) + " { int u; };\n#endif\n";
    }
    if (h.version % 3 == 2) { // a condition that cannot be evaluated counts as false
        t += "#define P" + N(k) + "(n) X##n\n#if P" + N(k) + "(1)\nclass Never" + N(k) +
            " {};\n#else\nclass Paste" + N(k) + " { int p; };\n#endif\n";
    }
    // A blank before the '(' makes W object-like: `int (w);` declares w,
    // where the function-like W is not expanded and `int W;` declares W.
    t +=
        "#define W" + N(k) + (h.version % 2 == 1 ? " (w" : "(w") + N(k) + ")\nint W" + N(k) + ";\n";
    t += "namespace n" + N(k) + " {\nclass C" + N(k) + " {\npublic:\n    int v" + N(h.version) +
        ";\n    void m();\n};\n}\nstruct { int a" + N(k) + "; } s" + N(k) + ";\nenum { E" + N(k) +
        " };\nint f" + N(k) + "(int a);\n";
    // A nested namespace opens n<k> without a unit of its own there.
    t += "namespace n" + N(k) + "::deep { inline namespace v" + N(h.version) +
        " { enum class Mode { On }; } }\n";
    return h.guard == 1 ? t + "#endif\n" : t;
}

// A source: includes (a target of 0..kStdafx, or a header of the system
// folders from kAngle on) and feature defines (-1..-3) in some order, then
// definitions.
constexpr int kAngle = 100;

std::string SourceText(int s, const std::vector<int>& items, int version, bool c)
{
    std::string t;
    for (int item : items) {
        t += item < 0         ? "#define FEATURE_" + N(-item - 1) + "\n"
            : item >= kAngle  ? "#include <h" + N(item - kAngle) + ".h>\n"
            : item == kStdafx ? "#include \"stdafx.h\"\n"
                              : "#include \"h" + N(item) + ".h\"\n";
    }
    const std::string k = N(s % kHeaders);
    // C source names things as C++ may not (and has no "::" to read it as C++)
    t += c ? "static int use" + k + "(int class) { int new = f" + k + "(class); return new; }\n"
           : "void n" + k + "::C" + k + "::m() { f" + k + "(1); }\n";
    return t + "int run" + N(s) + "_" + N(version) +
        "() { return 0; }\nstruct { int local; } mine" + N(s) + ";\n";
}

void DescribeScope(const CModelScope& scope, int depth, std::ostream& out)
{
    out << std::string(static_cast<size_t>(depth), ' ') << scope.name << " " << scope.kind << " "
        << scope.isTemplate << scope.fromProjectFile << " l" << scope.LinkedBy().size() << "/"
        << scope.LinkedByCv().size();
    for (const auto* files : {&scope.declarationFiles, &scope.definitionFiles}) {
        out << " [";
        for (const std::string& file : *files) {
            out << file << ";";
        }
        out << "]";
    }
    for (int32_t number : scope.definitionFileNumbers) {
        out << " " << number;
    }
    out << "\n";
    if (scope.scopeChildren) {
        for (const auto& child : *scope.scopeChildren) {
            DescribeScope(*child, depth + 1, out);
        }
    }
}

// The records as the parse cache would hold them (tokens, units with their
// records, macros, include numbers, in order) and the model with the files
// of every element.
std::string Describe(const CProjectAnalyzer& engine)
{
    CCacheSink records;
    for (const auto& file : engine.ProjectFiles()) {
        CParseCacheWriter::WriteSourceFile(records, *file);
    }
    for (const auto& header : engine.FileIndex().files) {
        CParseCacheWriter::WriteSourceFile(records, *header);
    }
    std::ostringstream out;
    DescribeScope(*engine.Root(), 0, out);
    return out.str() + records.Bytes();
}

// Asks the run to stop once it has written a number of lines (one a file it
// reads afresh, mostly), so that runs are cut short at varied places.
class StoppingSink : public MessageSink {
public:
    explicit StoppingSink(CInputSet& input) : input_(input) { }
    void StopAfter(int lines) { left_ = lines; }
    void Write(MessageKind, std::string_view) override
    {
        if (left_ > 0 && --left_ == 0) {
            input_.stopRequest = true;
        }
    }

private:
    CInputSet& input_;
    int left_ = 0;
};

int FromEnvironment(const char* name, int fallback)
{
    const char* value = std::getenv(name);
    return value && std::atoi(value) > 0 ? std::atoi(value) : fallback;
}

// One generated project, the engine that lives through its edits, and the
// edits.
class EditSequence {
public:
    explicit EditSequence(unsigned seed) : random_(seed)
    {
        input_.verbose = false;
        input_.messages = &sink_;
        input_.userIncludeDirs = {folder_.Path("inc")};
        input_.includeDirs = {folder_.Path("sys"), folder_.Path("inc")};
        input_.searchSystemIncludes = true;
        folder_.Write("src/stdafx.h",
            "#ifndef STDAFX_H\n#define STDAFX_H\n#include \"h0.h\"\n"
            "class App { int a; };\n#endif\n");
        for (int k = 0; k < kHeaders; ++k) {
            headers_[k].guard = Pick(5) == 0 ? 2 : 1;
            for (int n = Pick(3); n > 0; --n) {
                headers_[k].includes.push_back(Pick(kHeaders));
            }
            WriteHeader(k);
        }
        for (int s = 0; s < kSources; ++s) {
            for (int n = 1 + Pick(4); n > 0; --n) {
                sources_[s].push_back(RandomItem());
            }
            WriteSource(s);
            input_.AddFile(SourcePath(s), true, true);
        }
        warm_ = std::make_unique<CAnalyzer>(&input_);
    }

    // Makes one random edit and runs the warm engine, now and then first
    // in a run that is stopped part way; says what was done.
    std::string Step()
    {
        std::string done = Edit();
        if (Pick(5) == 0) {
            sink_.StopAfter(1 + Pick(4));
            warm_->Run(3, false);
            sink_.StopAfter(0);
            input_.stopRequest = false;
            done += " (a run stopped)";
        }
        warm_->Run(3, false);
        return done;
    }

    std::string Warm() const { return Describe(*warm_->Engine()); }
    bool AnyFileChanged() const { return warm_->Engine()->IsAnyFileChanged(); }
    std::string Cold()
    {
        CAnalyzer cold(&input_);
        cold.Run(3, false);
        return Describe(*cold.Engine());
    }
    // A cold run reading on one thread, with the cache it saves.
    std::string ColdOn(unsigned jobs)
    {
        CAnalyzer cold(&input_);
        cold.Engine()->SetJobs(jobs);
        cold.Run(3, false);
        const std::string cache = folder_.Path("cold-" + N(static_cast<int>(jobs)) + ".car");
        if (!cold.Engine()->SaveCache(cache)) {
            return "cache not saved";
        }
        std::ifstream in(cache, std::ios::binary);
        return Describe(*cold.Engine()) + "\ncache:\n" +
            std::string(std::istreambuf_iterator<char>(in), {});
    }

private:
    int Pick(int n) { return static_cast<int>(random_() % static_cast<unsigned>(n)); }
    int RandomItem()
    {
        const int pick = Pick(8);
        return pick < 2 ? -1 - Pick(3) : pick < 3 ? kAngle + Pick(kHeaders) : Pick(kHeaders + 1);
    }
    // The last source is C: the headers it reads first are read as C, also
    // for the C++ sources that reuse them by name.
    static std::string SourceName(int s)
    {
        return "src/s" + N(s) + (s == kSources - 1 ? ".c" : ".cpp");
    }
    std::string SourcePath(int s) const { return folder_.Path(SourceName(s)); }

    void WriteHeader(int k)
    {
        if (missing_[k]) {
            folder_.Remove("inc/h" + N(k) + ".h");
        } else {
            folder_.Write("inc/h" + N(k) + ".h", HeaderText(k, headers_[k]), ++clock_);
        }
    }
    void WriteSource(int s)
    {
        folder_.Write(
            SourceName(s), SourceText(s, sources_[s], versions_[s], s == kSources - 1), ++clock_);
    }
    template <class T> void InsertOrErase(std::vector<T>& items, bool insert, T item)
    {
        if (insert) {
            items.insert(items.begin() + Pick(static_cast<int>(items.size()) + 1), item);
        } else if (!items.empty()) {
            items.erase(items.begin() + Pick(static_cast<int>(items.size())));
        }
    }

    std::string Edit()
    {
        const int k = Pick(kHeaders);
        const int s = Pick(kSources);
        const std::string h = "h" + N(k);
        FileFlags& flags = input_.fileFlags[SourcePath(s)];
        switch (Pick(15)) {
        case 0:
        case 1:
            InsertOrErase(headers_[k].includes, Pick(2) == 0, Pick(kHeaders));
            WriteHeader(k);
            return "includes of " + h;
        case 2:
            headers_[k].guard = Pick(3);
            WriteHeader(k);
            return "guard of " + h + ": " + N(headers_[k].guard);
        case 3:
            ++headers_[k].version;
            WriteHeader(k);
            return h + " edited";
        case 4:
            if (!missing_[k]) {
                folder_.Touch("inc/" + h + ".h", ++clock_);
            }
            return h + " touched";
        case 5:
            missing_[k] = !missing_[k];
            WriteHeader(k);
            return h + (missing_[k] ? " deleted" : " back");
        case 6: {
            // A header beside the sources hides the one of the include
            // folder for quoted includes; one in the first system folder
            // hides it for angle includes.
            const std::string place = Pick(2) == 0 ? "src/" : "sys/";
            shadowed_[k] = !shadowed_[k];
            if (shadowed_[k]) {
                folder_.Write(place + h + ".h", "class Shadow" + N(k) + " { };\n", ++clock_);
            } else {
                folder_.Remove("src/" + h + ".h");
                folder_.Remove("sys/" + h + ".h");
            }
            return h + (shadowed_[k] ? " shadowed in " + place : " not shadowed");
        }
        case 7:
        case 8:
            InsertOrErase(sources_[s], Pick(2) == 0, RandomItem());
            WriteSource(s);
            return "items of s" + N(s);
        case 9:
            ++versions_[s];
            WriteSource(s);
            return "s" + N(s) + " edited";
        case 10:
            input_.sameNameOption = !input_.sameNameOption;
            return std::string("same-name files ") + (input_.sameNameOption ? "on" : "off");
        case 11: {
            // The options the records were read with go beside the cache, as
            // the program keeps them; they may change before the next run.
            const std::string readWith = warm_->Engine()->RecordsOptionsDigest();
            warm_->Engine()->SaveCache(folder_.Path("project.car"));
            warm_ = std::make_unique<CAnalyzer>(&input_);
            warm_->Engine()->LoadCache(folder_.Path("project.car"), readWith);
            if (Pick(2) == 0) {
                input_.sameNameOption = !input_.sameNameOption;
                return "saved, loaded, same-name files toggled";
            }
            return "saved and loaded";
        }
        case 12:
            flags.draw = !flags.draw;
            return "draw flag of s" + N(s);
        case 13:
            flags.analyse = !flags.analyse;
            return "analyse flag of s" + N(s);
        default:
            if (input_.defines.empty()) {
                input_.defines.push_back({"FEATURE_" + N(k % 3), 1});
            } else {
                input_.defines.clear();
            }
            return "predefined words";
        }
    }

    std::mt19937 random_;
    ProjectFolder folder_;
    CInputSet input_;
    StoppingSink sink_ {input_};
    Header headers_[kHeaders];
    bool missing_[kHeaders] = {};
    bool shadowed_[kHeaders] = {};
    std::vector<int> sources_[kSources];
    int versions_[kSources] = {};
    int clock_ = 0;
    std::unique_ptr<CAnalyzer> warm_;
};

} // namespace

TEST(WarmRun, RandomEditSequencesGiveTheColdModel)
{
    const int first = FromEnvironment("KESTRIN_WARM_COLD_FIRST_SEED", 1);
    const int seeds = FromEnvironment("KESTRIN_WARM_COLD_SEEDS", 8);
    const int steps = FromEnvironment("KESTRIN_WARM_COLD_STEPS", 30);
    for (int seed = first; seed < first + seeds; ++seed) {
        EditSequence sequence(static_cast<unsigned>(seed));
        std::string history;
        for (int step = 0; step < steps; ++step) {
            history += sequence.Step() + "; ";
            ASSERT_EQ(sequence.Warm(), sequence.Cold()) << "seed " << seed << " after: " << history;
            // Reading on many threads gives what reading on one gives, to
            // the byte of the cache.
            ASSERT_EQ(sequence.ColdOn(1), sequence.ColdOn(6))
                << "seed " << seed << " after: " << history;
            ASSERT_FALSE(sequence.AnyFileChanged()) << "seed " << seed << " after: " << history;
        }
    }
}

// A sequence the random edits found: headers without guards that include
// one another in a ring, each reused by name, so that one project file
// reaches two instances of a header, one inside a header it took whole from
// another file and one through its own include. After an edit of the file
// that read the second instance first, the kept file must be read again: its
// own include now takes the instance another file reads first.
TEST(WarmRun, OwnIncludeOfAHeaderAlsoMetInsideATakenOneIsChecked)
{
    EditSequence sequence(160092);
    std::string history;
    for (int step = 0; step < 13; ++step) {
        history += sequence.Step() + "; ";
        ASSERT_EQ(sequence.Warm(), sequence.Cold()) << "after: " << history;
    }
}
