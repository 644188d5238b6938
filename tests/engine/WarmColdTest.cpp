// Random edit sequences on generated projects: after every step, the engine
// that has lived through all the steps (warm runs, cache saves and loads)
// must hold exactly what a fresh engine builds from the same files.
//
// KESTRIN_WARM_COLD_SEEDS and KESTRIN_WARM_COLD_STEPS run more seeds and
// longer sequences by hand; KESTRIN_WARM_COLD_FIRST_SEED starts elsewhere.

#include "AnalysisHelpers.h"
#include "FileIndex.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <sstream>

namespace {

constexpr int kHeaders = 7;
constexpr int kSources = 5;

struct HeaderSpec {
    int guard = 1; // 0 none, 1 #ifndef, 2 #pragma once
    std::vector<int> includes;
    int version = 0;
    bool present = true;
};

// An item of a source file: an include of header k (k == kHeaders is
// stdafx.h) or a feature define before the includes that follow.
struct SourceItem {
    bool define = false;
    int target = 0;
};

struct SourceSpec {
    std::vector<SourceItem> items;
    int version = 0;
};

std::string H(int k) { return "h" + std::to_string(k); }

std::string HeaderText(int k, const HeaderSpec& spec)
{
    const std::string guard = "H" + std::to_string(k) + "_H";
    std::string t;
    if (spec.guard == 1) {
        t += "#ifndef " + guard + "\n#define " + guard + "\n";
    } else if (spec.guard == 2) {
        t += "#pragma once\n";
    }
    for (int j : spec.includes) {
        t += "#include \"" + H(j) + ".h\"\n";
    }
    t += "#define " + H(k) + "_VAL " + std::to_string(spec.version) + "\n";
    t += "#ifdef FEATURE_" + std::to_string(k % 3) + "\nstruct Feat" + std::to_string(k) +
         " { int f; };\n#endif\n";
    if (!spec.includes.empty()) {
        t += "#if " + H(spec.includes[0]) + "_VAL > 1\nclass Upgraded" + std::to_string(k) +
             " { int u; };\n#endif\n";
    }
    t += "namespace n" + std::to_string(k) + " {\nclass C" + std::to_string(k) +
         " {\npublic:\n    int v" + std::to_string(spec.version) + ";\n    void m();\n};\n}\n";
    t += "struct { int anon" + std::to_string(k) + "; } shared" + std::to_string(k) + ";\n";
    t += "enum { E" + std::to_string(k) + "_A, E" + std::to_string(k) + "_B };\n";
    t += "int f" + std::to_string(k) + "(int a);\n";
    if (spec.guard == 1) {
        t += "#endif\n";
    }
    return t;
}

std::string SourceText(int s, const SourceSpec& spec)
{
    std::string t;
    for (const SourceItem& item : spec.items) {
        if (item.define) {
            t += "#define FEATURE_" + std::to_string(item.target) + "\n";
        } else {
            t += "#include \"" + (item.target == kHeaders ? std::string("stdafx") : H(item.target)) +
                 ".h\"\n";
        }
    }
    const std::string k = std::to_string(s % kHeaders);
    t += "void n" + k + "::C" + k + "::m() { f" + k + "(1); }\n";
    t += "int run" + std::to_string(s) + "_" + std::to_string(spec.version) + "() { return 0; }\n";
    t += "struct { int local" + std::to_string(s) + "; } mine" + std::to_string(s) + ";\n";
    return t;
}

// Everything the records and the model hold that a user could see or the
// cache would keep: include numbers, unit trees, elements with their files.
void DescribeScope(const CModelScope& scope, int depth, std::ostream& out)
{
    out << std::string(static_cast<size_t>(depth), ' ') << scope.name << " k" << scope.kind
        << " t" << scope.isTemplate << " p" << scope.fromProjectFile << " d[";
    for (const std::string& file : scope.declarationFiles) {
        out << file << ";";
    }
    out << "] D[";
    for (const std::string& file : scope.definitionFiles) {
        out << file << ";";
    }
    out << "] n[";
    for (int32_t number : scope.definitionFileNumbers) {
        out << number << ";";
    }
    out << "] l" << scope.linkedBy.size() << "/" << scope.linkedByCv.size() << "\n";
    if (scope.scopeChildren) {
        for (const auto& child : *scope.scopeChildren) {
            DescribeScope(*child, depth + 1, out);
        }
    }
}

void DescribeUnits(const std::vector<CUnit>& units, int depth, std::ostream& out)
{
    for (const CUnit& unit : units) {
        out << std::string(static_cast<size_t>(depth), ' ') << unit.kind << (unit.brace ? "{" : "")
            << (unit.done ? "+" : "") << (unit.detail ? "d" : "") << " " << unit.first << "-"
            << unit.last << ":";
        for (int position : unit.tokenIndices) {
            out << " " << position;
        }
        out << "\n";
        DescribeUnits(unit.children, depth + 1, out);
    }
}

std::string Describe(const CProjectAnalyzer& engine)
{
    std::ostringstream out;
    auto describe = [&](const CSourceFile& file) {
        out << file.path << " <";
        for (int32_t k : file.includes) {
            out << k << " ";
        }
        out << "> " << file.scan.tokens.size() << " " << file.macros.size() << "\n";
        DescribeUnits(file.units, 1, out);
    };
    for (const auto& file : engine.ProjectFiles()) {
        describe(*file);
    }
    for (const auto& header : engine.FileIndex().files) {
        describe(*header);
    }
    DescribeScope(*engine.Root(), 0, out);
    return out.str();
}

int FromEnvironment(const char* name, int fallback)
{
    const char* value = std::getenv(name);
    return value && std::atoi(value) > 0 ? std::atoi(value) : fallback;
}

// One generated project, its engine and the edits made to it.
class EditSequence {
public:
    explicit EditSequence(unsigned seed) : random_(seed)
    {
        input_.verbose = false;
        input_.messages = &sink_;
        input_.userIncludeDirs = {folder_.Path("inc")};
        for (int k = 0; k < kHeaders; ++k) {
            HeaderSpec& h = headers_[k];
            h.guard = Pick(5) == 0 ? 2 : 1;
            for (int n = Pick(3); n > 0; --n) {
                h.includes.push_back(Pick(kHeaders));
            }
            WriteHeader(k);
        }
        folder_.Write("src/stdafx.h", "#ifndef STDAFX_H\n#define STDAFX_H\n#include \"h0.h\"\n"
                                      "#define STDAFX_VAL 2\nclass App { int a; };\n#endif\n");
        for (int s = 0; s < kSources; ++s) {
            for (int n = 1 + Pick(4); n > 0; --n) {
                sources_[s].items.push_back(RandomItem());
            }
            WriteSource(s);
            input_.AddFile(SourcePath(s), true, true);
        }
        warm_ = std::make_unique<CAnalyzer>(&input_);
    }

    // Makes one random edit and runs the warm engine; gives what was done.
    std::string Step()
    {
        const std::string done = Edit();
        warm_->Run(3, false);
        return done;
    }

    std::string Warm() const { return Describe(*warm_->Engine()); }
    std::string Cold()
    {
        CAnalyzer cold(&input_);
        cold.Run(3, false);
        return Describe(*cold.Engine());
    }

private:
    int Pick(int n) { return static_cast<int>(random_() % static_cast<unsigned>(n)); }

    SourceItem RandomItem()
    {
        if (Pick(4) == 0) {
            return {true, Pick(3)};
        }
        return {false, Pick(kHeaders + 1)};
    }

    std::string SourcePath(int s) const { return folder_.Path("src/s" + std::to_string(s) + ".cpp"); }

    void WriteHeader(int k)
    {
        const std::string name = "inc/" + H(k) + ".h";
        if (headers_[k].present) {
            folder_.Write(name, HeaderText(k, headers_[k]), ++clock_);
        } else {
            folder_.Remove(name);
        }
    }
    void WriteSource(int s)
    {
        folder_.Write("src/s" + std::to_string(s) + ".cpp", SourceText(s, sources_[s]), ++clock_);
    }

    std::string Edit()
    {
        const int k = Pick(kHeaders);
        const int s = Pick(kSources);
        HeaderSpec& h = headers_[k];
        SourceSpec& src = sources_[s];
        switch (Pick(15)) {
        case 0:
            h.includes.insert(h.includes.begin() + Pick(static_cast<int>(h.includes.size()) + 1),
                              Pick(kHeaders));
            WriteHeader(k);
            return "include added to " + H(k);
        case 1:
            if (!h.includes.empty()) {
                h.includes.erase(h.includes.begin() + Pick(static_cast<int>(h.includes.size())));
            }
            WriteHeader(k);
            return "include removed from " + H(k);
        case 2:
            h.guard = Pick(3);
            WriteHeader(k);
            return "guard of " + H(k) + " now " + std::to_string(h.guard);
        case 3:
            ++h.version;
            WriteHeader(k);
            return H(k) + " edited";
        case 4:
            if (h.present) {
                folder_.Touch("inc/" + H(k) + ".h", ++clock_);
            }
            return H(k) + " touched";
        case 5:
            h.present = !h.present;
            WriteHeader(k);
            return H(k) + (h.present ? " back" : " deleted");
        case 6:
            src.items.insert(src.items.begin() + Pick(static_cast<int>(src.items.size()) + 1),
                             RandomItem());
            WriteSource(s);
            return "item added to s" + std::to_string(s);
        case 7:
            if (!src.items.empty()) {
                src.items.erase(src.items.begin() + Pick(static_cast<int>(src.items.size())));
            }
            WriteSource(s);
            return "item removed from s" + std::to_string(s);
        case 8:
            ++src.version;
            WriteSource(s);
            return "s" + std::to_string(s) + " edited";
        case 9:
            input_.sameNameOption = !input_.sameNameOption;
            return std::string("same-name files ") + (input_.sameNameOption ? "on" : "off");
        case 10: {
            const std::string cache = folder_.Path("project.car");
            warm_->Engine()->SaveCache(cache);
            warm_ = std::make_unique<CAnalyzer>(&input_);
            warm_->Engine()->LoadCache(cache);
            return "saved and loaded";
        }
        case 11:
            input_.fileFlags[SourcePath(s)].draw = !input_.fileFlags[SourcePath(s)].draw;
            return "draw flag of s" + std::to_string(s);
        case 12:
            input_.fileFlags[SourcePath(s)].analyse = !input_.fileFlags[SourcePath(s)].analyse;
            return "analyse flag of s" + std::to_string(s);
        case 13: {
            // A header beside the sources hides the one of the include folder.
            const std::string name = "src/" + H(k) + ".h";
            shadowed_[k] = !shadowed_[k];
            if (shadowed_[k]) {
                folder_.Write(name, "class Shadow" + std::to_string(k) + " { int s; };\n", ++clock_);
            } else {
                folder_.Remove(name);
            }
            return H(k) + (shadowed_[k] ? " shadowed" : " no longer shadowed");
        }
        default:
            if (input_.defines.empty()) {
                input_.defines.push_back({"FEATURE_" + std::to_string(k % 3), 1});
            } else {
                input_.defines.clear();
            }
            return "predefined words changed";
        }
    }

    std::mt19937 random_;
    ProjectFolder folder_;
    std::ostringstream log_;
    StreamSink sink_{log_};
    CInputSet input_;
    HeaderSpec headers_[kHeaders];
    SourceSpec sources_[kSources];
    bool shadowed_[kHeaders] = {};
    int clock_ = 0;
    std::unique_ptr<CAnalyzer> warm_;
};

} // namespace

TEST(WarmRun, RandomEditSequencesGiveTheColdModel)
{
    const int seeds = FromEnvironment("KESTRIN_WARM_COLD_SEEDS", 8);
    const int steps = FromEnvironment("KESTRIN_WARM_COLD_STEPS", 30);
    const int firstSeed = FromEnvironment("KESTRIN_WARM_COLD_FIRST_SEED", 1);
    for (int seed = firstSeed; seed < firstSeed + seeds; ++seed) {
        EditSequence sequence(static_cast<unsigned>(seed));
        std::string history;
        for (int step = 0; step < steps; ++step) {
            history += sequence.Step() + "; ";
            const std::string warm = sequence.Warm();
            const std::string cold = sequence.Cold();
            ASSERT_EQ(warm, cold) << "seed " << seed << " after: " << history;
        }
    }
}
