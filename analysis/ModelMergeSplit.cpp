#include "ModelMergeSplit.h"

#include "ForEachOnThreads.h"
#include "InputSet.h"
#include "ModelMerge.h"
#include "SourceContent.h"
#include "SourceFile.h"
#include "UnitKind.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <memory>
#include <stdexcept>
#include <string_view>
#include <unordered_map>
#include <utility>

namespace {

// The header instances a thread compares at least.
constexpr size_t kLeastHeadersPerThread = 16;

// A step looks for an element of a unit: no merge comes near.
constexpr uint64_t kMostSteps = uint64_t {1} << 40;

struct Part {
    std::unique_ptr<CModelScope> root;
    MergePart merge;
    std::vector<MergeFailure> failures;
};

std::vector<MergeFailure> MergeOneAfterAnother(const CFileIndex& fileIndex,
    std::span<const TakenFile> files, CModelScope& root, CInputSet* input)
{
    std::vector<MergeFailure> failures;
    MergeContext context;
    for (size_t i = 0; i < files.size(); ++i) {
        try {
            CModelMerger(fileIndex, *files[i].file, input)
                .MergeTakenFile(root, context, files[i].projectFile);
        } catch (const std::exception& failure) {
            failures.push_back({i, failure.what()});
        }
    }
    return failures;
}

// The files' lists of declarations. Finding the units to merge walks every
// unit, most of them in function bodies: each file is listed once, by the
// first part that comes to it or, while a part waits for a list another
// makes, ahead of all of them, so that the parts share the walking out and
// then walk only what they merge.
class DeclarationLists {
public:
    using List = CModelMerger::Listing;

    DeclarationLists(const CFileIndex& fileIndex, std::span<const TakenFile> files,
        CInputSet* input, size_t parts)
        : fileIndex_(fileIndex),
          files_(files),
          input_(input),
          parts_(parts),
          states_(files.size()),
          passed_(files.size()),
          lists_(files.size())
    {
    }

    // The list of the i-th file, made here if no part has begun it.
    const List& Get(size_t i)
    {
        for (;;) {
            const int state = states_[i].load(std::memory_order_acquire);
            if (state == kListed) {
                return lists_[i];
            }
            if (state == kFailed) {
                throw std::runtime_error("The file's declarations could not be listed");
            }
            if (state == kWaiting && Claim(i)) {
                return lists_[i];
            }
            if (!ListAhead()) {
                states_[i].wait(kListing, std::memory_order_acquire);
            }
        }
    }

    // A part is through with the i-th file. The last one frees its
    // declarations, so that the lists of a large project are not all kept
    // beside its model; its path stays, by which the parts name the
    // defining files.
    void Passed(size_t i)
    {
        if (passed_[i].fetch_add(1, std::memory_order_acq_rel) + 1 == parts_) {
            std::vector<CModelMerger::Declaration>().swap(lists_[i].declarations);
        }
    }

private:
    static constexpr int kWaiting = 0;
    static constexpr int kListing = 1;
    static constexpr int kListed = 2;
    static constexpr int kFailed = 3;

    // Lists the file unless a part has begun it; false then.
    bool Claim(size_t i)
    {
        int waiting = kWaiting;
        if (!states_[i].compare_exchange_strong(waiting, kListing, std::memory_order_acq_rel)) {
            return false;
        }
        try {
            lists_[i] = CModelMerger(fileIndex_, *files_[i].file, input_).ListDeclarations();
        } catch (...) {
            states_[i].store(kFailed, std::memory_order_release);
            states_[i].notify_all();
            throw;
        }
        states_[i].store(kListed, std::memory_order_release);
        states_[i].notify_all();
        return true;
    }

    // Lists a file no part has come to yet; false when there is none left.
    bool ListAhead()
    {
        for (;;) {
            const size_t next = ahead_.fetch_add(1, std::memory_order_relaxed);
            if (next >= files_.size()) {
                return false;
            }
            if (Claim(next)) {
                return true;
            }
        }
    }

    const CFileIndex& fileIndex_;
    std::span<const TakenFile> files_;
    CInputSet* input_;
    size_t parts_;
    std::vector<std::atomic<int>> states_;
    std::vector<std::atomic<size_t>> passed_;
    std::vector<List> lists_;
    std::atomic<size_t> ahead_ {0};
};

bool PartsAgree(const std::vector<Part>& parts)
{
    for (const Part& part : parts) {
        if (part.failures != parts.front().failures ||
            part.merge.step != parts.front().merge.step ||
            part.merge.numbered != parts.front().merge.numbered) {
            return false;
        }
    }
    return true;
}

// Moves the children of the parts' roots under `root`, in order: no two
// parts hold a name, so they come out of the parts' child sets in turns.
void GatherChildren(std::vector<Part>& parts, CModelScope& root)
{
    std::vector<std::vector<std::unique_ptr<CModelScope>>> children;
    children.reserve(parts.size());
    for (Part& part : parts) {
        children.push_back(part.root->scopeChildren->Release());
    }
    std::vector<size_t> next(parts.size(), 0);
    const FunctionKeyLess less;
    for (;;) {
        size_t first = parts.size();
        for (size_t p = 0; p < parts.size(); ++p) {
            if (next[p] < children[p].size() &&
                (first == parts.size() ||
                    less(*children[p][next[p]], *children[first][next[first]]))) {
                first = p;
            }
        }
        if (first == parts.size()) {
            return;
        }
        std::unique_ptr<CModelScope>& child = children[first][next[first]++];
        child->parent = &root;
        root.scopeChildren->AddLast(std::move(child));
    }
}

} // namespace

std::vector<char> RepeatedHeaders(
    std::span<const std::unique_ptr<CSourceFile>> headers, unsigned threads)
{
    // Tokens that are the same are the same to every instance, so a header
    // repeats one before it exactly when an earlier instance of its path has
    // its tokens. Each instance of a path of several is compared with the
    // earlier ones, all instances at once (a header that every file
    // includes has as many as files, mostly alike, which the first of them
    // answers); other tokens mostly differ at once.
    std::unordered_map<std::string_view, std::vector<size_t>> instancesOf;
    for (size_t i = 0; i < headers.size(); ++i) {
        if (headers[i]) {
            instancesOf[headers[i]->path].push_back(i);
        }
    }
    // Each instance after the first of its path, with the instances before.
    std::vector<std::pair<size_t, std::span<const size_t>>> later;
    for (const auto& [path, instances] : instancesOf) {
        for (size_t k = 1; k < instances.size(); ++k) {
            later.emplace_back(instances[k], std::span<const size_t>(instances.data(), k));
        }
    }
    std::vector<char> repeated(headers.size(), 0);
    ForEachOnThreads(
        later.size(), threads, [] { return 0; },
        [&](size_t k, int) {
            const auto& [instance, before] = later[k];
            const std::vector<PPToken>& tokens = headers[instance]->scan.tokens;
            repeated[instance] = std::any_of(before.begin(), before.end(),
                [&](size_t earlier) { return SameTokens(headers[earlier]->scan.tokens, tokens); });
        },
        kLeastHeadersPerThread);
    return repeated;
}

SplitMerge MergeSplitByName(const CFileIndex& fileIndex, std::span<const TakenFile> files,
    CModelScope& root, CInputSet* input, size_t parts)
{
    if (!root.scopeChildren) {
        root.scopeChildren = std::make_unique<ScopeChildSet>();
    }
    if (parts <= 1) {
        return {MergeOneAfterAnother(fileIndex, files, root, input), false};
    }
    // Far more numbers than a merge has steps.
    const uint64_t firstNumber = CModelScope::SetNumbersAside(kMostSteps);
    std::vector<Part> split(parts);
    for (size_t p = 0; p < parts; ++p) {
        Part& part = split[p];
        part.root = std::make_unique<CModelScope>();
        part.root->kind = UNIT_ROOT;
        part.root->scopeChildren = std::make_unique<ScopeChildSet>();
        part.merge.root = part.root.get();
        part.merge.index = p;
        part.merge.count = parts;
        part.merge.firstNumber = firstNumber;
        part.merge.firstFileNumber = input ? static_cast<int32_t>(input->fileNumbers.size()) : 0;
    }
    DeclarationLists declarations(fileIndex, files, input, parts);
    ForEachOnThreads(
        parts, static_cast<unsigned>(parts), [] { return 0; },
        [&](size_t p, int) {
            Part& part = split[p];
            MergeContext context;
            for (size_t i = 0; i < files.size(); ++i) {
                try {
                    CModelMerger(fileIndex, *files[i].file, input)
                        .MergePartOfFile(
                            part.merge, context, files[i].projectFile, declarations.Get(i));
                } catch (const std::exception& failure) {
                    part.failures.push_back({i, failure.what()});
                }
                declarations.Passed(i);
            }
        },
        1);
    if (!PartsAgree(split)) {
        split.clear();
        return {MergeOneAfterAnother(fileIndex, files, root, input), false};
    }
    if (input) {
        for (std::string_view path : split.front().merge.numbered) {
            input->AddNumber(std::string(path));
        }
    }
    GatherChildren(split, root);
    return {std::move(split.front().failures), true};
}
