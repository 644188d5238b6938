#include "Font.h"
#include "TextMeasurer.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

// Measuring a list gives each text the extent measuring it alone gives, also
// where the font changes from one text to the next, returns to an earlier
// one, was never made or is missing.
TEST(FontTextMeasurerTest, ListGivesTheExtentsOfSingleTexts)
{
    LogFont small;
    small.height = -11;
    small.faceName = "DejaVu Sans";
    LogFont large = small;
    large.height = -24;
    large.weight = 700;
    CFont plain;
    CFont bold;
    ASSERT_TRUE(plain.CreateFontIndirect(small));
    ASSERT_TRUE(bold.CreateFontIndirect(large));
    const CFont unmade;
    const std::vector<TextInFont> texts = {{&plain, "acc += 1;"}, {&plain, "break;"},
        {&bold, "While: x"}, {&plain, ""}, {&unmade, "x"}, {nullptr, "y"}, {&bold, "No"},
        {&plain, "Yes"}};

    const FontTextMeasurer measurer;
    std::vector<CSize> all(texts.size());
    measurer.MeasureAll(texts, all.data());
    for (size_t i = 0; i < texts.size(); ++i) {
        const CSize alone =
            texts[i].font != nullptr ? measurer.Measure(*texts[i].font, texts[i].text) : CSize();
        EXPECT_EQ(all[i].cx, alone.cx) << i;
        EXPECT_EQ(all[i].cy, alone.cy) << i;
    }
    EXPECT_NE(all[0].cy, all[2].cy); // the two fonts differ in height
}
