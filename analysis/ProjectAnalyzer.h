#pragma once

#include "BackgroundDisposal.h"
#include "CallRecord.h"
#include "FileIndex.h"
#include "FileReadAhead.h"
#include "FileStatus.h"
#include "IncludePaths.h"
#include "InputSet.h"
#include "ModelScope.h"
#include "ParseCacheReader.h"
#include "ReadingsChain.h"
#include "ScannedFiles.h"
#include "SourceFileList.h"
#include "StepTimes.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The analysis engine: keeps the source-file records of a project between
// runs, so that a run parses only what is new or changed, drops headers no
// longer reached, and rebuilds the project-wide model from all records. It
// also saves and loads the parse cache and answers the questions asked
// between runs.
class CProjectAnalyzer {
public:
    explicit CProjectAnalyzer(CInputSet* input);
    // Frees the model and the records on several threads.
    ~CProjectAnalyzer();
    CProjectAnalyzer(const CProjectAnalyzer&) = delete;
    CProjectAnalyzer& operator=(const CProjectAnalyzer&) = delete;

    // One pass over the project input: records of files that left it or
    // changed on disk (or reach a changed header) are dropped, each path
    // with its analyse flag is taken back or parsed afresh, and the
    // percentage follows. Stops early on the stop request. Whatever the
    // records held before, the run leaves the records a run on a fresh
    // engine would make from the same files and options (a stopped run
    // excepted).
    void Run();
    // How many threads a run uses to read project files: 0 (the default)
    // one per core, 1 only the run's own. The records are the same either
    // way.
    void SetJobs(unsigned jobs) { jobs_ = jobs; }
    // How many project files the last run took as read ahead on the other
    // threads; the others it read itself.
    size_t FilesReadAhead() const { return filesReadAhead_; }
    // Where Run notes the end of its steps, when given: "changes", "start"
    // and "reading" (see CAnalyzer::SetStepTimes).
    void SetStepTimes(StepTimes* steps) { steps_ = steps; }
    // Drops the headers no project file reaches and numbers the others in
    // the order a run on a fresh engine files them: depth first through the
    // project files' includes, a header after the headers it includes.
    void RemoveUnreachableHeaders();
    // Throws the model away and builds it again from every record.
    void BuildGlobalModel(int mode);
    // As BuildGlobalModel when a record was added, dropped or renumbered or
    // a file's flags changed since the last build; otherwise the model,
    // which would come out the same, is kept (its call queries start
    // afresh all the same).
    void UpdateModel(int mode);

    // Per-file steps of a run.
    void AddOrUpdateFile(const std::string& path);
    // With `ahead`, the file was read and preprocessed ahead: its lines are
    // written and its headers filed instead.
    void ParseFile(CSourceFile& file, FileReadAhead::Result* ahead = nullptr);
    // Parses header `number` of the index and the headers it includes,
    // unless another instance of the same tokens gives its units.
    void ParseIncludedFile(CSourceFile& header, int32_t number);
    // Deletes the project file of exactly this path; the model, which may
    // refer to its units, is rebuilt.
    void RemoveSourceFile(const std::string& path);
    // Deletes the project files of exactly these paths; the model is rebuilt
    // once, when any of them was a project file.
    void RemoveSourceFiles(const std::vector<std::string>& paths);

    // `bytesDigest`, when given, receives the digest of the cache's bytes
    // as written (empty when it could not be taken).
    bool SaveCache(const std::string& path, std::string* bytesDigest = nullptr);
    // All or nothing; when refused, CacheFailure() says why. `readWith` is
    // what RecordsOptionsDigest() said when the cache was saved, when the
    // caller kept it: if the options differ at the next run, every file is
    // read afresh. Without it the records count as read with the options
    // of the next run. `bytesDigest` is what SaveCache gave, when the caller
    // kept it: a cache whose bytes have changed since is refused. `steps`
    // go to the reader.
    bool LoadCache(const std::string& path, const std::string& readWith = {},
        const std::string& bytesDigest = {}, const CacheLoadSteps& steps = {});
    // A short text that stands for the options the records were read with
    // (predefined words, include folders, header flags); empty when that is
    // not known.
    std::string RecordsOptionsDigest() const;
    const std::string& CacheFailure() const { return cacheFailure_; }
    // Whether the last load was refused because the stop request was set
    // while it read.
    bool CacheLoadStopped() const;

    // Whether any project file or header differs on disk (size or time,
    // both readable) from its record.
    bool IsAnyFileChanged() const;
    // The calls in the body of a function element, resolved to model
    // functions, with lifeline indices into LifelineNames().
    std::vector<CallRecord> GetCalledFunctions(const CModelScope* function);

    CModelScope* Root() const { return root_.get(); }
    // Every function of the model by name (see FunctionMap).
    const FunctionMap& Functions() const { return functionMap_; }
    // Rises each time the model is thrown away and built again: whoever keeps
    // pointers into the model keeps them only for the generation it took
    // them from.
    uint64_t ModelGeneration() const { return modelGeneration_; }
    const SourceFileList& ProjectFiles() const { return projectFiles_; }
    const CFileIndex& FileIndex() const { return fileIndex_; }
    std::vector<std::string>& LifelineNames() { return lifelineNames_; }

private:
    // What shapes a reading besides the files themselves.
    struct ReadingOptions {
        std::vector<std::pair<std::string, int32_t>> defines;
        std::vector<std::string> includeDirs;
        std::vector<std::string> userIncludeDirs;
        bool searchSystemIncludes = false;
        bool sameNameOption = true;
        bool operator==(const ReadingOptions& other) const = default;
    };
    ReadingOptions CurrentOptions() const;
    static std::string DigestOf(const ReadingOptions& options);
    void DropRecordsOfOtherOptions();
    void DropAllRecords();
    void NoteNamesRead();
    template <class Visit> void ForNamesMet(const CSourceFile& file, Visit visit) const;
    bool ReusesByName(const CSourceFile& header) const;
    // Whether a project file kept from the last run would read every header
    // it reuses by name as it did then; if so, its headers are offered as
    // first instances.
    bool TakeBack(const CSourceFile& file);
    bool OwnRequestsTakeTheFirsts(const CProjectFile& file) const;
    void RemoveDeletedFiles();
    void RemoveChangedFiles();
    // Which headers a reading would now find otherwise, themselves or
    // through their includes; looked at on the run's threads. A header
    // whose time moved on with its bytes the same is filed under its new
    // time instead (RestampTouchedHeaders).
    std::vector<bool> FindChangedHeaders();
    // Files each header whose time alone moved on, with the bytes it was
    // read from, under the time it has on disk (`onDisk`, by the slot of its
    // path in `paths`), also where project files note the headers they read
    // themselves.
    void RestampTouchedHeaders(const std::vector<const std::string*>& paths,
        const std::vector<size_t>& slotOf, const std::vector<FileSizeAndTime>& onDisk);
    // Whether every header the file's reading read would be found in the
    // same place now (a header that appeared earlier on the search path
    // takes the place of the one read).
    bool IncludesResolveAsBefore(const CSourceFile& file, CIncludePaths& paths) const;
    static bool IncludesChangedHeader(const CSourceFile& file, const std::vector<bool>& changed);
    void StashProjectFiles();
    void TakeBackUnvisited(const std::string& firstUnvisited);
    bool RemoveRecord(const std::string& path);
    void ParseAndCatch(CSourceFile& file, FileReadAhead::Result* ahead = nullptr);
    // Gives a project file read here the units of its former record when
    // the reading gave the same tokens.
    bool TakeFormerUnits(CSourceFile& file);
    // Files the headers a project file's reading ahead filed in its own
    // index, as the run would have filed them itself, and renumbers the
    // includes of the file and of its headers. Returns the run's numbers of
    // those headers, in the reading's order.
    std::vector<int32_t> FileHeadersReadAhead(FileReadAhead::Result& ahead, CSourceFile& file);
    // Whether FileHeadersReadAhead finds an instance for every header whose
    // tokens the reading let go, which it could not file anew.
    bool LetGoHeadersFindTheirs(FileReadAhead::Result& ahead) const;
    // Whether the headers a reading ahead reused by name are as the run
    // would have reused them: the ones it read itself still have no first
    // instance, and the ones it took are still the first.
    bool FirstsAsTaken(const FileReadAhead::Result& ahead) const;
    // Whether the reading of one of the headers `from`, or of one they
    // reach, was cut short.
    bool ReachesCutReading(const std::vector<int32_t>& from) const;
    // The identities a project file's reading read by name itself; none
    // for a header.
    static const std::set<FileKey, FileKeyLess>& NamesRead(const CSourceFile& file);
    // Tells a reading ahead that the file is filed, with the first
    // instances of the headers it read by name.
    void TellFiled(const CSourceFile& file);
    void ResetModel();
    // Frees records that were thrown away: on the disposal's thread, so
    // that a run does not wait for it, or here in a one-job run.
    void Dispose(SourceFileList records);
    std::vector<std::pair<bool, bool>> MergeFlags() const;

    SourceFileList projectFiles_;
    CFileIndex fileIndex_;
    // How many threads read project files ahead of a run (0: one per core,
    // 1: none, the run reads every file itself).
    unsigned jobs_ = 0;
    FileReadAhead* readAhead_ = nullptr; // during a run, when reading ahead
    StepTimes* steps_ = nullptr; // not owned
    // The headers read in the run going on; empty between runs.
    ScannedFiles scannedFiles_;
    // Where the texts of the tokens kept in the records are packed.
    TokenTextStore tokenTexts_;
    std::map<std::string, std::unique_ptr<CSourceFile>> keptFiles_;
    // During a run, the records of project files read again only because
    // a header they read changed: a reading of the same tokens takes their
    // units instead of parsing.
    std::map<std::string, std::unique_ptr<CSourceFile>> formerFiles_;
    FunctionTable functionTable_;
    FunctionMap functionMap_;
    std::vector<std::string> lifelineNames_;
    CInputSet* input_;
    // What the model was last built from has changed since.
    bool recordsChanged_ = true;
    std::vector<std::pair<bool, bool>> mergedFlags_;
    size_t filesReadAhead_ = 0;
    ReadingsChain readingsChain_;
    std::string cacheFailure_;
    uint64_t modelGeneration_ = 0;
    // The options the records were read with; none when not known (a
    // loaded cache), and then the next run's are taken.
    std::optional<ReadingOptions> recordsOptions_;
    // For records read back from a cache: the digest of the options they
    // were read with, when the caller knew it.
    std::string loadedOptionsDigest_;
    // Some header of this run may be reused by name.
    bool byNamePossible_ = false;
    // The heaps are to be trimmed once the model is built: a run read on
    // several threads.
    bool heapTrimDue_ = false;
    // Frees thrown-away records off the run's thread; when the engine goes,
    // it waits for what it still holds.
    BackgroundDisposal disposal_;
    // Refers to units of the records above; declared last so that it goes
    // first.
    std::unique_ptr<CModelScope> root_;
};
