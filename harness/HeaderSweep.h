#pragma once

// Preprocesses, splits and parses a list of files the way an analysis run
// does (one project file per listed file, headers shared through one file
// index) and counts the units the parser could not recognise.

#include "ChildStartKind.h"
#include "FileIndex.h"
#include "InputSet.h"
#include "ParseDriver.h"
#include "Preprocessor.h"
#include "ProjectFile.h"
#include "SourceScanner.h"
#include "TokenText.h"
#include "TokenType.h"
#include "UnitSplitter.h"

#include <chrono>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

struct SweepCounts {
    long files = 0; // project files and headers parsed
    long tokens = 0; // tokens of those files after preprocessing
    long declarations = 0; // units handed to the parser
    long failed = 0; // of those, not recognised
    double preprocessSeconds = 0;
    double parseSeconds = 0;
};

// Units not recognised are printed (at most `show` of them).
inline void CountUnits(const std::vector<CUnit>& units, int startKind, SweepCounts& counts,
    long show, const std::string& path)
{
    for (const CUnit& unit : units) {
        if (!unit.tokenIndices.empty() && unit.kind != UNIT_PREPROCESSING) {
            ++counts.declarations;
            if (!unit.done) {
                if (counts.failed < show) {
                    std::string text = TokensToText(*unit.tokens, unit.tokenIndices, 1);
                    if (text.size() > 1200)
                        text = text.substr(0, 1200) + " ...";
                    std::cerr << path << " [" << TokenTypeName(startKind) << "] " << text << "\n";
                }
                ++counts.failed;
            }
        }
        // Enumeration bodies are read but never marked done: not counted.
        const int childKind = ChildStartKind(unit);
        if (childKind == DECLARATION || childKind == INCLASS || childKind == INSTRUCT)
            CountUnits(unit.children, childKind, counts, show, path);
    }
}

class CHeaderSweep {
public:
    CHeaderSweep(
        const std::vector<std::string>& includeDirs, const std::vector<PredefinedWord>& defines)
    {
        input_.verbose = false;
        input_.searchSystemIncludes = true;
        input_.includeDirs = includeDirs;
        input_.defines = defines;
    }

    // Runs one project file; returns false when it cannot be read. With a
    // prelude the project file is the prelude followed by an #include of the
    // file.
    bool Run(const std::string& path)
    {
        // With a prelude the project file stands in the root folder and
        // includes the file by its path relative to there.
        const std::string projectPath = prelude.empty() ? path : "/sweep-prelude.c";
        auto file = std::make_unique<CProjectFile>(projectPath.c_str(), &input_, input_.defines);
        std::ostringstream quiet;
        std::streambuf* old = std::cout.rdbuf(quiet.rdbuf());
        const auto t0 = std::chrono::steady_clock::now();
        bool loaded = false;
        if (prelude.empty()) {
            loaded = file->Load(GetSourceScanner());
        } else {
            const std::string relative = path.size() > 1 && path[0] == '/' ? path.substr(1) : path;
            std::istringstream text(prelude + "\n#include \"" + relative + "\"\n");
            GetSourceScanner().Scan(text, file->scan.tokens);
            loaded = true;
        }
        if (loaded)
            CPreprocessor(file.get(), &input_, &index_).Run();
        const auto t1 = std::chrono::steady_clock::now();
        std::cout.rdbuf(old);
        counts.preprocessSeconds += std::chrono::duration<double>(t1 - t0).count();
        if (!loaded)
            return false;

        CUnitSplitter splitter(index_);
        splitter.SplitFile(*file);
        Parse(*file);
        for (auto& header : index_.files) {
            if (header && header->split && !header->parsed)
                Parse(*header);
        }
        counts.parseSeconds +=
            std::chrono::duration<double>(std::chrono::steady_clock::now() - t1).count();
        files_.push_back(std::move(file));
        return true;
    }

    SweepCounts counts;
    long show = 0;
    std::string prelude;
    ParseLimits limits;

private:
    void Parse(CSourceFile& file)
    {
        ParseFileUnits(file.units, limits);
        file.parsed = true;
        ++counts.files;
        counts.tokens += static_cast<long>(file.scan.tokens.size());
        CountUnits(file.units, DECLARATION, counts, show, file.path);
    }

    CInputSet input_;
    CFileIndex index_;
    std::vector<std::unique_ptr<CProjectFile>> files_;
};

// Definitions that remove the compiler's own extensions (attributes,
// assembler names, __extension__), which no grammar of the analysis knows.
inline const char* kGccPrelude = "#define __attribute__(x)\n"
                                 "#define __extension__\n"
                                 "#define __restrict\n"
                                 "#define __restrict__\n"
                                 "#define __inline__ inline\n"
                                 "#define __asm__(x)\n"
                                 "#define __volatile__ volatile\n"
                                 "#define __const const\n"
                                 "#define __signed__ signed\n"
                                 "#define __builtin_va_list char *\n";

// The search folders and predefined words of the compiler on this machine,
// so that system headers take the branches they take in a real build.
inline std::vector<std::string> SystemIncludeDirs()
{
    return {"/usr/include/c++/12", "/usr/include/x86_64-linux-gnu/c++/12",
        "/usr/include/c++/12/backward", "/usr/lib/gcc/x86_64-linux-gnu/12/include",
        "/usr/local/include", "/usr/include/x86_64-linux-gnu", "/usr/include"};
}

inline std::vector<PredefinedWord> SystemDefines(bool cplusplus)
{
    std::vector<PredefinedWord> words = {{"__GNUC__", 12}, {"__GNUC_MINOR__", 2}, {"__x86_64__", 1},
        {"__linux__", 1}, {"__unix__", 1}, {"__STDC__", 1}, {"__LP64__", 1}, {"__CHAR_BIT__", 8},
        {"__SIZEOF_LONG__", 8}, {"__SIZEOF_POINTER__", 8}, {"__ORDER_LITTLE_ENDIAN__", 1234},
        {"__BYTE_ORDER__", 1234}};
    if (cplusplus)
        words.push_back({"__cplusplus", 201703});
    else
        words.push_back({"__STDC_VERSION__", 201710});
    return words;
}
