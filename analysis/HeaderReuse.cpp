// How kept records stay what a fresh run would read: the options the records
// were read with, where each include is found, the check of a kept project
// file against the headers reused by name, and the order in which headers
// are numbered.
#include "ProjectAnalyzer.h"

#include "Preprocessor.h"
#include "ProjectFile.h"
#include "TextHelpers.h"

#include <cstdint>
#include <filesystem>
#include <set>
#include <string>

namespace {

// Whether an include found now at `found` finds the header read from
// `read`. A header reused by name may have been reached under another
// spelling, which on a folder that ignores case is the same file; where
// case counts, a file spelled as the include that appeared beside the one
// matched without regard to case is another header.
bool SameHeaderFile(const std::string& read, const std::string& found)
{
    if (read == found) {
        return true;
    }
    if (ToLowerCopy(read) != ToLowerCopy(found)) {
        return false;
    }
    std::error_code error;
    return std::filesystem::equivalent(read, found, error) && !error;
}

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
    std::vector<Frame> stack {{&file, -1, 0}};
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

std::string CProjectAnalyzer::DigestOf(const ReadingOptions& options)
{
    // FNV-1a over every option, each text ended by a NUL.
    uint64_t hash = 0xcbf29ce484222325ULL;
    auto add = [&hash](const std::string& text) {
        for (const char c : text) {
            hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001b3ULL;
        }
        hash = hash * 0x100000001b3ULL; // the NUL
    };
    for (const auto& [name, value] : options.defines) {
        add("D" + name);
        add(std::to_string(value));
    }
    for (const std::string& dir : options.includeDirs) {
        add("I" + dir);
    }
    for (const std::string& dir : options.userIncludeDirs) {
        add("U" + dir);
    }
    add(options.searchSystemIncludes ? "S1" : "S0");
    add(options.sameNameOption ? "N1" : "N0");
    static const char* const kHex = "0123456789abcdef";
    std::string digest(16, '0');
    for (int k = 15; k >= 0; --k, hash >>= 4) {
        digest[static_cast<size_t>(k)] = kHex[hash & 0xF];
    }
    return digest;
}

std::string CProjectAnalyzer::RecordsOptionsDigest() const
{
    return recordsOptions_ ? DigestOf(*recordsOptions_) : loadedOptionsDigest_;
}

void CProjectAnalyzer::DropRecordsOfOtherOptions()
{
    ReadingOptions now = CurrentOptions();
    const bool other = recordsOptions_
        ? !(*recordsOptions_ == now)
        : !loadedOptionsDigest_.empty() && loadedOptionsDigest_ != DigestOf(now);
    if (other) {
        DropAllRecords();
    }
    loadedOptionsDigest_.clear();
    recordsOptions_ = std::move(now);
}

void CProjectAnalyzer::DropAllRecords()
{
    if (projectFiles_.empty() && fileIndex_.files.empty()) {
        return;
    }
    recordsChanged_ = true;
    // The model refers to the records: it goes first.
    ResetModel();
    SourceFileList dropped = std::move(projectFiles_);
    projectFiles_.clear();
    fileIndex_.Reorder({}, &dropped);
    Dispose(std::move(dropped));
}

bool CProjectAnalyzer::ReusesByName(const CSourceFile& header) const
{
    return CPreprocessor::ReusesByName(*input_, header.path);
}

// The headers reused by name that each project file met first, in run
// order, each with its first instance there.
template <class Visit>
void CProjectAnalyzer::ForNamesMet(const CSourceFile& file, Visit visit) const
{
    std::vector<char> seen(fileIndex_.files.size(), 0);
    std::set<FileKey, FileKeyLess> met;
    WalkHeaders(fileIndex_, file, seen, false, [&](int32_t k) {
        const CSourceFile& header = *fileIndex_.files[k];
        if (ReusesByName(header) && met.insert(IdentityOf(header)).second) {
            visit(IdentityOf(header), k);
        }
    });
}

// Records read back from a cache do not know which headers reused by name
// they read themselves: the first project file, in run order, to reach an
// identity did.
void CProjectAnalyzer::NoteNamesRead()
{
    bool unknown = false;
    for (const auto& file : projectFiles_) {
        const auto* project = dynamic_cast<const CProjectFile*>(file.get());
        unknown = unknown || (project && !project->namesKnown);
    }
    if (!unknown) {
        return;
    }
    std::set<FileKey, FileKeyLess> taken;
    for (const auto& file : projectFiles_) {
        auto* project = dynamic_cast<CProjectFile*>(file.get());
        if (!project) {
            continue;
        }
        ForNamesMet(*project, [&](const FileKey& identity, int32_t) {
            const bool first = taken.insert(identity).second;
            if (!project->namesKnown && first) {
                project->namesRead.insert(identity);
            }
        });
        project->namesKnown = true;
    }
}

bool CProjectAnalyzer::ReachesCutReading(const std::vector<int32_t>& from) const
{
    if (from.empty()) {
        return false;
    }
    std::vector<char> seen(fileIndex_.files.size(), 0);
    bool cut = false;
    const auto note = [&](int32_t k) { cut = cut || fileIndex_.files[k]->readingCut; };
    for (int32_t k : from) {
        if (k < 0 || static_cast<size_t>(k) >= fileIndex_.files.size() || seen[k] ||
            !fileIndex_.files[k]) {
            continue;
        }
        seen[k] = 1;
        note(k);
        WalkHeaders(fileIndex_, *fileIndex_.files[k], seen, false, note);
    }
    return cut;
}

bool CProjectAnalyzer::TakeBack(const CSourceFile& file)
{
    const auto* project = dynamic_cast<const CProjectFile*>(&file);
    if (!byNamePossible_ || !project) {
        return true;
    }
    // Each identity reused by name was asked for once, at its first
    // reading: the file either took the first instance of a file before
    // it, or, with none there, read the header itself. A fresh reading
    // does the same only when the answer is still the same.
    bool same = true;
    ForNamesMet(file, [&](const FileKey& identity, int32_t k) {
        const int32_t first = fileIndex_.FirstIndex(identity.path, identity.size, identity.mtime);
        same = same && (project->namesRead.count(identity) ? first < 0 : first == k);
    });
    if (!same || !OwnRequestsTakeTheFirsts(*project)) {
        return false;
    }
    // Offered in the order a reading meets them: the first instance of an
    // identity this file read is the one later files take.
    std::vector<char> seen(fileIndex_.files.size(), 0);
    WalkHeaders(fileIndex_, file, seen, false, [&](int32_t k) {
        if (ReusesByName(*fileIndex_.files[k])) {
            fileIndex_.OfferFirst(k, fileIndex_.NextReadingStamp());
        }
    });
    return true;
}

bool CProjectAnalyzer::OwnRequestsTakeTheFirsts(const CProjectFile& file) const
{
    // The walk above meets each header once, maybe first inside an instance
    // the file took whole from another file, and so may pass over a later
    // include of the same header that the file's reading made itself: its
    // own includes, and those of the headers it read itself. Each such
    // include of a header that another file read takes the instance that is
    // first when it is met; as long as the file offers none of its own, that
    // is the first instance now.
    const size_t n = fileIndex_.files.size();
    std::vector<char> seen(n, 0);
    std::vector<const CSourceFile*> readers {&file};
    while (!readers.empty()) {
        const CSourceFile* reader = readers.back();
        readers.pop_back();
        for (const int32_t k : reader->includes) {
            if (k < 0 || static_cast<size_t>(k) >= n || seen[k] || !fileIndex_.files[k]) {
                continue;
            }
            seen[k] = 1;
            const CSourceFile& header = *fileIndex_.files[k];
            const FileKey identity = IdentityOf(header);
            if (!ReusesByName(header) || file.namesRead.count(identity)) {
                readers.push_back(&header);
            } else if (fileIndex_.FirstIndex(identity.path, identity.size, identity.mtime) != k) {
                return false;
            }
        }
    }
    return true;
}

bool CProjectAnalyzer::IncludesResolveAsBefore(const CSourceFile& file, CIncludePaths& paths) const
{
    // Every directive found now must have given the next header read, in
    // order, and every header read must be accounted for; a reading cut
    // short read only the first ones. (A record read back from a cache does
    // not know that it was cut short: it is read again once.)
    size_t j = 0;
    for (const auto& path : CPreprocessor::ResolveIncludes(*input_, paths, file)) {
        if (!path) {
            continue;
        }
        if (j >= file.includes.size()) {
            return file.readingCut;
        }
        const int32_t k = file.includes[j++];
        if (k < 0 || static_cast<size_t>(k) >= fileIndex_.files.size() || !fileIndex_.files[k] ||
            !SameHeaderFile(fileIndex_.files[k]->path, *path)) {
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
    SourceFileList dropped;
    const std::vector<int32_t> renumber = fileIndex_.Reorder(order, &dropped);
    Dispose(std::move(dropped));
    auto update = [&](CSourceFile& file) {
        // Renumbered in place: most files keep every include.
        size_t kept = 0;
        for (const int32_t k : file.includes) {
            if (k >= 0 && static_cast<size_t>(k) < n && renumber[static_cast<size_t>(k)] >= 0) {
                file.includes[kept++] = renumber[static_cast<size_t>(k)];
            }
        }
        file.includes.resize(kept);
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
