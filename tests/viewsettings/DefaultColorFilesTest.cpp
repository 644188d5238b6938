#include "DefaultColorFiles.h"

#include "MacroViewDefaults.h"
#include "ProgramFolder.h"
#include "SettingCompare.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

namespace {

const std::string kGolden = std::string(KESTRIN_TEST_DATA) + "/viewsettings/";

} // namespace

TEST(DefaultColorFiles, LieInTheColorFolderBesideTheProgram)
{
    EXPECT_EQ(ColorFolderPath(), GetAppDirectory() + "/Color");
    EXPECT_EQ(ColorFilePath(kDefaultFlowFile), GetAppDirectory() + "/Color/defaultFlow");
    EXPECT_EQ(ColorFilePath(kDefaultMacroFile), GetAppDirectory() + "/Color/default");
}

TEST(DefaultColorFiles, ShippedFilesAreTheBuiltInRecords)
{
    for (const char* name : {kDefaultFlowFile, kDefaultSequenceFile, kDefaultNSDFile, kDefaultMacroFile})
        EXPECT_EQ(ReadFileBytes(ColorFilePath(name)), ReadFileBytes(kGolden + name)) << name;

    RecordingPrompt prompt;
    CFlowSetting flow;
    CSequenceSetting sequence;
    CNSDSetting nsd;
    ChangeEveryField(flow, 1);
    ChangeEveryField(sequence, 1);
    ChangeEveryField(nsd, 1);
    LoadDefaultDetailColorFiles(flow, sequence, nsd);
    EXPECT_EQ(Diff(flow, CFlowSetting()), "");
    EXPECT_EQ(Diff(sequence, CSequenceSetting()), "");
    EXPECT_EQ(Diff(nsd, CNSDSetting()), "");

    CVisualSetting fonts, expectedFonts;
    ElementStyleTable styles, expectedStyles;
    SetMacroViewDefaults(fonts, styles);
    SetMacroViewDefaults(expectedFonts, expectedStyles);
    ChangeEveryField(fonts, styles, 1);
    EXPECT_TRUE(LoadDefaultMacroColorFile(fonts, styles));
    EXPECT_EQ(Diff(fonts, expectedFonts), "");
    EXPECT_EQ(Diff(styles, expectedStyles), "");
    EXPECT_TRUE(prompt.messages.empty());
}
