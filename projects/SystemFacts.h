#pragma once

#include "SystemInfo.h"

#include <string>

// Where the system information dialog gets its facts; tests give their own.
class SystemFactsGatherer {
public:
    virtual ~SystemFactsGatherer() = default;
    virtual CSystemInfo Gather() = 0;
};

// The facts of this machine: processor and memory from /proc/cpuinfo and
// /proc/meminfo, the system's name from /etc/os-release, the kernel from
// uname, the computer and user names, the language from the locale settings
// and the time zone from the C library. `root` is put before the /proc and
// /etc paths (tests point it at a folder of their own).
class LinuxSystemFacts : public SystemFactsGatherer {
public:
    explicit LinuxSystemFacts(std::string root = {}) : root_(std::move(root)) { }
    CSystemInfo Gather() override;

    // The parts that read files, each filling only what its file gives.
    void ReadProcessor(CSystemInfo& info) const;
    void ReadMemory(CSystemInfo& info) const;
    void ReadOsRelease(CSystemInfo& info) const;

private:
    std::string root_;
};
