#pragma once

#include <array>
#include <string>
#include <vector>

// The installation folders of Visual C++ 6.0, 7.0, 7.1 and 8.0 (index 0 to 3)
// and the default include lists that follow from them. Those folders are
// recorded in the Windows registry; on this platform no installation is ever
// found, so every folder stays empty and every default list is empty.
struct VcProductDirs {
    static constexpr int kVersions = 4;
    std::array<std::string, kVersions> folders;

    // Looks the installations up. Finds none here.
    void Read();

    // The default include list of a version from its folder exactly as stored:
    // 6.0 adds "\INCLUDE", "\MFC\INCLUDE", "\ATL\INCLUDE"; the later versions
    // append "INCLUDE", "ATLMFC\INCLUDE", "PlatformSDK\Include\PRERELEASE" and
    // "PlatformSDK\Include" directly. An empty folder gives an empty list.
    static std::vector<std::string> DefaultIncludeList(int version, const std::string& folder);
};
