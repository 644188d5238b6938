#pragma once

#include "ParseCacheIO.h"
#include "SourceFileList.h"

#include <string>
#include <vector>

class CFileIndex;
struct CQualifiedName;
class CVariableInfo;

// Writes an engine's source-file records (the project files, then the
// headers in file-index order) to a parse cache, in one pass into a new file
// beside the cache that replaces it only when everything was written (see
// AtomicFile.h): a failed or killed save leaves the old cache as it was, and
// what a killed save left behind goes with the next save. A cache path that
// is a symbolic link is written through; one that names a FIFO, a device or
// a folder is refused. The process's current folder is never changed.
class CParseCacheWriter {
public:
    CParseCacheWriter(const SourceFileList& projectFiles, const CFileIndex& fileIndex);

    // True when the cache was written whole. Never throws on a file error.
    bool Save(const std::string& path);

    // The encoding of one source-file record.
    static void WriteSourceFile(CCacheSink& out, const CSourceFile& file);

private:
    static void WriteToken(CCacheSink& out, const PPToken& token);
    static void WriteIntVector(CCacheSink& out, const std::vector<int>& values);
    static void WriteTokenVector(CCacheSink& out, const std::vector<PPToken>& tokens);
    static void WriteStrings(CCacheSink& out, const std::vector<std::string>& texts);
    static void WriteQualifiedName(CCacheSink& out, const CQualifiedName& name);
    static void WriteMacroTable(CCacheSink& out, const CSourceFile& file);
    static void WriteVariable(CCacheSink& out, const CVariableInfo& variable);
    static void WriteVariables(CCacheSink& out, const std::vector<CVariableInfo>& variables);
    static void WriteDetail(CCacheSink& out, const CUnit& unit);
    static void WriteUnit(CCacheSink& out, const CUnit& unit);
    static void WriteUnitVector(CCacheSink& out, const std::vector<CUnit>& units);

    // Streams the whole cache to an open file; false on a failed write.
    static bool WriteRecords(int fd, void* context);

    const SourceFileList& projectFiles_;
    const CFileIndex& fileIndex_;
};
