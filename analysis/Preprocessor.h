#pragma once

#include "FileIndex.h"
#include "IncludedFile.h"
#include "IncludePaths.h"
#include "InputSet.h"
#include "MacroTable.h"
#include "MfcMacros.h"
#include "PPToken.h"
#include "ProjectFile.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

// Rewrites one file's tokens: obeys #include, the #if family, #pragma once,
// #define and #undef, expands macros (one pass, no rescanning), removes the
// framework's message-map macros and turns directive words used outside
// directives into identifiers. #include, #define, #undef, #error, #line and
// unknown directive lines stay; conditional directives, branches not taken
// and #pragma lines go.
//
// The tokens are read once from front to back and the result is written into
// a new vector, so the time grows linearly with the file.
class CPreprocessor {
public:
    // Headers nested deeper than this are not read (include cycles).
    static constexpr int kMaxIncludeDepth = 200;
    // Headers read for one project file, at most (headers that include each
    // other several times without guards).
    static constexpr int kMaxHeaderLoads = 100000;
    // Tokens that macro uses may add to one project file and its headers;
    // past this, further uses stay as they are written (a message says so).
    static constexpr size_t kMaxExpandedTokens = 4000000;

    // For a project file: its macro table and #pragma once set are the ones
    // every nested header uses. The caller empties `onceFiles` before.
    CPreprocessor(CProjectFile* file, CInputSet* input, CFileIndex* index);

    // Preprocesses the file. A failure ends the loop with the stop line
    // "<text 1>: <path>"; the tokens not yet handled stay as they are.
    void Run();

    // Shared by the preprocessors of one project file and its headers.
    struct Chain {
        MacroTable* macros = nullptr;
        std::set<std::string>* onceFiles = nullptr;
        CIncludePaths paths;
        int headerLoads = 0;
        bool loadLimitReported = false;
        size_t expandedTokens = 0;
        bool expansionLimitReported = false;
    };

private:
    CPreprocessor(CSourceFile* file, MacroTable* ownMacros, CInputSet* input, CFileIndex* index,
                  Chain* chain, int depth);

    // Preprocesses a header and files it in the index; returns its number,
    // or -1 after a failure (the header is then dropped).
    static int32_t PreprocessHeader(std::unique_ptr<CIncludedFile> header, CInputSet* input,
                                    CFileIndex* index, Chain* chain, int depth);
    static int32_t ReuseHeader(std::unique_ptr<CIncludedFile> header, CFileIndex* index,
                               int32_t number, MacroTable* macros);

    void ProcessTokens();

    // Each handler starts at the '#' at pos_, drops what it removes and
    // returns how many of the following tokens stay unexamined.
    size_t DispatchDirective();
    size_t HandleInclude();
    size_t HandleIf(bool isIf);
    size_t HandleIfdef(bool isIfdef);
    size_t HandleElse();
    size_t HandleEndif();
    size_t HandlePragma();
    size_t HandleDefine();
    // At an identifier: removes a framework macro, expands a macro use, or
    // keeps the word; returns how many tokens stay unexamined.
    size_t ExpandAt();

    // Tokens that macro uses may still add to the file.
    size_t ExpansionRoom() const;
    // `fits`; when false, a message line says (once per file) that further
    // macro uses stay as written.
    bool ExpansionFits(bool fits);

    void IncludeFile(const std::string& name, bool quoted);
    void LoadHeader(const std::string& path, bool quoted);

    void RemoveLine();
    void SkipFalseBranch();

    const PPToken* Peek(size_t offset) const;
    void Keep(size_t count);
    void Drop(size_t count);

    bool TopTaken() const { return !branchTaken_.empty() && branchTaken_.back(); }
    void PopGroup();

    CSourceFile* file_;
    MacroTable* macros_;
    MacroTable* ownMacros_;
    CInputSet* input_;
    CFileIndex* index_;
    Chain* chain_;
    int depth_;
    std::vector<bool> branchTaken_;

    std::vector<PPToken> in_;
    size_t pos_ = 0;
    std::vector<PPToken> out_;
    MessageMapSearch messageMapSearch_;

    std::unique_ptr<Chain> ownChain_;
};
