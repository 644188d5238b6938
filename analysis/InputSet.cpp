#include "InputSet.h"

#include "TextHelpers.h"

CInputSet::CInputSet(bool searchSystemIncludes) : searchSystemIncludes(searchSystemIncludes)
{
}

void CInputSet::AddFile(const std::string& path, bool analyse, bool draw)
{
    if (fileFlags.count(path) != 0) {
        return;
    }
    paths.insert(path);
    fileFlags[path] = FileFlags {analyse, draw};
}

void CInputSet::AddFiles(const std::vector<std::string>& newPaths)
{
    for (const std::string& path : newPaths) {
        AddFile(path, true, true);
    }
}

void CInputSet::RemoveFile(const std::string& path)
{
    paths.erase(path);
    fileFlags.erase(path);
}

void CInputSet::Clear()
{
    paths.clear();
    fileFlags.clear();
    mergedFiles.clear();
}

void CInputSet::SetDefaultIncludeDirs()
{
    includeDirs = {
        "E:\\Program Files\\Microsoft Visual Studio .NET 2003\\Vc7\\INCLUDE",
        "E:\\Program Files\\Microsoft Visual Studio .NET 2003\\Vc7\\ATLMFC\\INCLUDE",
        "E:\\Program Files\\Microsoft Visual Studio .NET "
        "2003\\Vc7\\PlatformSDK\\Include\\PRERELEASE",
        "E:\\Program Files\\Microsoft Visual Studio .NET 2003\\Vc7\\PlatformSDK\\Include",
    };
    userIncludeDirs = {"C:\\"};
}

bool CInputSet::ContainsNoCase(const std::string& path) const
{
    return mergedFiles.count(ToLowerCopy(path)) != 0;
}

void CInputSet::AddNoCase(const std::string& path)
{
    mergedFiles.insert(ToLowerCopy(path));
}

int32_t CInputSet::FindNumber(const std::string& name) const
{
    auto found = fileNumbers.find(name);
    return found == fileNumbers.end() ? -1 : found->second;
}

int32_t CInputSet::AddNumber(const std::string& name)
{
    const int32_t number = static_cast<int32_t>(fileNumbers.size());
    fileNumbers.emplace(name, number);
    return number;
}
