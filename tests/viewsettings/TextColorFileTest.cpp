#include "TextColorFile.h"

#include "MacroViewDefaults.h"
#include "SettingCompare.h"
#include "TestFiles.h"
#include "UnitKind.h"

#include <gtest/gtest.h>

#include <regex>

namespace {

const std::string kGolden = std::string(KESTRIN_TEST_DATA) + "/viewsettings/default";

struct MacroPair {
    MacroPair() { SetMacroViewDefaults(fonts, styles); }
    CVisualSetting fonts;
    ElementStyleTable styles;
};

std::string Replace(std::string text, const std::string& from, const std::string& to)
{
    size_t at = text.find(from);
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

} // namespace

TEST(TextColorFile, DefaultPairIsWrittenByteForByte)
{
    TempFolder folder;
    MacroPair pair;
    ASSERT_TRUE(SaveColorInfoFile(folder.File("default"), pair.fonts, pair.styles));
    EXPECT_EQ(ReadFileBytes(folder.File("default")), ReadFileBytes(kGolden));
}

TEST(TextColorFile, ColoursAreRedGreenBlueInDecimal)
{
    EXPECT_EQ(FormatColor(0x0000C8), "200 0 0");
    EXPECT_EQ(FormatColor(0xFFFFFF), "255 255 255");
    EXPECT_EQ(FormatColor(0x030201), "1 2 3");
}

TEST(TextColorFile, EveryChangedValueSurvivesARoundTrip)
{
    TempFolder folder;
    MacroPair written;
    ChangeEveryField(written.fonts, written.styles, 5);
    written.fonts.GetItemFont(UNIT_CLASS).Create("DejaVu Sans Mono", 0, 1);
    ASSERT_TRUE(SaveColorInfoFile(folder.File("t.cif"), written.fonts, written.styles));

    MacroPair read;
    ASSERT_TRUE(LoadColorInfoFile(folder.File("t.cif"), read.fonts, read.styles));
    EXPECT_EQ(Diff(read.fonts, written.fonts), "");
    EXPECT_EQ(Diff(read.styles, written.styles), "");
    EXPECT_EQ(read.fonts.GetItemFont(UNIT_CLASS).faceName, "DejaVu Sans Mono");
    EXPECT_EQ(read.fonts.GetItemFont(UNIT_CLASS).size, 0);
}

TEST(TextColorFile, GoldenFileReadsAsTheBuiltInPairAlsoWithLfLines)
{
    TempFolder folder;
    std::string lf = std::regex_replace(ReadFileBytes(kGolden), std::regex("\r\n"), "\n");
    WriteFileBytes(folder.File("lf"), lf);
    MacroPair expected;
    for (const std::string& path : {kGolden, folder.File("lf")}) {
        MacroPair pair;
        ChangeEveryField(pair.fonts, pair.styles, 2);
        ASSERT_TRUE(LoadColorInfoFile(path, pair.fonts, pair.styles)) << path;
        EXPECT_EQ(Diff(pair.fonts, expected.fonts), "") << path;
        EXPECT_EQ(Diff(pair.styles, expected.styles), "") << path;
    }
}

TEST(TextColorFile, HeaderEndingBelowTwoHasNoGroupingLine)
{
    TempFolder folder;
    MacroPair written;
    ChangeEveryField(written.fonts, written.styles, 1);
    ASSERT_TRUE(SaveColorInfoFile(folder.File("new"), written.fonts, written.styles));
    std::string text = ReadFileBytes(folder.File("new"));
    text = Replace(text, "Version 1.2", "Version 1.1");
    text = Replace(text, "Grouping 2\r\n", "");
    WriteFileBytes(folder.File("old"), text);

    MacroPair read;
    read.styles.Grouping = 1;
    ASSERT_TRUE(LoadColorInfoFile(folder.File("old"), read.fonts, read.styles));
    written.styles.Grouping = 0;
    EXPECT_EQ(Diff(read.styles, written.styles), "");
    EXPECT_EQ(Diff(read.fonts, written.fonts), "");
}

TEST(TextColorFile, ValuesAreTakenByPositionNotByKeyWord)
{
    TempFolder folder;
    MacroPair written;
    ChangeEveryField(written.fonts, written.styles, 3);
    ASSERT_TRUE(SaveColorInfoFile(folder.File("t.cif"), written.fonts, written.styles));
    std::string text = ReadFileBytes(folder.File("t.cif"));
    // Every key word at the start of a line becomes "Key"; face names and
    // numbers stay.
    std::string renamed = std::regex_replace(text, std::regex("(^|\n)[A-Z][A-Za-z]*(Color|Type|Shading|Space|Grouping|Font)"), "$1Key");
    ASSERT_NE(renamed, text);
    ASSERT_EQ(renamed.find("PubllcColor"), std::string::npos);
    WriteFileBytes(folder.File("renamed.cif"), "Version 2\r\n" + renamed.substr(renamed.find('\n') + 1));

    MacroPair read;
    ASSERT_TRUE(LoadColorInfoFile(folder.File("renamed.cif"), read.fonts, read.styles));
    EXPECT_EQ(Diff(read.styles, written.styles), "");
    EXPECT_EQ(Diff(read.fonts, written.fonts), "");
}

TEST(TextColorFile, OutOfRangeNumbersAreComputedWithoutOverflow)
{
    TempFolder folder;
    std::string text = ReadFileBytes(kGolden);
    text = Replace(text, "BackGroundColor 255 255 255", "BackGroundColor 99999999999 -5 300");
    text = Replace(text, "UnitSpace 4", "UnitSpace 0");
    text = Replace(text, "DefaultFont\r\nArial\r\n10 0", "DefaultFont\r\nArial\r\n-2147483649 1");
    WriteFileBytes(folder.File("odd.cif"), text);
    MacroPair pair;
    ASSERT_TRUE(LoadColorInfoFile(folder.File("odd.cif"), pair.fonts, pair.styles));
    // red clamps to 2147483647 (255 modulo 256), green -5 * 256, blue 300 * 65536
    EXPECT_EQ(pair.styles.BackGroundColor, static_cast<COLORREF>(255 - 1280 + 300 * 65536));
    EXPECT_EQ(pair.styles.UnitSpace, 0);
    EXPECT_EQ(pair.fonts.defaultFont.size, INT32_MIN);
    EXPECT_EQ(pair.fonts.defaultFont.bold, 1);
}

TEST(TextColorFile, MissingFileIsSilentlyFalse)
{
    TempFolder folder;
    RecordingPrompt prompt;
    MacroPair pair;
    ChangeEveryField(pair.fonts, pair.styles, 4);
    MacroPair before;
    ChangeEveryField(before.fonts, before.styles, 4);
    EXPECT_FALSE(LoadColorInfoFile(folder.File("missing"), pair.fonts, pair.styles));
    EXPECT_TRUE(prompt.messages.empty());
    EXPECT_EQ(Diff(pair.styles, before.styles), "");
}

TEST(TextColorFile, ShortOrBrokenFilesChangeNothingAndTellTheUser)
{
    TempFolder folder;
    std::string golden = ReadFileBytes(kGolden);
    std::vector<std::string> broken;
    // Cut at every line end but the last: each leaves a value missing.
    for (size_t at = golden.find('\n'); at + 1 < golden.size(); at = golden.find('\n', at + 1))
        broken.push_back(golden.substr(0, at + 1));
    broken.push_back(Replace(golden, "HighColorShading 1", "HighColorShading one"));
    broken.push_back(Replace(golden, "ClassColor 0 0 0 150", "ClassColor 0 0 0 x150"));
    broken.push_back(Replace(golden, "EnumFont\r\nArial\r\n10 0", "EnumFont\r\nArial\r\nten 0"));
    broken.push_back(std::string("\0\0\0\xff", 4));

    for (size_t i = 0; i < broken.size(); ++i) {
        WriteFileBytes(folder.File("b.cif"), broken[i]);
        RecordingPrompt prompt;
        MacroPair pair;
        ChangeEveryField(pair.fonts, pair.styles, 6);
        MacroPair before;
        ChangeEveryField(before.fonts, before.styles, 6);
        EXPECT_FALSE(LoadColorInfoFile(folder.File("b.cif"), pair.fonts, pair.styles)) << i;
        EXPECT_EQ(Diff(pair.styles, before.styles), "") << i;
        EXPECT_EQ(Diff(pair.fonts, before.fonts), "") << i;
        EXPECT_EQ(prompt.messages, std::vector<std::string>{"The colour file could not be read."}) << i;
    }
}

TEST(TextColorFile, FailedWriteKeepsTheOldFileAndTellsTheUser)
{
    TempFolder folder;
    std::string path = folder.File("default");
    WriteFileBytes(path, "old");
    MacroPair pair;
    RecordingPrompt prompt;
    {
        FileSizeLimit fullDisk(64);
        EXPECT_FALSE(SaveColorInfoFile(path, pair.fonts, pair.styles));
    }
    EXPECT_EQ(ReadFileBytes(path), "old");
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"default"});
    EXPECT_EQ(prompt.messages, std::vector<std::string>{"Error: The colour file could not be written."});
}
