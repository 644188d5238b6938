#include "PPToken.h"
#include "TokenText.h"
#include "TokenType.h"

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <vector>

TEST(TokenTypes, NumbersAndNamesAreAFileFormat)
{
    EXPECT_EQ(IDENTIFIER, 46);
    EXPECT_EQ(ENDLINE, 13);
    EXPECT_EQ(DECLARATION, 4);
    EXPECT_EQ(NOPARSING, 11);
    EXPECT_EQ(WORD_AND, 76);
    EXPECT_EQ(WORD_XOR_EQ, 149);
    EXPECT_EQ(WORD_INCLUDE, 150);
    EXPECT_EQ(WORD_UNDEF, 160);
    EXPECT_EQ(WORD___W64, 186);
    EXPECT_EQ(kTokenTypeCount, WORD___W64 + 1);
    EXPECT_STREQ(TokenTypeName(0), "<0>");
    EXPECT_STREQ(TokenTypeName(1), "EOF");
    EXPECT_STREQ(TokenTypeName(46), "IDENTIFIER");
    EXPECT_STREQ(TokenTypeName(186), "WORD___W64");
    EXPECT_EQ(TokenTypeName(187), nullptr);
    EXPECT_EQ(TokenTypeName(-1), nullptr);
}

namespace {

std::string Spell(int type, const char* text = nullptr)
{
    std::vector<PPToken> tokens;
    tokens.emplace_back(1, type, text);
    return TokenSpelling(tokens, 0);
}

} // namespace

TEST(TokenSpelling, FixedAndTextualSpellings)
{
    EXPECT_EQ(Spell(STRINGS, "abc"), "\"abc\"");
    EXPECT_EQ(Spell(STRINGS), "\"\"");
    EXPECT_EQ(Spell(CHARS, "x"), "'x'");
    EXPECT_EQ(Spell(CHARS), "''");
    EXPECT_EQ(Spell(H_CHAR, "a.h"), "\"a.h\"");
    EXPECT_EQ(Spell(Q_CHAR, "stdio.h"), "include<stdio.h>");
    EXPECT_EQ(Spell(IDENTIFIER, "foo"), "foo");
    EXPECT_EQ(Spell(NEWLINE), "\n");
    EXPECT_EQ(Spell(SLASH), "/");
    EXPECT_EQ(Spell(DIV), "/");
    EXPECT_EQ(Spell(ARROWSTAR), "->*");
    EXPECT_EQ(Spell(WORD_REINTERPRET_CAST), "reinterpret_cast");
    EXPECT_EQ(Spell(WORD___W64), "__w64");
    EXPECT_EQ(Spell(ENDLINE), "Error Token");
    EXPECT_EQ(Spell(0), "Error Token");
    EXPECT_EQ(Spell(500), "Error Token");
    EXPECT_EQ(Spell(-3), "Error Token");
}

TEST(TokenSpelling, PositionsAreChecked)
{
    std::vector<PPToken> tokens;
    tokens.emplace_back(1, IDENTIFIER, "a");
    EXPECT_THROW(TokenSpelling(tokens, 1), std::out_of_range);
    EXPECT_THROW(TokenSpelling(tokens, -1), std::out_of_range);
    EXPECT_THROW(TokensToText(tokens, {0, 5}, 1), std::out_of_range);
}

TEST(TokensToText, BlanksBetweenButNotAfter)
{
    std::vector<PPToken> tokens;
    tokens.emplace_back(1, WORD_INT, nullptr);
    tokens.emplace_back(1, IDENTIFIER, "a");
    tokens.emplace_back(1, SEMI, nullptr);
    tokens.emplace_back(1, IDENTIFIER, "");
    EXPECT_EQ(TokensToText(tokens, {0, 1, 2}, 1), "int a ;");
    EXPECT_EQ(TokensToText(tokens, {0, 1, 2}, 0), "inta;");
    EXPECT_EQ(TokensToText(tokens, {0, 1, 2}, 2), "inta;");
    EXPECT_EQ(TokensToText(tokens, {}, 1), "");
    EXPECT_EQ(TokensToText(tokens, {3}, 1), " ");
}

TEST(TokensToText, RangesSkipEntriesPastTheEnd)
{
    std::vector<PPToken> tokens;
    for (const char* t : {"a", "b", "c", "d", "e"})
        tokens.emplace_back(1, IDENTIFIER, t);
    TokenIndices indices = {0, 1, 2, 3, 4};
    EXPECT_EQ(TokenRangeToText(tokens, indices, 2, 9, 1), "c d e");
    EXPECT_EQ(TokenRangeToText(tokens, indices, 3, 2, 1), "");
    EXPECT_EQ(TokenRangeToText(tokens, indices, 1, 1, 0), "b");
}

TEST(PPToken, CopiesOwnTheirText)
{
    PPToken a(3, IDENTIFIER, "name");
    a = a;
    EXPECT_STREQ(a.text, "name");
    PPToken* source = new PPToken(a);
    PPToken copy(*source);
    delete source;
    EXPECT_STREQ(copy.text, "name");
    EXPECT_NE(copy.text, a.text);
    PPToken none(1, SEMI, nullptr);
    copy = none;
    EXPECT_EQ(copy.text, nullptr);
    EXPECT_EQ(copy.type, SEMI);

    PPToken moved(std::move(a));
    EXPECT_STREQ(moved.text, "name");
    EXPECT_EQ(a.text, nullptr);

    PPToken empty(1, STRINGS, "");
    ASSERT_NE(empty.text, nullptr);
    EXPECT_STREQ(empty.text, "");
}

TEST(PPToken, DirectiveWordsBecomeIdentifiers)
{
    PPToken t(7, WORD_DEFINE, nullptr);
    MakeIdentifierToken(t, "define");
    EXPECT_EQ(t.type, IDENTIFIER);
    EXPECT_STREQ(t.text, "define");
    EXPECT_EQ(t.line, 7);
}
