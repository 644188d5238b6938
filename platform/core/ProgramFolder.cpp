#include "ProgramFolder.h"

#include <algorithm>
#include <system_error>
#include <filesystem>

std::string GetAppDirectory()
{
    std::error_code ec;
    std::string path = std::filesystem::read_symlink("/proc/self/exe", ec).string();
    if (ec)
        return {};
    size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return {};
    return path.substr(0, slash);
}

std::string GetProductVersion()
{
#ifdef KESTRIN_PRODUCT_VERSION
    std::string version = KESTRIN_PRODUCT_VERSION;
#else
    std::string version;
#endif
    if (version.empty())
        return "No Info";
    std::replace(version.begin(), version.end(), ',', '.');
    version.erase(std::remove(version.begin(), version.end(), ' '), version.end());
    return version;
}
