#include "StatementClassifier.h"
#include "TokenText.h"
#include "UnitDetail.h"
#include "UnitSplitter.h"
#include "WordTokens.h"

#include <gtest/gtest.h>

namespace {

// Splits "void f ( ) { <body> }" and classifies the body's statements.
struct Body {
    std::vector<PPToken> tokens;
    std::vector<CUnit> units;

    explicit Body(const std::string& body) : tokens(WordTokens("void f ( ) { " + body + " }"))
    {
        CUnitSplitter::SplitTokens(tokens, units);
        ClassifyStatementUnits(Statements());
    }
    LazyVector<CUnit>& Statements() { return units.at(0).children; }
    CUnit& At(size_t i) { return Statements().at(i); }
    std::string Text(const TokenIndices& positions) const
    {
        return TokensToText(tokens, positions, 1);
    }
    std::string Range(const CUnit& unit) const
    {
        const CTokenListInfo* info = AsTokenListInfo(unit);
        return info ? Text(info->tokens) : "<none>";
    }
};

} // namespace

TEST(StatementClassifier, IfElseIfElse)
{
    Body b("if ( a ) b = 1 ; else if ( x ) { y ; } else z = 2 ; else { w ; }");
    ASSERT_EQ(b.Statements().size(), 4u);
    EXPECT_EQ(b.At(0).kind, UNIT_IF);
    EXPECT_EQ(b.Range(b.At(0)), "a");
    ASSERT_EQ(b.At(0).children.size(), 1u);
    EXPECT_EQ(b.Text(b.At(0).children[0].tokenIndices), "b = 1 ;");
    EXPECT_EQ(b.At(0).children[0].kind, UNIT_EXPRESSION_STATEMENT);

    EXPECT_EQ(b.At(1).kind, UNIT_ELSE_IF);
    EXPECT_EQ(b.Range(b.At(1)), "x");
    EXPECT_EQ(b.At(1).children.size(), 1u);
    EXPECT_EQ(b.At(1).children[0].kind, UNIT_EXPRESSION_STATEMENT);

    EXPECT_EQ(b.At(2).kind, UNIT_ELSE);
    EXPECT_EQ(b.Range(b.At(2)), "");
    EXPECT_EQ(b.Text(b.At(2).tokenIndices), "else");
    ASSERT_EQ(b.At(2).children.size(), 1u);
    EXPECT_EQ(b.Text(b.At(2).children[0].tokenIndices), "z = 2 ;");

    EXPECT_EQ(b.At(3).kind, UNIT_ELSE);
    EXPECT_EQ(b.Range(b.At(3)), "");

    // "if constexpr" reads as a plain if, the word left out.
    Body c("if constexpr ( a ) { b ; } else if constexpr ( x ) y ; else z ;");
    ASSERT_EQ(c.Statements().size(), 3u);
    EXPECT_EQ(c.At(0).kind, UNIT_IF);
    EXPECT_EQ(c.Text(c.At(0).tokenIndices), "if ( a )");
    EXPECT_EQ(c.Range(c.At(0)), "a");
    EXPECT_EQ(c.At(1).kind, UNIT_ELSE_IF);
    EXPECT_EQ(c.Range(c.At(1)), "x");
    ASSERT_EQ(c.At(1).children.size(), 1u);
    EXPECT_EQ(c.Text(c.At(1).children[0].tokenIndices), "y ;");
}

TEST(StatementClassifier, HeadsThatDoNotFitBecomeExpressions)
{
    // An empty condition, a case without value, break with more, throw
    // without parentheses, try with more, a head without its ")".
    Body b("if ( ) x ; case : ; break x ; return ; throw x ; throw ; try x ; while ( a x ;");
    for (size_t i : {0u, 1u, 2u, 4u, 5u, 6u, 7u})
        EXPECT_EQ(b.At(i).kind, UNIT_EXPRESSION_STATEMENT) << i;
    EXPECT_EQ(b.At(3).kind, UNIT_RETURN);
    EXPECT_EQ(b.Range(b.At(3)), ";");
    EXPECT_EQ(b.At(7).detail, nullptr);
    for (CUnit& u : b.Statements())
        EXPECT_TRUE(u.done);
}

TEST(StatementClassifier, ForHead)
{
    Body b("for ( i = 0 ; i < n ; i ++ ) x ++ ;");
    CUnit& loop = b.At(0);
    EXPECT_EQ(loop.kind, UNIT_FOR);
    const CForInfo* info = AsForInfo(loop);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(b.Text(info->initTokens), "i = 0 ;");
    EXPECT_EQ(b.Text(info->conditionTokens), "i < n ;");
    EXPECT_EQ(b.Text(info->stepTokens), "i ++");
    ASSERT_EQ(loop.children.size(), 1u);
    EXPECT_EQ(b.Text(loop.children[0].tokenIndices), "x ++ ;");
}

// Heads with empty parts, the endless loop included, and range loops are for
// statements with their bodies as children.
TEST(StatementClassifier, ForHeadsWithEmptyParts)
{
    const struct {
        const char* body;
        const char* init;
        const char* condition;
        const char* step;
        const char* child; // the first child's tokens
    } cases[] = {
        {"for ( ; ; ) { step ( ) ; if ( done ) break ; }", ";", ";", "", "step ( ) ;"},
        {"for ( ; ; ) x ++ ;", ";", ";", "", "x ++ ;"},
        {"for ( ; i < n ; ) { i ++ ; }", ";", "i < n ;", "", "i ++ ;"},
        {"for ( p = q ; ; p = p -> next ) ;", "p = q ;", ";", "p = p -> next", ";"},
        // A range loop is tested by its whole head; a ":" of a conditional
        // in a head with semicolons leaves it an ordinary one.
        {"for ( int v : values ) { sum += v ; if ( v ) break ; }", "", "int v : values", "",
            "sum += v ;"},
        {"for ( const auto & p : m . items ( ) ) total += p ;", "",
            "const auto & p : m . items ( )", "", "total += p ;"},
        {"for ( i = a ? 1 : 2 ; i < n ; i ++ ) ;", "i = a ? 1 : 2 ;", "i < n ;", "i ++", ";"},
    };
    for (const auto& c : cases) {
        Body b(c.body);
        ASSERT_EQ(b.Statements().size(), 1u) << c.body;
        CUnit& loop = b.At(0);
        EXPECT_EQ(loop.kind, UNIT_FOR) << c.body;
        const CForInfo* info = AsForInfo(loop);
        ASSERT_NE(info, nullptr) << c.body;
        EXPECT_EQ(b.Text(info->initTokens), c.init);
        EXPECT_EQ(b.Text(info->conditionTokens), c.condition);
        EXPECT_EQ(b.Text(info->stepTokens), c.step);
        ASSERT_FALSE(loop.children.empty()) << c.body;
        EXPECT_EQ(b.Text(loop.children[0].tokenIndices), c.child);
    }
    // The block's statements are classified too.
    Body b("for ( ; ; ) { step ( ) ; if ( done ) break ; }");
    ASSERT_EQ(b.At(0).children.size(), 2u);
    EXPECT_EQ(b.At(0).children[1].kind, UNIT_IF);
    // Too short for a head: "for ( ; )".
    EXPECT_EQ(Body("for ( ; ) x ;").At(0).kind, UNIT_EXPRESSION_STATEMENT);
    EXPECT_EQ(Body("for ( std :: size_t n ) x ;").At(0).kind, UNIT_EXPRESSION_STATEMENT);
}

TEST(StatementClassifier, JumpsLabelsAndCases)
{
    Body b("break ; continue ; goto end ; end : ; case 1 : x = 1 ; default : y ; return a + b ;");
    EXPECT_EQ(b.At(0).kind, UNIT_BREAK);
    EXPECT_EQ(b.At(1).kind, UNIT_CONTINUE);
    EXPECT_EQ(b.At(2).kind, UNIT_GOTO);
    ASSERT_NE(AsTextInfo(b.At(2)), nullptr);
    EXPECT_EQ(AsTextInfo(b.At(2))->text, "end");
    EXPECT_EQ(b.At(3).kind, UNIT_LABEL);
    EXPECT_EQ(AsTextInfo(b.At(3))->text, "end");
    EXPECT_EQ(b.At(4).kind, UNIT_CASE);
    EXPECT_EQ(b.Range(b.At(4)), "1");
    ASSERT_EQ(b.At(4).children.size(), 1u);
    EXPECT_EQ(b.Text(b.At(4).children[0].tokenIndices), "x = 1 ;");
    EXPECT_EQ(b.At(5).kind, UNIT_DEFAULT);
    EXPECT_EQ(b.At(5).children.size(), 1u);
    EXPECT_EQ(b.At(6).kind, UNIT_RETURN);
    EXPECT_EQ(b.Range(b.At(6)), "a + b ;");
}

TEST(StatementClassifier, LoopsSwitchTryCatchThrow)
{
    Body b("do { x ; } while ( a ) ; switch ( v ) { case 1 : ; } try { } catch ( int e ) { } "
           "throw ( 1 , 2 ) ;");
    EXPECT_EQ(b.At(0).kind, UNIT_DO);
    EXPECT_EQ(b.Text(b.At(0).tokenIndices), "do");
    EXPECT_EQ(b.At(1).kind, UNIT_WHILE);
    EXPECT_EQ(b.Range(b.At(1)), "a");
    ASSERT_EQ(b.At(1).children.size(), 1u); // the closing semicolon
    EXPECT_EQ(b.At(2).kind, UNIT_SWITCH);
    EXPECT_EQ(b.Range(b.At(2)), "v");
    ASSERT_EQ(b.At(2).children.size(), 1u);
    EXPECT_EQ(b.At(2).children[0].kind, UNIT_CASE);
    // An empty try block has no children and thus no unit after the splitter
    // leaves it; "try" alone with a block is a try statement.
    EXPECT_EQ(b.At(3).kind, UNIT_TRY);
    EXPECT_EQ(b.At(4).kind, UNIT_CATCH);
    EXPECT_EQ(b.Range(b.At(4)), "int e");
    EXPECT_EQ(b.At(5).kind, UNIT_THROW);
    EXPECT_EQ(b.Range(b.At(5)), "1 , 2");

    // Windows' structured exception handling reads as try and catch; other
    // uses of the words stay what they were.
    Body seh("__try { run ( ) ; } __except ( Filter ( GetExceptionCode ( ) ) ) { fix ( ) ; }\n"
             "__try ( ) ; __except ;");
    ASSERT_EQ(seh.At(0).kind, UNIT_TRY);
    EXPECT_EQ(seh.At(0).children.size(), 1u);
    ASSERT_EQ(seh.At(1).kind, UNIT_CATCH);
    EXPECT_EQ(seh.Range(seh.At(1)), "Filter ( GetExceptionCode ( ) )");
    EXPECT_EQ(seh.At(1).children.size(), 1u);
    EXPECT_EQ(seh.At(2).kind, UNIT_EXPRESSION_STATEMENT);
    EXPECT_EQ(seh.At(3).kind, UNIT_EXPRESSION_STATEMENT);

    // So do MFC's exception macros; the one that ends them has no ';' and
    // runs into the next statement, which keeps its own reading.
    Body mfc("TRY { run ( ) ; } CATCH ( CFileException , e ) { e -> Delete ( ) ; }\n"
             "AND_CATCH_ALL ( e ) { log ( e ) ; } END_CATCH_ALL if ( x ) done ( ) ;\n"
             "END_CATCH TRY ( ) ;");
    ASSERT_EQ(mfc.At(0).kind, UNIT_TRY);
    EXPECT_EQ(mfc.At(0).children.size(), 1u);
    ASSERT_EQ(mfc.At(1).kind, UNIT_CATCH);
    EXPECT_EQ(mfc.Range(mfc.At(1)), "CFileException , e");
    ASSERT_EQ(mfc.At(2).kind, UNIT_CATCH);
    EXPECT_EQ(mfc.Range(mfc.At(2)), "e");
    EXPECT_EQ(mfc.At(3).kind, UNIT_IF);
    EXPECT_EQ(mfc.At(4).kind, UNIT_EXPRESSION_STATEMENT);
    EXPECT_EQ(mfc.Text(mfc.At(4).tokenIndices), "TRY ( ) ;");
}

// A standard attribute before a block or a declaration is read over; one
// that stands alone with its ';' stays the statement it is.
TEST(StatementClassifier, StandardAttributesBeforeStatements)
{
    Body b("if ( x ) [ [ likely ] ] { run ( ) ; } else [ [ unlikely ] ] { stop ( ) ; }\n"
           "[ [ maybe_unused ] ] int n = f ( ) ; [ [ fallthrough ] ] ;");
    ASSERT_EQ(b.At(0).kind, UNIT_IF);
    ASSERT_EQ(b.At(0).children.size(), 1u);
    EXPECT_EQ(b.At(0).children[0].kind, UNIT_JUST_BRACE);
    EXPECT_EQ(b.At(0).children[0].children.size(), 1u);
    ASSERT_EQ(b.At(1).kind, UNIT_ELSE);
    EXPECT_EQ(b.At(1).children.at(0).kind, UNIT_JUST_BRACE);
    EXPECT_EQ(b.At(2).kind, UNIT_EXPRESSION_STATEMENT);
    EXPECT_EQ(b.Text(b.At(2).tokenIndices), "int n = f ( ) ;");
    EXPECT_EQ(b.Text(b.At(3).tokenIndices), "[ [ fallthrough ] ] ;");
}

TEST(StatementClassifier, BlocksAndFlattenedInitialisers)
{
    Body b("{ x ; } int a [ ] = { 1 , 2 } ; if ( c ) { int b [ ] = { 3 } ; }");
    EXPECT_EQ(b.At(0).kind, UNIT_JUST_BRACE);
    ASSERT_EQ(b.At(0).children.size(), 1u);
    EXPECT_EQ(b.At(0).children[0].kind, UNIT_EXPRESSION_STATEMENT);

    CUnit& init = b.At(1);
    EXPECT_EQ(init.kind, UNIT_EXPRESSION_STATEMENT);
    EXPECT_FALSE(init.brace);
    EXPECT_TRUE(init.children.empty());
    EXPECT_EQ(b.Text(init.tokenIndices), "int a [ ] = { 1 , 2 }");

    // Statements inside an if block are reached through the walk.
    ASSERT_EQ(b.At(2).children.size(), 1u);
    EXPECT_EQ(b.Text(b.At(2).children[0].tokenIndices), "int b [ ] = { 3 }");
}

TEST(StatementClassifier, ReturnedLambdasKeepTheirBodiesInTheValue)
{
    Body b("if ( m ) return count_if ( b , e , [ ] ( int a ) { return a > 0 ; } ) ; "
           "return [ n ] ( int x ) { return x > n ; } ;");
    ASSERT_EQ(b.Statements().size(), 2u);
    ASSERT_EQ(b.At(0).kind, UNIT_IF);
    ASSERT_EQ(b.At(0).children.size(), 1u);
    const CUnit& inCall = b.At(0).children[0];
    EXPECT_EQ(inCall.kind, UNIT_RETURN);
    EXPECT_FALSE(inCall.brace);
    EXPECT_TRUE(inCall.children.empty());
    EXPECT_EQ(b.Range(inCall), "count_if ( b , e , [ ] ( int a ) { return a > 0 ; } ) ;");

    const CUnit& returned = b.At(1);
    EXPECT_EQ(returned.kind, UNIT_RETURN);
    EXPECT_FALSE(returned.brace);
    EXPECT_TRUE(returned.children.empty());
    EXPECT_EQ(b.Range(returned), "[ n ] ( int x ) { return x > n ; }");
}

TEST(StatementClassifier, EmptyUnits)
{
    std::vector<PPToken> tokens = WordTokens("x ;");
    std::vector<CUnit> units(2, CUnit(&tokens));
    units[0].brace = true;
    ClassifyStatementUnits(units);
    EXPECT_EQ(units[0].kind, UNIT_JUST_BRACE);
    EXPECT_EQ(units[1].kind, UNIT_NOTHING);
    EXPECT_TRUE(units[1].done);
}

TEST(StatementClassifier, LineEndsAreDroppedWhenFlattening)
{
    Body b("int a [ ] = {\n 1 ,\n 2\n } ;");
    EXPECT_EQ(b.Text(b.At(0).tokenIndices), "int a [ ] = { 1 , 2 }");
}
