#pragma once

#include "AnalysisHelpers.h"
#include "Analyzer.h"
#include "CapturedOutput.h"
#include "InputSet.h"
#include "ModelScope.h"
#include "TempFolder.h"

#include <filesystem>
#include <map>
#include <string>

// A model analysed from source files written into a temporary folder.
class AnalysedProject {
public:
    explicit AnalysedProject(const std::map<std::string, std::string>& files)
    {
        input.verbose = false;
        for (const auto& [name, text] : files)
            input.AddFile(folder.Write(name, text), true, true);
        CapturedOutput quiet;
        analyzer.Run(3, false);
    }
    // One source file.
    explicit AnalysedProject(const std::string& source)
        : AnalysedProject(std::map<std::string, std::string> {{"a.cpp", source}})
    {
    }
    AnalysedProject(const AnalysedProject&) = delete;
    AnalysedProject& operator=(const AnalysedProject&) = delete;
    // The files of a folder of the test data, by name.
    static std::map<std::string, std::string> DataFiles(const std::string& folderName)
    {
        std::map<std::string, std::string> files;
        const std::string path = std::string(KESTRIN_TEST_DATA) + "/diagrams/" + folderName;
        for (const auto& entry : std::filesystem::directory_iterator(path))
            files[entry.path().filename().string()] = ReadFileBytes(entry.path().string());
        return files;
    }

    CProjectAnalyzer& Engine() const { return *analyzer.Engine(); }
    CModelScope* Root() const { return Engine().Root(); }
    // The element at a "::"-separated path below the root (the first of a
    // name, whatever its parameters), or none.
    CModelScope* Find(const std::string& path) const { return FindScope(Root(), path); }

    TempFolder folder;
    CInputSet input;
    CAnalyzer analyzer {&input};
};
