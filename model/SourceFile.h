#pragma once

#include "SharedMacro.h"
#include "SourceTokens.h"
#include "TokenScanner.h"
#include "Unit.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

class CInputSet;

// Everything the engine knows about one file: path, size and modification
// time when last read, tokens, unit tree, macro table and the numbers of the
// headers it includes. Records live on the heap and are deleted through this
// base (CProjectFile: a file of the project; CIncludedFile: a header).
class CSourceFile {
public:
    CSourceFile() = default;
    CSourceFile(const CSourceFile&) = delete;
    CSourceFile& operator=(const CSourceFile&) = delete;
    virtual ~CSourceFile() = default;

    // Re-reads size and modification time. False when the file cannot be
    // opened (the values stay); a failing status query keeps them too.
    bool RefreshFileInfo();

    // Refreshes size and time, then reads the tokens with the scanner. False,
    // after one line on the message stream, when the file cannot be opened.
    bool Load(const CTokenScanner& scanner, MessageSink& messages = StandardOutputSink());

    CInputSet* owner = nullptr; // not owned
    std::vector<CUnit> units;
    std::vector<int32_t> includes; // file-index numbers of the included headers
    std::string path; // as given
    CSourceTokens scan;
    int32_t size = 0;
    int32_t mtime = 0;
    bool hasIndexNumber = false;
    int32_t indexNumber = 0;
    bool split = false;
    bool parsed = false;
    // Its preprocessing stopped short of some of its include lines (include
    // depth, a failure). Not kept in the parse cache.
    bool readingCut = false;
    std::map<std::string, SharedMacro> macros;
};
