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

int32_t CFileIndex::Add(std::unique_ptr<CSourceFile> file)
{
    const int32_t number = static_cast<int32_t>(files.size());
    if (file) {
        entries[IdentityOf(*file)].push_back(number);
    }
    files.push_back(std::move(file));
    return number;
}

bool CFileIndex::Contains(const std::string& path, int32_t size, int32_t mtime) const
{
    return entries.count(IdentityOf(path, size, mtime)) != 0;
}

uint64_t CFileIndex::Digest(int32_t number) const
{
    if (digests_.size() < files.size()) {
        digests_.resize(files.size(), 0);
    }
    uint64_t& digest = digests_[static_cast<size_t>(number)];
    if (digest == 0) {
        digest = ContentDigest(*files[static_cast<size_t>(number)]);
    }
    return digest;
}

int32_t CFileIndex::FindSame(const CSourceFile& header) const
{
    auto found = entries.find(IdentityOf(header));
    if (found == entries.end()) {
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

int32_t CFileIndex::FindParsedTwin(const CSourceFile& header) const
{
    const FileKey key = IdentityOf(header);
    for (const auto* lookup : {&entries, &retired_}) {
        auto found = lookup->find(key);
        if (found == lookup->end()) {
            continue;
        }
        for (int32_t number : found->second) {
            const CSourceFile* instance = files[static_cast<size_t>(number)].get();
            if (instance && instance != &header && instance->parsed &&
                instance->path == header.path &&
                SameTokens(instance->scan.tokens, header.scan.tokens)) {
                return number;
            }
        }
    }
    return -1;
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

void CFileIndex::Retire(int32_t i)
{
    if (i < 0 || static_cast<size_t>(i) >= files.size() || !files[i]) {
        return;
    }
    UpdateEntry(i);
    retired_[IdentityOf(*files[i])].push_back(i);
}

std::vector<int32_t> CFileIndex::Reorder(
    const std::vector<int32_t>& order, std::vector<std::unique_ptr<CSourceFile>>* dropped)
{
    std::vector<int32_t> renumber(files.size(), -1);
    std::vector<std::unique_ptr<CSourceFile>> old = std::move(files);
    files.clear();
    entries.clear();
    digests_.clear();
    firsts_.clear();
    retired_.clear();
    ++firstsChanged_;
    for (int32_t number : order) {
        if (number >= 0 && static_cast<size_t>(number) < old.size() && old[number]) {
            renumber[static_cast<size_t>(number)] = Add(std::move(old[number]));
        }
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
