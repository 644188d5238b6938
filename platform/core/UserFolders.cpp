#include "UserFolders.h"

#include "AtomicFile.h"
#include "ProgramFolder.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace {

std::string FromEnvironment(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

std::string Join(const std::string& folder, const std::string& relative)
{
    if (folder.empty())
        return relative;
    return folder.back() == '/' ? folder + relative : folder + "/" + relative;
}

} // namespace

std::string GetUserConfigDirectory()
{
    if (std::string own = FromEnvironment("KESTRIN_CONFIG_DIR"); !own.empty())
        return own;
    if (std::string xdg = FromEnvironment("XDG_CONFIG_HOME"); !xdg.empty())
        return Join(xdg, "Kestrin");
    std::string home = FromEnvironment("HOME");
    return Join(home.empty() ? std::string("/tmp") : home, ".config/Kestrin");
}

std::string FindDataFile(const std::string& relative)
{
    std::string own = Join(GetUserConfigDirectory(), relative);
    if (IsRegularFile(own))
        return own;
    return Join(GetAppDirectory(), relative);
}

std::string UserDataFile(const std::string& relative)
{
    std::string path = Join(GetUserConfigDirectory(), relative);
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
    if (ec)
        return {};
    return path;
}
