#include "NewProjectPaths.h"

#include "FileType.h"
#include "FolderWalk.h"
#include "NewProjectInfo.h"
#include "VcProjectImport.h"

#include <climits>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

std::string ProjectFileName(const std::string& name)
{
    return GetFileType(name) == 4 && name.back() != '"' ? name : name + ".kst";
}

std::string ProjectFullPath(const std::string& location, const std::string& name)
{
    std::string path = location;
    if (!path.empty() && path.back() != '/')
        path += '/';
    return path + ProjectFileName(name);
}

std::string DefaultProjectName(const std::string& location)
{
    for (int n = 1; n < INT_MAX; ++n) {
        const std::string name = "Untitle" + std::to_string(n) + ".kst";
        std::error_code error;
        if (!fs::exists(fs::symlink_status(ProjectFullPath(location, name), error)))
            return name;
    }
    return "UntitleMax.kst";
}

int ProjectPathStatus(const std::string& path)
{
    std::error_code error;
    if (fs::exists(fs::symlink_status(path, error)))
        return 300;
    fs::path folder = fs::path(path).parent_path();
    if (folder.empty())
        folder = ".";
    if (!fs::is_directory(folder, error) || ::access(folder.c_str(), W_OK | X_OK) != 0)
        return 301;
    return 0;
}

std::string StartLocation(const std::string& lastProjectPath)
{
    std::error_code error;
    if (lastProjectPath.empty() || fs::is_directory(lastProjectPath, error))
        return lastProjectPath;
    return fs::path(lastProjectPath).parent_path().string();
}

void ScanSourceFolder(const std::string& folder, bool recurse, std::set<std::string>& files)
{
    WalkFolder(folder, recurse, [&](const std::string& path) {
        if (GetFileType(path) == 1)
            files.insert(path);
    });
}

bool CollectWorkspace(NewProjectInfo& info, MessageSink& sink)
{
    VcProjectContent content = ReadVcProjectFile(info.workspaceFile, sink, false);
    info.defines = std::move(content.defines);
    info.files.insert(content.files.begin(), content.files.end());
    return content.read;
}
