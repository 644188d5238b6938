#include "ProjectAnalyzer.h"

#include "ByteDigest.h"
#include "CallCollector.h"
#include "FailureLine.h"
#include "FileIndex.h"
#include "FileStatus.h"
#include "ForEachOnThreads.h"
#include "LanguageTable.h"
#include "ParseCacheReader.h"
#include "ParseCacheWriter.h"
#include "ProjectFile.h"
#include "SourceFileFreeing.h"
#include "UnitDetail.h"

#include <algorithm>
#include <atomic>
#include <map>
#include <new>
#include <optional>
#include <set>
#include <string_view>
#include <thread>
#include <unordered_map>

#include <malloc.h>
#include <unistd.h>

namespace {

// Whether the file on disk has the size of its record and another time,
// with a digest of the bytes it was read from to tell whether it is still
// the same file.
bool OnlyTimeMoved(const CSourceFile& file, const FileSizeAndTime& now)
{
    return file.scan.bytesDigest && now.size == file.size && now.mtime != 0 &&
        now.mtime != file.mtime;
}

// Whether only the time moved (OnlyTimeMoved) and the bytes on disk are
// the ones the record was read from.
bool SameBytesOnDisk(const CSourceFile& file, const FileSizeAndTime& now)
{
    return OnlyTimeMoved(file, now) && DigestValueOfFile(file.path) == file.scan.bytesDigest;
}

// Whether the file on disk has another size or time than its record, and,
// with only the time moved, other bytes; a project file that cannot be read
// counts as unchanged (it keeps its record).
bool ChangedOnDisk(const CSourceFile& file)
{
    const FileSizeAndTime now = GetFileSizeAndTime(file.path);
    if (OnlyTimeMoved(file, now)) {
        return !SameBytesOnDisk(file, now);
    }
    return now.size != 0 && now.mtime != 0 && (now.size != file.size || now.mtime != file.mtime);
}

// A header as a reading would find it now: its status, and, once asked
// for, the digest of its bytes.
struct HeaderOnDisk {
    FileSizeAndTime status;
    bool bytesRead = false;
    std::optional<uint64_t> bytes;
};

// A header is read again by whoever includes it, so it has changed as soon
// as a reading would find something else: also when it has gone, has been
// emptied, or has appeared where a missing one was read before. The
// instances of one header share a path, which is looked at once (`onDisk`).
bool HeaderChangedOnDisk(const CSourceFile& header, std::map<std::string, HeaderOnDisk>& onDisk)
{
    auto now = onDisk.find(header.path);
    if (now == onDisk.end()) {
        now = onDisk
                  .emplace(header.path,
                      HeaderOnDisk {GetFileSizeAndTime(header.path), false, std::nullopt})
                  .first;
    }
    HeaderOnDisk& found = now->second;
    if (OnlyTimeMoved(header, found.status)) {
        if (!found.bytesRead) {
            found.bytes = DigestValueOfFile(header.path);
            found.bytesRead = true;
        }
        return found.bytes != header.scan.bytesDigest;
    }
    return found.status.size != header.size || found.status.mtime != header.mtime;
}

// Moves the records `which` picks (by their place in the list) into a map
// by path. Every slot is made before any record moves: should memory run
// out on the way, the records all stay where they were, and no list is left
// with empty entries for a later step to walk into.
template <class Which>
std::map<std::string, std::unique_ptr<CSourceFile>> MoveByPath(SourceFileList& records, Which which)
{
    std::map<std::string, std::unique_ptr<CSourceFile>> byPath;
    std::vector<std::unique_ptr<CSourceFile>*> slots(records.size(), nullptr);
    for (size_t i = 0; i < records.size(); ++i) {
        if (which(i)) {
            slots[i] = &byPath[records[i]->path];
        }
    }
    for (size_t i = 0; i < records.size(); ++i) {
        if (slots[i] != nullptr) {
            *slots[i] = std::move(records[i]);
        }
    }
    return byPath;
}

// Each thread that checks files against the disk takes at least this many.
constexpr size_t kLeastFilesPerThread = 32;
constexpr unsigned kMostCheckThreads = 8;
// Each thread that digests files whose time alone moved takes at least this
// many: a digest reads the whole file.
constexpr size_t kLeastDigestsPerThread = 4;

} // namespace

CProjectAnalyzer::CProjectAnalyzer(CInputSet* input) : input_(input)
{
    ResetModel();
}

CProjectAnalyzer::~CProjectAnalyzer()
{
    disposal_.Drain(); // models thrown away earlier refer to the records too
    // The model only points to the records' units: freeing it never reads
    // them, so it goes on one thread while the records go on the others.
    FreeSourceFiles(projectFiles_, fileIndex_.files, [this] { root_.reset(); });
}

void CProjectAnalyzer::ResetModel()
{
    lifelineNames_.clear();
    ++modelGeneration_;
    // The old model may be as big as the records: with more than one job
    // it is freed off the run's thread.
    if (root_ && FileReadAhead::WorkersFor(jobs_) > 1) {
        disposal_.DisposeOf(std::move(root_));
        disposal_.DisposeOf(std::move(functionTable_));
        disposal_.DisposeOf(std::move(functionMap_));
    }
    functionTable_.clear();
    functionMap_.clear();
    root_ = std::make_unique<CModelScope>();
    root_->kind = UNIT_ROOT;
    root_->scopeChildren = std::make_unique<ScopeChildSet>();
}

void CProjectAnalyzer::Dispose(SourceFileList records)
{
    if (records.empty()) {
        return;
    }
    if (FileReadAhead::WorkersFor(jobs_) > 1) {
        disposal_.DisposeOf(std::move(records));
    }
}

void CProjectAnalyzer::Run()
{
    DropRecordsOfOtherOptions();
    NoteNamesRead();
    RemoveDeletedFiles();
    RemoveChangedFiles();
    StashProjectFiles();
    fileIndex_.ForgetFirsts();
    filesReadAhead_ = 0;
    readingsChain_ = ReadingsChain(FileReadAhead::AheadFor(FileReadAhead::WorkersFor(jobs_)));
    byNamePossible_ = !input_->sameNameOption;
    for (const auto& header : fileIndex_.files) {
        byNamePossible_ = byNamePossible_ || (header && ReusesByName(*header));
    }
    LapIf(steps_, "changes");

    // Headers are read once per run: a header edited between runs is read
    // afresh, and nothing stays in memory after the run (with more than one
    // job, their memory goes off the run's thread).
    scannedFiles_.Clear();
    struct Forget {
        ScannedFiles& files;
        BackgroundDisposal* disposal;
        ~Forget()
        {
            if (disposal != nullptr) {
                files.Clear(*disposal);
            } else {
                files.Clear();
            }
        }
    } forget {scannedFiles_, FileReadAhead::WorkersFor(jobs_) > 1 ? &disposal_ : nullptr};

    // Project files read afresh are read ahead on the machine's cores.
    // Headers reused by name make a file's reading depend on the files
    // before it: the readings take them as the run files them (a reading
    // that guessed wrong is read again here, FirstsAsTaken). Where nearby
    // files keep waiting for one another's headers, the run reads the rest
    // itself (ReadingsChain).
    std::unique_ptr<FileReadAhead> readAhead;
    const unsigned workers = FileReadAhead::WorkersFor(jobs_);
    if (workers > 1) {
        std::vector<std::string> fresh;
        for (const std::string& path : input_->paths) {
            auto flags = input_->fileFlags.find(path);
            if (flags != input_->fileFlags.end() && flags->second.analyse &&
                keptFiles_.count(path) == 0) {
                fresh.push_back(path);
            }
        }
        if (fresh.size() > 1) {
            // The reading threads hand a file the units of its former
            // record, and free that with what the run hands back.
            std::vector<std::unique_ptr<CSourceFile>> formers;
            formers.reserve(fresh.size());
            for (const std::string& path : fresh) {
                auto former = formerFiles_.find(path);
                formers.push_back(
                    former != formerFiles_.end() ? std::move(former->second) : nullptr);
                if (former != formerFiles_.end()) {
                    formerFiles_.erase(former);
                }
            }
            readAhead = std::make_unique<FileReadAhead>(*input_, std::move(fresh), scannedFiles_,
                workers, std::move(formers), fileIndex_.ParsedTokenDigests(), &disposal_);
        }
    }
    struct EndReadAhead {
        std::unique_ptr<FileReadAhead>& pool;
        FileReadAhead*& current;
        ~EndReadAhead()
        {
            current = nullptr;
            pool.reset();
        }
    } endReadAhead {readAhead, readAhead_};
    readAhead_ = readAhead.get();
    LapIf(steps_, "start");

    const size_t count = input_->paths.size();
    size_t i = 0;
    std::string unvisited;
    bool stopped = false;
    try {
        for (const std::string& path : input_->paths) {
            if (input_->stopRequest) {
                input_->percent = 0;
                unvisited = path;
                stopped = true;
                break;
            }
            auto flags = input_->fileFlags.find(path);
            if (flags != input_->fileFlags.end() && flags->second.analyse) {
                AddOrUpdateFile(path);
            }
            input_->percent =
                static_cast<int32_t>(100.0 * static_cast<double>(i) / static_cast<double>(count));
            ++i;
        }
    } catch (...) {
        TakeBackUnvisited(std::string());
        throw;
    }
    LapIf(steps_, "reading");
    TakeBackUnvisited(unvisited);
    if (readAhead) {
        // The readings' leftovers were freed all over the reading threads'
        // heaps; gathered and given back between runs, they do not slow
        // the allocations of the next run's readings. That is done once the
        // model is built (UpdateModel): the trim holds each heap while it
        // walks it, and would hold up the build's allocations.
        readAhead_ = nullptr;
        heapTrimDue_ = true;
        // The workers end and are joined on the disposal's thread: ending
        // a thread gives back its stack, which the run need not wait for.
        readAhead->AskToStop();
        try {
            disposal_.DisposeOf(std::move(readAhead));
        } catch (...) {
            readAhead.reset(); // joined here
        }
    }
    if (!stopped) {
        MessageLine(input_->Messages()) << GetLangString(1) << ": " << GetLangString(8);
    }
}

// Records the loop did not come to are unchanged: they go back into the
// project-file list (in path order, after the visited ones) instead of
// lingering with include numbers that the next renumbering would not
// update. Everything else left over is deleted.
void CProjectAnalyzer::TakeBackUnvisited(const std::string& firstUnvisited)
{
    if (!firstUnvisited.empty()) {
        for (auto it = keptFiles_.lower_bound(firstUnvisited); it != keptFiles_.end(); ++it) {
            auto flags = input_->fileFlags.find(it->first);
            if (input_->paths.count(it->first) && flags != input_->fileFlags.end() &&
                flags->second.analyse) {
                projectFiles_.push_back(std::move(it->second));
            }
        }
    }
    SourceFileList left;
    for (auto& [path, file] : keptFiles_) {
        if (file) {
            recordsChanged_ = true; // a record that was not taken back goes
            left.push_back(std::move(file));
        }
    }
    keptFiles_.clear();
    for (auto& [path, file] : formerFiles_) {
        left.push_back(std::move(file));
    }
    formerFiles_.clear();
    Dispose(std::move(left));
}

void CProjectAnalyzer::RemoveDeletedFiles()
{
    std::set<std::string> gone;
    for (const auto& file : projectFiles_) {
        if (input_->paths.count(file->path) == 0) {
            gone.insert(file->path);
        }
    }
    for (const std::string& path : gone) {
        while (RemoveRecord(path)) { }
    }
}

std::vector<bool> CProjectAnalyzer::FindChangedHeaders()
{
    const size_t n = fileIndex_.files.size();
    const unsigned threads = FileReadAhead::WorkersFor(jobs_);
    // The instances of one header share a path, whose status is taken once.
    constexpr size_t kNone = static_cast<size_t>(-1);
    std::unordered_map<std::string_view, size_t> slots;
    slots.reserve(n);
    std::vector<const std::string*> onDiskPaths;
    std::vector<size_t> slotOf(n, kNone);
    for (size_t i = 0; i < n; ++i) {
        if (const CSourceFile* header = fileIndex_.files[i].get()) {
            auto [slot, added] = slots.emplace(header->path, onDiskPaths.size());
            if (added) {
                onDiskPaths.push_back(&header->path);
            }
            slotOf[i] = slot->second;
        }
    }
    std::vector<FileSizeAndTime> onDisk(onDiskPaths.size());
    ForEachOnThreads(
        onDiskPaths.size(), threads, [] { return 0; },
        [&](size_t k, int) { onDisk[k] = GetFileSizeAndTime(*onDiskPaths[k]); });
    RestampTouchedHeaders(onDiskPaths, slotOf, onDisk);
    std::vector<bool> changed(n, false);
    std::vector<size_t> pending;
    // Every header that reaches a changed one, through any number of
    // includes, is affected: walks up the reversed include graph, whose
    // includers of header k are includers[firstIncluder[k]..firstIncluder[k + 1]).
    std::vector<size_t> firstIncluder(n + 1, 0);
    const auto forEachInclude = [&](auto visit) {
        for (size_t i = 0; i < n; ++i) {
            if (const CSourceFile* header = fileIndex_.files[i].get()) {
                for (int32_t k : header->includes) {
                    if (k >= 0 && static_cast<size_t>(k) < n) {
                        visit(static_cast<size_t>(k), i);
                    }
                }
            }
        }
    };
    forEachInclude([&](size_t k, size_t) { ++firstIncluder[k + 1]; });
    for (size_t k = 0; k < n; ++k) {
        firstIncluder[k + 1] += firstIncluder[k];
    }
    std::vector<size_t> includers(firstIncluder[n]);
    std::vector<size_t> filled(firstIncluder.begin(), firstIncluder.end() - 1);
    forEachInclude([&](size_t k, size_t i) { includers[filled[k]++] = i; });
    const auto markIncluders = [&] {
        while (!pending.empty()) {
            const size_t k = pending.back();
            pending.pop_back();
            for (size_t j = firstIncluder[k]; j < firstIncluder[k + 1]; ++j) {
                const size_t i = includers[j];
                if (!changed[i]) {
                    changed[i] = true;
                    pending.push_back(i);
                }
            }
        }
    };
    for (size_t i = 0; i < n; ++i) {
        const CSourceFile* header = fileIndex_.files[i].get();
        if (header &&
            (onDisk[slotOf[i]].size != header->size || onDisk[slotOf[i]].mtime != header->mtime)) {
            changed[i] = true;
            pending.push_back(i);
        }
    }
    markIncluders();
    // Only the headers not yet known to change have their includes
    // resolved again: after an edit of a header that many read, few are
    // left.
    std::vector<size_t> unchanged;
    for (size_t i = 0; i < n; ++i) {
        if (fileIndex_.files[i] && !changed[i]) {
            unchanged.push_back(i);
        }
    }
    std::vector<char> movedIncludes(unchanged.size(), 0);
    ForEachOnThreads(
        unchanged.size(), threads, [] { return CIncludePaths(); },
        [&](size_t u, CIncludePaths& paths) {
            movedIncludes[u] = !IncludesResolveAsBefore(*fileIndex_.files[unchanged[u]], paths);
        });
    for (size_t u = 0; u < unchanged.size(); ++u) {
        if (movedIncludes[u] && !changed[unchanged[u]]) {
            changed[unchanged[u]] = true;
            pending.push_back(unchanged[u]);
        }
    }
    markIncluders();
    return changed;
}

void CProjectAnalyzer::RestampTouchedHeaders(const std::vector<const std::string*>& paths,
    const std::vector<size_t>& slotOf, const std::vector<FileSizeAndTime>& onDisk)
{
    // Only the bytes of a header whose time alone moved on are read, once
    // for all its instances.
    const size_t n = fileIndex_.files.size();
    std::vector<char> touched(paths.size(), 0);
    std::vector<size_t> toRead;
    for (size_t i = 0; i < n; ++i) {
        const CSourceFile* header = fileIndex_.files[i].get();
        if (header && OnlyTimeMoved(*header, onDisk[slotOf[i]]) && !touched[slotOf[i]]) {
            touched[slotOf[i]] = 1;
            toRead.push_back(slotOf[i]);
        }
    }
    if (toRead.empty()) {
        return;
    }
    std::vector<std::optional<uint64_t>> bytesOnDisk(paths.size());
    ForEachOnThreads(
        toRead.size(), FileReadAhead::WorkersFor(jobs_), [] { return 0; },
        [&](size_t r, int) { bytesOnDisk[toRead[r]] = DigestValueOfFile(*paths[toRead[r]]); },
        kLeastDigestsPerThread);
    std::map<FileKey, FileKey, FileKeyLess> renamed;
    for (size_t i = 0; i < n; ++i) {
        CSourceFile* header = fileIndex_.files[i].get();
        const size_t k = header ? slotOf[i] : 0;
        if (header && touched[k] && bytesOnDisk[k] && OnlyTimeMoved(*header, onDisk[k]) &&
            header->scan.bytesDigest == bytesOnDisk[k]) {
            const FileKey before = IdentityOf(*header);
            fileIndex_.Restamp(static_cast<int32_t>(i), onDisk[k].mtime);
            renamed.emplace(before, IdentityOf(*header));
        }
    }
    // The headers a project file read itself, where headers are reused by
    // name, are noted by identity.
    for (auto& file : projectFiles_) {
        auto* project = dynamic_cast<CProjectFile*>(file.get());
        if (renamed.empty() || !project || project->namesRead.empty()) {
            continue;
        }
        for (const auto& [before, after] : renamed) {
            if (project->namesRead.erase(before) != 0) {
                project->namesRead.insert(after);
            }
        }
    }
}

bool CProjectAnalyzer::IncludesChangedHeader(
    const CSourceFile& file, const std::vector<bool>& changed)
{
    for (int32_t k : file.includes) {
        if (k >= 0 && static_cast<size_t>(k) < changed.size() && changed[static_cast<size_t>(k)]) {
            return true;
        }
    }
    return false;
}

void CProjectAnalyzer::RemoveChangedFiles()
{
    if (projectFiles_.empty()) {
        return;
    }
    // No reading can take an old instance of a changed header any more: it
    // finds another identity, or includes other instances. They are
    // retired, so that the readings of this run are not compared with them
    // (their units may still be taken), and go after the run with the other
    // unreached ones.
    const std::vector<bool> changed = FindChangedHeaders();
    fileIndex_.Retire(changed);
    // 0: read again; 1: kept; 2: read again only for its headers, so that
    // the same tokens may come out.
    std::vector<char> keep(projectFiles_.size(), 0);
    ForEachOnThreads(
        projectFiles_.size(), FileReadAhead::WorkersFor(jobs_), [] { return CIncludePaths(); },
        [&](size_t i, CIncludePaths& paths) {
            CSourceFile& file = *projectFiles_[i];
            const FileSizeAndTime now = GetFileSizeAndTime(file.path);
            const bool unreadable = now.size == 0 || now.mtime == 0;
            if (SameBytesOnDisk(file, now)) {
                file.mtime = now.mtime; // the same bytes read the same
            }
            const bool same = now.size == file.size && now.mtime == file.mtime;
            if (unreadable ||
                (same && !IncludesChangedHeader(file, changed) &&
                    IncludesResolveAsBefore(file, paths))) {
                keep[i] = 1;
            } else if (same) {
                keep[i] = 2;
            }
        });
    // Both lists are made before any record moves, so that a failure on
    // the way leaves the records where they were.
    SourceFileList kept;
    SourceFileList dropped;
    kept.reserve(projectFiles_.size());
    dropped.reserve(projectFiles_.size());
    auto former = MoveByPath(projectFiles_, [&keep](size_t i) { return keep[i] == 2; });
    for (size_t i = 0; i < projectFiles_.size(); ++i) {
        if (keep[i] == 1) {
            kept.push_back(std::move(projectFiles_[i]));
        } else {
            recordsChanged_ = true;
            if (keep[i] == 0) {
                dropped.push_back(std::move(projectFiles_[i]));
            }
        }
    }
    projectFiles_ = std::move(kept);
    formerFiles_.merge(former);
    Dispose(std::move(dropped));
}

void CProjectAnalyzer::StashProjectFiles()
{
    keptFiles_ = MoveByPath(projectFiles_, [](size_t) { return true; });
    projectFiles_.clear();
}

bool CProjectAnalyzer::RemoveRecord(const std::string& path)
{
    for (auto it = projectFiles_.begin(); it != projectFiles_.end(); ++it) {
        if ((*it)->path == path) {
            projectFiles_.erase(it);
            recordsChanged_ = true;
            return true;
        }
    }
    return false;
}

void CProjectAnalyzer::RemoveSourceFile(const std::string& path)
{
    RemoveSourceFiles({path});
}

void CProjectAnalyzer::RemoveSourceFiles(const std::vector<std::string>& paths)
{
    bool removed = false;
    for (const std::string& path : paths) {
        removed = RemoveRecord(path) || removed;
    }
    if (removed) {
        BuildGlobalModel(3); // the model must not refer to the deleted units
    }
}

bool CProjectAnalyzer::IsAnyFileChanged() const
{
    // Each file's includes are found again from its tokens: a large project
    // is looked at on several threads, each with its own folder listings.
    const size_t projects = projectFiles_.size();
    const size_t total = projects + fileIndex_.files.size();
    struct Listings {
        CIncludePaths paths;
        std::map<std::string, HeaderOnDisk> onDisk;
    };
    std::atomic<bool> changed {false};
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    ForEachOnThreads(
        total, std::min(cores, kMostCheckThreads), [] { return Listings(); },
        [&](size_t i, Listings& listings) {
            if (changed) {
                return;
            }
            if (i < projects) {
                const CSourceFile& file = *projectFiles_[i];
                if (ChangedOnDisk(file) || !IncludesResolveAsBefore(file, listings.paths)) {
                    changed = true;
                }
            } else if (const CSourceFile* header = fileIndex_.files[i - projects].get()) {
                if (HeaderChangedOnDisk(*header, listings.onDisk) ||
                    !IncludesResolveAsBefore(*header, listings.paths)) {
                    changed = true;
                }
            }
        },
        kLeastFilesPerThread);
    return changed;
}

std::vector<CallRecord> CProjectAnalyzer::GetCalledFunctions(const CModelScope* function)
{
    if (!function) {
        return {};
    }
    try {
        CCallCollector collector(*function, functionTable_, lifelineNames_);
        collector.Run();
        return collector.Records();
    } catch (...) {
        // An empty diagram would pass for a function that calls nothing.
        const std::string failed = "The calls of " + function->name + " could not be collected";
        WriteFailureLine(input_->Messages(), failed.c_str());
        return {};
    }
}

bool CProjectAnalyzer::SaveCache(const std::string& path, std::string* bytesDigest)
{
    CParseCacheWriter writer(projectFiles_, fileIndex_);
    const bool saved = writer.Save(path);
    // The cache replaced gives its room back when it is closed, which
    // nobody waits for.
    if (const int replaced = writer.TakeReplacedFile(); replaced >= 0)
        disposal_.Tidy([replaced] { ::close(replaced); });
    if (bytesDigest != nullptr)
        *bytesDigest = writer.Digest();
    return saved;
}

bool CProjectAnalyzer::LoadCache(const std::string& path, const std::string& readWith,
    const std::string& bytesDigest, const CacheLoadSteps& steps)
{
    CParseCacheReader reader(projectFiles_, fileIndex_, input_, input_->Messages());
    reader.SetStopRequest(&input_->stopRequest);
    const bool loaded = reader.Load(path, bytesDigest, steps);
    recordsChanged_ = recordsChanged_ || loaded;
    if (loaded) {
        recordsOptions_.reset(); // the cache does not say what it was read with
        loadedOptionsDigest_ = readWith;
    }
    cacheFailure_ = reader.Failure();
    if (!loaded && input_->verbose)
        MessageLine(input_->Messages(), MessageKind::Verbose)
            << "Parse cache " << path << " not loaded: " << cacheFailure_;
    return loaded;
}

bool CProjectAnalyzer::CacheLoadStopped() const
{
    return cacheFailure_ == CParseCacheReader::kStopped;
}

std::vector<std::pair<bool, bool>> CProjectAnalyzer::MergeFlags() const
{
    std::vector<std::pair<bool, bool>> flags;
    flags.reserve(projectFiles_.size());
    for (const auto& file : projectFiles_) {
        auto found = input_->fileFlags.find(file->path);
        flags.emplace_back(found != input_->fileFlags.end() && found->second.analyse,
            found != input_->fileFlags.end() && found->second.draw);
    }
    return flags;
}

void CProjectAnalyzer::UpdateModel(int mode)
{
    bool rebuild = recordsChanged_;
    if (!rebuild) {
        try {
            rebuild = MergeFlags() != mergedFlags_;
        } catch (const std::bad_alloc&) {
            rebuild = true; // the build says so itself should it fail too
        }
    }
    if (rebuild) {
        BuildGlobalModel(mode);
    } else {
        lifelineNames_.clear();
    }
    if (heapTrimDue_) {
        heapTrimDue_ = false;
        disposal_.Tidy([] { ::malloc_trim(0); });
    }
}
