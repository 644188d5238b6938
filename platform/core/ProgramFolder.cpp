#include "ProgramFolder.h"

#include <algorithm>
#include <cstdlib>
#include <system_error>
#include <filesystem>

namespace {

std::string& FolderOverride()
{
    static std::string folder;
    return folder;
}

std::string WithoutTrailingSlash(std::string folder)
{
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
}

} // namespace

void SetAppDirectory(const std::string& folder)
{
    FolderOverride() = WithoutTrailingSlash(folder);
}

std::string GetAppDirectory()
{
    if (!FolderOverride().empty())
        return FolderOverride();
    if (const char* env = std::getenv("KESTRIN_PROGRAM_DIR"); env != nullptr && *env != '\0')
        return WithoutTrailingSlash(env);
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
