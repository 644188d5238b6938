#include "VcSourceCheck.h"

#include "AbsolutePath.h"
#include "IncludePaths.h"
#include "LanguageTable.h"
#include "MessageSink.h"

#include <cctype>
#include <filesystem>
#include <unistd.h>
#include <unordered_set>

namespace {

bool HasDriveLetter(const std::string& name)
{
    return name.size() >= 2 && std::isalpha(static_cast<unsigned char>(name[0])) && name[1] == ':';
}

} // namespace

std::string FindVcFile(CIncludePaths& paths, const std::string& folder, const std::string& name)
{
    if (name.empty() || HasDriveLetter(name))
        return {};
    const std::string wanted = CIncludePaths::ResolveBeside(CIncludePaths::Join(folder, "x"), name);
    const std::string found = paths.FindFile(wanted);
    if (found.empty() || ::access(found.c_str(), R_OK) != 0)
        return {};
    return found;
}

std::vector<std::string> FindVcSources(std::span<const std::string> names,
    const std::string& folder, bool report, MessageSink& sink, const std::atomic<bool>* stop)
{
    std::vector<std::string> found;
    std::unordered_set<std::string> taken;
    CIncludePaths paths;
    for (const std::string& name : names) {
        if (stop != nullptr && stop->load(std::memory_order_relaxed))
            break;
        std::string path = FindVcFile(paths, folder, name);
        if (path.empty()) {
            MessageLine(sink, MessageKind::Error)
                << GetLangString(3) << ": " << name << " " << GetLangString(303);
            continue;
        }
        if (!taken.insert(path).second)
            continue;
        if (report)
            MessageLine(sink) << path;
        found.push_back(std::move(path));
    }
    return found;
}

VcFileLocation LocateVcFile(const std::string& path)
{
    const std::filesystem::path full = AbsolutePath(path);
    return {full.string(), full.parent_path().string()};
}
