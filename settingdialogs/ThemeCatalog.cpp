#include "ThemeCatalog.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <system_error>

namespace fs = std::filesystem;

namespace {

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The regular files of a folder whose name is a theme name, a dot and the
// extension in any case: name -> file name, in name order (the first file
// in byte order when one name has several).
std::map<std::string, std::string> ThemeFiles(
    const std::string& folder, const std::string& extension)
{
    std::map<std::string, std::string> files;
    if (folder.empty())
        return files;
    const std::string suffix = "." + Lower(extension);
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code statusError;
        if (!it->is_regular_file(statusError))
            continue;
        const std::string file = it->path().filename().string();
        if (file.size() <= suffix.size() ||
            Lower(file.substr(file.size() - suffix.size())) != suffix)
            continue;
        const std::string name = file.substr(0, file.size() - suffix.size());
        auto [place, added] = files.emplace(name, file);
        if (!added && file < place->second)
            place->second = file;
    }
    return files;
}

} // namespace

ThemeCatalog::ThemeCatalog(std::vector<std::string> extensions, std::string writeExtension,
    std::string userFolder, std::string programFolder)
    : extensions_(std::move(extensions)),
      writeExtension_(std::move(writeExtension)),
      userFolder_(std::move(userFolder)),
      programFolder_(std::move(programFolder))
{
}

std::vector<ThemeCatalog::Entry> ThemeCatalog::List() const
{
    // name -> one path per extension, in the extensions' order
    std::map<std::string, std::vector<std::string>> themes;
    for (size_t e = 0; e < extensions_.size(); ++e) {
        for (const std::string& folder : {programFolder_, userFolder_}) {
            for (const auto& [name, file] : ThemeFiles(folder, extensions_[e])) {
                auto& paths = themes[name];
                paths.resize(extensions_.size());
                paths[e] = folder + "/" + file; // the user's, read second, wins
            }
        }
    }
    std::vector<Entry> entries;
    for (const auto& [name, paths] : themes) {
        for (const std::string& path : paths) {
            if (!path.empty())
                entries.push_back({name, path});
        }
    }
    return entries;
}

std::string ThemeCatalog::FindFile(
    const std::string& folder, const std::string& name, const std::string& extension)
{
    const auto files = ThemeFiles(folder, extension);
    auto found = files.find(name);
    return found == files.end() ? std::string() : folder + "/" + found->second;
}

std::vector<std::string> ThemeCatalog::FilesOf(const std::string& name) const
{
    std::vector<std::string> paths;
    for (const std::string& extension : extensions_) {
        std::string path = FindFile(userFolder_, name, extension);
        if (path.empty())
            path = FindFile(programFolder_, name, extension);
        if (!path.empty())
            paths.push_back(path);
    }
    return paths;
}

bool ThemeCatalog::IsValidName(const std::string& name)
{
    if (name.empty() || name == "." || name == ".." || name.size() > kMaxNameLength)
        return false;
    return std::none_of(name.begin(), name.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return c == '/' || byte < 0x20 || byte == 0x7F;
    });
}

std::string ThemeCatalog::PrepareUserPath(const std::string& name) const
{
    if (userFolder_.empty())
        return {};
    // A folder that cannot be made is left to the writer, which then fails
    // to open the file and tells the user.
    std::error_code error;
    fs::create_directories(userFolder_, error);
    return userFolder_ + "/" + name + "." + writeExtension_;
}

ThemeCatalog::RemoveResult ThemeCatalog::Remove(const std::string& name, Entry* instead) const
{
    bool usersFile = false;
    for (const std::string& extension : extensions_) {
        const std::string path = FindFile(userFolder_, name, extension);
        if (path.empty())
            continue;
        usersFile = true;
        std::error_code error;
        if (!fs::remove(path, error))
            continue;
        const std::string program = FindFile(programFolder_, name, extension);
        if (program.empty())
            return RemoveResult::Removed;
        if (instead != nullptr)
            *instead = Entry {name, program};
        return RemoveResult::ProgramThemeStays;
    }
    if (usersFile)
        return RemoveResult::Failed;
    return FilesOf(name).empty() ? RemoveResult::Removed : RemoveResult::ProgramTheme;
}
