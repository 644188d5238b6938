#include "XmlColorFiles.h"

#include "SettingBytes.h"
#include "TestFiles.h"
#include "UnitKind.h"

#include <gtest/gtest.h>

namespace {

const char* kReadFailed = "The colour file could not be read.";
const char* kWriteFailed = "Error: The colour file could not be written.";
const std::string kHeader = "<?xml version=\"1.0\"?>\r\n";

template <typename Record, typename Load>
std::string ReadInto(Record record, const std::string& text, Load load)
{
    TempFolder folder;
    WriteFileBytes(folder.File("in"), text);
    EXPECT_TRUE(load(folder.File("in"), record));
    return Bytes(record);
}

// Reads the text as a colour file into a built-in record of the golden
// file's kind and returns what that record writes.
std::string ReadAndWrite(const std::string& golden, const std::string& text)
{
    if (golden == "defaultFlow")
        return ReadInto(CFlowSetting(), text, LoadFlowColorFile);
    if (golden == "defaultNSD")
        return ReadInto(CNSDSetting(), text, LoadNSDColorFile);
    if (golden == "defaultSequence")
        return ReadInto(CSequenceSetting(), text, LoadSequenceColorFile);
    return ReadInto(MacroPair(), text, [](const std::string& path, MacroPair& pair) {
        return LoadMacroColorFile(path, pair.fonts, pair.styles);
    });
}

} // namespace

TEST(XmlColorFiles, BuiltInRecordsAreWrittenByteForByte)
{
    RecordingPrompt prompt;
    EXPECT_EQ(Bytes(CFlowSetting()), Golden("defaultFlow"));
    EXPECT_EQ(Bytes(CNSDSetting()), Golden("defaultNSD"));
    EXPECT_EQ(Bytes(CSequenceSetting()), Golden("defaultSequence"));
    EXPECT_EQ(Bytes(MacroPair()), Golden("default.mcx"));
    EXPECT_TRUE(prompt.messages.empty());
}

TEST(XmlColorFiles, EveryChangedValueSurvivesReadAndWrite)
{
    RecordingPrompt prompt;
    for (const char* golden : {"defaultFlow", "defaultNSD", "defaultSequence", "default.mcx"}) {
        std::string changed = ChangeEveryValue(Golden(golden));
        ASSERT_NE(changed, Golden(golden));
        EXPECT_EQ(ReadAndWrite(golden, changed), changed) << golden;
        // LF-only line ends read alike.
        EXPECT_EQ(ReadAndWrite(golden, WithoutCarriageReturns(changed)), changed) << golden;
    }
    EXPECT_TRUE(prompt.messages.empty());
}

TEST(XmlColorFiles, OnlyWhatTheFileHoldsChanges)
{
    CFlowSetting expected;
    expected.BackGroundColor = 200; // "0000c8" is red 200
    expected.StartEndColor.border = 0xFFFFFF;
    expected.Ratio4x.XSize = 0; // a size of 0 is kept as read
    expected.Ratio16x.ShowText = 0; // only 1 sets a flag
    expected.Ratio16x.LoopFont.Create("Mono Bold", 15, 1);
    // The processing font lacks Bold and stays as it was.
    EXPECT_EQ(ReadAndWrite("defaultFlow",
                  kHeader +
                      "<FlowviewColorXML>\r\n<BackGroundColor=\"0000c8\"/>\r\n"
                      "<StartEndColor Border=\"ffffff\"/>\r\n"
                      "<Ratio4x>\r\n<ProcessingFont Name=\"Courier\" "
                      "Size=\"12\"/>\r\n<XSize=\"0\"/>\r\n</Ratio4x>\r\n"
                      "<Ratio16x>\r\n<ShowText=\"2\"/>\r\n<LoopFont Name=\"Mono Bold\" Size=\"15\" "
                      "Bold=\"1\"/>\r\n</Ratio16x>\r\n"
                      "</FlowviewColorXML>\r\n"),
        Bytes(expected));
}

TEST(XmlColorFiles, AFileOfAnotherViewChangesOnlyTheSharedNames)
{
    CNSDSetting nsd;
    nsd.HighColorShading = 0;
    nsd.BackGroundColor = 0x123456;
    nsd.LoopColor = ColorTriple {1, 2, 3};
    CFlowSetting expected;
    expected.HighColorShading = 0;
    expected.BackGroundColor = 0x123456;
    expected.LoopColor = ColorTriple {1, 2, 3}; // both records name a triple "LoopColor"
    EXPECT_EQ(ReadAndWrite("defaultFlow", Bytes(nsd)), Bytes(expected));
}

TEST(XmlColorFiles, MacroItemsReadIntoTheEntryTheirKindFinds)
{
    MacroPair expected;
    expected.styles.GetColors(UNIT_ENUM) = ColorTriple {0x0000C8, 0x00C800, 0xC80000};
    expected.styles.PublicColor = 0xABCDEF;
    // The enum lacks its font and keeps it; "PublicColor" is not the name.
    EXPECT_EQ(
        ReadAndWrite("default.mcx",
            kHeader +
                "<MacroviewColorXML Version=\"1.3\">\r\n<Enum>\r\n"
                "<Color Text=\"0000c8\" Border=\"00c800\" Background=\"c80000\"/>\r\n</Enum>\r\n"
                "<PubllcColor=\"abcdef\"/>\r\n<PublicColor=\"000001\"/>\r\n</"
                "MacroviewColorXML>\r\n"),
        Bytes(expected));

    // A kind without an entry of its own is written and read as the default.
    TempFolder folder;
    MacroPair pair;
    pair.styles.itemColors.erase(UNIT_UNION);
    WriteFileBytes(
        folder.File("u.mcx"), kHeader + "<R><Union><Color Background=\"010203\"/></Union></R>");
    ASSERT_TRUE(LoadMacroColorFile(folder.File("u.mcx"), pair.fonts, pair.styles));
    EXPECT_EQ(pair.styles.defaultColors.background, 0x010203u);
    EXPECT_EQ(pair.styles.itemColors.count(UNIT_UNION), 0u);
    EXPECT_NE(Bytes(pair).find(
                  "<Union>\r\n<Color Text=\"000000\" Border=\"ffffff\" Background=\"010203\"/>"),
        std::string::npos);
}

TEST(XmlColorFiles, UnreadableFilesLeaveTheRecordAndTellTheUser)
{
    TempFolder folder;
    WriteFileBytes(folder.File("cut.fcx"), Golden("defaultFlow").substr(0, 700));
    WriteFileBytes(folder.File("binary.fcx"), std::string("\x89PNG\r\n\x1a\n\0\0\0", 11));
    CFlowSetting flow;
    flow.Ratio4x.LoopFont.Create("Keep", 9, 1);
    const std::string before = Bytes(flow);
    for (const char* name : {"missing.fcx", "cut.fcx", "binary.fcx"}) {
        RecordingPrompt prompt;
        EXPECT_FALSE(LoadFlowColorFile(folder.File(name), flow)) << name;
        EXPECT_EQ(Bytes(flow), before) << name;
        EXPECT_EQ(prompt.messages, std::vector<std::string> {kReadFailed}) << name;
    }
}

TEST(XmlColorFiles, FailedWritesKeepTheOldFileAndTellTheUser)
{
    TempFolder folder;
    const std::string path = folder.File("theme.scx");
    CSequenceSetting original;
    original.StartX = 77;
    ASSERT_TRUE(SaveSequenceColorFile(path, original));

    RecordingPrompt prompt;
    {
        FileSizeLimit fullDisk(100);
        EXPECT_FALSE(SaveSequenceColorFile(path, CSequenceSetting()));
    }
    EXPECT_EQ(ReadFileBytes(path), Bytes(original));
    EXPECT_EQ(folder.Names(), std::vector<std::string> {"theme.scx"});
    EXPECT_FALSE(SaveSequenceColorFile(folder.File("no-folder/theme.scx"), CSequenceSetting()));
    EXPECT_EQ(prompt.messages, (std::vector<std::string> {kWriteFailed, kWriteFailed}));
}
