#include "FileReadAhead.h"

#include "ParseDriver.h"
#include "Preprocessor.h"
#include "SourceContent.h"
#include "SourceScanner.h"
#include "TwinUnits.h"
#include "UnitSplitter.h"

#include <algorithm>
#include <chrono>
#include <exception>
#include <optional>

namespace {

// What a worker reads with: the input's folders, words and options, with a
// message sink and a stop flag of its own. The project's paths and flags
// and the model's bookkeeping are not read by a reading: a big project's
// would cost a copy per worker for nothing.
std::unique_ptr<CInputSet> CopyInput(const CInputSet& input)
{
    auto copy = std::make_unique<CInputSet>(input.searchSystemIncludes);
    copy->includeDirs = input.includeDirs;
    copy->userIncludeDirs = input.userIncludeDirs;
    copy->defines = input.defines;
    copy->sameNameOption = input.sameNameOption;
    copy->verbose = input.verbose;
    copy->stopRequest = input.stopRequest.load();
    return copy;
}

class KeptLines : public MessageSink {
public:
    explicit KeptLines(std::vector<std::pair<MessageKind, std::string>>& lines) : lines_(lines) { }
    void Write(MessageKind kind, std::string_view line) override
    {
        lines_.emplace_back(kind, std::string(line));
    }

private:
    std::vector<std::pair<MessageKind, std::string>>& lines_;
};

} // namespace

unsigned FileReadAhead::WorkersFor(unsigned jobs)
{
    if (jobs == 0) {
        jobs = std::thread::hardware_concurrency();
    }
    return std::max(1u, jobs);
}

FileReadAhead::FileReadAhead(const CInputSet& input, std::vector<std::string> paths,
    ScannedFiles& scanned, unsigned workers, std::vector<std::unique_ptr<CSourceFile>> formers,
    const std::vector<uint64_t>& unitsAtHand, BackgroundDisposal* leftovers)
    : paths_(std::move(paths)),
      stopRequest_(input.stopRequest),
      scanned_(scanned),
      slots_(paths_.size()),
      leftovers_(leftovers),
      ahead_(AheadFor(workers))
{
    for (size_t i = 0; i < formers.size() && i < slots_.size(); ++i) {
        slots_[i].former = std::move(formers[i]);
    }
    for (uint64_t digest : unitsAtHand) {
        claims_.KeepForRun(digest);
    }
    for (unsigned w = 0; w < std::max(1u, workers); ++w) {
        inputs_.push_back(CopyInput(input));
    }
    for (const std::unique_ptr<CInputSet>& copy : inputs_) {
        auto worker = std::make_unique<LargeStackThread>();
        if (worker->Start([this, copy = copy.get()] { Work(*copy); })) {
            workers_.push_back(std::move(worker));
        }
    }
    if (workers_.empty()) {
        stopping_ = true; // no thread to be had: the run reads every file
    }
}

FileReadAhead::~FileReadAhead()
{
    Stop();
}

void FileReadAhead::AskToStop()
{
    // First, so that no reading waits for a file before it any more.
    earlier_.Stop();
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        for (const std::unique_ptr<CInputSet>& input : inputs_) {
            input->stopRequest = true;
        }
    }
    changed_.notify_all();
}

void FileReadAhead::Stop()
{
    AskToStop();
    std::vector<std::unique_ptr<Result>> left;
    {
        std::lock_guard lock(mutex_);
        left.swap(discarded_);
    }
    for (const std::unique_ptr<LargeStackThread>& worker : workers_) {
        worker->Join();
    }
    workers_.clear();
    FreeLater(std::move(left));
}

template <class Thing> void FileReadAhead::FreeLater(Thing thing) noexcept
{
    try {
        if (leftovers_ != nullptr) {
            leftovers_->DisposeOf(std::move(thing));
        }
    } catch (...) {
        // freed here, on leaving
    }
}

std::unique_ptr<FileReadAhead::Result> FileReadAhead::Take(const std::string& path)
{
    std::unique_lock lock(mutex_);
    if (stopping_ || nextToTake_ >= paths_.size() || paths_[nextToTake_] != path) {
        return nullptr;
    }
    const size_t index = nextToTake_;
    // A stop asked for while waiting reaches the workers within a few
    // milliseconds.
    while (!changed_.wait_for(
        lock, std::chrono::milliseconds(10), [&] { return slots_[index].ready || stopping_; })) {
        if (stopRequest_.load(std::memory_order_relaxed)) {
            for (const std::unique_ptr<CInputSet>& input : inputs_) {
                input->stopRequest = true;
            }
        }
    }
    if (!slots_[index].ready) {
        return nullptr;
    }
    ++nextToTake_;
    changed_.notify_all();
    return std::move(slots_[index].result);
}

void FileReadAhead::Discard(std::unique_ptr<Result> result)
{
    {
        std::lock_guard lock(mutex_);
        if (!stopping_) {
            discarded_.push_back(std::move(result));
        }
    }
    if (result == nullptr) {
        changed_.notify_all();
    } else {
        FreeLater(std::move(result)); // no worker left
    }
}

void FileReadAhead::Filed(const CFileIndex& index, const std::set<FileKey, FileKeyLess>& identities)
{
    earlier_.Publish(index, identities);
    size_t taken = 0;
    {
        std::lock_guard lock(mutex_);
        taken = nextToTake_;
    }
    earlier_.FiledBefore(taken);
}

std::vector<int32_t> FileReadAhead::Result::TakenNumbers() const
{
    std::vector<int32_t> numbers(headers.files.size(), -1);
    for (const TakenFirst& first : taken) {
        numbers.at(static_cast<size_t>(first.local)) = first.number;
    }
    return numbers;
}

void FileReadAhead::NoteFiled(const Result& result)
{
    for (const WideDigest& reading : result.headerReadings) {
        filed_.Note(reading);
    }
}

void FileReadAhead::LetGoFiledTokens(Result& result) const
{
    const std::vector<std::unique_ptr<CSourceFile>>& headers = result.headers.files;
    result.headerReadings.assign(headers.size(), WideDigest {});
    result.tokensLetGo.assign(headers.size(), false);
    std::vector<WideDigest> includes;
    for (size_t k = 0; k < headers.size() && k < result.headerBodies.size(); ++k) {
        CSourceFile* header = headers[k].get();
        if (header == nullptr) {
            continue;
        }
        // A header's includes were filed before it.
        includes.clear();
        for (int32_t number : header->includes) {
            includes.push_back(number >= 0 && static_cast<size_t>(number) < k
                    ? result.headerReadings[static_cast<size_t>(number)]
                    : WideDigest {});
        }
        const WideDigest reading =
            ReadingDigest(result.headerBodies[k], header->size, header->mtime, includes);
        result.headerReadings[k] = reading;
        if (!header->parsed && filed_.Contains(reading)) {
            std::vector<PPToken>().swap(header->scan.tokens);
            result.tokensLetGo[k] = true;
        }
    }
}

void FileReadAhead::Work(CInputSet& input)
{
    // The texts of the tokens this worker reads; a block goes when the
    // last text in it has gone, on whichever thread that is.
    TokenTextStore texts;
    for (;;) {
        // One result at a time, so that a stop finds the rest still queued.
        std::unique_ptr<Result> toFree;
        std::optional<size_t> index;
        std::unique_ptr<CSourceFile> former;
        {
            std::unique_lock lock(mutex_);
            const auto canRead = [&] {
                return !stopping_ && nextToRead_ < paths_.size() &&
                    nextToRead_ < nextToTake_ + ahead_;
            };
            changed_.wait(lock, [&] { return stopping_ || !discarded_.empty() || canRead(); });
            if (!discarded_.empty()) {
                toFree = std::move(discarded_.back());
                discarded_.pop_back();
            } else if (canRead()) {
                index = nextToRead_++;
                former = std::move(slots_[*index].former);
            } else if (stopping_) {
                return;
            }
        }
        toFree.reset();
        if (index) {
            Read(input, *index, std::move(former), texts);
            changed_.notify_all();
        }
    }
}

void FileReadAhead::Read(
    CInputSet& input, size_t index, std::unique_ptr<CSourceFile> former, TokenTextStore& texts)
{
    auto result = std::make_unique<Result>();
    KeptLines lines(result->messages);
    input.messages = &lines;
    try {
        const std::string& path = paths_[index];
        result->file = std::make_unique<CProjectFile>(path.c_str(), &input, input.defines);
        result->file->Load(CSourceScanner(&input.stopRequest, &texts), lines);
        result->file->onceFiles.clear();
        CPreprocessor preprocessor(result->file.get(), &input, &result->headers, &scanned_);
        preprocessor.ReadAheadOf(&earlier_, index, &result->taken, &result->waited);
        preprocessor.Run();
        // Units do not depend on the files before either: the file's own are
        // split and parsed here, and those of the headers no other worker
        // has taken on.
        ParseLimits limits;
        limits.stopRequest = &input.stopRequest;
        const auto splitAndParse = [&limits](CSourceFile& file) {
            CUnitSplitter::SplitTokens(file.scan.tokens, file.units);
            file.split = true;
            ParseFileUnits(file.units, limits);
        };
        if (former && SameTokens(former->scan.tokens, result->file->scan.tokens)) {
            MoveUnits(*former, *result->file);
        } else {
            splitAndParse(*result->file);
        }
        result->former = std::move(former);
        // A stand-in for an instance of the run's has nothing of its own.
        const std::vector<int32_t> taken = result->TakenNumbers();
        for (size_t k = 0; k < result->headers.files.size(); ++k) {
            CSourceFile* header = taken[k] >= 0 ? nullptr : result->headers.files[k].get();
            const WideDigest pathAndTokens =
                header ? PathAndTokensWideDigest(header->path, header->scan.tokens) : WideDigest {};
            result->headerBodies.push_back(
                header ? BodyDigest(pathAndTokens, header->macros) : WideDigest {});
            result->headerTokens.push_back(pathAndTokens);
            if (header && claims_.Claim(pathAndTokens.first, index)) {
                splitAndParse(*header);
                header->parsed = true;
            }
        }
        LetGoFiledTokens(*result);
    } catch (...) {
        result->failed = true;
    }
    input.messages = &StandardOutputSink();
    std::lock_guard lock(mutex_);
    slots_[index].result = std::move(result);
    slots_[index].ready = true;
}
