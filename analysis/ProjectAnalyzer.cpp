#include "ProjectAnalyzer.h"

#include "CallCollector.h"
#include "FileStatus.h"
#include "LanguageTable.h"
#include "ParseCacheReader.h"
#include "ParseCacheWriter.h"
#include "UnitDetail.h"

#include <set>

namespace {

// Whether the file on disk has another size or time than its record; a file
// that cannot be read counts as unchanged.
bool ChangedOnDisk(const CSourceFile& file)
{
    const FileSizeAndTime now = GetFileSizeAndTime(file.path);
    return now.size != 0 && now.mtime != 0 && (now.size != file.size || now.mtime != file.mtime);
}

} // namespace

CProjectAnalyzer::CProjectAnalyzer(CInputSet* input) : input_(input)
{
    ResetModel();
}

void CProjectAnalyzer::ResetModel()
{
    functionTable_.clear();
    lifelineNames_.clear();
    ++modelGeneration_;
    root_ = std::make_unique<CModelScope>();
    root_->kind = UNIT_ROOT;
    root_->scopeChildren = std::make_unique<ScopeChildSet>();
}

void CProjectAnalyzer::Run()
{
    RemoveDeletedFiles();
    RemoveChangedFiles();
    StashProjectFiles();

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
            input_->percent = static_cast<int32_t>(100.0 * static_cast<double>(i) /
                                                   static_cast<double>(count));
            ++i;
        }
    } catch (...) {
        TakeBackUnvisited(std::string());
        throw;
    }
    TakeBackUnvisited(unvisited);
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
    for (const auto& [path, file] : keptFiles_) {
        if (file) {
            recordsChanged_ = true; // a record that was not taken back goes
        }
    }
    keptFiles_.clear();
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
        while (RemoveRecord(path)) {
        }
    }
}

std::vector<bool> CProjectAnalyzer::FindChangedHeaders() const
{
    const size_t n = fileIndex_.files.size();
    std::vector<bool> changed(n, false);
    std::vector<size_t> pending;
    for (size_t i = 0; i < n; ++i) {
        const CSourceFile* header = fileIndex_.files[i].get();
        if (header && ChangedOnDisk(*header)) {
            changed[i] = true;
            pending.push_back(i);
        }
    }
    // Every header that reaches a changed one, through any number of
    // includes, is affected: one walk up the reversed include graph.
    std::vector<std::vector<size_t>> includedBy(n);
    for (size_t i = 0; i < n; ++i) {
        if (const CSourceFile* header = fileIndex_.files[i].get()) {
            for (int32_t k : header->includes) {
                if (k >= 0 && static_cast<size_t>(k) < n) {
                    includedBy[static_cast<size_t>(k)].push_back(i);
                }
            }
        }
    }
    while (!pending.empty()) {
        const size_t k = pending.back();
        pending.pop_back();
        for (size_t i : includedBy[k]) {
            if (!changed[i]) {
                changed[i] = true;
                pending.push_back(i);
            }
        }
    }
    return changed;
}

bool CProjectAnalyzer::IncludesChangedHeader(const CSourceFile& file,
                                             const std::vector<bool>& changed)
{
    bool any = false;
    for (int32_t k : file.includes) {
        if (k >= 0 && static_cast<size_t>(k) < changed.size() && changed[static_cast<size_t>(k)]) {
            any = true;
        }
    }
    if (any) {
        for (int32_t k : file.includes) {
            if (k >= 0 && static_cast<size_t>(k) < fileIndex_.files.size()) {
                fileIndex_.UpdateEntry(k);
            }
        }
    }
    return any;
}

void CProjectAnalyzer::RemoveChangedFiles()
{
    if (projectFiles_.empty()) {
        return;
    }
    const std::vector<bool> changed = FindChangedHeaders();
    // A changed or affected header must be read again by whoever includes
    // it next, so none of them may be found by identity any more.
    for (size_t i = 0; i < changed.size(); ++i) {
        if (changed[i]) {
            fileIndex_.UpdateEntry(static_cast<int32_t>(i));
        }
    }
    SourceFileList kept;
    kept.reserve(projectFiles_.size());
    for (auto& file : projectFiles_) {
        const FileSizeAndTime now = GetFileSizeAndTime(file->path);
        const bool unreadable = now.size == 0 || now.mtime == 0;
        if (unreadable || (now.size == file->size && now.mtime == file->mtime &&
                           !IncludesChangedHeader(*file, changed))) {
            kept.push_back(std::move(file));
        } else {
            recordsChanged_ = true;
        }
    }
    projectFiles_ = std::move(kept);
}

void CProjectAnalyzer::StashProjectFiles()
{
    keptFiles_.clear();
    for (auto& file : projectFiles_) {
        const std::string path = file->path;
        keptFiles_[path] = std::move(file);
    }
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
    if (RemoveRecord(path)) {
        BuildGlobalModel(3); // the model must not refer to the deleted units
    }
}

void CProjectAnalyzer::RemoveUnreachableHeaders()
{
    const size_t n = fileIndex_.files.size();
    if (n == 0) {
        return;
    }
    std::vector<bool> reach(n, false);
    std::vector<int32_t> pending;
    auto visit = [&](const CSourceFile& file) {
        for (int32_t k : file.includes) {
            if (k >= 0 && static_cast<size_t>(k) < n && !reach[static_cast<size_t>(k)]) {
                reach[static_cast<size_t>(k)] = true;
                pending.push_back(k);
            }
        }
    };
    for (const auto& file : projectFiles_) {
        visit(*file);
        while (!pending.empty()) {
            const int32_t k = pending.back();
            pending.pop_back();
            if (const CSourceFile* header = fileIndex_.files[static_cast<size_t>(k)].get()) {
                visit(*header);
            }
        }
    }
    std::vector<int32_t> renumber(n, -1);
    int32_t next = 0;
    for (size_t i = 0; i < n; ++i) {
        if (reach[i]) {
            renumber[i] = next++;
        }
    }
    if (static_cast<size_t>(next) == n) {
        return; // every header is reached: nothing moves
    }
    recordsChanged_ = true;
    // Renumbering registers every kept header again; one that had been
    // withdrawn (it reaches a changed header) must stay withdrawn.
    std::vector<int32_t> withdrawn;
    for (size_t i = 0; i < n; ++i) {
        const CSourceFile* header = fileIndex_.files[i].get();
        if (reach[i] && header &&
            fileIndex_.FindIndex(header->path, header->size, header->mtime,
                                 static_cast<int32_t>(header->scan.tokens.size())) < 0) {
            withdrawn.push_back(renumber[i]);
        }
    }
    fileIndex_.RemoveUnmarked(reach);
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
        if (header) {
            update(*header);
        }
    }
    for (int32_t k : withdrawn) {
        fileIndex_.UpdateEntry(k);
    }
}

bool CProjectAnalyzer::IsAnyFileChanged() const
{
    for (const auto& file : projectFiles_) {
        if (ChangedOnDisk(*file)) {
            return true;
        }
    }
    for (const auto& header : fileIndex_.files) {
        if (header && ChangedOnDisk(*header)) {
            return true;
        }
    }
    return false;
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
        return {};
    }
}

bool CProjectAnalyzer::AreAllFilesFlagged() const
{
    for (const auto& file : projectFiles_) {
        auto flags = input_->fileFlags.find(file->path);
        if (flags == input_->fileFlags.end() || !flags->second.analyse || !flags->second.draw) {
            return false;
        }
    }
    return true;
}

void CProjectAnalyzer::IndexFunction(CModelScope& scope)
{
    if (scope.kind != UNIT_FUNCTION) {
        return;
    }
    // The parameter count comes from the first unit that is a function (a
    // variable and a function without parameters of one name are one
    // element, whose first unit may be the variable).
    const CFunctionInfo* record = nullptr;
    for (const auto* list : {&scope.declarations, &scope.definitions}) {
        for (const CUnit* unit : *list) {
            if (!record && unit) {
                record = AsFunctionInfo(*unit);
            }
        }
    }
    if (record) {
        // The first function indexed under a key keeps it.
        CallKey key{scope.name, static_cast<int32_t>(record->parameters.size())};
        auto place = functionTable_.lower_bound(key);
        if (place == functionTable_.end() || CallKeyLess()(key, place->first)) {
            functionTable_.emplace_hint(place, std::move(key), &scope);
        }
    }
    if (root_) {
        auto& functionMap = root_->functionMap;
        auto place = functionMap.lower_bound(scope.name);
        if (place == functionMap.end() || place->first != scope.name) {
            place = functionMap.emplace_hint(place, scope.name, FunctionDefinitions());
        }
        FunctionDefinitions& entry = place->second;
        entry.units.insert(entry.units.end(), scope.definitions.begin(), scope.definitions.end());
        entry.count = static_cast<int32_t>(entry.units.size());
    }
}

bool CProjectAnalyzer::SaveCache(const std::string& path) const
{
    CParseCacheWriter writer(projectFiles_, fileIndex_);
    return writer.Save(path);
}

bool CProjectAnalyzer::LoadCache(const std::string& path)
{
    CParseCacheReader reader(projectFiles_, fileIndex_, input_, input_->Messages());
    const bool loaded = reader.Load(path);
    recordsChanged_ = recordsChanged_ || loaded;
    cacheFailure_ = reader.Failure();
    if (!loaded && input_->verbose)
        MessageLine(input_->Messages(), MessageKind::Verbose)
            << "Parse cache " << path << " not loaded: " << cacheFailure_;
    return loaded;
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
    if (recordsChanged_ || MergeFlags() != mergedFlags_) {
        BuildGlobalModel(mode);
    } else {
        lifelineNames_.clear();
    }
}
