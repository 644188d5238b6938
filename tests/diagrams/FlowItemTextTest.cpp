#include "AnalysedSource.h"

#include "FlowBuilder.h"
#include "FlowItemText.h"
#include "ShownText.h"
#include "TokenText.h"
#include "Unit.h"

#include <gtest/gtest.h>

// A statement's text read in parts is the text TokensToText joins, for every
// kind of token, from any byte on and of any length: the parts a diagram
// shows of a long text are the ones it showed of the whole.
TEST(FlowItemText, PartsAreThoseOfTheJoinedText)
{
    AnalysedSource source(FunctionF(
        "g(\"str\\n\", 'c', 12, 0x1F, 017, 2.5e3f, a->b, c::d, e <<= 1, f ? g : h, ~i);"));
    FunctionBody items;
    CFlowBuilder::BuildFunctionItems(items, source.Find("f"), 1);
    ASSERT_EQ(items.root.children.size(), 1u);
    const CUnit* unit = items.root.children.front().FirstUnit();
    ASSERT_NE(unit, nullptr);
    const std::string whole = TokensToText(*unit->tokens, unit->tokenIndices, 1);
    ASSERT_GT(whole.size(), 60u);

    const JoinedText text = UnitText(unit);
    EXPECT_EQ(text.Whole(), whole);
    EXPECT_EQ(text.Length(), whole.size());
    for (size_t from = 0; from <= whole.size() + 1; ++from)
        for (size_t count : {size_t {0}, size_t {1}, size_t {2}, size_t {7}, whole.size()})
            EXPECT_EQ(text.Part(from, count), whole.substr(std::min(from, whole.size()), count))
                << from << "+" << count;
    EXPECT_EQ(TokenRangeText(unit, 2, 3).Whole(),
        TokenRangeToText(*unit->tokens, unit->tokenIndices, 2,
            static_cast<int>(unit->tokenIndices.size()) - 4, 1));
    // A single token keeps its one character; no text is empty.
    EXPECT_EQ(
        TokenRangeText(unit, 0, static_cast<int>(unit->tokenIndices.size()) - 1).Whole(), "g");
    EXPECT_EQ(TokenRangeText(unit, 5, static_cast<int>(unit->tokenIndices.size())).Length(), 0u);
    EXPECT_EQ(UnitText(nullptr).Whole(), "");
}

// A line a growing box shows is cut after kLongestShownLine bytes, between
// characters, and ends in "..".
TEST(FlowItemText, ShownLinesAreCutBetweenCharacters)
{
    EXPECT_EQ(ShownLine(std::string(kLongestShownLine, 'a')), std::string(kLongestShownLine, 'a'));
    EXPECT_EQ(ShownLine(std::string(kLongestShownLine + 1, 'a')),
        std::string(kLongestShownLine, 'a') + "..");
    // "é" is two bytes; the one that would be split stays out whole.
    std::string accents;
    while (accents.size() <= kLongestShownLine)
        accents += "\xC3\xA9";
    const std::string shown = ShownLine("x" + accents);
    EXPECT_EQ(shown.size(), kLongestShownLine - 1 + 2);
    EXPECT_EQ(shown.substr(shown.size() - 4), "\xC3\xA9..");
}
