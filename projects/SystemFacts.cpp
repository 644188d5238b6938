#include "SystemFacts.h"

#include "AtomicFile.h"
#include "TextLines.h"

#include <cstdlib>
#include <ctime>
#include <pwd.h>
#include <sys/utsname.h>
#include <unistd.h>

namespace {

constexpr size_t kMaxFactFile = size_t(4) << 20;

std::string Trimmed(std::string_view text)
{
    const size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string_view::npos)
        return {};
    const size_t end = text.find_last_not_of(" \t");
    return std::string(text.substr(begin, end - begin + 1));
}

// The "key : value" or "key=value" pairs of a file, in order.
std::vector<std::pair<std::string, std::string>> Pairs(const std::string& path, char separator)
{
    std::vector<std::pair<std::string, std::string>> pairs;
    std::string content;
    if (ReadWholeFile(path, content, kMaxFactFile) != ReadResult::Ok)
        return pairs;
    for (const std::string_view line : SplitLines(content)) {
        const size_t at = line.find(separator);
        if (at != std::string_view::npos)
            pairs.emplace_back(Trimmed(line.substr(0, at)), Trimmed(line.substr(at + 1)));
    }
    return pairs;
}

uint64_t Number(const std::string& text)
{
    return std::strtoull(text.c_str(), nullptr, 10);
}

std::string Unquoted(std::string text)
{
    if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') &&
        text.back() == text.front())
        return text.substr(1, text.size() - 2);
    return text;
}

} // namespace

void LinuxSystemFacts::ReadProcessor(CSystemInfo& info) const
{
    std::string family, model, stepping;
    bool first = true;
    for (const auto& [key, value] : Pairs(root_ + "/proc/cpuinfo", ':')) {
        if (key == "processor") {
            first = info.processorCount == 0;
            ++info.processorCount;
        }
        if (!first)
            continue;
        if (key == "vendor_id")
            info.processorVendor = value;
        else if (key == "model name")
            info.processorName = value;
        else if (key == "cpu MHz")
            info.processorMHz = static_cast<uint32_t>(std::strtod(value.c_str(), nullptr) + 0.5);
        else if (key == "cpu family")
            family = value;
        else if (key == "model")
            model = value;
        else if (key == "stepping")
            stepping = value;
    }
    if (!family.empty() && !model.empty() && !stepping.empty())
        info.processorIdentifier = "Family " + family + " Model " + model + " Stepping " + stepping;
}

void LinuxSystemFacts::ReadMemory(CSystemInfo& info) const
{
    uint64_t total = 0, available = 0, swapTotal = 0, swapFree = 0;
    bool any = false;
    for (const auto& [key, value] : Pairs(root_ + "/proc/meminfo", ':')) {
        // Values are given in kB.
        const uint64_t bytes = Number(value) * 1024;
        if (key == "MemTotal")
            total = bytes, any = true;
        else if (key == "MemAvailable")
            available = bytes;
        else if (key == "SwapTotal")
            swapTotal = bytes;
        else if (key == "SwapFree")
            swapFree = bytes;
    }
    if (!any)
        return;
    info.physicalTotal = total;
    info.physicalAvailable = available;
    info.pagingTotal = total + swapTotal;
    info.pagingAvailable = available + swapFree;
    if (total > 0 && available <= total)
        info.memoryLoad = static_cast<uint32_t>((total - available) * 100 / total);
}

void LinuxSystemFacts::ReadOsRelease(CSystemInfo& info) const
{
    for (const auto& [key, value] : Pairs(root_ + "/etc/os-release", '=')) {
        if (key == "PRETTY_NAME")
            info.osName = Unquoted(value);
        else if (key == "NAME" && info.osName.empty())
            info.osName = Unquoted(value);
    }
}

CSystemInfo LinuxSystemFacts::Gather()
{
    CSystemInfo info;
    ReadProcessor(info);
    ReadMemory(info);
    ReadOsRelease(info);

    utsname names {};
    if (::uname(&names) == 0) {
        info.osType = std::string(names.sysname) + " " + names.release + " " + names.machine;
        // The kernel's version text begins with its build count: "#1 SMP ...".
        if (names.version[0] == '#')
            info.buildNumber = static_cast<uint32_t>(std::strtoul(names.version + 1, nullptr, 10));
    }
    char host[256] = {};
    if (::gethostname(host, sizeof host - 1) == 0)
        info.computerName = host;
    if (const passwd* user = ::getpwuid(::getuid()); user != nullptr && user->pw_name != nullptr)
        info.userName = user->pw_name;
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"})
        if (const char* value = std::getenv(variable); value != nullptr && *value != '\0') {
            info.languageName = value;
            break;
        }
    ::tzset();
    info.timeZoneBias = static_cast<int>(::timezone / 60);
    if (::tzname[0] != nullptr)
        info.timeZoneName = ::tzname[0];
    return info;
}
