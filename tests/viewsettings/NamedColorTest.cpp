#include "NamedColor.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

TEST(NamedColors, NamesFitTheirFieldsAndAreUnique)
{
    EXPECT_STREQ(NamedColorTable[0].name, "black");
    EXPECT_STREQ(NamedColorTable[kCustomColorIndex].name, "custom");
    std::set<std::string> names;
    for (const NamedColor& entry : NamedColorTable) {
        size_t length = strnlen(entry.name, sizeof entry.name);
        ASSERT_LT(length, sizeof entry.name);
        for (size_t i = length; i < sizeof entry.name; ++i)
            EXPECT_EQ(entry.name[i], '\0') << entry.name;
        names.insert(entry.name);
    }
    EXPECT_EQ(names.size(), kNamedColorCount);
    EXPECT_EQ(NamedColorTable[23].color, 0x0000FFu); // "red": red in the low byte
    EXPECT_EQ(NamedColorTable[86].color, 0xFF0000u); // "blue"
}

TEST(NamedColors, FirstEntryWinsAndOthersGoToCustom)
{
    const COLORREF saved = NamedColorTable[kCustomColorIndex].color;
    EXPECT_EQ(SelectNamedColor(0xFF00FF), 115u); // "fuchsia" before "magenta"
    EXPECT_EQ(SelectNamedColor(0xFFFF00), 130u); // "aqua" before "cyan"
    EXPECT_EQ(SelectNamedColor(0x123456), kCustomColorIndex);
    EXPECT_EQ(SelectNamedColor(0x654321), kCustomColorIndex);
    EXPECT_EQ(NamedColorTable[kCustomColorIndex].color, 0x654321u); // the last one wins
    SetCustomColor(0x000000);
    EXPECT_EQ(SelectNamedColor(0x000000), 0u); // black is "black", never "custom"
    SetCustomColor(saved);
}
