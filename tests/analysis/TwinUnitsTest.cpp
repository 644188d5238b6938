#include "IncludedFile.h"
#include "TwinUnits.h"

#include <gtest/gtest.h>

namespace {

// A record of two tokens with a unit that has a child, bound to them.
void FillRecord(CSourceFile& file)
{
    file.scan.tokens.emplace_back(1, 46, "a");
    file.scan.tokens.emplace_back(1, 46, "b");
    file.units.emplace_back();
    file.units[0].children.emplace_back();
    file.units[0].tokens = &file.scan.tokens;
    file.units[0].children[0].tokens = &file.scan.tokens;
    file.split = true;
    file.parsed = true;
}

bool BoundTo(const std::vector<CUnit>& units, const std::vector<PPToken>* tokens)
{
    for (const CUnit& unit : units) {
        if (unit.tokens != tokens || !BoundTo(unit.children, tokens)) {
            return false;
        }
    }
    return true;
}

} // namespace

// Units given to a record of the same tokens point at that record's tokens,
// whole trees deep; a copy leaves the source as it was, a move takes its
// units over without copying them and leaves it unparsed.
TEST(TwinUnits, GivenUnitsAreBoundToTheirNewRecord)
{
    CIncludedFile from("h.h", nullptr, true);
    FillRecord(from);
    CIncludedFile copy("h.h", nullptr, true);
    copy.scan.tokens = from.scan.tokens;
    CopyUnits(from, copy);
    EXPECT_TRUE(BoundTo(copy.units, &copy.scan.tokens));
    EXPECT_TRUE(BoundTo(from.units, &from.scan.tokens));
    EXPECT_TRUE(copy.split && copy.parsed);
    ASSERT_EQ(copy.units.size(), 1u);
    EXPECT_EQ(copy.units[0].children.size(), 1u);

    CIncludedFile taker("h.h", nullptr, true);
    taker.scan.tokens = from.scan.tokens;
    const CUnit* units = from.units.data();
    MoveUnits(from, taker);
    EXPECT_EQ(taker.units.data(), units);
    EXPECT_TRUE(BoundTo(taker.units, &taker.scan.tokens));
    EXPECT_TRUE(taker.split && taker.parsed);
    EXPECT_TRUE(from.units.empty());
    EXPECT_FALSE(from.split || from.parsed);
}
