#include "DefaultColorFiles.h"

#include "MacroViewDefaults.h"
#include "ProgramFolder.h"
#include "SettingBytes.h"
#include "TestFiles.h"

#include <filesystem>
#include <gtest/gtest.h>

TEST(DefaultColorFiles, ShippedBesideTheProgramAsTheBuiltInRecords)
{
    EXPECT_EQ(ColorFilePath(kDefaultFlowFile), GetAppDirectory() + "/Color/defaultFlow");
    for (const char* name :
        {kDefaultFlowFile, kDefaultSequenceFile, kDefaultNSDFile, kDefaultMacroFile})
        EXPECT_EQ(ReadFileBytes(ColorFilePath(name)), Golden(name)) << name;

    RecordingPrompt prompt;
    CFlowSetting flow;
    CSequenceSetting sequence;
    CNSDSetting nsd;
    flow.Ratio16x.ShowText = 0;
    sequence.StartX = 1;
    nsd.TitleMarginHeight = 5;
    LoadDefaultDetailColorFiles(flow, sequence, nsd);
    EXPECT_EQ(Bytes(flow), Golden("defaultFlow"));
    EXPECT_EQ(Bytes(sequence), Golden("defaultSequence"));
    EXPECT_EQ(Bytes(nsd), Golden("defaultNSD"));

    CVisualSetting fonts;
    ElementStyleTable styles;
    SetMacroViewDefaults(fonts, styles);
    styles.UnitSpace = 0;
    fonts.defaultFont.Create("Other", 3, 1);
    EXPECT_TRUE(LoadDefaultMacroColorFile(fonts, styles).read);
    EXPECT_EQ(Bytes(fonts, styles), Golden("default.mcx"));
    EXPECT_TRUE(prompt.messages.empty());
}

TEST(DefaultColorFiles, UsersCopyIsReadFirstAndTheOnlyOneWritten)
{
    RecordingPrompt prompt;
    const std::string shipped = ColorFilePath(kDefaultNSDFile);
    const std::string before = ReadFileBytes(shipped);
    CFlowSetting flow;
    CSequenceSetting sequence;
    CNSDSetting nsd;
    nsd.TitleMarginHeight = 17;
    SaveDefaultDetailColorFiles(flow, sequence, nsd);
    EXPECT_EQ(ReadFileBytes(shipped), before);
    EXPECT_EQ(DefaultColorFileToRead(kDefaultNSDFile), DefaultColorFileToWrite(kDefaultNSDFile));

    CNSDSetting again;
    LoadDefaultDetailColorFiles(flow, sequence, again);
    EXPECT_EQ(again.TitleMarginHeight, 17);
    std::filesystem::remove(DefaultColorFileToWrite(kDefaultNSDFile));
    EXPECT_EQ(DefaultColorFileToRead(kDefaultNSDFile), shipped);
    EXPECT_TRUE(prompt.messages.empty());
}

TEST(DefaultColorFiles, AUsersCopyOfTooManyElementsIsRefusedAndKept)
{
    RecordingPrompt prompt;
    std::string text = "<?xml version=\"1.0\"?>\r\n<NSDColorXML Version=\"1.0\">\r\n";
    for (int i = 0; i < 20000; ++i)
        text += "<a/>";
    text += "<LoopWidth=\"99\"/></NSDColorXML>\r\n";
    const std::string users = DefaultColorFileToWrite(kDefaultNSDFile);
    WriteFileBytes(users, text);
    CFlowSetting flow;
    CSequenceSetting sequence;
    CNSDSetting nsd;
    const DetailColorFilesWritable writable = LoadDefaultDetailColorFiles(flow, sequence, nsd);
    EXPECT_EQ(Bytes(nsd), Golden("defaultNSD"));
    EXPECT_EQ(prompt.messages, std::vector<std::string> {"The colour file could not be read."});
    EXPECT_FALSE(writable.nsd);
    SaveDefaultDetailColorFiles(flow, sequence, nsd, writable);
    EXPECT_EQ(ReadFileBytes(users), text);
    std::filesystem::remove(users);
}
