#pragma once

#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <vector>

class CFileIndex;
class CInputSet;
class CModelScope;
class CSourceFile;

// A file whose units are merged into the model, after CModelMerger::TakeFile
// said so.
struct TakenFile {
    CSourceFile* file;
    bool projectFile;
};

// For each header, whether an earlier one of its path, not itself a repeat,
// has the same tokens: its units are in already (see CModelMerger::TakeFile).
// The headers of each path are compared on up to `threads` threads.
std::vector<char> RepeatedHeaders(
    std::span<const std::unique_ptr<CSourceFile>> headers, unsigned threads);

// A file whose merge failed part way: its index among the files merged and
// what the failure said.
struct MergeFailure {
    size_t file = 0;
    std::string what;

    friend bool operator==(const MergeFailure&, const MergeFailure&) = default;
};

// Merges the units of `files` in order under `root`, which has no children
// yet, as CModelMerger::MergeTakenFile would one file after another, with a
// merge context of its own: `parts` parts, each holding the children of the
// root of some names (and everything below them), are merged at once on up
// to as many threads. The model is the same element for element: names,
// kinds, flags, units and files, children in order, elements numbered in
// the order they would have been made in, and the defining files numbered
// in `input` in the same order. Should the parts not agree (one running out
// of memory), the files are merged one after another instead.
struct SplitMerge {
    std::vector<MergeFailure> failures; // in order
    bool inParts = false; // false: merged one after another
};
SplitMerge MergeSplitByName(const CFileIndex& fileIndex, std::span<const TakenFile> files,
    CModelScope& root, CInputSet* input, size_t parts);
