#include "FlowUnits.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

std::vector<CUnit*> Fake(int count)
{
    std::vector<CUnit*> units;
    for (int i = 0; i < count; ++i)
        units.push_back(reinterpret_cast<CUnit*>(static_cast<uintptr_t>(16 * (i + 1))));
    return units;
}

} // namespace

// Short lists live in the item, longer ones on the heap; either way the list
// reads in order, copies stand apart and a moved-from list is empty.
TEST(FlowUnits, KeepOrderAcrossCopiesAndMoves)
{
    for (const int count : {0, 1, 2, 3, 9}) {
        const std::vector<CUnit*> expected = Fake(count);
        CFlowUnits units;
        for (CUnit* unit : expected)
            units.push_back(unit);
        EXPECT_EQ(std::vector<CUnit*>(units), expected);

        CFlowUnits copy = units;
        copy.push_back(nullptr);
        EXPECT_EQ(std::vector<CUnit*>(units), expected) << count;
        EXPECT_EQ(copy.size(), expected.size() + 1);
        EXPECT_EQ(copy.back(), nullptr);

        CFlowUnits moved = std::move(units);
        EXPECT_TRUE(units.empty()); // NOLINT(bugprone-use-after-move)
        EXPECT_EQ(std::vector<CUnit*>(moved), expected);
        copy = std::move(moved);
        EXPECT_TRUE(moved.empty()); // NOLINT(bugprone-use-after-move)
        EXPECT_EQ(std::vector<CUnit*>(copy), expected);
        if (count > 0) {
            EXPECT_EQ(copy.front(), expected.front());
            EXPECT_EQ(copy[count - 1], expected.back());
        }
    }
}
