#include "FileIndex.h"

#include "SourceContent.h"
#include "TextHelpers.h"

#include <algorithm>
#include <tuple>

FileKey IdentityOf(const std::string& path, int32_t size, int32_t mtime)
{
    return FileKey {ToLowerCopy(path), size, mtime};
}

FileKey IdentityOf(const CSourceFile& file)
{
    return IdentityOf(file.path, file.size, file.mtime);
}

bool FileKeyLess::operator()(const FileKey& a, const FileKey& b) const
{
    return std::tie(a.path, a.size, a.mtime) < std::tie(b.path, b.size, b.mtime);
}

int32_t CFileIndex::Add(
    std::unique_ptr<CSourceFile> file, WideDigest body, WideDigest pathAndTokens)
{
    const int32_t number = static_cast<int32_t>(files.size());
    if (file) {
        entries[IdentityOf(*file)].push_back(number);
    }
    files.push_back(std::move(file));
    if (body.Known()) {
        bodies_.resize(files.size());
        bodies_.back() = body;
    }
    if (pathAndTokens.Known()) {
        pathAndTokens_.resize(files.size());
        pathAndTokens_.back() = pathAndTokens;
    }
    return number;
}

WideDigest CFileIndex::PathAndTokensOf(int32_t number) const
{
    return number >= 0 && static_cast<size_t>(number) < pathAndTokens_.size()
        ? pathAndTokens_[static_cast<size_t>(number)]
        : WideDigest {};
}

bool CFileIndex::Contains(const std::string& path, int32_t size, int32_t mtime) const
{
    return entries.count(IdentityOf(path, size, mtime)) != 0;
}

WideDigest CFileIndex::Body(int32_t number) const
{
    if (bodies_.size() < files.size()) {
        bodies_.resize(files.size());
    }
    WideDigest& body = bodies_[static_cast<size_t>(number)];
    if (!body.Known()) {
        body = BodyDigest(*files[static_cast<size_t>(number)]);
    }
    return body;
}

uint64_t CFileIndex::Digest(int32_t number) const
{
    return ContentDigest(*files[static_cast<size_t>(number)], Body(number).first);
}

int32_t CFileIndex::FindSame(const CSourceFile& header, WideDigest body) const
{
    auto found = entries.find(IdentityOf(header));
    if (found == entries.end()) {
        return -1;
    }
    if (body.Known()) {
        for (int32_t number : found->second) {
            const CSourceFile* instance = files[static_cast<size_t>(number)].get();
            if (instance && Body(number) == body && instance->includes == header.includes &&
                instance->path == header.path) {
                return number;
            }
        }
        return -1;
    }
    // A few instances are compared outright; among many, digests pass over
    // most of them.
    const bool many = found->second.size() > 2;
    const uint64_t digest = many ? ContentDigest(header) : 0;
    for (int32_t number : found->second) {
        const CSourceFile* instance = files[static_cast<size_t>(number)].get();
        if (instance && (!many || Digest(number) == digest) && SameContent(*instance, header)) {
            return number;
        }
    }
    return -1;
}

namespace {

// The first of the numbers that is a parsed twin of the header, or none.
std::vector<int32_t>::const_iterator FindTwin(
    const std::vector<std::unique_ptr<CSourceFile>>& files, const std::vector<int32_t>& numbers,
    const CSourceFile& header)
{
    return std::find_if(numbers.begin(), numbers.end(), [&](int32_t number) {
        const CSourceFile* instance = files[static_cast<size_t>(number)].get();
        return instance && instance != &header && instance->parsed &&
            instance->path == header.path && SameTokens(instance->scan.tokens, header.scan.tokens);
    });
}

} // namespace

int32_t CFileIndex::FindParsedTwin(const CSourceFile& header) const
{
    auto found = entries.find(IdentityOf(header));
    if (found == entries.end()) {
        return -1;
    }
    auto twin = FindTwin(files, found->second, header);
    return twin == found->second.end() ? -1 : *twin;
}

int32_t CFileIndex::TakeRetiredTwin(const CSourceFile& header, WideDigest pathAndTokens)
{
    if (pathAndTokens.Known()) {
        auto found = retiredByTokens_.find(pathAndTokens.first);
        if (found != retiredByTokens_.end()) {
            for (auto number = found->second.begin(); number != found->second.end(); ++number) {
                const CSourceFile* instance = files[static_cast<size_t>(*number)].get();
                if (instance && instance->parsed && instance->path == header.path &&
                    PathAndTokensOf(*number) == pathAndTokens) {
                    const int32_t twin = *number;
                    found->second.erase(number);
                    return twin;
                }
            }
        }
    }
    auto found = retired_.find(header.path);
    if (found == retired_.end()) {
        return -1;
    }
    auto twin = FindTwin(files, found->second, header);
    if (twin == found->second.end()) {
        return -1;
    }
    const int32_t number = *twin;
    found->second.erase(twin);
    return number;
}

void CFileIndex::OfferFirst(int32_t number, uint64_t stamp)
{
    if (number < 0 || static_cast<size_t>(number) >= files.size() || !files[number]) {
        return;
    }
    First& first = firsts_[IdentityOf(*files[number])];
    if (first.number < 0 || stamp < first.stamp) {
        if (first.number != number) {
            ++firstsChanged_;
        }
        first = First {stamp, number};
    }
}

int32_t CFileIndex::FirstIndex(const std::string& path, int32_t size, int32_t mtime) const
{
    auto found = firsts_.find(IdentityOf(path, size, mtime));
    return found == firsts_.end() ? -1 : found->second.number;
}

void CFileIndex::ForgetFirsts()
{
    firsts_.clear();
    ++firstsChanged_;
}

void CFileIndex::UpdateEntry(int32_t i)
{
    if (i < 0 || static_cast<size_t>(i) >= files.size() || !files[i]) {
        return;
    }
    const FileKey key = IdentityOf(*files[i]);
    auto found = entries.find(key);
    if (found != entries.end()) {
        auto& numbers = found->second;
        numbers.erase(std::remove(numbers.begin(), numbers.end(), i), numbers.end());
    }
    auto first = firsts_.find(key);
    if (first != firsts_.end() && first->second.number == i) {
        firsts_.erase(first);
        ++firstsChanged_;
    }
}

void CFileIndex::Restamp(int32_t i, int32_t mtime)
{
    if (i < 0 || static_cast<size_t>(i) >= files.size() || !files[i]) {
        return;
    }
    UpdateEntry(i);
    auto old = entries.find(IdentityOf(*files[i]));
    if (old != entries.end() && old->second.empty()) {
        entries.erase(old);
    }
    files[i]->mtime = mtime;
    std::vector<int32_t>& numbers = entries[IdentityOf(*files[i])];
    numbers.insert(std::upper_bound(numbers.begin(), numbers.end(), i), i);
}

void CFileIndex::Retire(int32_t i)
{
    if (i < 0 || static_cast<size_t>(i) >= files.size() || !files[i]) {
        return;
    }
    UpdateEntry(i);
    retired_[files[i]->path].push_back(i);
    const WideDigest tokens = PathAndTokensOf(i);
    if (tokens.Known()) {
        retiredByTokens_[tokens.first].push_back(i);
    }
}

void CFileIndex::Retire(const std::vector<bool>& which)
{
    const size_t n = std::min(which.size(), files.size());
    const auto marked = [&](int32_t number) {
        return number >= 0 && static_cast<size_t>(number) < n && which[number] && files[number];
    };
    std::vector<int32_t> going;
    for (size_t i = 0; i < n; ++i) {
        if (marked(static_cast<int32_t>(i))) {
            going.push_back(static_cast<int32_t>(i));
        }
    }
    if (going.empty()) {
        return;
    }
    for (auto& [identity, numbers] : entries) {
        numbers.erase(std::remove_if(numbers.begin(), numbers.end(), marked), numbers.end());
    }
    for (auto first = firsts_.begin(); first != firsts_.end();) {
        if (marked(first->second.number)) {
            first = firsts_.erase(first);
            ++firstsChanged_;
        } else {
            ++first;
        }
    }
    for (int32_t i : going) {
        retired_[files[i]->path].push_back(i);
        const WideDigest tokens = PathAndTokensOf(i);
        if (tokens.Known()) {
            retiredByTokens_[tokens.first].push_back(i);
        }
    }
}

std::vector<uint64_t> CFileIndex::ParsedTokenDigests() const
{
    std::vector<uint64_t> digests;
    for (const auto& [digest, numbers] : retiredByTokens_) {
        for (int32_t number : numbers) {
            if (files[static_cast<size_t>(number)]->parsed) {
                digests.push_back(digest);
                break;
            }
        }
    }
    for (const auto& [identity, numbers] : entries) {
        for (int32_t number : numbers) {
            const WideDigest tokens = PathAndTokensOf(number);
            if (tokens.Known() && files[static_cast<size_t>(number)]->parsed) {
                digests.push_back(tokens.first);
            }
        }
    }
    return digests;
}

std::vector<int32_t> CFileIndex::Reorder(
    const std::vector<int32_t>& order, std::vector<std::unique_ptr<CSourceFile>>* dropped)
{
    std::vector<int32_t> renumber(files.size(), -1);
    std::vector<std::unique_ptr<CSourceFile>> old = std::move(files);
    std::vector<WideDigest> oldBodies = std::move(bodies_);
    oldBodies.resize(old.size());
    std::vector<WideDigest> oldTokens = std::move(pathAndTokens_);
    oldTokens.resize(old.size());
    files.clear();
    bodies_.clear();
    pathAndTokens_.clear();
    firsts_.clear();
    retired_.clear();
    retiredByTokens_.clear();
    ++firstsChanged_;
    for (int32_t number : order) {
        if (number >= 0 && static_cast<size_t>(number) < old.size() && old[number]) {
            renumber[static_cast<size_t>(number)] = static_cast<int32_t>(files.size());
            files.push_back(std::move(old[number]));
            bodies_.push_back(oldBodies[static_cast<size_t>(number)]);
            pathAndTokens_.push_back(oldTokens[static_cast<size_t>(number)]);
        }
    }
    // The lookups keep their identities, renumbered, so that no path is
    // lower-cased again; a kept file that was withdrawn is filed afresh.
    std::vector<char> filed(files.size(), 0);
    for (auto entry = entries.begin(); entry != entries.end();) {
        std::vector<int32_t>& numbers = entry->second;
        size_t kept = 0;
        for (const int32_t number : numbers) {
            const int32_t now = renumber[static_cast<size_t>(number)];
            if (now >= 0) {
                numbers[kept++] = now;
                filed[static_cast<size_t>(now)] = 1;
            }
        }
        if (kept == 0) {
            entry = entries.erase(entry);
        } else {
            numbers.resize(kept);
            ++entry;
        }
    }
    for (size_t number = 0; number < files.size(); ++number) {
        if (!filed[number]) {
            entries[IdentityOf(*files[number])].push_back(static_cast<int32_t>(number));
        }
    }
    for (auto& [identity, numbers] : entries) {
        std::sort(numbers.begin(), numbers.end());
    }
    if (dropped != nullptr) {
        for (auto& file : old) {
            if (file) {
                dropped->push_back(std::move(file));
            }
        }
    }
    return renumber; // the files not listed go with `old`, when not handed over
}
