#include "TextHelpers.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <limits>

TEST(TextHelpers, ColoursAndNumbersRoundTrip)
{
    EXPECT_EQ(ColorToHexString(255), "0000ff");
    EXPECT_EQ(HexStringToInt("0000ff"), 255);
    EXPECT_EQ(ColorToHexString(0x1234567), "1234567");
    EXPECT_EQ(ColorToHexString(0), "000000");
    EXPECT_EQ(IntToString(-5), "-5");
    EXPECT_EQ(IntToString(std::numeric_limits<int32_t>::min()), "-2147483648");
}

TEST(TextHelpers, HexReadingFollowsStrtolRules)
{
    EXPECT_EQ(HexStringToInt("  0x1F"), 31);
    EXPECT_EQ(HexStringToInt("-ff"), -255);
    EXPECT_EQ(HexStringToInt("+0XaB"), 0xab);
    EXPECT_EQ(HexStringToInt("12g4"), 0x12);
    EXPECT_EQ(HexStringToInt("zz"), 0);
    EXPECT_EQ(HexStringToInt(""), 0);
    EXPECT_EQ(HexStringToInt("0xg"), 0); // "0" is read, the x stops it
}

TEST(TextHelpers, HexReadingClampsToThirtyTwoBits)
{
    EXPECT_EQ(HexStringToInt("7fffffff"), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(HexStringToInt("80000000"), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(HexStringToInt("ffffffffffffffffffff"), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(HexStringToInt("-80000000"), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(HexStringToInt("-123456789abc"), std::numeric_limits<int32_t>::min());
}

TEST(TextHelpers, LowerCasingLeavesOtherBytesAlone)
{
    std::string text = "C:\\Src\\MAIN.CPP 123 \xC4\xD6\xff";
    MakeLower(text);
    EXPECT_EQ(text, "c:\\src\\main.cpp 123 \xC4\xD6\xff");
    EXPECT_EQ(ToLowerCopy("AbC"), "abc");
}

TEST(TextHelpers, TempDirectoryPrefersTempThenTmp)
{
    const char* oldTemp = std::getenv("TEMP");
    const char* oldTmp = std::getenv("TMP");
    std::string savedTemp = oldTemp ? oldTemp : "";
    std::string savedTmp = oldTmp ? oldTmp : "";

    setenv("TEMP", "/temp/a", 1);
    setenv("TMP", "/temp/b", 1);
    EXPECT_EQ(GetTempDirectory(), "/temp/a");
    unsetenv("TEMP");
    EXPECT_EQ(GetTempDirectory(), "/temp/b");
    unsetenv("TMP");
    EXPECT_FALSE(GetTempDirectory().empty());

    if (oldTemp)
        setenv("TEMP", savedTemp.c_str(), 1);
    if (oldTmp)
        setenv("TMP", savedTmp.c_str(), 1);
}
