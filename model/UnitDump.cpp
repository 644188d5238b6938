#include "UnitDump.h"

#include "FileIndex.h"
#include "ModelScope.h"
#include "TokenText.h"
#include "UnitDetail.h"

#include <string>

CUnitDumper::CUnitDumper(const CFileIndex& fileIndex, const SourceFileList& projectFiles,
    const CModelScope* root, MessageSink& out)
    : fileIndex_(fileIndex), projectFiles_(projectFiles), root_(root), out_(out)
{
}

void CUnitDumper::WriteLine(const std::string& line)
{
    out_.Write(MessageKind::Verbose, line);
}

void CUnitDumper::Dump()
{
    WriteLine("Start Unit Drawing");
    for (const auto& file : projectFiles_) {
        if (file) {
            DumpFile(*file);
        }
    }
    WriteLine("End Unit Drawing");
    WriteLine("Start global Drawing");
    DumpGlobals();
    WriteLine("End global Drawing");
}

void CUnitDumper::DumpFile(const CSourceFile& file)
{
    if (!onPath_.insert(&file).second) {
        return;
    }
    const std::string separator = "<" + std::string(62, '-') + ">";
    WriteLine(separator);
    WriteLine(file.path);
    WriteLine(separator);
    for (const CUnit& unit : file.units) {
        DumpUnit(unit, 0);
    }
    for (int32_t number : file.includes) {
        if (number >= 0 && static_cast<size_t>(number) < fileIndex_.files.size() &&
            fileIndex_.files[static_cast<size_t>(number)]) {
            DumpFile(*fileIndex_.files[static_cast<size_t>(number)]);
        }
    }
    onPath_.erase(&file);
}

void CUnitDumper::DumpUnit(const CUnit& unit, int depth)
{
    std::string head(static_cast<size_t>(depth) * 4, ' ');
    head += "+Unit: " + UnitKindName(unit.kind) + " " + (unit.brace ? "1" : "0") + " " +
        std::to_string(unit.tokenIndices.size()) + "-" + std::to_string(unit.children.size());
    WriteLine(head);
    std::string text;
    if (unit.tokens) {
        text = TokensToText(*unit.tokens, unit.tokenIndices, 1);
    }
    WriteLine(" " + text);
    for (const CUnit& child : unit.children) {
        DumpUnit(child, depth + 1);
    }
}

void CUnitDumper::DumpGlobals()
{
    if (!root_ || !root_->scopeChildren) {
        return;
    }
    for (const auto& child : *root_->scopeChildren) {
        DumpScope(*child, 0);
    }
}

void CUnitDumper::DumpScope(const CModelScope& scope, int depth)
{
    std::string line(static_cast<size_t>(depth) * 4, ' ');
    line += "+Unit: " + scope.name + " " + std::to_string(scope.kind) + " " +
        std::to_string(scope.declarations.size()) + " " + std::to_string(scope.definitions.size()) +
        " ";
    if (scope.kind == UNIT_CLASS) {
        const CUnit* unit = scope.GetFirstUnit();
        const CClassInfo* record = unit ? AsClassInfo(*unit) : nullptr;
        line += "Parent Count:" + std::to_string(record ? record->bases.size() : 0);
    }
    WriteLine(line);
    if (scope.scopeChildren) {
        for (const auto& child : *scope.scopeChildren) {
            DumpScope(*child, depth + 1);
        }
    }
}
