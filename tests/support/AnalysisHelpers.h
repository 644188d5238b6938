#pragma once

#include "Analyzer.h"
#include "InputSet.h"
#include "ProjectFolder.h"

#include <string>
#include <vector>

// One engine on one project folder, with the log of each run.
class Analysis {
public:
    Analysis(const ProjectFolder& folder, const std::vector<std::string>& files);

    // Runs the analysis; returns what it wrote to the message stream.
    std::string Run(bool dump = false);
    // The model as the dump writes it (name, kind, declarations,
    // definitions), one element a line, children indented.
    std::string Outline() const;
    // The files the last run parsed afresh, relative to the folder.
    std::vector<std::string> Parsed() const;
    // The element at a "::"-separated path below the root, or none.
    CModelScope* Find(const std::string& path) const;

    CProjectAnalyzer& Engine() const { return *analyzer.Engine(); }

    const ProjectFolder& folder;
    CInputSet input;
    CAnalyzer analyzer {&input};
    std::string log;
};

// The element at a "::"-separated path below `root` (the first of a name,
// whatever its parameters), or none.
CModelScope* FindScope(CModelScope* root, const std::string& path);

// The outline of any engine's model.
std::string OutlineOf(const CProjectAnalyzer& engine);

// Each call as name/argument count@lifeline, with a '+' when it was resolved.
std::vector<std::string> DescribeCalls(const std::vector<CallRecord>& calls);
