#include "VcProductDirs.h"

void VcProductDirs::Read()
{
    for (std::string& folder : folders)
        folder.clear();
}

std::vector<std::string> VcProductDirs::DefaultIncludeList(int version, const std::string& folder)
{
    if (folder.empty() || version < 0 || version >= kVersions)
        return {};
    if (version == 0)
        return {folder + "\\INCLUDE", folder + "\\MFC\\INCLUDE", folder + "\\ATL\\INCLUDE"};
    return {folder + "INCLUDE", folder + "ATLMFC\\INCLUDE",
        folder + "PlatformSDK\\Include\\PRERELEASE", folder + "PlatformSDK\\Include"};
}
