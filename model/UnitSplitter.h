#pragma once

#include "PPToken.h"
#include "Unit.h"

#include <vector>

class CFileIndex;
class CSourceFile;

// Cuts a preprocessed file's tokens into its unit tree. A unit ends at a
// semicolon outside parentheses, at an access label, at the end of a
// preprocessing line (one whose first token is '#') or after a brace block; a
// brace block's contents become the children of the unit that opens it. A
// block inside a call's parentheses (a lambda's body) leaves its statement
// going on to its ';', and braces that hold a value (in parentheses, a
// returned value, a type's after a '=', or a member's in a constructor's
// initializer list) stay in the unit as tokens. Only token types are looked
// at, and the word "noexcept" before an initializer list.
class CUnitSplitter {
public:
    // Brace blocks nested deeper than this are skipped: their tokens belong
    // to no unit (the tree, and every walk over it, stays shallow).
    static constexpr int kMaxBraceDepth = 1000;

    explicit CUnitSplitter(CFileIndex& index) : index_(&index) { }

    // Splits a file, then, recursively, every header it includes that has
    // not been split yet (a number outside the index throws
    // std::out_of_range). A file is marked split before its headers are
    // visited, so headers that include each other are split once.
    void SplitFile(CSourceFile& file);
    // Only the second half of SplitFile: the headers a file already split
    // includes.
    void SplitHeadersOf(const CSourceFile& file);

    // Splits a token vector that belongs to no file record.
    static void SplitTokens(const std::vector<PPToken>& tokens, std::vector<CUnit>& units);

private:
    explicit CUnitSplitter(const std::vector<PPToken>& tokens) : tokens_(&tokens) { }

    // Appends the units from `start` on; returns where it stopped.
    int Split(std::vector<CUnit>& units, int start, int depth);
    // Past a block too deep to keep: where a recursive Split would stop.
    int SkipBlock(int open) const;
    int StopAfterBlock(int afterBrace) const;
    // The first position at or after `from` that holds no line end.
    int NextContent(int from) const;
    // Whether, after a block that ends at `stop` inside parentheses, the
    // arguments go on: a ')' or a ',' comes next.
    bool ArgumentsGoOnAfter(int stop) const;
    // Whether the braces that open at `open` close within a short run of
    // tokens without a semicolon or a preprocessing line inside.
    bool ShortValueAt(int open) const;
    // Whether the unit's tokens so far end with a function's parameters:
    // a ')', or a ')' and "noexcept".
    bool ParametersEndBefore(const TokenIndices& indices) const;
    // Adds the tokens of the braces that open at `open` to `indices`, line
    // ends left out; returns the position of the closing brace (the last
    // token when none closes them).
    int KeepBracedValue(int open, TokenIndices& indices) const;

    CFileIndex* index_ = nullptr;
    const std::vector<PPToken>* tokens_ = nullptr;
};
