#include "NumberText.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

} // namespace

TEST(NumberText, DecimalStopsAtTheFirstOtherCharacter)
{
    const std::pair<const char*, int32_t> numbers[] = {{" 12abc", 12}, {"-3", -3}, {"+7", 7},
        {"\t\r\n\v\f 5", 5}, {"0012", 12}, {"12 34", 12}, {"", 0}, {"abc", 0}, {"+", 0}, {"- 4", 0},
        {"ff", 0}};
    for (const auto& [text, value] : numbers)
        EXPECT_EQ(DecimalOrZero(text), value) << text;
}

TEST(NumberText, ValuesBeyondTheRangeGiveTheNearestLimit)
{
    EXPECT_EQ(DecimalOrZero("2147483647"), kMax);
    EXPECT_EQ(DecimalOrZero("2147483648"), kMax);
    EXPECT_EQ(DecimalOrZero("99999999999999999999999"), kMax);
    EXPECT_EQ(DecimalOrZero("-2147483648"), kMin);
    EXPECT_EQ(DecimalOrZero("-2147483649"), kMin);
    EXPECT_EQ(DecimalOrZero("-99999999999999999999999"), kMin);
    // 2^32 + 1 must not wrap round to 1.
    EXPECT_EQ(DecimalOrZero("4294967297"), kMax);
    EXPECT_EQ(ReadHex("100000001")->value, kMax);
}

TEST(NumberText, AWholeNumberFieldRefusesAnythingElseAndValuesBeyondTheRange)
{
    EXPECT_EQ(WholeDecimal(" -5\t"), -5);
    EXPECT_EQ(WholeDecimal("+7"), 7);
    EXPECT_EQ(WholeDecimal("2147483647"), kMax);
    EXPECT_EQ(WholeDecimal("-2147483648"), kMin);
    for (const char* bad : {"2147483648", "-2147483649", "99999999999999999999", "", " ", "12abc",
             "1.5", "-", "0x10", "1 2"})
        EXPECT_EQ(WholeDecimal(bad), std::nullopt) << bad;
}

TEST(NumberText, ReadTellsANumberFromNoneAndHowMuchItRead)
{
    EXPECT_FALSE(ReadDecimal("  +"));
    EXPECT_FALSE(ReadDecimal(""));
    const std::optional<NumberRead> first = ReadDecimal(" 42 -13");
    ASSERT_TRUE(first);
    EXPECT_EQ(first->value, 42);
    EXPECT_EQ(first->length, 3u);
    const std::optional<NumberRead> second = ReadDecimal(std::string_view(" 42 -13").substr(3));
    ASSERT_TRUE(second);
    EXPECT_EQ(second->value, -13);
    EXPECT_EQ(second->length, 4u);
    const std::optional<NumberRead> zero = ReadDecimal("-0");
    ASSERT_TRUE(zero);
    EXPECT_EQ(zero->value, 0);
}
