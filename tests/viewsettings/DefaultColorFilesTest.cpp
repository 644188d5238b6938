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
