#pragma once

#include "ParseCacheIO.h"
#include "SourceFileList.h"

#include <string>
#include <vector>

class CFileIndex;
struct CQualifiedName;
class CVariableInfo;

// Writes an engine's source-file records (the project files, then the
// headers in file-index order) to a parse cache. Each record goes to a
// temporary file in a folder of this save's own under the temporary folder;
// the cache is then assembled beside its final path and renamed over it only
// when everything was written, so a failed save leaves the old cache as it
// was. The process's current folder is never changed.
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

    bool EnterTempDirectory();
    bool WriteTempFiles();
    bool MergeTempFiles(const std::string& path);
    void RemoveTempFiles();
    std::string TempFileName(size_t i) const;

    const SourceFileList& projectFiles_;
    const CFileIndex& fileIndex_;
    std::string tempFolder_;
    size_t tempFilesWritten_ = 0;
};
