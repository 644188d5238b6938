#include "AnalysisHelpers.h"
#include "FileIndex.h"
#include "ModelMerge.h"
#include "ModelMergeSplit.h"
#include "TypeLinker.h"
#include "SourceFile.h"
#include "TokenType.h"
#include "UnitKind.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

// A project of many files whose headers are included by several of them:
// namespaces, classes with members of each other's types, nameless and
// same-name-typedef types, templates, overloads, function pointers,
// declarator lists, enums, linkage blocks, members defined outside their
// class or under qualifiers never declared, and a function every file
// defines.
void WriteProject(ProjectFolder& folder, std::vector<std::string>& project)
{
    constexpr int kFiles = 16;
    constexpr int kGroups = 60;
    // A header whose only definitions lie in a namespace, which ends in a
    // template that marks what follows it.
    folder.Write("inc/plain.h",
        "namespace plain {\nstruct P { int p; };\nint g(int a) { return a; }\n"
        "template <class T>\n}\nstruct AfterPlain;\n");
    folder.Write("inc/shared.h",
        "#ifndef SHARED_H\n#define SHARED_H\nstruct Shared { int z; };\n"
        "int shared(int a);\n#endif\n");
    for (int k = 0; k < kFiles; ++k) {
        const std::string n = std::to_string(k);
        const std::string ns = "ns" + std::to_string(k % 5);
        std::string header = "#include \"shared.h\"\n";
        std::string source = "#include \"../inc/plain.h\"\n#include \"../inc/h" + n +
            ".h\"\n#include \"../inc/h" + std::to_string((k + 1) % kFiles) + ".h\"\n";
        for (int g = 0; g < kGroups; ++g) {
            const std::string id = n + "_" + std::to_string(g);
            const std::string before = n + "_" + std::to_string(g > 0 ? g - 1 : 0);
            header += "namespace " + ns + " {\nclass C" + id + " { public: int a; C" + before +
                "* prev; const Shared* s; void m(int v);"
                " struct { int q; } inner; };\n"
                "typedef struct T" +
                id + " T" + id + ";\nstruct T" + id +
                " { int v; Shared s; };\n"
                "template <class T> class Box" +
                id +
                " { T item; };\n"
                "int f" +
                id + "(int a);\nint f" + id + "(long a);\nint f" + id + "(struct T" + id +
                " *t);\n}\n"
                "struct { int x; } anon" +
                id + ";\nint (*handler" + id +
                ")(int);\n"
                "int x" +
                id + ", y" + id + ";\nenum { E" + id + "a, E" + id + "b } e" + id +
                ";\nextern \"C\" { int c" + id + "(void); }\n";
            source += "void " + ns + "::C" + id + "::m(int v) { a = v; }\nint " + ns + "::f" + id +
                "(int a) { return a; }\nvoid Z" + std::to_string(g % 3) + "::Y::g" + id +
                "() { }\nstatic int local" + id + " = 0;\nstruct { int r; } source" + id +
                ";\nint c" + id + "(void) { return 0; }\n";
        }
        source += "int shared(int a) { return a + " + n + "; }\n";
        folder.Write(
            "inc/h" + n + ".h", "#ifndef H" + n + "\n#define H" + n + "\n" + header + "#endif\n");
        const std::string name = "src/m" + n + ".cpp";
        folder.Write(name, source);
        project.push_back(name);
    }
}

// Everything a merge gives, down to the units by address and the order the
// elements were made in: element by element in child order, with the
// links the type linker finds and the input set's file numbers.
class ModelText {
public:
    std::string Of(CModelScope& root, const CInputSet& input)
    {
        CTypeLinker(&root).Run([](CModelScope& scope, CModelScope* parent) {
            if (parent) {
                scope.parent = parent;
            }
        });
        std::vector<const CModelScope*> all;
        Gather(root, all);
        std::sort(all.begin(), all.end(), [](const CModelScope* a, const CModelScope* b) {
            return a->CreationNumber() < b->CreationNumber();
        });
        for (size_t i = 0; i < all.size(); ++i) {
            made_[all[i]] = i;
        }
        Write(root, 0);
        for (const auto& [path, number] : input.fileNumbers) {
            text_ += path + " = " + std::to_string(number) + "\n";
        }
        return text_;
    }

private:
    static void Gather(const CModelScope& scope, std::vector<const CModelScope*>& all)
    {
        all.push_back(&scope);
        if (scope.scopeChildren) {
            for (const CModelScope* child : *scope.scopeChildren) {
                Gather(*child, all);
            }
        }
    }

    void Write(const CModelScope& scope, int depth)
    {
        char made[32];
        std::snprintf(made, sizeof made, " #%zu", made_.at(&scope));
        text_ += std::string(static_cast<size_t>(depth) * 2, ' ') + std::string(scope.name.view()) +
            " " + std::to_string(scope.kind) + (scope.isTemplate ? " T" : "") +
            (scope.fromProjectFile ? " P" : "") + made + " parent " +
            (scope.parent ? std::string(scope.parent->name.view()) : "-") + " key " +
            Key(scope.parameterKey.Packed()) + "\n   ";
        for (const auto* units : {&scope.declarations, &scope.definitions}) {
            for (const CUnit* unit : *units) {
                text_ += " " + std::to_string(reinterpret_cast<uintptr_t>(unit));
            }
            text_ += " |";
        }
        for (const auto* files : {&scope.declarationFiles, &scope.definitionFiles}) {
            for (const auto& file : *files) {
                text_ += " " + std::string(file);
            }
            text_ += " |";
        }
        for (int32_t number : scope.definitionFileNumbers) {
            text_ += " " + std::to_string(number);
        }
        text_ += " | links";
        for (const auto* links : {&scope.LinkedBy(), &scope.LinkedByCv()}) {
            for (const CModelScope* holder : *links) {
                text_ += " #" + std::to_string(made_.at(holder));
            }
            text_ += " |";
        }
        text_ += "\n";
        if (scope.scopeChildren) {
            for (const CModelScope* child : *scope.scopeChildren) {
                Write(*child, depth + 1);
            }
        }
    }

    static std::string Key(const char* packed)
    {
        if (!packed) {
            return "-";
        }
        uint32_t length = 0;
        std::memcpy(&length, packed, sizeof length);
        std::string key;
        for (uint32_t i = 0; i < length; ++i) {
            key += std::to_string(static_cast<unsigned char>(packed[i])) + ".";
        }
        return key;
    }

    std::map<const CModelScope*, size_t> made_;
    std::string text_;
};

// The model of the analysed records merged in `parts` parts.
std::string MergedInParts(Analysis& analysis, size_t parts)
{
    const CProjectAnalyzer& engine = analysis.Engine();
    CInputSet input;
    MergeContext context;
    std::vector<TakenFile> taken;
    const auto take = [&](CSourceFile& file, bool projectFile) {
        if (CModelMerger(engine.FileIndex(), file, &input).TakeFile(context, projectFile)) {
            taken.push_back({&file, projectFile});
        }
    };
    for (const auto& file : engine.ProjectFiles()) {
        take(*file, true);
    }
    for (const auto& header : engine.FileIndex().files) {
        if (header) {
            take(*header, false);
        }
    }
    auto root = std::make_unique<CModelScope>();
    root->kind = UNIT_ROOT;
    const SplitMerge merged = MergeSplitByName(engine.FileIndex(), taken, *root, &input, parts);
    EXPECT_TRUE(merged.failures.empty());
    EXPECT_EQ(merged.inParts, parts > 1); // the parts agreed
    return ModelText().Of(*root, input);
}

} // namespace

// The parts of a merge split by name give the model one merge gives, however
// many parts, down to the order the elements were made in (which orders the
// links) and the numbers of the defining files.
TEST(ModelMergeSplit, PartsGiveTheModelOfOneMerge)
{
    ProjectFolder folder;
    std::vector<std::string> project;
    WriteProject(folder, project);
    Analysis analysis(folder, project);
    analysis.input.userIncludeDirs.push_back(folder.Path("inc"));
    analysis.Engine().SetJobs(1);
    analysis.Run();

    const std::string one = MergedInParts(analysis, 1);
    // The project has all it is meant to have, so that the parts are tried
    // on every kind of element.
    for (const char* expected : {"Nameless Struct", "Nameless Enum", "Box3_7 4 T", "handler2_5 12",
             "\n    Y 55", "\n  shared 18 P", "\n  ns4 8", "\n  AfterPlain 5 T"}) {
        EXPECT_NE(one.find(expected), std::string::npos) << expected;
    }
    EXPECT_NE(one.find("| links #"), std::string::npos);
    for (size_t parts : {2u, 3u, 4u, 7u}) {
        const std::string split = MergedInParts(analysis, parts);
        ASSERT_EQ(split.size(), one.size()) << parts << " parts";
        EXPECT_TRUE(split == one) << parts << " parts";
    }
}

// The engine merges a model of more than half a million tokens on several
// threads: its outline and elements are those of a one-job build.
TEST(ModelMergeSplit, ALargeProjectMergedOnThreadsIsTheOneJobModel)
{
    ProjectFolder folder;
    std::vector<std::string> project;
    for (int file = 0; file < 8; ++file) {
        std::string text = "struct { int q; } first" + std::to_string(file) + ";\nnamespace n" +
            std::to_string(file % 3) + " {\n";
        for (int f = 0; f < 4000; ++f) {
            const std::string name = std::to_string(f % 2500);
            text += f % 5 == 0 ? "struct { int a" + name + "; } v" + name + ";\n"
                               : "int f" + name + "(int a, int b) { return a + b; }\n";
        }
        text += "}\n";
        const std::string name = "src/m" + std::to_string(file) + ".cpp";
        folder.Write(name, text);
        project.push_back(name);
    }
    std::string outlines[2];
    std::set<std::string> merged[2];
    std::map<std::string, int32_t> numbers[2];
    for (unsigned jobs : {1u, 4u}) {
        Analysis analysis(folder, project);
        analysis.Engine().SetJobs(jobs);
        analysis.Run();
        outlines[jobs == 1 ? 0 : 1] = OutlineOf(analysis.Engine());
        merged[jobs == 1 ? 0 : 1] = analysis.input.mergedFiles;
        numbers[jobs == 1 ? 0 : 1] = analysis.input.fileNumbers;
    }
    EXPECT_NE(outlines[0].find("Nameless Struct6408 "), std::string::npos);
    EXPECT_EQ(outlines[0].find("Nameless Struct6409 "), std::string::npos);
    EXPECT_TRUE(outlines[1] == outlines[0]);
    // The input set notes the same merged paths and defining files.
    EXPECT_EQ(merged[0].size(), project.size());
    EXPECT_EQ(merged[1], merged[0]);
    EXPECT_EQ(numbers[0].size(), project.size());
    EXPECT_EQ(numbers[1], numbers[0]);
}

// Instances of a header path, some with the tokens of an earlier one: the
// repeats are found on threads as one merge finds them one after another,
// each compared with the instances not repeated before it.
TEST(ModelMergeSplit, RepeatedHeadersAreTheOnesOneMergePassesOver)
{
    // Per instance its path and the text of its one token.
    const std::vector<std::pair<std::string, std::string>> instances {{"a.h", "x"}, {"b.h", "x"},
        {"a.h", "y"}, {"a.h", "x"}, {"c.h", "z"}, {"a.h", "y"}, {"b.h", "x"}, {"a.h", "w"},
        {"b.h", "v"}, {"a.h", "x"}};
    std::vector<std::unique_ptr<CSourceFile>> headers;
    for (const auto& [path, text] : instances) {
        auto header = std::make_unique<CSourceFile>();
        header->path = path;
        header->scan.tokens.emplace_back(1, IDENTIFIER, text.c_str());
        headers.push_back(std::move(header));
        if (headers.size() == 5) {
            headers.push_back(nullptr); // a number no longer used
        }
    }
    const std::vector<char> expected {0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1};
    CFileIndex index;
    CInputSet input;
    MergeContext context;
    std::vector<char> oneByOne;
    for (const auto& header : headers) {
        oneByOne.push_back(
            header && !CModelMerger(index, *header, &input).TakeFile(context, false) ? 1 : 0);
    }
    EXPECT_EQ(oneByOne, expected);
    for (unsigned threads : {1u, 3u}) {
        EXPECT_EQ(RepeatedHeaders(headers, threads), expected) << threads << " threads";
    }
}
