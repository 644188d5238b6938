// The per-file steps of an analysis run: a project file is taken back from
// the previous run or read, preprocessed, split and parsed, and the headers
// it brought in are parsed once.
#include "ProjectAnalyzer.h"

#include "LanguageTable.h"
#include "MacroTable.h"
#include "ParseDriver.h"
#include "Preprocessor.h"
#include "ProjectFile.h"
#include "SourceContent.h"
#include "SourceScanner.h"
#include "TwinUnits.h"
#include "UnitSplitter.h"

#include <algorithm>
#include <exception>

namespace {

ParseLimits LimitsFor(const CInputSet& input)
{
    ParseLimits limits;
    limits.stopRequest = &input.stopRequest;
    return limits;
}

} // namespace

void CProjectAnalyzer::AddOrUpdateFile(const std::string& path)
{
    auto kept = keptFiles_.find(path);
    if (kept != keptFiles_.end()) {
        std::unique_ptr<CSourceFile> record = std::move(kept->second);
        keptFiles_.erase(kept);
        if (record && TakeBack(*record)) {
            projectFiles_.push_back(std::move(record));
            TellFiled(*projectFiles_.back());
            return;
        }
        // It reused headers by name that a fresh reading would not: read
        // it again.
    }
    std::unique_ptr<FileReadAhead::Result> ahead =
        readAhead_ != nullptr ? readAhead_->Take(path) : nullptr;
    if (ahead && !ahead->failed && !FirstsAsTaken(*ahead)) {
        // A file before it read a header by name that this reading read
        // too: read it here; the files after it are still read ahead.
        readAhead_->Discard(std::move(ahead));
    }
    if (ahead && (ahead->failed || !LetGoHeadersFindTheirs(*ahead))) {
        // It threw, or let go of tokens it turns out to need: read it, and
        // the files after it, here.
        readAhead_->Stop();
        ahead.reset();
    }
    // Stopped after this file's reading is filed.
    const bool chained = ahead != nullptr && readingsChain_.Note(ahead->waited);
    filesReadAhead_ += ahead ? 1 : 0;
    std::unique_ptr<CProjectFile> file = ahead
        ? std::move(ahead->file)
        : std::make_unique<CProjectFile>(path.c_str(), input_, input_->defines);
    MessageLine(input_->Messages()) << GetLangString(10) << ": " << path;
    const size_t headersBefore = fileIndex_.files.size();
    recordsChanged_ = true;
    ParseAndCatch(*file, ahead.get());
    if (ahead) {
        readAhead_->Discard(std::move(ahead));
    }
    if (input_->stopRequest) {
        // The stop may have cut the file or its headers short: keep none of
        // it, so that nothing half read is taken for the whole file later.
        for (size_t i = headersBefore; i < fileIndex_.files.size(); ++i) {
            fileIndex_.UpdateEntry(static_cast<int32_t>(i));
        }
        return;
    }
    projectFiles_.push_back(std::move(file));
    TellFiled(*projectFiles_.back());
    if (chained) {
        // Nearly every reading waits for the file before it to be filed:
        // each comes a little later than the run would read it itself.
        readAhead_->Stop();
    }
}

void CProjectAnalyzer::TellFiled(const CSourceFile& file)
{
    if (readAhead_ == nullptr) {
        return;
    }
    readAhead_->Filed(fileIndex_, NamesRead(file));
}

bool CProjectAnalyzer::FirstsAsTaken(const FileReadAhead::Result& ahead) const
{
    // The headers it read itself by name have no first instance yet, and
    // those it took are still the first, as cut short or not as they were.
    for (const FileKey& identity : ahead.file->namesRead) {
        if (fileIndex_.FirstIndex(identity.path, identity.size, identity.mtime) >= 0) {
            return false;
        }
    }
    // A reading once cut short stays so: only those found whole are looked
    // at again, in one walk.
    std::vector<int32_t> whole;
    for (const TakenFirst& taken : ahead.taken) {
        const FileKey& identity = taken.identity;
        if (fileIndex_.FirstIndex(identity.path, identity.size, identity.mtime) != taken.number) {
            return false;
        }
        if (!taken.cut) {
            whole.push_back(taken.number);
        }
    }
    return !ReachesCutReading(whole);
}

const std::set<FileKey, FileKeyLess>& CProjectAnalyzer::NamesRead(const CSourceFile& file)
{
    static const std::set<FileKey, FileKeyLess> none;
    const auto* project = dynamic_cast<const CProjectFile*>(&file);
    return project != nullptr ? project->namesRead : none;
}

void CProjectAnalyzer::ParseAndCatch(CSourceFile& file, FileReadAhead::Result* ahead)
{
    try {
        ParseFile(file, ahead);
    } catch (const std::exception& failure) {
        MessageLine(input_->Messages(), MessageKind::Error)
            << GetLangString(3) << ": " << file.path << " : " << failure.what();
    } catch (...) {
        MessageLine(input_->Messages(), MessageKind::Error)
            << GetLangString(3) << ": " << file.path;
    }
}

std::vector<int32_t> CProjectAnalyzer::FileHeadersReadAhead(
    FileReadAhead::Result& ahead, CSourceFile& file)
{
    // A header's includes were filed before it, so its own number is known
    // by the time it is filed; filing a header finds an instance of the
    // same content, or adds it, exactly as its reading here would have.
    std::vector<int32_t> numbers(ahead.headers.files.size(), -1);
    auto renumber = [&numbers](std::vector<int32_t>& includes) {
        for (int32_t& number : includes) {
            number = numbers.at(static_cast<size_t>(number));
        }
    };
    const std::vector<int32_t> taken = ahead.TakenNumbers();
    for (size_t k = 0; k < ahead.headers.files.size(); ++k) {
        if (taken[k] >= 0) {
            numbers[k] = taken[k]; // the instance it stands in for
            continue;
        }
        // One found the same stays with the reading, which is freed
        // elsewhere.
        std::unique_ptr<CSourceFile>& header = ahead.headers.files[k];
        header->owner = input_;
        renumber(header->includes);
        const WideDigest body =
            k < ahead.headerBodies.size() ? ahead.headerBodies[k] : WideDigest {};
        const WideDigest tokens =
            k < ahead.headerTokens.size() ? ahead.headerTokens[k] : WideDigest {};
        int32_t number = fileIndex_.FindSame(*header, body);
        if (number < 0) {
            number = fileIndex_.Add(std::move(header), body, tokens);
            tokenTexts_.Pack(fileIndex_.files[static_cast<size_t>(number)]->scan.tokens);
        } else {
            CSourceFile& instance = *fileIndex_.files[static_cast<size_t>(number)];
            TakeKeptDefinitions(header->macros, instance.macros, file.macros);
            if (header->readingCut) {
                instance.readingCut = true;
            }
        }
        numbers[k] = number;
    }
    file.owner = input_;
    renumber(file.includes);
    // The headers it read by name itself are the first of their identity,
    // as they would be had the run read them.
    for (const FileKey& identity : NamesRead(file)) {
        const int32_t local =
            ahead.headers.FirstIndex(identity.path, identity.size, identity.mtime);
        if (local >= 0) {
            fileIndex_.OfferFirst(
                numbers.at(static_cast<size_t>(local)), fileIndex_.NextReadingStamp());
        }
    }
    return numbers;
}

bool CProjectAnalyzer::LetGoHeadersFindTheirs(FileReadAhead::Result& ahead) const
{
    const std::vector<bool>& letGo = ahead.tokensLetGo;
    if (std::find(letGo.begin(), letGo.end(), true) == letGo.end()) {
        return true;
    }
    // The numbers FileHeadersReadAhead would give, with those it would add
    // numbered after the index's files, which no instance includes.
    std::vector<std::unique_ptr<CSourceFile>>& headers = ahead.headers.files;
    std::vector<int32_t> numbers(headers.size(), -1);
    auto next = static_cast<int32_t>(fileIndex_.files.size());
    std::vector<int32_t> includes;
    const std::vector<int32_t> taken = ahead.TakenNumbers();
    for (size_t k = 0; k < headers.size(); ++k) {
        if (taken[k] >= 0) {
            numbers[k] = taken[k];
            continue;
        }
        if (headers[k] == nullptr) {
            return true; // as above
        }
        CSourceFile& header = *headers[k];
        includes = header.includes;
        for (int32_t& number : includes) {
            if (number < 0 || static_cast<size_t>(number) >= numbers.size()) {
                return true; // the filing fails here, before this header
            }
            number = numbers[static_cast<size_t>(number)];
        }
        std::swap(header.includes, includes);
        const WideDigest body =
            k < ahead.headerBodies.size() ? ahead.headerBodies[k] : WideDigest {};
        const int32_t found = fileIndex_.FindSame(header, body);
        std::swap(header.includes, includes);
        if (found < 0 && k < letGo.size() && letGo[k]) {
            return false;
        }
        numbers[k] = found >= 0 ? found : next++;
    }
    return true;
}

void CProjectAnalyzer::ParseFile(CSourceFile& file, FileReadAhead::Result* ahead)
{
    if (input_->verbose) {
        MessageLine(input_->Messages(), MessageKind::Verbose) << "Parsing : " << file.path;
    }
    // The headers a reading ahead filed, in the order filed.
    std::vector<int32_t> filed;
    if (ahead != nullptr) {
        for (const auto& [kind, line] : ahead->messages) {
            input_->Messages().Write(kind, line);
        }
        filed = FileHeadersReadAhead(*ahead, file);
        if (readAhead_ != nullptr) {
            readAhead_->NoteFiled(*ahead);
        }
        tokenTexts_.Pack(file.scan.tokens);
    } else {
        file.Load(CSourceScanner(&input_->stopRequest, &tokenTexts_), input_->Messages());
    }
    if (auto* project = ahead != nullptr ? nullptr : dynamic_cast<CProjectFile*>(&file)) {
        project->onceFiles.clear();
        CPreprocessor preprocessor(project, input_, &fileIndex_, &scannedFiles_, &tokenTexts_);
        preprocessor.Run();
        tokenTexts_.Pack(project->scan.tokens);
    }
    CUnitSplitter splitter(fileIndex_);
    if (ahead != nullptr) {
        // The file itself came parsed, and so may some of its headers: the
        // walks through the includes stop at those, so every header the
        // reading reached is visited.
        for (int32_t k : filed) {
            CSourceFile* header = fileIndex_.files.at(static_cast<size_t>(k)).get();
            if (header && !header->split) {
                splitter.SplitFile(*header);
            }
        }
    } else if (TakeFormerUnits(file)) {
        splitter.SplitHeadersOf(file);
    } else {
        splitter.SplitFile(file);
        ParseFileUnits(file.units, LimitsFor(*input_));
    }
    file.parsed = true;
    for (int32_t k : file.includes) {
        CSourceFile* header = fileIndex_.files.at(static_cast<size_t>(k)).get();
        if (header && !header->parsed) {
            ParseIncludedFile(*header, k);
        }
    }
    for (int32_t k : filed) {
        CSourceFile* header = fileIndex_.files.at(static_cast<size_t>(k)).get();
        if (header && !header->parsed) {
            ParseIncludedFile(*header, k);
        }
    }
}

bool CProjectAnalyzer::TakeFormerUnits(CSourceFile& file)
{
    auto former = formerFiles_.find(file.path);
    if (former == formerFiles_.end() || !former->second) {
        return false;
    }
    SourceFileList going;
    going.push_back(std::move(former->second));
    formerFiles_.erase(former);
    const bool same = SameTokens(going.front()->scan.tokens, file.scan.tokens);
    if (same) {
        MoveUnits(*going.front(), file);
    }
    Dispose(std::move(going));
    return same;
}

void CProjectAnalyzer::ParseIncludedFile(CSourceFile& header, int32_t number)
{
    if (input_->verbose) {
        MessageLine(input_->Messages(), MessageKind::Verbose)
            << "    IncludeFile : " << header.path;
    }
    if (header.parsed) {
        return;
    }
    // Another instance of the header with the same tokens (it read other
    // headers, or other macros were defined after it) has the units this
    // one would get: they are copied, not parsed again. An old instance of
    // a changed header may have the same tokens: it is going, so its units
    // are taken rather than copied; found by digest it costs no comparison
    // of tokens, and is looked for first.
    const WideDigest tokens = fileIndex_.PathAndTokensOf(number);
    int32_t retired = tokens.Known() ? fileIndex_.TakeRetiredTwin(header, tokens) : -1;
    const int32_t twin = retired < 0 ? fileIndex_.FindParsedTwin(header) : -1;
    if (retired < 0 && twin < 0 && !tokens.Known()) {
        retired = fileIndex_.TakeRetiredTwin(header);
    }
    header.parsed = true; // first, so that include cycles end
    if (twin >= 0) {
        CopyUnits(*fileIndex_.files[static_cast<size_t>(twin)], header);
    } else if (retired >= 0) {
        MoveUnits(*fileIndex_.files[static_cast<size_t>(retired)], header);
    } else {
        ParseFileUnits(header.units, LimitsFor(*input_));
    }
    for (int32_t k : header.includes) {
        if (CSourceFile* next = fileIndex_.files.at(static_cast<size_t>(k)).get()) {
            ParseIncludedFile(*next, k);
        }
    }
}
