#pragma once

#include <cstdint>
#include <string>

// The facts the system information dialog shows, gathered once when it
// opens. A fact without a source stays empty (texts) or 0 (numbers).
struct CSystemInfo {
    // Memory, in bytes; the load in percent. "Paging" is what the system can
    // hand out in all (memory and swap together).
    uint32_t memoryLoad = 0;
    uint64_t physicalTotal = 0;
    uint64_t physicalAvailable = 0;
    uint64_t pagingTotal = 0;
    uint64_t pagingAvailable = 0;

    std::string processorVendor;
    std::string processorIdentifier;
    std::string processorName;
    uint32_t processorMHz = 0;
    uint32_t processorCount = 0;

    std::string osName;
    std::string osType;
    std::string servicePack;
    uint32_t buildNumber = 0;

    std::string computerName;
    std::string userName;
    std::string languageName;
    std::string timeZoneName;
    // Minutes: local time + bias = UTC.
    int timeZoneBias = 0;
};

// "GMT +9H 0M" for a bias of -540, "GMT -3H 30M" for 210.
std::string ZoneText(int bias);
// The processor and memory lines, each ended by CR LF.
std::string HardwareText(const CSystemInfo& info);
// The system, computer, user, language and time-zone lines, each ended by
// CR LF.
std::string SoftwareText(const CSystemInfo& info);
