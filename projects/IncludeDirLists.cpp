#include "IncludeDirLists.h"

#include "Options.h"
#include "VcProductDirs.h"

void IncludeDirLists::Load(const COptions& options)
{
    for (int i = 0; i < kVersions; ++i)
        versions[i] = options.includeLists[i];
    user = options.userIncludeList;
    chosen = options.includeDirectory >= 0 && options.includeDirectory < kVersions
        ? options.includeDirectory
        : 0;
}

void IncludeDirLists::Store(COptions& options) const
{
    for (int i = 0; i < kVersions; ++i)
        options.includeLists[i] = versions[i];
    options.userIncludeList = user;
    options.includeDirectory = chosen;
}

void IncludeDirLists::ResetPath(const VcProductDirs& dirs)
{
    for (int i = 0; i < kVersions; ++i)
        versions[i] = VcProductDirs::DefaultIncludeList(i, dirs.folders[i]);
}

bool IncludeDirLists::CanKeep(const std::string& folder)
{
    return folder.find_first_of("\r\n") == std::string::npos;
}
