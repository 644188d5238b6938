// The include part of the preprocessor: where an include is read from, and
// whether a header is read again or an instance already filed is taken.
#include "Preprocessor.h"

#include "LanguageTable.h"
#include "SourceScanner.h"
#include "TextHelpers.h"
#include "TokenType.h"

namespace {

void WriteStopLine(MessageSink& messages, const std::string& path)
{
    MessageLine(messages) << GetLangString(1) << ": " << path;
}

bool IsPrecompiledHeader(const std::string& path)
{
    return path.size() >= 8 && ToLowerCopy(path.substr(path.size() - 8)) == "stdafx.h";
}

// Copies the macros of header `number` and of every header reachable through
// its includes (each once, in include order) into the chain's table; names
// already there keep their definition.
void CopyReachableMacros(const CFileIndex& index, int32_t number, CPreprocessor::Chain& chain,
    std::set<int32_t>& visited)
{
    if (number < 0 || static_cast<size_t>(number) >= index.files.size() ||
        !visited.insert(number).second || !index.files[number]) {
        return;
    }
    const CSourceFile& header = *index.files[number];
    for (const auto& [name, def] : header.macros) {
        if (chain.macros->emplace(name, def).second) {
            chain.macroDigest.Change(name, nullptr, &def);
        }
    }
    for (int32_t nested : header.includes) {
        CopyReachableMacros(index, nested, chain, visited);
    }
}

// A header reused as it was first read brings that reading's gaps along:
// includes below it that were not read (too deep, a failure) are not read
// for this project file either, which says so once.
void ReportCutBelow(const std::string& path, CPreprocessor::Chain& chain, MessageSink& messages)
{
    if (chain.depthLimitReported)
        return;
    chain.depthLimitReported = true;
    MessageLine(messages, MessageKind::Error)
        << "Includes below " << path
        << " were cut short when it was first read (nested too deep, or a failure): "
           "they are not read for "
        << chain.projectPath << " either";
}

void ReportReusedCut(const CFileIndex& index, const std::set<int32_t>& reached,
    const std::string& path, CPreprocessor::Chain& chain, MessageSink& messages)
{
    for (int32_t k : reached) {
        const CSourceFile* file = index.files.at(static_cast<size_t>(k)).get();
        if (file != nullptr && file->readingCut) {
            ReportCutBelow(path, chain, messages);
            return;
        }
    }
}

} // namespace

bool CPreprocessor::ReusesByName(const CInputSet& input, const std::string& path)
{
    return IsPrecompiledHeader(path) || !input.sameNameOption;
}

void CPreprocessor::IncludeFile(const std::string& rawName, bool quoted)
{
    if (depth_ >= kMaxIncludeDepth) {
        file_->readingCut = true;
        // Once per project file: below the limit every include line of every
        // header read again would say the same.
        if (!chain_->depthLimitReported) {
            chain_->depthLimitReported = true;
            MessageLine(input_->Messages(), MessageKind::Error)
                << "Includes nested deeper than " << kMaxIncludeDepth << " levels: " << rawName
                << " is not read in " << file_->path << ", nor any other include as deep ("
                << chain_->projectPath << ")";
        }
        return;
    }
    if (chain_->headerLoads >= kMaxHeaderLoads) {
        file_->readingCut = true;
        if (!chain_->loadLimitReported) {
            chain_->loadLimitReported = true;
            MessageLine(input_->Messages(), MessageKind::Error)
                << "More than " << kMaxHeaderLoads
                << " headers read for one file: further includes are not read (" << file_->path
                << ")";
        }
        return;
    }
    const std::optional<std::string> path =
        ResolveInclude(*input_, chain_->paths, file_->path, rawName, quoted);
    if (path) {
        LoadHeader(*path, quoted);
    }
}

std::optional<std::string> CPreprocessor::ResolveInclude(const CInputSet& input,
    CIncludePaths& paths, const std::string& includerPath, const std::string& rawName, bool quoted)
{
    const std::string name = CIncludePaths::Normalise(rawName);
    if (quoted) {
        const std::string candidate = CIncludePaths::ResolveBeside(includerPath, name);
        std::string found = paths.FindFile(candidate);
        if (found.empty()) {
            for (const std::string& folder : input.userIncludeDirs) {
                found = paths.FindFile(CIncludePaths::Join(folder, name));
                if (!found.empty()) {
                    break;
                }
            }
        }
        // A header found nowhere is read from beside the including file,
        // where it is missing: its record has no tokens.
        return found.empty() ? candidate : found;
    }
    if (input.searchSystemIncludes) {
        for (const std::string& folder : input.includeDirs) {
            std::string found = paths.FindFile(CIncludePaths::Join(folder, name));
            if (!found.empty()) {
                return found;
            }
        }
    }
    return std::nullopt;
}

std::vector<std::optional<std::string>> CPreprocessor::ResolveIncludes(
    const CInputSet& input, CIncludePaths& paths, const CSourceFile& file)
{
    // The directives are found as the token loop found them: a '#' and the
    // words after it, except in #define and #undef lines, which it passed
    // over whole.
    std::vector<std::optional<std::string>> resolved;
    const std::vector<PPToken>& tokens = file.scan.tokens;
    for (size_t k = 0; k + 1 < tokens.size(); ++k) {
        if (tokens[k].type != SHARP) {
            continue;
        }
        const PPToken& word = tokens[k + 1];
        if (word.type == WORD_DEFINE || word.type == WORD_UNDEF) {
            while (k + 1 < tokens.size() && tokens[k + 1].type != ENDLINE) {
                ++k;
            }
        } else if (word.type == Q_CHAR && word.text != nullptr && word.text[0] != '\0') {
            resolved.push_back(ResolveInclude(input, paths, file.path, word.text, false));
        } else if (word.type == WORD_INCLUDE && k + 2 < tokens.size() &&
            (tokens[k + 2].type == STRINGS || tokens[k + 2].type == H_CHAR)) {
            const char* name = tokens[k + 2].text;
            resolved.push_back(ResolveInclude(input, paths, file.path, name ? name : "", true));
        }
    }
    return resolved;
}

void CPreprocessor::LoadHeader(const std::string& path, bool quoted)
{
    const int depth = depth_ + 1;
    const bool byName = ReusesByName(*input_, path);
    if (!byName) {
        const int32_t repeated = RepeatedReading(path, depth);
        if (repeated >= 0) {
            file_->includes.push_back(repeated);
            return;
        }
    }
    ++chain_->headerLoads;
    const Reading reading = StartReading();
    auto header = std::make_unique<CIncludedFile>(path.c_str(), input_, quoted);
    if (chain_->scanned != nullptr) {
        chain_->scanned->Load(
            *header, CSourceScanner(&input_->stopRequest, chain_->texts), input_->Messages());
    } else {
        header->Load(CSourceScanner(&input_->stopRequest, chain_->texts), input_->Messages());
    }
    const int32_t number = PreprocessHeader(std::move(header), input_, index_, chain_, depth);
    if (number >= 0) {
        file_->includes.push_back(number);
    }
    if (!byName) {
        FinishReading(reading, path, depth, number);
    }
}

CPreprocessor::Reading CPreprocessor::StartReading() const
{
    Reading reading;
    reading.macrosBefore = chain_->macroDigest.Value();
    reading.onceBefore = chain_->onceFiles->size();
    reading.firstsBefore = index_->FirstsChanged();
    reading.expandedBefore = chain_->expandedTokens;
    reading.expansionLimited = chain_->expansionLimitReported;
    return reading;
}

void CPreprocessor::FinishReading(
    Reading reading, const std::string& path, int depth, int32_t number)
{
    reading.macrosAfter = chain_->macroDigest.Value();
    reading.onceAfter = chain_->onceFiles->size();
    reading.firstsAfter = index_->FirstsChanged();
    reading.expandedAfter = chain_->expandedTokens;
    reading.expansionLimited = reading.expansionLimited || chain_->expansionLimitReported;
    reading.number = number;
    chain_->readings[{path, depth}] = reading;
}

int32_t CPreprocessor::RepeatedReading(const std::string& path, int depth) const
{
    // A reading that left the macros, the #pragma once set and the first
    // instances as it found them, with all three still so now, would read
    // exactly the same tokens again, as long as the room for macro
    // expansion is not what stops it: a header that includes itself twice
    // without a guard costs one reading per depth, not two to the depth.
    auto found = chain_->readings.find({path, depth});
    if (found == chain_->readings.end()) {
        return -1;
    }
    const Reading& r = found->second;
    const uint64_t macros = chain_->macroDigest.Value();
    const size_t once = chain_->onceFiles->size();
    const uint64_t firsts = index_->FirstsChanged();
    const size_t expanded = r.expandedAfter - r.expandedBefore;
    const bool unchanged = r.macrosBefore == r.macrosAfter && r.macrosAfter == macros &&
        r.onceBefore == r.onceAfter && r.onceAfter == once && r.firstsBefore == r.firstsAfter &&
        r.firstsAfter == firsts && !r.expansionLimited && expanded <= ExpansionRoom();
    // Like the load limit, the room for expansion counts only what is done.
    return unchanged ? r.number : -1;
}

int32_t CPreprocessor::PreprocessHeader(std::unique_ptr<CIncludedFile> header, CInputSet* input,
    CFileIndex* index, Chain* chain, int depth)
{
    const std::string path = header->path;
    const uint64_t stamp = index->NextReadingStamp();
    const bool byName = ReusesByName(*input, path);
    if (byName) {
        const int32_t first = index->FirstIndex(path, header->size, header->mtime);
        if (first >= 0) {
            std::set<int32_t> visited;
            CopyReachableMacros(*index, first, *chain, visited);
            ReportReusedCut(*index, visited, path, *chain, input->Messages());
            return first;
        }
        if (chain->earlier != nullptr) {
            const int32_t taken = TakeEarlierFirst(header, input, index, chain);
            if (taken >= 0) {
                return taken;
            }
        }
        chain->namesRead->insert(IdentityOf(*header));
    }
    if (input->verbose) {
        MessageLine(input->Messages(), MessageKind::Verbose) << GetLangString(9) << path;
    }
    // A failure ends the header's preprocessing as it ends a project file's:
    // the tokens not yet handled stay, and the header is kept like any other.
    CPreprocessor nested(header.get(), &header->macros, input, index, chain, depth);
    try {
        nested.ProcessTokens();
    } catch (const std::exception&) {
        header->readingCut = true;
        WriteStopLine(input->Messages(), path);
    }
    // An instance is shared only by readings that gave exactly the same.
    int32_t number = index->FindSame(*header);
    if (number < 0) {
        number = index->Add(std::move(header));
        if (chain->texts != nullptr) {
            chain->texts->Pack(index->files[static_cast<size_t>(number)]->scan.tokens);
        }
    } else {
        CSourceFile& instance = *index->files[static_cast<size_t>(number)];
        TakeKeptDefinitions(header->macros, instance.macros, *chain->macros);
        if (header->readingCut) {
            instance.readingCut = true; // one read back from a cache did not know
        }
    }
    if (byName) {
        index->OfferFirst(number, stamp);
    }
    return number;
}

int32_t CPreprocessor::TakeEarlierFirst(
    std::unique_ptr<CIncludedFile>& header, CInputSet* input, CFileIndex* index, Chain* chain)
{
    FileKey identity = IdentityOf(*header);
    std::vector<TakenFirst>& taken = *chain->taken;
    auto before = chain->takenAt.find(identity);
    const int32_t number = before != chain->takenAt.end()
        ? taken[before->second].number
        : chain->earlier->Find(identity, chain->order, input->stopRequest, *chain->waited);
    if (number < 0) {
        return -1;
    }
    // As the run copies them from the instance in its index.
    bool cut = false;
    const bool copied = chain->earlier->CopyReached(
        number,
        [chain](const MacroTable& macros) {
            for (const auto& [name, def] : macros) {
                if (chain->macros->emplace(name, def).second) {
                    chain->macroDigest.Change(name, nullptr, &def);
                }
            }
        },
        cut);
    if (!copied) {
        return -1; // the reading ahead stops: it is not used
    }
    if (cut) {
        ReportCutBelow(header->path, *chain, input->Messages());
    }
    if (before != chain->takenAt.end()) {
        return taken[before->second].local;
    }
    // It stands in for the run's instance, which the run files instead.
    std::vector<PPToken>().swap(header->scan.tokens);
    const int32_t local = index->Add(std::move(header));
    chain->takenAt.emplace(identity, taken.size());
    taken.push_back({std::move(identity), local, number, cut});
    return local;
}
