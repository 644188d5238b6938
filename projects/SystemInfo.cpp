#include "SystemInfo.h"

namespace {

std::string Trimmed(const std::string& text)
{
    const size_t begin = text.find_first_not_of(" \t\r\n\f\v");
    if (begin == std::string::npos)
        return {};
    const size_t end = text.find_last_not_of(" \t\r\n\f\v");
    return text.substr(begin, end - begin + 1);
}

std::string MemoryLine(const char* label, uint64_t bytes)
{
    return std::string(label) + std::to_string(bytes / 1024) + "K (" + std::to_string(bytes) +
        ")\r\n";
}

} // namespace

std::string ZoneText(int bias)
{
    if (bias <= 0)
        return "GMT +" + std::to_string(-bias / 60) + "H " + std::to_string(-bias % 60) + "M";
    return "GMT " + std::to_string(-bias / 60) + "H " + std::to_string(bias % 60) + "M";
}

std::string HardwareText(const CSystemInfo& info)
{
    std::string text;
    text += "CPU Name: " + Trimmed(info.processorName) + "\r\n";
    text += "CPU Vendor String: " + info.processorVendor + "\r\n";
    text += "CPU Stepping: " + info.processorIdentifier + "\r\n";
    text += "CPU Real Speed: " + std::to_string(info.processorMHz) + "MHz\r\n";
    text += "Number of Processor(s): " + std::to_string(info.processorCount) + "\r\n\r\n";
    text += MemoryLine("Total Memory: ", info.pagingTotal);
    text += MemoryLine("Available Memory: ", info.pagingAvailable);
    text += MemoryLine("Total Hardware Memory: ", info.physicalTotal);
    text += MemoryLine("Available Hardware Memory: ", info.physicalAvailable);
    text += "Hardware Memory Loading Rate: " + std::to_string(info.memoryLoad) + "%\r\n";
    return text;
}

std::string SoftwareText(const CSystemInfo& info)
{
    std::string text;
    text += "OS Name: " + info.osName + "\r\n";
    text += "OS Type: " + info.osType + "\r\n";
    text += "OS Service Pack: " + info.servicePack + "\r\n";
    text += "OS Build Number: " + std::to_string(info.buildNumber) + "\r\n\r\n";
    text += "Computer Name: " + info.computerName + "\r\n";
    text += "User Name: " + info.userName + "\r\n";
    text += "Local Language: " + info.languageName + "\r\n";
    text += "Time Zone: " + ZoneText(info.timeZoneBias) + " " + info.timeZoneName + "\r\n";
    return text;
}
