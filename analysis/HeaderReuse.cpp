// How the headers of kept records stay what a fresh run would read: the
// options the records were read with, the project file that made each
// instance, the check of a kept project file against the instances reused by
// name, and the order in which headers are numbered.
#include "ProjectAnalyzer.h"

#include "IncludedFile.h"
#include "Preprocessor.h"
#include "TextHelpers.h"

#include <set>
#include <tuple>

namespace {

// Visits the headers a file reaches through its includes, each once, in
// the order a reading meets them: a header before the headers it includes
// (`pre`), or after them (`post`).
template <class Visit>
void WalkHeaders(const CFileIndex& index, const CSourceFile& file, std::vector<char>& seen,
                 bool post, Visit visit)
{
    struct Frame {
        const CSourceFile* file;
        int32_t number;
        size_t next;
    };
    std::vector<Frame> stack{{&file, -1, 0}};
    while (!stack.empty()) {
        Frame& top = stack.back();
        if (top.next < top.file->includes.size()) {
            const int32_t k = top.file->includes[top.next++];
            if (k < 0 || static_cast<size_t>(k) >= index.files.size() || seen[k] ||
                !index.files[k]) {
                continue;
            }
            seen[k] = 1;
            if (!post) {
                visit(k);
            }
            stack.push_back({index.files[k].get(), k, 0});
            continue;
        }
        if (post && top.number >= 0) {
            visit(top.number);
        }
        stack.pop_back();
    }
}

} // namespace

CProjectAnalyzer::ReadingOptions CProjectAnalyzer::CurrentOptions() const
{
    ReadingOptions options;
    for (const PredefinedWord& word : input_->defines) {
        options.defines.emplace_back(word.name, word.value);
    }
    options.includeDirs = input_->includeDirs;
    options.userIncludeDirs = input_->userIncludeDirs;
    options.searchSystemIncludes = input_->searchSystemIncludes;
    options.sameNameOption = input_->sameNameOption;
    return options;
}

void CProjectAnalyzer::DropRecordsOfOtherOptions()
{
    ReadingOptions now = CurrentOptions();
    if (recordsOptions_ && !(*recordsOptions_ == now)) {
        DropAllRecords();
    }
    recordsOptions_ = std::move(now);
}

void CProjectAnalyzer::DropAllRecords()
{
    if (!projectFiles_.empty() || !fileIndex_.files.empty()) {
        recordsChanged_ = true;
    }
    // The model refers to the records: it goes first.
    ResetModel();
    projectFiles_.clear();
    fileIndex_.Reorder({});
}

bool CProjectAnalyzer::ReusesByName(const CSourceFile& header) const
{
    return CPreprocessor::ReusesByName(*input_, header.path);
}

// Headers read back from a cache do not know which project file made them:
// the first project file, in run order, that reaches one did.
void CProjectAnalyzer::NoteReaders()
{
    bool unknown = false;
    for (const auto& header : fileIndex_.files) {
        const auto* included = dynamic_cast<const CIncludedFile*>(header.get());
        unknown = unknown || (included && included->readBy.empty());
    }
    if (!unknown) {
        return;
    }
    std::vector<char> seen(fileIndex_.files.size(), 0);
    for (const auto& file : projectFiles_) {
        WalkHeaders(fileIndex_, *file, seen, false, [&](int32_t k) {
            auto* included = dynamic_cast<CIncludedFile*>(fileIndex_.files[k].get());
            if (included && included->readBy.empty()) {
                included->readBy = file->path;
            }
        });
    }
}

bool CProjectAnalyzer::TakeBack(const CSourceFile& file)
{
    if (!byNamePossible_) {
        return true;
    }
    // Each identity reused by name was asked for once, at its first
    // reading: the project file then took the identity's first instance
    // from a file before it, or, with none there, read one itself. A fresh
    // reading now gives the same only if the answer is still the same.
    std::vector<char> seen(fileIndex_.files.size(), 0);
    std::set<std::tuple<std::string, int32_t, int32_t>> asked;
    std::vector<int32_t> byName;
    bool same = true;
    WalkHeaders(fileIndex_, file, seen, false, [&](int32_t k) {
        const CSourceFile& header = *fileIndex_.files[k];
        if (!same || !ReusesByName(header)) {
            return;
        }
        byName.push_back(k);
        if (!asked.emplace(ToLowerCopy(header.path), header.size, header.mtime).second) {
            return;
        }
        const int32_t first = fileIndex_.FirstIndex(header.path, header.size, header.mtime);
        const auto* included = dynamic_cast<const CIncludedFile*>(&header);
        same = first == k || (first < 0 && included && included->readBy == file.path);
    });
    if (!same) {
        return false;
    }
    // Offered in the order a reading would meet them.
    for (int32_t k : byName) {
        fileIndex_.OfferFirst(k, fileIndex_.NextReadingStamp());
    }
    return true;
}

bool CProjectAnalyzer::IncludesResolveAsBefore(const CSourceFile& file, CIncludePaths& paths) const
{
    // Every directive found now must have given the next header read, in
    // order, and every header read must be accounted for. A reading that
    // was cut short does not pass: it is read again, to be sure.
    size_t j = 0;
    for (const auto& path : CPreprocessor::ResolveIncludes(*input_, paths, file)) {
        if (!path) {
            continue;
        }
        if (j >= file.includes.size()) {
            return false;
        }
        const int32_t k = file.includes[j++];
        if (k < 0 || static_cast<size_t>(k) >= fileIndex_.files.size() || !fileIndex_.files[k] ||
            fileIndex_.files[k]->path != *path) {
            return false;
        }
    }
    return j == file.includes.size();
}

void CProjectAnalyzer::RemoveUnreachableHeaders()
{
    const size_t n = fileIndex_.files.size();
    if (n == 0) {
        return;
    }
    std::vector<int32_t> order;
    order.reserve(n);
    std::vector<char> seen(n, 0);
    for (const auto& file : projectFiles_) {
        WalkHeaders(fileIndex_, *file, seen, true, [&](int32_t k) { order.push_back(k); });
    }
    bool same = order.size() == n;
    for (size_t i = 0; same && i < n; ++i) {
        same = order[i] == static_cast<int32_t>(i);
    }
    if (same) {
        return; // every header is reached, in filing order: nothing moves
    }
    recordsChanged_ = true;
    const std::vector<int32_t> renumber = fileIndex_.Reorder(order);
    auto update = [&](CSourceFile& file) {
        std::vector<int32_t> includes;
        includes.reserve(file.includes.size());
        for (int32_t k : file.includes) {
            if (k >= 0 && static_cast<size_t>(k) < n && renumber[static_cast<size_t>(k)] >= 0) {
                includes.push_back(renumber[static_cast<size_t>(k)]);
            }
        }
        file.includes = std::move(includes);
        if (file.hasIndexNumber) {
            const int32_t k = file.indexNumber;
            if (k >= 0 && static_cast<size_t>(k) < n && renumber[static_cast<size_t>(k)] >= 0) {
                file.indexNumber = renumber[static_cast<size_t>(k)];
            } else {
                file.hasIndexNumber = false;
                file.indexNumber = 0;
            }
        }
    };
    for (auto& file : projectFiles_) {
        update(*file);
    }
    for (auto& header : fileIndex_.files) {
        update(*header);
    }
}
