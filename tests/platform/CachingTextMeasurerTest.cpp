#include "CachingTextMeasurer.h"

#include <gtest/gtest.h>

namespace {

// Extents that depend on every field of the font's description and on the
// text, and a count of the texts actually measured.
class CountingMeasurer : public TextMeasurer {
public:
    CSize Measure(const CFont& font, std::string_view text) const override
    {
        ++calls;
        const LogFont& d = font.Description();
        const int fields = d.height + 3 * d.width + d.weight + 5 * d.italic + 7 * d.underline +
            11 * d.strikeOut + 13 * d.charSet + 17 * static_cast<int>(d.faceName.size());
        return {static_cast<int>(text.size()) * 100 + fields, static_cast<int>(text.size())};
    }
    mutable int calls = 0;
};

} // namespace

// Each text is measured once per font description, every field of which
// tells fonts apart, and comes back as the measurer gave it.
TEST(CachingTextMeasurerTest, MeasuresEachTextOncePerFontDescription)
{
    auto inner = std::make_shared<CountingMeasurer>();
    CachingTextMeasurer caching(inner);
    LogFont plain;
    plain.height = -13;
    plain.faceName = "Sans";
    std::vector<LogFont> descriptions(8, plain);
    descriptions[1].height = -14;
    descriptions[2].width = 3;
    descriptions[3].weight = 700;
    descriptions[4].italic = 1;
    descriptions[5].underline = 1;
    descriptions[6].strikeOut = 1;
    descriptions[7].faceName = "Serif";
    std::vector<std::unique_ptr<CFont>> fonts;
    for (const LogFont& description : descriptions) {
        fonts.push_back(std::make_unique<CFont>());
        ASSERT_TRUE(fonts.back()->CreateFontIndirect(description));
    }
    const std::string_view texts[] = {"", "a", "Name", std::string_view("x\0y", 3), "Name2"};
    const CountingMeasurer reference;
    for (int round = 0; round < 2; ++round) {
        for (const auto& font : fonts)
            for (std::string_view text : texts)
                EXPECT_EQ(caching.Measure(*font, text), reference.Measure(*font, text));
    }
    EXPECT_EQ(inner->calls, static_cast<int>(fonts.size() * std::size(texts)));

    CFont again;
    ASSERT_TRUE(again.CreateFontIndirect(descriptions[4]));
    const int before = inner->calls;
    caching.Measure(again, "Name");
    EXPECT_EQ(inner->calls, before) << "a font made again shares the entries";
    CFont none;
    caching.Measure(none, "Name");
    caching.Measure(none, "Name");
    EXPECT_EQ(inner->calls, before + 2) << "no font: nothing kept";
}

// A list is looked up and kept as single texts are: it gives the extents
// Measure gives, measures only what no one measured before (each text once),
// keeps nothing for a font never made and nothing for a text without a font.
TEST(CachingTextMeasurerTest, AListSharesTheEntriesOfSingleTexts)
{
    auto inner = std::make_shared<CountingMeasurer>();
    CachingTextMeasurer caching(inner);
    LogFont description;
    description.height = -13;
    description.faceName = "Sans";
    CFont font;
    ASSERT_TRUE(font.CreateFontIndirect(description));
    const CFont none;
    caching.Measure(font, "known");
    const std::vector<TextInFont> texts = {
        {&font, "known"}, {&font, "new"}, {&none, "new"}, {nullptr, "new"}, {&font, "other"}};
    std::vector<CSize> extents(texts.size());
    caching.MeasureAll(texts, extents.data());
    EXPECT_EQ(inner->calls, 1 + 3);
    const CountingMeasurer reference;
    for (size_t i = 0; i < texts.size(); ++i) {
        const CSize expected =
            texts[i].font != nullptr ? reference.Measure(*texts[i].font, texts[i].text) : CSize();
        EXPECT_EQ(extents[i], expected) << i;
    }
    std::vector<CSize> again(texts.size());
    caching.MeasureAll(texts, again.data());
    EXPECT_EQ(again, extents);
    EXPECT_EQ(inner->calls, 4 + 1) << "only the font never made is measured again";
    caching.Measure(font, "other");
    EXPECT_EQ(inner->calls, 5);
}

// What the store holds is counted by font description and text, without
// measuring anything; a text without a font, or in a font never made, is
// never held.
TEST(CachingTextMeasurerTest, CountsTheTextsItHoldsWithoutMeasuring)
{
    auto inner = std::make_shared<CountingMeasurer>();
    CachingTextMeasurer caching(inner);
    LogFont plain;
    plain.height = -13;
    plain.faceName = "Sans";
    LogFont bold = plain;
    bold.weight = 700;
    CFont font;
    CFont sameAgain;
    CFont other;
    ASSERT_TRUE(font.CreateFontIndirect(plain));
    ASSERT_TRUE(sameAgain.CreateFontIndirect(plain));
    ASSERT_TRUE(other.CreateFontIndirect(bold));
    const CFont unmade;
    caching.Measure(font, "Held");
    const int measured = inner->calls;
    const std::vector<TextInFont> texts = {{&font, "Held"}, {&sameAgain, "Held"}, {&other, "Held"},
        {&font, "New"}, {nullptr, "Held"}, {&unmade, "Held"}};
    EXPECT_EQ(caching.CountKnown(texts), 2u);
    EXPECT_EQ(inner->calls, measured);
    EXPECT_EQ(CountingMeasurer().CountKnown(texts), 0u) << "a measurer without a store";
}
