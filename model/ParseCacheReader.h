#pragma once

#include "MessageSink.h"
#include "PPToken.h"
#include "ParseCacheIO.h"
#include "SourceFileList.h"

#include <memory>
#include <string>
#include <vector>

class CFileIndex;
class CInputSet;
struct CQualifiedName;
class CVariableInfo;

// Reads a parse cache into an engine's project-file list and file index.
// Loading is all or nothing: every count is checked against the bytes left
// and every token position and include number against what was read before,
// and only a cache that was read whole is handed to the engine. Headers are
// appended to the index after the ones it holds, and the include numbers
// read are moved along with them.
class CParseCacheReader {
public:
    // Each file's path is written to `messages` as it is read.
    CParseCacheReader(SourceFileList& projectFiles, CFileIndex& fileIndex, CInputSet* owner,
                      MessageSink& messages = StandardOutputSink());

    // False, with the engine unchanged, when the file cannot be read or
    // anything in it is wrong. Never throws on a file error.
    bool Load(const std::string& path);
    // The same over bytes already in memory.
    bool LoadBytes(const std::string& bytes);
    bool LoadBytes(const char* data, size_t length);
    // Why the last load was refused ("version not match", "Read Integer
    // Error.", ...); empty after a load that succeeded.
    const std::string& Failure() const { return failure_; }

private:
    struct Records {
        std::vector<std::unique_ptr<CSourceFile>> projects;
        std::vector<std::unique_ptr<CSourceFile>> headers;
    };

    void ReadAll(CCacheSource& in, Records& records);
    void ReadSourceFile(CCacheSource& in, CSourceFile& file);
    void ReadTokenVector(CCacheSource& in, std::vector<PPToken>& tokens);
    void ReadIntVector(CCacheSource& in, std::vector<int>& values);
    // An int list whose every value lies in 0..limit-1.
    void ReadNumbersBelow(CCacheSource& in, std::vector<int>& values, size_t limit);
    // An int list of positions in the current file's token vector.
    void ReadPositions(CCacheSource& in, std::vector<int>& positions);
    void ReadStrings(CCacheSource& in, std::vector<std::string>& texts);
    void ReadQualifiedName(CCacheSource& in, CQualifiedName& name);
    void ReadVariable(CCacheSource& in, CVariableInfo& variable);
    void ReadVariables(CCacheSource& in, std::vector<CVariableInfo>& variables);
    void ReadMacroTable(CCacheSource& in, CSourceFile& file);
    void ReadDetail(CCacheSource& in, CUnit& unit);
    void ReadUnit(CCacheSource& in, CUnit& unit);
    void ReadUnitVector(CCacheSource& in, std::vector<CUnit>& units,
                        const std::vector<PPToken>* tokens);
    void Enter();
    void Leave() { --depth_; }

    SourceFileList& projectFiles_;
    CFileIndex& fileIndex_;
    CInputSet* owner_;
    MessageSink& messages_;
    std::string failure_;
    int32_t headerCount_ = 0;  // header records in the cache
    size_t tokenCount_ = 0;    // tokens of the record being read
    int depth_ = 0;
    TokenTextStore texts_;     // every token text read
};
