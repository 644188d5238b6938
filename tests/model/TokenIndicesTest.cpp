#include "TokenIndices.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<int> Values(const TokenIndices& list)
{
    return std::vector<int>(list.begin(), list.end());
}

} // namespace

TEST(TokenIndices, ConsecutivePositionsStayARunUntilOneBreaksIt)
{
    TokenIndices list;
    for (int p = 7; p < 12; ++p) {
        list.push_back(p);
    }
    EXPECT_TRUE(list.IsCompact());
    EXPECT_EQ(list.size(), 5u);
    EXPECT_EQ(list[0], 7);
    EXPECT_EQ(list.back(), 11);
    EXPECT_EQ(list.end() - list.begin(), 5);

    list.push_back(20); // the run breaks: every position is kept
    list.push_back(21);
    EXPECT_FALSE(list.IsCompact());
    EXPECT_EQ(Values(list), (std::vector<int> {7, 8, 9, 10, 11, 20, 21}));
    EXPECT_EQ(list.at(5), 20);
    EXPECT_THROW(list.at(7), std::out_of_range);
}

TEST(TokenIndices, CopiesAssignmentsAndCutsKeepThePositions)
{
    const std::vector<int> scattered {3, 5, 6, 9};
    TokenIndices stored(scattered.begin(), scattered.end());
    TokenIndices run {4, 5, 6};
    EXPECT_FALSE(stored.IsCompact());
    EXPECT_TRUE(run.IsCompact());

    TokenIndices copy = stored;
    stored.clear();
    EXPECT_TRUE(stored.empty());
    EXPECT_EQ(Values(copy), scattered);

    copy.resize(2);
    EXPECT_EQ(Values(copy), (std::vector<int> {3, 5}));
    run.resize(1);
    EXPECT_EQ(Values(run), (std::vector<int> {4}));
    run.resize(3);
    EXPECT_EQ(Values(run), (std::vector<int> {4, 0, 0}));

    // Appending a run to a stored list, and a list to itself through a copy.
    TokenIndices joined = copy;
    const TokenIndices tail {6, 7};
    joined.insert(joined.end(), tail.begin(), tail.end());
    EXPECT_EQ(Values(joined), (std::vector<int> {3, 5, 6, 7}));
    EXPECT_THROW(joined.insert(joined.begin(), tail.begin(), tail.end()), std::invalid_argument);

    // A stored list and a run of the same positions are equal.
    const std::vector<int> consecutive {1, 2, 3};
    TokenIndices grown;
    grown.push_back(5);
    grown.push_back(1); // stored from here
    grown.resize(0);
    for (int p : consecutive) {
        grown.push_back(p);
    }
    EXPECT_EQ(grown, TokenIndices(consecutive.begin(), consecutive.end()));
    EXPECT_NE(grown, (TokenIndices {1, 2}));
}

TEST(TokenIndices, NegativeAndLargePositionsSurviveARun)
{
    TokenIndices list {-2, -1, 0};
    EXPECT_TRUE(list.IsCompact());
    EXPECT_EQ(Values(list), (std::vector<int> {-2, -1, 0}));
    TokenIndices high;
    high.push_back(0x7ffffffe);
    high.push_back(0x7fffffff);
    EXPECT_EQ(high.back(), 0x7fffffff);
    high.push_back(0); // past the largest int: not a continuation
    EXPECT_EQ(Values(high), (std::vector<int> {0x7ffffffe, 0x7fffffff, 0}));
    EXPECT_EQ(sizeof(TokenIndices), 8u);
}
