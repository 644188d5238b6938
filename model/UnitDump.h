#pragma once

#include "MessageSink.h"
#include "SourceFileList.h"

#include <set>
#include <string>

class CFileIndex;
class CModelScope;

// Writes the unit trees of the project files (each followed by the headers
// it includes) and the project-wide model as an indented listing, one
// message line at a time. A debugging aid.
class CUnitDumper {
public:
    CUnitDumper(const CFileIndex& fileIndex, const SourceFileList& projectFiles,
        const CModelScope* root, MessageSink& out);

    void Dump();
    // The project-wide model alone.
    void DumpGlobals();

private:
    void DumpFile(const CSourceFile& file);
    void DumpUnit(const CUnit& unit, int depth);
    void DumpScope(const CModelScope& scope, int depth);
    void WriteLine(const std::string& line);

    const CFileIndex& fileIndex_;
    const SourceFileList& projectFiles_;
    const CModelScope* root_;
    MessageSink& out_;
    // The files being written on the current include path: a header that
    // includes itself, directly or not, is not followed again.
    std::set<const CSourceFile*> onPath_;
};
