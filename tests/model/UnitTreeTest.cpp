#include "Unit.h"
#include "UnitDetail.h"
#include "UnitKind.h"
#include "TokenType.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace {

// Ten identifier tokens "t0".."t9" and units over them.
class UnitTree : public testing::Test {
protected:
    UnitTree()
    {
        for (int i = 0; i < 10; ++i)
            tokens.emplace_back(i + 1, IDENTIFIER, ("t" + std::to_string(i)).c_str());
    }

    CUnit Unit(TokenIndices indices, int kind = UNIT_UNKNOWN) const
    {
        CUnit unit(&tokens);
        unit.kind = kind;
        unit.tokenIndices = std::move(indices);
        if (!unit.tokenIndices.empty()) {
            unit.first = unit.tokenIndices.front();
            unit.last = unit.tokenIndices.back();
        }
        return unit;
    }

    std::vector<PPToken> tokens;
};

} // namespace

TEST(UnitKinds, CategoriesGroupVariablesPreprocessingAndStatements)
{
    for (int kind : {0, 54, 57, 58, 59, 62, -1, 4, 18, 1000})
        EXPECT_EQ(GetUnitCategory(kind), kind) << kind;
    const std::pair<int, int> grouped[] = {
        {11, 12}, {12, 12}, {19, 19}, {32, 19}, {33, 49}, {53, 49}, {61, 49}};
    for (const auto& [kind, category] : grouped)
        EXPECT_EQ(GetUnitCategory(kind), category) << kind;
}

TEST(UnitKinds, NamesIncludingUnknownCodes)
{
    EXPECT_EQ(UnitKindName(0), "** Unknown");
    EXPECT_EQ(UnitKindName(18), "[Function]");
    EXPECT_EQ(UnitKindName(54), "[Variable Initial Child]");
    EXPECT_EQ(UnitKindName(61), "[throw statement]");
    for (int kind : {3, 55, 60, 62, 100, -1})
        EXPECT_EQ(UnitKindName(kind), "Unknown(Analysys complete)") << kind;
}

TEST_F(UnitTree, AccessAndFunctionNameReadTheActualRecord)
{
    CUnit function = Unit({}, UNIT_FUNCTION);
    auto info = std::make_unique<CFunctionInfo>();
    info->access = ACCESS_PROTECTED;
    info->qualifiedName.name = "Draw";
    info->qualifiedName.scopes = {"N", "C"};
    function.SetDetail(std::move(info));
    EXPECT_EQ(GetUnitAccess(function), 2);
    EXPECT_EQ(GetUnitFunctionName(function), "Draw");
    EXPECT_TRUE(function.IsFunction());

    // A record of the wrong type is never read as another one.
    CUnit variable = Unit({}, UNIT_VARIABLE);
    variable.SetDetail(std::make_unique<CFunctionInfo>());
    EXPECT_EQ(GetUnitAccess(variable), 0);
    EXPECT_EQ(AsVariableInfo(variable), nullptr);
    variable.kind = UNIT_FUNCTION;
    variable.SetDetail(nullptr);
    EXPECT_EQ(GetUnitAccess(variable), 0);
    EXPECT_EQ(GetUnitFunctionName(variable), "");

    CUnit classUnit = Unit({}, UNIT_CLASS);
    classUnit.SetDetail(std::make_unique<CClassInfo>());
    EXPECT_EQ(GetUnitAccess(classUnit), 0);
}

TEST_F(UnitTree, GetTokenChecksBothPositions)
{
    CUnit unit = Unit({0, 2, 12});
    EXPECT_STREQ(unit.GetToken(1).text, "t2");
    EXPECT_THROW(unit.GetToken(2), std::out_of_range); // position 12 is not a token
    EXPECT_THROW(unit.GetToken(3), std::out_of_range);
    EXPECT_THROW(unit.GetToken(-1), std::out_of_range);
    CUnit unbound;
    unbound.tokenIndices = {0};
    EXPECT_THROW(unbound.GetToken(0), std::out_of_range);
}

TEST_F(UnitTree, CopyTokenIndices)
{
    CUnit unit = Unit({1, 3, 5, 7, 9});
    TokenIndices out = {42};
    unit.CopyTokenIndices(3, 2, out);
    EXPECT_EQ(out, (TokenIndices {42}));
    unit.CopyTokenIndices(1, 3, out);
    EXPECT_EQ(out, (TokenIndices {42, 3, 5, 7}));
    out.clear();
    unit.CopyTokenIndices(3, 4, out);
    EXPECT_EQ(out, (TokenIndices {7, 9}));
    out.clear();
    EXPECT_THROW(unit.CopyTokenIndices(3, 6, out), std::out_of_range);
    EXPECT_EQ(out, (TokenIndices {7, 9})); // the entries before the bad one
}

TEST_F(UnitTree, SplitAtZeroMovesEverythingIntoTheChild)
{
    CUnit unit = Unit({0, 1, 2});
    unit.brace = true;
    unit.last = 9;
    unit.children.push_back(Unit({4, 5}));
    unit.children.push_back(Unit({6, 7, 8}));

    unit.SplitAt(0);
    EXPECT_TRUE(unit.tokenIndices.empty());
    EXPECT_FALSE(unit.brace);
    ASSERT_EQ(unit.children.size(), 1u);
    const CUnit& child = unit.children[0];
    EXPECT_EQ(child.tokenIndices, (TokenIndices {0, 1, 2}));
    EXPECT_TRUE(child.brace);
    ASSERT_EQ(child.children.size(), 2u);
    EXPECT_EQ(child.children[1].tokenIndices, (TokenIndices {6, 7, 8}));
    EXPECT_EQ(child.tokens, &tokens);
    EXPECT_EQ(child.kind, 0);
    EXPECT_FALSE(child.done);
    EXPECT_EQ(child.first, 0);
    EXPECT_EQ(child.last, 9);
}

TEST_F(UnitTree, SplitAtTheEndMakesAnEmptyChildHoldingTheBlock)
{
    CUnit unit = Unit({0, 1, 2});
    unit.brace = true;
    unit.last = 6;
    unit.children.push_back(Unit({4, 5}));

    unit.SplitAt(3);
    EXPECT_EQ(unit.tokenIndices, (TokenIndices {0, 1, 2}));
    EXPECT_FALSE(unit.brace);
    ASSERT_EQ(unit.children.size(), 1u);
    EXPECT_TRUE(unit.children[0].tokenIndices.empty());
    EXPECT_TRUE(unit.children[0].brace);
    ASSERT_EQ(unit.children[0].children.size(), 1u);
    EXPECT_EQ(unit.children[0].children[0].tokenIndices, (TokenIndices {4, 5}));
}

TEST_F(UnitTree, SplitInTheMiddleOfAStatementWithoutBraces)
{
    // if ( a ) b ;  -> the unit keeps "if ( a )", the child holds "b ;"
    CUnit unit = Unit({0, 1, 2, 3, 4, 5});
    unit.SplitAt(4);
    EXPECT_EQ(unit.tokenIndices, (TokenIndices {0, 1, 2, 3}));
    ASSERT_EQ(unit.children.size(), 1u);
    EXPECT_EQ(unit.children[0].tokenIndices, (TokenIndices {4, 5}));
    EXPECT_FALSE(unit.children[0].brace);
    EXPECT_EQ(unit.children[0].first, 4);
    EXPECT_EQ(unit.children[0].last, 5);
}

TEST_F(UnitTree, CopyingCopiesChildrenAndNeverSharesARecord)
{
    CUnit unit = Unit({0, 1}, UNIT_FUNCTION);
    unit.done = true;
    auto info = std::make_unique<CFunctionInfo>();
    info->qualifiedName.name = "f";
    info->parameters.resize(3);
    unit.SetDetail(std::move(info));
    unit.children.push_back(Unit({2, 3}));
    unit.children[0].SetDetail(std::make_unique<CTextInfo>("label"));

    CUnit copy(unit);
    EXPECT_EQ(copy.kind, UNIT_FUNCTION);
    EXPECT_TRUE(copy.done);
    EXPECT_EQ(copy.tokenIndices, unit.tokenIndices);
    ASSERT_NE(AsFunctionInfo(copy), nullptr);
    EXPECT_NE(AsFunctionInfo(copy), AsFunctionInfo(unit));
    EXPECT_EQ(AsFunctionInfo(copy)->parameters.size(), 3u);
    ASSERT_EQ(copy.children.size(), 1u);
    ASSERT_NE(AsTextInfo(copy.children[0]), nullptr);
    EXPECT_EQ(AsTextInfo(copy.children[0])->text, "label");

    unit = CUnit(&tokens); // the original's records go; the copy keeps its own
    EXPECT_EQ(AsFunctionInfo(copy)->qualifiedName.name, "f");

    // A growing vector of units moves them without losing records.
    std::vector<CUnit> units;
    for (int i = 0; i < 50; ++i) {
        units.emplace_back(&tokens);
        units.back().SetDetail(std::make_unique<CTextInfo>(std::to_string(i)));
    }
    EXPECT_EQ(AsTextInfo(units[7])->text, "7");
}

namespace {

// A record that counts its destructions.
class CountedRecord final : public CDetailRecordOf<CountedRecord> {
public:
    explicit CountedRecord(int& destroyed) : destroyed_(&destroyed) { }
    ~CountedRecord() override { ++*destroyed_; }

private:
    int* destroyed_;
};

} // namespace

TEST_F(UnitTree, DeepTreesAreDestroyed)
{
    int destroyed = 0;
    {
        CUnit root(&tokens);
        CUnit* node = &root;
        for (int i = 0; i < 2000; ++i) {
            node->children.push_back(Unit({}, UNIT_FUNCTION));
            node->children.back().SetDetail(std::make_unique<CountedRecord>(destroyed));
            node = &node->children.back();
        }
        EXPECT_EQ(destroyed, 0);
    }
    EXPECT_EQ(destroyed, 2000) << "every record of the tree goes once";
}

// A file of plain declarations makes a unit per line, nearly none of them
// with children: the list of children takes a pointer until it is filled.
TEST_F(UnitTree, AUnitIsSmallAndItsChildrenAreAListOfTheirOwn)
{
    EXPECT_LE(sizeof(CUnit), 48u);

    CUnit unit = Unit({0, 1});
    unit.children.push_back(Unit({2}));
    CUnit copy = unit;
    copy.children[0].tokenIndices = TokenIndices {3};
    copy.children.push_back(Unit({4}));
    ASSERT_EQ(unit.children.size(), 1u);
    EXPECT_EQ(unit.children[0].tokenIndices, (TokenIndices {2}));
    CUnit moved = std::move(copy);
    ASSERT_EQ(moved.children.size(), 2u);
    EXPECT_EQ(moved.children[0].tokenIndices, (TokenIndices {3}));
}
