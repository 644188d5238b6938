#include "TextColorFile.h"

#include "MacroSizeLimits.h"
#include "SettingBytes.h"
#include "TestFiles.h"
#include "UnitKind.h"
#include "XmlColorFiles.h"

#include <gtest/gtest.h>

#include <regex>

namespace {

std::string Replace(std::string text, const std::string& from, const std::string& to)
{
    size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

// The pair read from the text, or built-in values when it cannot be read.
MacroPair Read(const std::string& text, bool expectRead = true)
{
    TempFolder folder;
    WriteFileBytes(folder.File("t.cif"), text);
    MacroPair pair;
    EXPECT_EQ(LoadColorInfoFile(folder.File("t.cif"), pair.fonts, pair.styles), expectRead);
    return pair;
}

std::string Write(const MacroPair& pair)
{
    TempFolder folder;
    EXPECT_TRUE(SaveColorInfoFile(folder.File("t.cif"), pair.fonts, pair.styles));
    return ReadFileBytes(folder.File("t.cif"));
}

// A pair with every value changed, face names with blanks included.
MacroPair Changed()
{
    TempFolder folder;
    WriteFileBytes(folder.File("c.mcx"), ChangeEveryValue(Golden("default.mcx")));
    MacroPair pair;
    LoadMacroColorFile(folder.File("c.mcx"), pair.fonts, pair.styles);
    return pair;
}

} // namespace

TEST(TextColorFile, BuiltInPairIsWrittenByteForByte)
{
    EXPECT_EQ(Write(MacroPair()), Golden("default"));
    EXPECT_EQ(FormatColor(0x0000C8), "200 0 0");
    EXPECT_EQ(FormatColor(0xFFFFFF), "255 255 255");
}

TEST(TextColorFile, EveryChangedValueSurvivesARoundTripAlsoWithLfLines)
{
    MacroPair changed = Changed();
    ASSERT_NE(Bytes(changed), Bytes(MacroPair()));
    std::string text = Write(changed);
    EXPECT_EQ(Bytes(Read(text)), Bytes(changed));
    EXPECT_EQ(Bytes(Read(WithoutCarriageReturns(text))), Bytes(changed));
}

TEST(TextColorFile, FaceNamesAFileCannotCarryAreRefusedWhenSet)
{
    MacroPair pair;
    const std::string before = pair.fonts.defaultFont.faceName;
    for (const std::string& face :
        {std::string("Two\r\nLines"), std::string("Tab\there"), std::string(32, 'x')})
        EXPECT_FALSE(pair.fonts.defaultFont.Create(face, 9, 0)) << face;
    EXPECT_EQ(pair.fonts.defaultFont.faceName, before);
    ASSERT_TRUE(pair.fonts.defaultFont.Create(std::string(31, 'y'), 9, 0));
    // The longest storable name comes back whole.
    EXPECT_EQ(Read(Write(pair)).fonts.defaultFont.faceName, std::string(31, 'y'));
}

TEST(TextColorFile, HeaderEndingBelowTwoHasNoGroupingLine)
{
    MacroPair changed = Changed();
    changed.styles.Grouping = 2;
    std::string text = Write(changed);
    text = Replace(text, "Version 1.2", "Version 1.1");
    text = Replace(text, "Grouping 2\r\n", "");
    changed.styles.Grouping = 0;
    EXPECT_EQ(Bytes(Read(text)), Bytes(changed));
}

TEST(TextColorFile, ValuesAreTakenByPositionNotByKeyWord)
{
    MacroPair changed = Changed();
    std::string text = Write(changed);
    // Every key word (the first word of a line, not a face name) becomes "Key".
    std::string renamed = std::regex_replace(
        text, std::regex("(^|\n)[A-Z][A-Za-z]*(Color|Type|Shading|Space|Grouping|Font)"), "$1Key");
    ASSERT_EQ(renamed.find("Color", 10), std::string::npos);
    EXPECT_EQ(Bytes(Read(renamed)), Bytes(changed));
}

TEST(TextColorFile, OutOfRangeNumbersAreComputedWithoutOverflow)
{
    std::string text = Golden("default");
    text = Replace(text, "BackGroundColor 255 255 255", "BackGroundColor 99999999999 -5 300");
    text = Replace(text, "DefaultFont\r\nArial\r\n10 0", "DefaultFont\r\nArial\r\n-2147483649 1");
    MacroPair pair = Read(text);
    // red clamps to 2147483647 (255 modulo 256), green -5 * 256, blue 300 * 65536
    EXPECT_EQ(pair.styles.BackGroundColor, static_cast<COLORREF>(255 - 1280 + 300 * 65536));
    EXPECT_EQ(pair.fonts.defaultFont.size, kMacroFontSizeMin);
    EXPECT_EQ(pair.fonts.defaultFont.bold, 1);
}

TEST(TextColorFile, MacroSizesBeyondTheLayoutsReachAreBroughtIntoRangeInBothFormats)
{
    std::string text = Golden("default");
    text = Replace(text, "UnitSpace 4", "UnitSpace 1000000");
    text = Replace(text, "ClassFont\r\nArial\r\n10 1", "ClassFont\r\nArial\r\n1000000 1");
    text = Replace(text, "EnumFont\r\nArial\r\n10 0", "EnumFont\r\nArial\r\n-40 0");
    MacroPair pair = Read(text);
    EXPECT_EQ(pair.styles.UnitSpace, kMacroUnitSpaceMax);
    EXPECT_EQ(pair.fonts.GetItemFont(UNIT_CLASS).size, kMacroFontSizeMax);
    EXPECT_EQ(pair.fonts.GetItemFont(UNIT_CLASS).bold, 1);
    EXPECT_EQ(pair.fonts.GetItemFont(UNIT_ENUM).size, kMacroFontSizeMin);
    EXPECT_EQ(Read(Replace(Golden("default"), "UnitSpace 4", "UnitSpace -3")).styles.UnitSpace, 0);

    TempFolder folder;
    std::string xml = Golden("default.mcx");
    xml = Replace(xml, "<UnitSpace=\"4\"/>", "<UnitSpace=\"-2147483648\"/>");
    xml = Replace(xml, "Size=\"10\"", "Size=\"2147483647\"");
    WriteFileBytes(folder.File("big.mcx"), xml);
    MacroPair fromXml;
    ASSERT_TRUE(LoadMacroColorFile(folder.File("big.mcx"), fromXml.fonts, fromXml.styles));
    EXPECT_EQ(fromXml.styles.UnitSpace, 0);
    EXPECT_EQ(fromXml.fonts.defaultFont.size, kMacroFontSizeMax);
    EXPECT_EQ(fromXml.fonts.GetItemFont(UNIT_CLASS).size, 10);
}

TEST(TextColorFile, MissingShortOrBrokenFilesChangeNothing)
{
    {
        RecordingPrompt prompt;
        MacroPair pair = Changed();
        const std::string before = Bytes(pair);
        EXPECT_FALSE(LoadColorInfoFile("/nonexistent/default", pair.fonts, pair.styles));
        EXPECT_EQ(Bytes(pair), before);
        EXPECT_TRUE(prompt.messages.empty()); // a missing file is silent
    }
    std::string golden = Golden("default");
    std::vector<std::string> broken;
    // Cut at every line end but the last: each leaves a value missing.
    for (size_t at = golden.find('\n'); at + 1 < golden.size(); at = golden.find('\n', at + 1))
        broken.push_back(golden.substr(0, at + 1));
    broken.push_back(Replace(golden, "HighColorShading 1", "HighColorShading one"));
    broken.push_back(Replace(golden, "ClassColor 0 0 0 150", "ClassColor 0 0 0 x150"));
    broken.push_back(Replace(golden, "EnumFont\r\nArial\r\n10 0", "EnumFont\r\nArial\r\nten 0"));
    broken.push_back(std::string("\0\0\0\xff", 4));
    for (size_t i = 0; i < broken.size(); ++i) {
        RecordingPrompt prompt;
        EXPECT_EQ(Bytes(Read(broken[i], false)), Bytes(MacroPair())) << i;
        EXPECT_EQ(prompt.messages, std::vector<std::string> {"The colour file could not be read."})
            << i;
    }
}

TEST(TextColorFile, FailedWriteKeepsTheOldFileAndTellsTheUser)
{
    TempFolder folder;
    const std::string path = folder.File("default");
    WriteFileBytes(path, "old");
    MacroPair pair;
    RecordingPrompt prompt;
    {
        FileSizeLimit fullDisk(64);
        EXPECT_FALSE(SaveColorInfoFile(path, pair.fonts, pair.styles));
    }
    EXPECT_EQ(ReadFileBytes(path), "old");
    EXPECT_EQ(folder.Names(), std::vector<std::string> {"default"});
    EXPECT_EQ(
        prompt.messages, std::vector<std::string> {"Error: The colour file could not be written."});
}
