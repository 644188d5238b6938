#include "CapturedOutput.h"
#include "ParseHelpers.h"

#include <gtest/gtest.h>

TEST(ParserFrame, TokenNames)
{
    std::vector<PPToken> tokens;
    CUnit unit(&tokens);
    CUnitTokenStream stream;
    stream.Aim(unit, DECLARATION);
    CCppUnitParser parser(stream, unit);
    EXPECT_EQ(parser.getNumTokens(), 187);
    EXPECT_STREQ(parser.getTokenName(46), "IDENTIFIER");
    EXPECT_STREQ(parser.getTokenName(0), "<0>");
    EXPECT_STREQ(parser.getTokenName(186), "WORD___W64");
    EXPECT_EQ(parser.getTokenName(187), nullptr);
    EXPECT_EQ(parser.getTokenName(200), nullptr);
    EXPECT_EQ(parser.getTokenName(-1), nullptr);
    for (int type = 0; type < 187; ++type)
        EXPECT_STREQ(parser.getTokenNames()[type], TokenTypeName(type)) << type;
}

TEST(ParserFrame, UnitThatFitsNoAlternativeFailsOnce)
{
    auto first = ParseSingle("int x ;", DECLARATION);
    EXPECT_TRUE(first->error);
    EXPECT_FALSE(first->unit.done);
    EXPECT_EQ(first->unit.kind, 0);

    auto second = ParseSingle("+ x ;", DECLARATION2);
    EXPECT_TRUE(second->error);
    EXPECT_EQ(second->unit.kind, 0);
    EXPECT_EQ(second->unit.detail, nullptr);

    auto unknownStart = ParseSingle("int x ;", STATEMENT);
    EXPECT_TRUE(unknownStart->error);
}

TEST(ParserFrame, ErrorInsideANestedRuleLetsTheEnclosingRuleFinish)
{
    // The parameter list reports the stray "+" and skips to ")"; the function
    // is still recorded with the parameter read before the error.
    auto p = ParseSingle("void f ( int a , + ) ;", DECLARATION2);
    EXPECT_TRUE(p->error);
    EXPECT_EQ(p->unit.kind, UNIT_FUNCTION);
    ASSERT_NE(AsFunctionInfo(p->unit), nullptr);
    EXPECT_EQ(AsFunctionInfo(p->unit)->parameters.size(), 1u);
}

TEST(ParserFrame, FailedTrialsReportNothing)
{
    // "(a)" is tried as a cast first; the trial fails quietly.
    auto p = ParseSingle("int x = ( a ) ;", DECLARATION2);
    EXPECT_FALSE(p->error);
    EXPECT_EQ(p->unit.kind, UNIT_VARIABLE);
}

TEST(ParserFrame, TokensAfterACompleteConstructAreLeftUnread)
{
    auto p = ParseSingle("struct S ; int trailing tokens", DECLARATION);
    EXPECT_FALSE(p->error);
    EXPECT_EQ(p->unit.kind, UNIT_STRUCT);
    EXPECT_TRUE(p->unit.done);
}

TEST(ParserFrame, ErrorsArePrintedOnlyWhenVerbose)
{
    std::vector<PPToken> tokens = ScanText("int x ;");
    CUnit unit(&tokens);
    unit.tokenIndices = {0, 1, 2};
    auto printed = [&unit](bool verbose) {
        CUnitTokenStream stream;
        stream.Aim(unit, DECLARATION);
        CCppUnitParser parser(stream, unit);
        parser.verbose = verbose;
        const CapturedOutput output;
        parser.unit();
        EXPECT_TRUE(parser.error);
        return output.str();
    };
    EXPECT_EQ(printed(false), "");
    const std::string loud = printed(true);
    EXPECT_EQ(loud.rfind("Error: ", 0), 0u) << loud;
}
