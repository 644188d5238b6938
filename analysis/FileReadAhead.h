#pragma once

#include "BackgroundDisposal.h"
#include "EarlierFirsts.h"
#include "FiledReadings.h"
#include "FileIndex.h"
#include "HeaderParseClaims.h"
#include "InputSet.h"
#include "LargeStackThread.h"
#include "MessageSink.h"
#include "ProjectFile.h"
#include "ScannedFiles.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

// Reads, preprocesses and parses project files ahead of an analysis run on
// worker threads. Each file is preprocessed into a header index of its own,
// with a copy of the input's reading options whose message lines are kept
// (the project's paths and flags are not copied), so that the run can
// take the results one by one in its own order and file them as if it had
// read them itself. Units follow from tokens alone, so the file's own come
// split and parsed, and so do those of the header readings no earlier file
// has claimed (HeaderParseClaims); the rest are left to the run. Workers stay
// a bounded number of files ahead of the run, and free what the run hands
// back until they are stopped.
class FileReadAhead {
public:
    // What one file's reading gave.
    struct Result {
        std::unique_ptr<CProjectFile> file;
        CFileIndex headers; // the headers its preprocessing filed
        // The BodyDigest (SourceContent.h) of each of those headers, by
        // number, so that the run need not work them out itself.
        std::vector<WideDigest> headerBodies;
        // Their PathAndTokensWideDigest, likewise.
        std::vector<WideDigest> headerTokens;
        // Their ReadingDigest, likewise (unknown where a body or an
        // include's is).
        std::vector<WideDigest> headerReadings;
        // The headers whose tokens were let go: readings the run had filed
        // already (FiledReadings), which it finds the same again.
        std::vector<bool> tokensLetGo;
        std::vector<std::pair<MessageKind, std::string>> messages;
        // The headers reused by name that it took from files before it;
        // their numbers among `headers` stand for the run's instances.
        std::vector<TakenFirst> taken;
        // For each of `headers`, the run's number of the instance it stands
        // in for, or -1.
        std::vector<int32_t> TakenNumbers() const;
        // It waited for a file before it to be filed (EarlierFirsts).
        bool waited = false;
        bool failed = false; // it threw: the run reads it itself
        // The file's former record, whose units it took when it read to
        // the same tokens; it goes with the result.
        std::unique_ptr<CSourceFile> former;
    };

    // `paths` in the order the run takes them; `input` must not change
    // while the workers run, except for its stop request, which Take
    // passes on to the workers. `formers`, when given, holds for each path
    // the record of its last reading, or none. Headers read to one of the
    // `unitsAtHand` (first halves of PathAndTokensWideDigest) are left
    // unparsed: the run has their units. What the run handed back and the
    // workers had not freed when they stop goes to `leftovers` when given,
    // so that stopping waits only for a result being freed.
    FileReadAhead(const CInputSet& input, std::vector<std::string> paths, ScannedFiles& scanned,
        unsigned workers, std::vector<std::unique_ptr<CSourceFile>> formers = {},
        const std::vector<uint64_t>& unitsAtHand = {}, BackgroundDisposal* leftovers = nullptr);
    ~FileReadAhead();
    FileReadAhead(const FileReadAhead&) = delete;
    FileReadAhead& operator=(const FileReadAhead&) = delete;

    // The result for paths[i], waiting for it; i only rises from call to
    // call. Null for a path not in the list or once stopped.
    std::unique_ptr<Result> Take(const std::string& path);
    // Notes the header readings of a result the run has filed, so that
    // later readings of the same need not keep their tokens.
    void NoteFiled(const Result& result);
    // Where headers are reused by name: tells the readings the first
    // instances of the identities in the index (those the file just filed
    // read itself), then that the files taken so far are filed.
    void Filed(const CFileIndex& index, const std::set<FileKey, FileKeyLess>& identities);
    // Hands a result back once the run has taken what it keeps: the workers
    // free the rest between readings; when none is left, the leftovers'
    // disposal does, or else the caller now.
    void Discard(std::unique_ptr<Result> result);
    // Asks the workers to end once they have freed what was handed back
    // (a file being read stops short), without waiting for them.
    void AskToStop();
    // Asks the workers to end (their file's preprocessing stops short) and
    // joins them. Results not taken are dropped; results handed back and
    // not yet freed go to the leftovers' disposal when there is one.
    void Stop();

    // Threads for a machine: one per core, at least one.
    static unsigned WorkersFor(unsigned jobs);
    // How many files that many workers read ahead of the run at most.
    static size_t AheadFor(unsigned workers)
    {
        return 4 * static_cast<size_t>(std::max(1u, workers));
    }

private:
    struct Slot {
        std::unique_ptr<Result> result;
        bool ready = false;
        std::unique_ptr<CSourceFile> former;
    };
    void Work(CInputSet& input);
    void Read(
        CInputSet& input, size_t index, std::unique_ptr<CSourceFile> former, TokenTextStore& texts);
    // Works out the result's header readings and lets the tokens go of
    // those the run has filed already and the reading did not parse.
    void LetGoFiledTokens(Result& result) const;
    // Hands the thing to the leftovers' disposal, or frees it here.
    template <class Thing> void FreeLater(Thing thing) noexcept;

    std::vector<std::string> paths_;
    const std::atomic<bool>& stopRequest_;
    ScannedFiles& scanned_;
    HeaderParseClaims claims_;
    FiledReadings filed_;
    EarlierFirsts earlier_;
    std::vector<Slot> slots_;
    std::vector<std::unique_ptr<Result>> discarded_; // for the workers to free
    BackgroundDisposal* leftovers_; // not owned; may be null
    size_t nextToRead_ = 0;
    size_t nextToTake_ = 0;
    size_t ahead_;
    bool stopping_ = false;
    std::vector<std::unique_ptr<CInputSet>> inputs_; // the workers' copies
    std::mutex mutex_;
    std::condition_variable changed_;
    // On large stacks, as the run's own thread: reading recurses with the
    // nesting of the source.
    std::vector<std::unique_ptr<LargeStackThread>> workers_;
};
