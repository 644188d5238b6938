#pragma once

#include "EarlierFirsts.h"
#include "FileIndex.h"
#include "IncludedFile.h"
#include "IncludePaths.h"
#include "InputSet.h"
#include "MacroTable.h"
#include "MacroTableDigest.h"
#include "MfcMacros.h"
#include "PPToken.h"
#include "ProjectFile.h"
#include "ScannedFiles.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

// Rewrites one file's tokens: obeys #include, the #if family, #pragma once,
// #define and #undef, expands macros (one pass, no rescanning), removes the
// framework's message-map macros and turns directive words used outside
// directives, and in C source the keywords C++ added, into identifiers.
// #include, #define, #undef, #error, #line and unknown directive lines stay;
// conditional directives, branches not taken and #pragma lines go.
//
// The tokens are read once from front to back and the result is written into
// a new vector, so the time grows linearly with the file.
class CPreprocessor {
public:
    // Headers nested deeper than this are not read (include cycles).
    static constexpr int kMaxIncludeDepth = 200;
    // Headers read for one project file, at most (a safety net: readings
    // that would repeat one another are not made at all).
    static constexpr int kMaxHeaderLoads = 100000;
    // Tokens that macro uses may add to one project file and its headers;
    // past this, further uses stay as they are written (a message says so).
    static constexpr size_t kMaxExpandedTokens = 4000000;

    // Whether an include of this header takes the identity's first instance
    // of the run instead of reading the header again: a precompiled header
    // always, any header when same-name files are not preprocessed again.
    static bool ReusesByName(const CInputSet& input, const std::string& path);

    // Where each include directive left in a preprocessed file's tokens
    // would be read from now, in order; none for an angle include that is
    // found nowhere (or not searched). A whole reading read exactly the
    // headers of this list, one cut short (include depth, a failure) fewer.
    static std::vector<std::optional<std::string>> ResolveIncludes(
        const CInputSet& input, CIncludePaths& paths, const CSourceFile& file);

    // For a project file: its macro table and #pragma once set are the ones
    // every nested header uses. The caller empties `onceFiles` before.
    // `scanned`, when given, lends the run's already scanned headers;
    // `texts`, when given, takes the token texts of every header filed.
    CPreprocessor(CProjectFile* file, CInputSet* input, CFileIndex* index,
        ScannedFiles* scanned = nullptr, TokenTextStore* texts = nullptr);

    // Preprocesses the file. A failure ends the loop with the stop line
    // "<text 1>: <path>"; the tokens not yet handled stay as they are.
    void Run();
    // For a reading ahead of the run, before Run: headers reused by name
    // that no earlier include of this file read are taken from `earlier`
    // for the file at `order`, each listed in `taken`.
    // `waited` is set when the reading waited for a file before it.
    void ReadAheadOf(
        EarlierFirsts* earlier, size_t order, std::vector<TakenFirst>* taken, bool* waited);

    // What a reading of a header found and left: the digest of the macro
    // table, the size of the #pragma once set, the count of first instances
    // and the tokens macros had added, before and after, and the instance it
    // gave.
    struct Reading {
        uint64_t macrosBefore = 0, macrosAfter = 0;
        size_t onceBefore = 0, onceAfter = 0;
        uint64_t firstsBefore = 0, firstsAfter = 0;
        size_t expandedBefore = 0, expandedAfter = 0;
        bool expansionLimited = false;
        int32_t number = -1;
    };

    // Shared by the preprocessors of one project file and its headers.
    struct Chain {
        MacroTable* macros = nullptr;
        MacroTableDigest macroDigest; // of *macros, kept up to date
        std::set<std::string>* onceFiles = nullptr;
        std::set<FileKey, FileKeyLess>* namesRead = nullptr;
        CIncludePaths paths;
        std::string projectPath; // of the project file
        // The project file is read as C (ReadsAsC): the keywords C++ added
        // are identifiers in it and in every header it reads.
        bool readsC = false;
        int headerLoads = 0;
        bool loadLimitReported = false;
        bool depthLimitReported = false; // includes left unread by depth were reported
        size_t expandedTokens = 0;
        bool expansionLimitReported = false;
        // The last reading of each header path at each include depth.
        std::map<std::pair<std::string, int>, Reading> readings;
        ScannedFiles* scanned = nullptr; // not owned; may be null
        TokenTextStore* texts = nullptr; // not owned; may be null
        // For a reading ahead of the run (ReadAheadOf); the pointers are
        // all null or all set.
        EarlierFirsts* earlier = nullptr;
        size_t order = 0;
        std::vector<TakenFirst>* taken = nullptr;
        std::map<FileKey, size_t, FileKeyLess> takenAt; // in *taken
        bool* waited = nullptr;
    };

private:
    CPreprocessor(CSourceFile* file, MacroTable* ownMacros, CInputSet* input, CFileIndex* index,
        Chain* chain, int depth);

    // Preprocesses a header and files it in the index, unless an instance
    // already filed gave the same or the header is reused by name; returns
    // the number of the instance the include stands for.
    static int32_t PreprocessHeader(std::unique_ptr<CIncludedFile> header, CInputSet* input,
        CFileIndex* index, Chain* chain, int depth);
    // A header reused by name that no earlier include of this file read,
    // taken from a file before it for a reading ahead of the run: its
    // number in this reading, or -1 when the reading is to read it.
    static int32_t TakeEarlierFirst(
        std::unique_ptr<CIncludedFile>& header, CInputSet* input, CFileIndex* index, Chain* chain);
    // A reading of a header that changed nothing, repeated where nothing has
    // changed since, gives the same instance again: its number, or -1.
    int32_t RepeatedReading(const std::string& path, int depth) const;
    Reading StartReading() const;
    void FinishReading(Reading reading, const std::string& path, int depth, int32_t number);

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
    // Where an include of `rawName` written in the file at `includerPath`
    // is read from; none when it is not read at all.
    static std::optional<std::string> ResolveInclude(const CInputSet& input, CIncludePaths& paths,
        const std::string& includerPath, const std::string& rawName, bool quoted);
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
