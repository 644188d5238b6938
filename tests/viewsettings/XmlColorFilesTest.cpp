#include "XmlColorFiles.h"

#include "MacroViewDefaults.h"
#include "SettingCompare.h"
#include "TestFiles.h"
#include "UnitKind.h"

#include <gtest/gtest.h>

namespace {

const std::string kGolden = std::string(KESTRIN_TEST_DATA) + "/viewsettings/";

const char* kReadFailed = "The colour file could not be read.";
const char* kWriteFailed = "Error: The colour file could not be written.";

std::string ToLf(std::string text)
{
    std::string out;
    for (char c : text) {
        if (c != '\r')
            out += c;
    }
    return out;
}

const char* kXmlHeader = "<?xml version=\"1.0\"?>\r\n";

} // namespace

TEST(XmlColorFiles, DefaultRecordsAreWrittenByteForByte)
{
    TempFolder folder;
    RecordingPrompt prompt;
    ASSERT_TRUE(SaveFlowColorFile(folder.File("flow"), CFlowSetting()));
    ASSERT_TRUE(SaveNSDColorFile(folder.File("nsd"), CNSDSetting()));
    ASSERT_TRUE(SaveSequenceColorFile(folder.File("sequence"), CSequenceSetting()));
    CVisualSetting fonts;
    ElementStyleTable styles;
    SetMacroViewDefaults(fonts, styles);
    ASSERT_TRUE(SaveMacroColorFile(folder.File("macro"), fonts, styles));

    EXPECT_EQ(ReadFileBytes(folder.File("flow")), ReadFileBytes(kGolden + "defaultFlow"));
    EXPECT_EQ(ReadFileBytes(folder.File("nsd")), ReadFileBytes(kGolden + "defaultNSD"));
    EXPECT_EQ(ReadFileBytes(folder.File("sequence")), ReadFileBytes(kGolden + "defaultSequence"));
    EXPECT_EQ(ReadFileBytes(folder.File("macro")), ReadFileBytes(kGolden + "default.mcx"));
    EXPECT_TRUE(prompt.messages.empty());
}

TEST(XmlColorFiles, GoldenFilesReadBackAsTheBuiltInRecords)
{
    RecordingPrompt prompt;
    CFlowSetting flow;
    ChangeEveryField(flow, 1);
    ASSERT_TRUE(LoadFlowColorFile(kGolden + "defaultFlow", flow));
    EXPECT_EQ(Diff(flow, CFlowSetting()), "");

    CNSDSetting nsd;
    ChangeEveryField(nsd, 1);
    ASSERT_TRUE(LoadNSDColorFile(kGolden + "defaultNSD", nsd));
    EXPECT_EQ(Diff(nsd, CNSDSetting()), "");

    CSequenceSetting sequence;
    ChangeEveryField(sequence, 1);
    ASSERT_TRUE(LoadSequenceColorFile(kGolden + "defaultSequence", sequence));
    EXPECT_EQ(Diff(sequence, CSequenceSetting()), "");

    CVisualSetting fonts, defaultFonts;
    ElementStyleTable styles, defaultStyles;
    SetMacroViewDefaults(fonts, styles);
    SetMacroViewDefaults(defaultFonts, defaultStyles);
    ChangeEveryField(fonts, styles, 1);
    ASSERT_TRUE(LoadMacroColorFile(kGolden + "default.mcx", fonts, styles));
    EXPECT_EQ(Diff(fonts, defaultFonts), "");
    EXPECT_EQ(Diff(styles, defaultStyles), "");
    EXPECT_TRUE(prompt.messages.empty());
}

TEST(XmlColorFiles, EveryChangedFieldSurvivesARoundTrip)
{
    TempFolder folder;
    for (int salt = 0; salt < 3; ++salt) {
        CFlowSetting flow;
        ChangeEveryField(flow, salt);
        ASSERT_TRUE(SaveFlowColorFile(folder.File("t.fcx"), flow));
        CFlowSetting flowRead;
        ASSERT_TRUE(LoadFlowColorFile(folder.File("t.fcx"), flowRead));
        EXPECT_EQ(Diff(flowRead, flow), "");

        CNSDSetting nsd;
        ChangeEveryField(nsd, salt);
        ASSERT_TRUE(SaveNSDColorFile(folder.File("t.ncx"), nsd));
        CNSDSetting nsdRead;
        ASSERT_TRUE(LoadNSDColorFile(folder.File("t.ncx"), nsdRead));
        EXPECT_EQ(Diff(nsdRead, nsd), "");

        CSequenceSetting sequence;
        ChangeEveryField(sequence, salt);
        ASSERT_TRUE(SaveSequenceColorFile(folder.File("t.scx"), sequence));
        CSequenceSetting sequenceRead;
        ASSERT_TRUE(LoadSequenceColorFile(folder.File("t.scx"), sequenceRead));
        EXPECT_EQ(Diff(sequenceRead, sequence), "");

        CVisualSetting fonts, fontsRead;
        ElementStyleTable styles, stylesRead;
        SetMacroViewDefaults(fonts, styles);
        SetMacroViewDefaults(fontsRead, stylesRead);
        ChangeEveryField(fonts, styles, salt);
        ASSERT_TRUE(SaveMacroColorFile(folder.File("t.mcx"), fonts, styles));
        ASSERT_TRUE(LoadMacroColorFile(folder.File("t.mcx"), fontsRead, stylesRead));
        EXPECT_EQ(Diff(fontsRead, fonts), "");
        EXPECT_EQ(Diff(stylesRead, styles), "");
    }
}

TEST(XmlColorFiles, LfOnlyFilesReadAlike)
{
    TempFolder folder;
    WriteFileBytes(folder.File("lf"), ToLf(ReadFileBytes(kGolden + "defaultNSD")));
    CNSDSetting nsd;
    ChangeEveryField(nsd, 2);
    ASSERT_TRUE(LoadNSDColorFile(folder.File("lf"), nsd));
    EXPECT_EQ(Diff(nsd, CNSDSetting()), "");
}

TEST(XmlColorFiles, OnlyWhatTheFileHoldsChanges)
{
    TempFolder folder;
    WriteFileBytes(folder.File("bg.fcx"),
        std::string(kXmlHeader) + "<FlowviewColorXML>\r\n<BackGroundColor=\"0000c8\"/>\r\n"
        "<StartEndColor Border=\"ffffff\"/>\r\n"
        "<Ratio4x>\r\n<ProcessingFont Name=\"Courier\" Size=\"12\"/>\r\n<XSize=\"0\"/>\r\n</Ratio4x>\r\n"
        "<Ratio16x>\r\n<ShowText=\"2\"/>\r\n<LoopFont Name=\"Mono Bold\" Size=\"15\" Bold=\"1\"/>\r\n</Ratio16x>\r\n"
        "</FlowviewColorXML>\r\n");
    CFlowSetting flow;
    ChangeEveryField(flow, 7);
    CFlowSetting expected = flow;
    ASSERT_TRUE(LoadFlowColorFile(folder.File("bg.fcx"), flow));

    expected.BackGroundColor = 200; // red 200
    expected.StartEndColor.border = 0xFFFFFF;
    expected.Ratio4x.XSize = 0;     // a size of 0 is kept as read
    expected.Ratio16x.ShowText = 0; // only 1 sets a flag
    expected.Ratio16x.LoopFont.Create("Mono Bold", 15, 1);
    // The processing font lacks Bold and stays as it was.
    EXPECT_EQ(Diff(flow, expected), "");
}

TEST(XmlColorFiles, AFileOfAnotherViewChangesOnlyTheSharedNames)
{
    TempFolder folder;
    CNSDSetting nsd;
    nsd.HighColorShading = 0;
    nsd.BackGroundColor = 0x123456;
    nsd.LoopColor = ColorTriple{1, 2, 3};
    ASSERT_TRUE(SaveNSDColorFile(folder.File("other.ncx"), nsd));

    CFlowSetting flow;
    CFlowSetting expected = flow;
    ASSERT_TRUE(LoadFlowColorFile(folder.File("other.ncx"), flow));
    expected.HighColorShading = 0;
    expected.BackGroundColor = 0x123456;
    // Both records name a triple "LoopColor": it is shared too.
    expected.LoopColor = ColorTriple{1, 2, 3};
    EXPECT_EQ(Diff(flow, expected), "");
}

TEST(XmlColorFiles, MacroItemWithoutFontKeepsItsFont)
{
    TempFolder folder;
    WriteFileBytes(folder.File("m.mcx"),
        std::string(kXmlHeader) + "<MacroviewColorXML Version=\"1.3\">\r\n<Enum>\r\n"
        "<Color Text=\"0000c8\" Border=\"00c800\" Background=\"c80000\"/>\r\n</Enum>\r\n"
        "<PubllcColor=\"abcdef\"/>\r\n<PublicColor=\"000001\"/>\r\n</MacroviewColorXML>\r\n");
    CVisualSetting fonts;
    ElementStyleTable styles;
    SetMacroViewDefaults(fonts, styles);
    CVisualSetting fontsBefore = fonts;
    ASSERT_TRUE(LoadMacroColorFile(folder.File("m.mcx"), fonts, styles));
    EXPECT_EQ(Diff(fonts, fontsBefore), "");
    EXPECT_EQ(styles.GetColors(UNIT_ENUM), (ColorTriple{0x0000C8, 0x00C800, 0xC80000}));
    EXPECT_EQ(styles.PublicColor, 0xABCDEFu);
}

TEST(XmlColorFiles, MacroKindsWithoutEntryReadIntoTheDefaultEntry)
{
    TempFolder folder;
    CVisualSetting fonts;
    ElementStyleTable styles;
    SetMacroViewDefaults(fonts, styles);
    styles.itemColors.erase(UNIT_UNION);
    ASSERT_TRUE(SaveMacroColorFile(folder.File("m.mcx"), fonts, styles));
    std::string text = ReadFileBytes(folder.File("m.mcx"));
    // The union is written with the default colours.
    EXPECT_NE(text.find("<Union>\r\n<Color Text=\"000000\" Border=\"ffffff\" Background=\"ffffff\"/>"),
              std::string::npos);

    WriteFileBytes(folder.File("u.mcx"), std::string(kXmlHeader)
        + "<R><Union><Color Background=\"010203\"/></Union></R>");
    ASSERT_TRUE(LoadMacroColorFile(folder.File("u.mcx"), fonts, styles));
    EXPECT_EQ(styles.defaultColors.background, 0x010203u);
    EXPECT_EQ(styles.itemColors.count(UNIT_UNION), 0u);
}

TEST(XmlColorFiles, UnreadableFilesLeaveTheRecordAndTellTheUser)
{
    TempFolder folder;
    WriteFileBytes(folder.File("cut.fcx"), ReadFileBytes(kGolden + "defaultFlow").substr(0, 700));
    WriteFileBytes(folder.File("binary.fcx"), std::string("\x89PNG\r\n\x1a\n\0\0\0", 11));
    for (const char* name : {"missing.fcx", "cut.fcx", "binary.fcx"}) {
        RecordingPrompt prompt;
        CFlowSetting flow;
        ChangeEveryField(flow, 9);
        CFlowSetting before = flow;
        EXPECT_FALSE(LoadFlowColorFile(folder.File(name), flow)) << name;
        EXPECT_EQ(Diff(flow, before), "") << name;
        EXPECT_EQ(prompt.messages, std::vector<std::string>{kReadFailed}) << name;
    }
}

TEST(XmlColorFiles, FailedWritesKeepTheOldFileAndTellTheUser)
{
    TempFolder folder;
    std::string path = folder.File("theme.scx");
    CSequenceSetting original;
    ChangeEveryField(original, 1);
    ASSERT_TRUE(SaveSequenceColorFile(path, original));
    std::string before = ReadFileBytes(path);

    RecordingPrompt prompt;
    {
        FileSizeLimit fullDisk(100);
        EXPECT_FALSE(SaveSequenceColorFile(path, CSequenceSetting()));
    }
    EXPECT_EQ(ReadFileBytes(path), before);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"theme.scx"});
    EXPECT_FALSE(SaveSequenceColorFile(folder.File("no-folder/theme.scx"), CSequenceSetting()));
    EXPECT_EQ(prompt.messages, (std::vector<std::string>{kWriteFailed, kWriteFailed}));
}
