#pragma once

#include "FileIndex.h"
#include "PredefinedWord.h"
#include "SourceFile.h"

#include <set>
#include <string>
#include <vector>

// A file listed in the project. Its macro table starts with the predefined
// words.
class CProjectFile : public CSourceFile {
public:
    // The caller passes the predefined words of `owner` (common words first,
    // then the project's: a later word replaces an earlier one of its name).
    CProjectFile(const char* path, CInputSet* owner, const std::vector<PredefinedWord>& defines);
    // An empty record that the parse-cache reader fills.
    explicit CProjectFile(CInputSet* owner);

    // Stores each word as an object-like macro whose body is one number token.
    void SeedPredefinedMacros(const std::vector<PredefinedWord>& defines);

    // Paths that `#pragma once` has closed while this file is preprocessed.
    std::set<std::string> onceFiles;

    // Where headers are reused by name: the identities this file's
    // preprocessing read itself, because no project file before it had;
    // it took every other one from an earlier file. Not kept in the parse
    // cache: a record read back from it does not know them yet.
    std::set<FileKey, FileKeyLess> namesRead;
    bool namesKnown = true;
};
