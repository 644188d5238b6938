#include "AnalysisHelpers.h"

#include "CapturedOutput.h"

#include "LanguageTable.h"
#include "UnitDump.h"

#include <sstream>

Analysis::Analysis(const ProjectFolder& folder, const std::vector<std::string>& files)
    : folder(folder)
{
    input.verbose = false;
    input.sameNameOption = true;
    for (const std::string& file : files) {
        input.AddFile(folder.Path(file), true, true);
    }
}

std::string Analysis::Run(bool dump)
{
    CapturedOutput capture;
    analyzer.Run(3, dump);
    log = capture.str();
    return log;
}

std::string OutlineOf(const CProjectAnalyzer& engine)
{
    std::ostringstream out;
    StreamSink sink(out);
    CUnitDumper dumper(engine.FileIndex(), engine.ProjectFiles(), engine.Root(), sink);
    dumper.DumpGlobals();
    return out.str();
}

std::vector<std::string> DescribeCalls(const std::vector<CallRecord>& calls)
{
    std::vector<std::string> described;
    for (const CallRecord& call : calls) {
        described.push_back(call.name + "/" + std::to_string(call.argumentCount) + "@" +
            std::to_string(call.lifeline) + (call.callee ? "+" : ""));
    }
    return described;
}

std::string Analysis::Outline() const
{
    return OutlineOf(Engine());
}

std::vector<std::string> Analysis::Parsed() const
{
    const std::string prefix = std::string(GetLangString(10)) + ": " + folder.Path("");
    std::vector<std::string> parsed;
    std::istringstream lines(log);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.rfind(prefix, 0) == 0) {
            parsed.push_back(line.substr(prefix.size()));
        }
    }
    return parsed;
}

CModelScope* FindScope(CModelScope* root, const std::string& path)
{
    CModelScope* scope = root;
    std::string rest = path;
    while (scope && !rest.empty()) {
        const size_t colons = rest.find("::");
        const std::string name = rest.substr(0, colons);
        rest = colons == std::string::npos ? "" : rest.substr(colons + 2);
        CModelScope* found = nullptr;
        if (scope->scopeChildren) {
            for (const auto& child : *scope->scopeChildren) {
                if (child->name == name) {
                    found = child; // the first of its name, whatever its parameters
                    break;
                }
            }
        }
        scope = found;
    }
    return scope;
}

CModelScope* Analysis::Find(const std::string& path) const
{
    return FindScope(Engine().Root(), path);
}
