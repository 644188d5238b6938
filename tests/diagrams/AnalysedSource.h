#pragma once

#include "Analyzer.h"
#include "CapturedOutput.h"
#include "InputSet.h"
#include "ModelScope.h"
#include "TempFolder.h"

#include <memory>
#include <string>

// One C++ source analysed as a project of its own, for drawing its functions.
class AnalysedSource {
public:
    explicit AnalysedSource(const std::string& source)
    {
        input.AddFiles({folder.Write("sample.cpp", source)});
        CapturedOutput quiet; // the run's progress lines
        analyzer.Run(3, false);
    }

    // The element at a "::"-separated path below the root, or none.
    const CModelScope* Find(const std::string& path) const
    {
        const CModelScope* scope = analyzer.Engine()->Root();
        std::string rest = path;
        while (scope != nullptr && !rest.empty()) {
            const size_t colons = rest.find("::");
            const std::string name = rest.substr(0, colons);
            rest = colons == std::string::npos ? "" : rest.substr(colons + 2);
            const CModelScope* found = nullptr;
            if (scope->scopeChildren) {
                for (const auto& child : *scope->scopeChildren) {
                    if (child->name == name) {
                        found = child.get();
                        break;
                    }
                }
            }
            scope = found;
        }
        return scope;
    }

    TempFolder folder;
    CInputSet input;
    CAnalyzer analyzer{&input};
};

// A function "f" with the body, for the layout tables.
inline std::string FunctionF(const std::string& body)
{
    return "int f(int a, int b, int c)\n{\n" + body + "\n}\n";
}
