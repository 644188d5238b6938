#include "FileIndex.h"

#include "TextHelpers.h"

#include <tuple>

bool FileKeyLess::operator()(const FileKey& a, const FileKey& b) const
{
    return std::tie(a.path, a.size, a.mtime) < std::tie(b.path, b.size, b.mtime);
}

int32_t CFileIndex::Add(const std::string& path, int32_t size, int32_t mtime, int32_t tokenCount,
                        std::unique_ptr<CSourceFile> file)
{
    const int32_t number = static_cast<int32_t>(files.size());
    entries[FileKey{ToLowerCopy(path), size, mtime}].emplace(tokenCount, number);
    files.push_back(std::move(file));
    return number;
}

int32_t CFileIndex::Add(std::unique_ptr<CSourceFile> file)
{
    const CSourceFile& record = *file;
    return Add(record.path, record.size, record.mtime,
               static_cast<int32_t>(record.scan.tokens.size()), std::move(file));
}

const std::map<int32_t, int32_t>* CFileIndex::Instances(const std::string& path, int32_t size,
                                                        int32_t mtime) const
{
    auto found = entries.find(FileKey{ToLowerCopy(path), size, mtime});
    return found == entries.end() ? nullptr : &found->second;
}

bool CFileIndex::Contains(const std::string& path, int32_t size, int32_t mtime) const
{
    return Instances(path, size, mtime) != nullptr;
}

bool CFileIndex::ContainsIndex(const std::string& path, int32_t size, int32_t mtime,
                               int32_t tokenCount) const
{
    return FindIndex(path, size, mtime, tokenCount) >= 0;
}

int32_t CFileIndex::FindIndex(const std::string& path, int32_t size, int32_t mtime,
                              int32_t tokenCount) const
{
    const auto* instances = Instances(path, size, mtime);
    if (instances == nullptr) {
        return -1;
    }
    auto found = instances->find(tokenCount);
    return found == instances->end() ? -1 : found->second;
}

int32_t CFileIndex::FirstIndex(const std::string& path, int32_t size, int32_t mtime) const
{
    const auto* instances = Instances(path, size, mtime);
    if (instances == nullptr || instances->empty()) {
        return -1;
    }
    return instances->begin()->second;
}

void CFileIndex::UpdateEntry(int32_t i)
{
    if (i < 0 || static_cast<size_t>(i) >= files.size() || !files[i]) {
        return;
    }
    const CSourceFile& file = *files[i];
    auto found = entries.find(FileKey{ToLowerCopy(file.path), file.size, file.mtime});
    if (found == entries.end()) {
        return;
    }
    auto instance = found->second.find(static_cast<int32_t>(file.scan.tokens.size()));
    if (instance != found->second.end()) {
        found->second.erase(instance);
    }
}

void CFileIndex::RemoveUnmarked(const std::vector<bool>& keep)
{
    if (keep.size() != files.size()) {
        return;
    }
    std::vector<std::unique_ptr<CSourceFile>> old = std::move(files);
    files.clear();
    entries.clear();
    for (size_t i = 0; i < old.size(); ++i) {
        if (!keep[i]) {
            old[i].reset();
            continue;
        }
        if (!old[i]) {
            files.push_back(nullptr); // keeps later numbers in step
            continue;
        }
        Add(std::move(old[i]));
    }
}
