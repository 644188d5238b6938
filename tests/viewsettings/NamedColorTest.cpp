#include "NamedColor.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

namespace {

// Each test leaves "custom" as it found it.
class NamedColors : public ::testing::Test {
protected:
    void SetUp() override { saved_ = NamedColorTable[kCustomColorIndex].color; }
    void TearDown() override { SetCustomColor(saved_); }

private:
    uint32_t saved_ = 0;
};

} // namespace

TEST_F(NamedColors, TableShapeAndNames)
{
    EXPECT_STREQ(NamedColorTable[0].name, "black");
    EXPECT_STREQ(NamedColorTable[kCustomColorIndex].name, "custom");
    std::set<std::string> names;
    size_t longest = 0;
    for (const NamedColor& entry : NamedColorTable) {
        size_t length = strnlen(entry.name, sizeof entry.name);
        ASSERT_LT(length, sizeof entry.name) << "unterminated name";
        for (size_t i = length; i < sizeof entry.name; ++i)
            EXPECT_EQ(entry.name[i], '\0') << entry.name;
        longest = std::max(longest, length);
        names.insert(entry.name);
        EXPECT_EQ(entry.color & 0xFF000000u, 0u) << entry.name;
    }
    EXPECT_EQ(longest, 23u);
    EXPECT_STREQ(NamedColorTable[99].name, "yellow(light-goldenrod)");
    EXPECT_EQ(names.size(), kNamedColorCount);
}

TEST_F(NamedColors, ColoursAreBlueGreenRed)
{
    EXPECT_EQ(NamedColorTable[23].color, 0x0000FFu); // red
    EXPECT_EQ(NamedColorTable[86].color, 0xFF0000u); // blue
    EXPECT_EQ(NamedColorTable[64].color, 0x00FF00u); // lime
    EXPECT_STREQ(NamedColorTable[30].name, "red(Indian)");
    EXPECT_EQ(NamedColorTable[30].color, 0x5C5CCDu);
    EXPECT_STREQ(NamedColorTable[138].name, "azure");
    EXPECT_EQ(NamedColorTable[138].color, 0xFFFFF0u);
}

TEST_F(NamedColors, SelectionPrefersTheFirstEntry)
{
    EXPECT_EQ(SelectNamedColor(0x000000), 0u);
    EXPECT_EQ(SelectNamedColor(0xFF00FF), 115u);
    EXPECT_STREQ(NamedColorTable[115].name, "fuchsia");
    EXPECT_EQ(SelectNamedColor(0xFFFF00), 130u);
    EXPECT_STREQ(NamedColorTable[130].name, "aqua");
}

TEST_F(NamedColors, ColoursOutsideTheTableGoToCustomLastOneWins)
{
    EXPECT_EQ(SelectNamedColor(0x123456), kCustomColorIndex);
    EXPECT_EQ(NamedColorTable[kCustomColorIndex].color, 0x123456u);
    EXPECT_EQ(SelectNamedColor(0x654321), kCustomColorIndex);
    EXPECT_EQ(NamedColorTable[kCustomColorIndex].color, 0x654321u);
    // Black stays "black" even while "custom" holds it.
    SetCustomColor(0x000000);
    EXPECT_EQ(SelectNamedColor(0x000000), 0u);
}
