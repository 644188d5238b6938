#include "SystemFacts.h"
#include "SystemInformationDialog.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

namespace {

class FixedFacts : public SystemFactsGatherer {
public:
    CSystemInfo Gather() override { return info; }
    CSystemInfo info;
};

} // namespace

TEST(SystemInfoTest, ZoneTextsReadWestAsMinus)
{
    const std::pair<int, const char*> zones[] = {{210, "GMT -3H 30M"}, {0, "GMT +0H 0M"},
        {-540, "GMT +9H 0M"}, {300, "GMT -5H 0M"}, {-330, "GMT +5H 30M"}, {-345, "GMT +5H 45M"}};
    for (const auto& [bias, text] : zones)
        EXPECT_EQ(ZoneText(bias), text) << bias;
}

TEST(SystemInfoTest, TextsShowTrimmedNamesAndTrueByteCounts)
{
    CSystemInfo info;
    info.processorName = "   Fast CPU @ 3GHz  ";
    info.processorMHz = 3000;
    info.processorCount = 8;
    info.physicalTotal = uint64_t(3) << 30;
    info.physicalAvailable = uint64_t(5) << 30;
    info.memoryLoad = 42;
    const std::string hardware = HardwareText(info);
    EXPECT_EQ(hardware.substr(0, 32), "CPU Name: Fast CPU @ 3GHz\r\nCPU V");
    EXPECT_NE(hardware.find("Number of Processor(s): 8\r\n\r\nTotal Memory: 0K (0)\r\n"),
        std::string::npos);
    EXPECT_NE(hardware.find("Total Hardware Memory: 3145728K (3221225472)\r\n"), std::string::npos);
    EXPECT_NE(
        hardware.find("Available Hardware Memory: 5242880K (5368709120)\r\n"), std::string::npos);
    EXPECT_NE(hardware.find("Loading Rate: 42%\r\n"), std::string::npos);

    info.timeZoneBias = 210;
    info.timeZoneName = "NST";
    EXPECT_NE(SoftwareText(info).find("\r\nTime Zone: GMT -3H 30M NST\r\n"), std::string::npos);
}

TEST(SystemInfoTest, FactsComeFromTheSystemFilesAndStayEmptyWithout)
{
    TempFolder root;
    root.Write("proc/cpuinfo",
        "processor\t: 0\nvendor_id\t: GenuineTest\ncpu family\t: 6\nmodel\t\t: 158\n"
        "model name\t: Test CPU\nstepping\t: 10\ncpu MHz\t\t: 2599.6\n\n"
        "processor\t: 1\nvendor_id\t: Other\nmodel name\t: Other CPU\n");
    root.Write("proc/meminfo",
        "MemTotal:       16000000 kB\nMemFree:  1 kB\nMemAvailable:    4000000 kB\n"
        "SwapTotal:       2000000 kB\nSwapFree:        1000000 kB\n");
    root.Write("etc/os-release", "NAME=\"Plain\"\nPRETTY_NAME=\"Plain Linux 12\"\nID=plain\n");
    LinuxSystemFacts facts(root.Path());
    CSystemInfo info;
    facts.ReadProcessor(info);
    facts.ReadMemory(info);
    facts.ReadOsRelease(info);
    EXPECT_EQ(info.processorCount, 2u);
    EXPECT_EQ(info.processorVendor, "GenuineTest");
    EXPECT_EQ(info.processorName, "Test CPU");
    EXPECT_EQ(info.processorIdentifier, "Family 6 Model 158 Stepping 10");
    EXPECT_EQ(info.processorMHz, 2600u);
    EXPECT_EQ(info.physicalTotal, 16000000ull * 1024);
    EXPECT_EQ(info.physicalAvailable, 4000000ull * 1024);
    EXPECT_EQ(info.pagingTotal, 18000000ull * 1024);
    EXPECT_EQ(info.pagingAvailable, 5000000ull * 1024);
    EXPECT_EQ(info.memoryLoad, 75u);
    EXPECT_EQ(info.osName, "Plain Linux 12");

    TempFolder empty;
    LinuxSystemFacts none(empty.Path());
    CSystemInfo nothing;
    none.ReadProcessor(nothing);
    none.ReadMemory(nothing);
    none.ReadOsRelease(nothing);
    EXPECT_EQ(nothing.processorCount, 0u);
    EXPECT_EQ(nothing.physicalTotal, 0u);
    EXPECT_EQ(nothing.memoryLoad, 0u);
    EXPECT_TRUE(nothing.osName.empty());
    EXPECT_TRUE(nothing.processorIdentifier.empty());
}

TEST(SystemInfoTest, DialogShowsTheTextOfTheChosenNode)
{
    FixedFacts facts;
    facts.info.osName = "Plain Linux 12";
    CDialogSystemInformation dialog(facts);
    dialog.Initialize();
    EXPECT_EQ(dialog.ShownText().substr(0, 9), "CPU Name:");
    dialog.SelectNode(2);
    EXPECT_EQ(dialog.ShownText().substr(0, 24), "OS Name: Plain Linux 12\n");
    dialog.SelectNode(0);
    EXPECT_EQ(dialog.ShownText(), "Welcome to System Information.");
    dialog.SelectNode(1);
    EXPECT_EQ(dialog.ShownText().substr(0, 9), "CPU Name:");
}
