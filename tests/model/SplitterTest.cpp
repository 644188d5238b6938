#include "FileIndex.h"
#include "IncludedFile.h"
#include "ProjectFile.h"
#include "TokenText.h"
#include "UnitSplitter.h"
#include "WordTokens.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <vector>

namespace {

struct Split {
    std::vector<PPToken> tokens;
    std::vector<CUnit> units;

    explicit Split(const std::string& text) : tokens(WordTokens(text))
    {
        CUnitSplitter::SplitTokens(tokens, units);
    }
    std::string Text(const CUnit& unit) const { return TokensToText(tokens, unit.tokenIndices, 1); }
};

} // namespace

TEST(UnitSplitter, SemicolonsEndUnits)
{
    Split s("int a ; int b ;");
    ASSERT_EQ(s.units.size(), 2u);
    EXPECT_EQ(s.Text(s.units[0]), "int a ;");
    EXPECT_EQ(s.Text(s.units[1]), "int b ;");
    EXPECT_EQ(s.units[0].kind, 0);
    EXPECT_FALSE(s.units[0].done);
    EXPECT_EQ(s.units[0].first, 0);
    EXPECT_EQ(s.units[0].last, 2);
    EXPECT_EQ(s.units[1].first, 3);
    EXPECT_EQ(s.units[1].last, 5);
}

// A run of empty declarations or statements is one unit, however long: a
// file of ';' must not cost a unit per byte. A ';' that ends a statement, or
// stands after one, still does what it did.
TEST(UnitSplitter, RunsOfEmptyStatementsAreOneUnit)
{
    Split s("; ; ;\n; int a ; ; { ; ; x ; } ;");
    ASSERT_EQ(s.units.size(), 4u);
    EXPECT_EQ(s.Text(s.units[0]), "; ; ; ;");
    EXPECT_EQ(s.units[0].first, 0);
    EXPECT_EQ(s.units[0].last, 4);
    EXPECT_EQ(s.Text(s.units[1]), "int a ;");
    EXPECT_EQ(s.Text(s.units[2]), ";");
    EXPECT_EQ(s.units[3].first, 9);
    ASSERT_EQ(s.units[3].children.size(), 2u);
    EXPECT_EQ(s.Text(s.units[3].children[0]), "; ;");
    EXPECT_EQ(s.Text(s.units[3].children[1]), "x ;");
    Split many(std::string(200000, ';'));
    EXPECT_EQ(many.units.size(), 1u);
}

TEST(UnitSplitter, ClassBodyWithAccessLabelAndClosingSemicolon)
{
    Split s("class A { public : int x ; } ;");
    ASSERT_EQ(s.units.size(), 1u);
    const CUnit& cls = s.units[0];
    EXPECT_EQ(s.Text(cls), "class A");
    EXPECT_TRUE(cls.brace);
    ASSERT_EQ(cls.children.size(), 2u);
    EXPECT_EQ(s.Text(cls.children[0]), "public :");
    EXPECT_EQ(s.Text(cls.children[1]), "int x ;");
    // The unit's range ends before the semicolon that closed the block.
    EXPECT_EQ(cls.first, 0);
    EXPECT_EQ(cls.last, 8);
}

TEST(UnitSplitter, DeclaratorAfterStructBodyIsItsOwnUnit)
{
    Split s("struct S { int a ; } s ;");
    ASSERT_EQ(s.units.size(), 2u);
    EXPECT_EQ(s.Text(s.units[0]), "struct S");
    EXPECT_EQ(s.units[0].children.size(), 1u);
    EXPECT_EQ(s.Text(s.units[1]), "s ;");
}

TEST(UnitSplitter, EmptyFunctionBodyAndBareBlocks)
{
    Split s("void f ( ) { } { } { x ; }");
    ASSERT_EQ(s.units.size(), 2u);
    EXPECT_EQ(s.Text(s.units[0]), "void f ( )");
    EXPECT_TRUE(s.units[0].brace);
    EXPECT_TRUE(s.units[0].children.empty());
    // An empty bare block gives nothing; a bare block with content gives a
    // unit without tokens that owns the block.
    EXPECT_TRUE(s.units[1].tokenIndices.empty());
    EXPECT_TRUE(s.units[1].brace);
    ASSERT_EQ(s.units[1].children.size(), 1u);
}

TEST(UnitSplitter, PreprocessingLines)
{
    Split s("# define X 1\nint y ;\n# define LONG a \\\n b\n# endif");
    ASSERT_EQ(s.units.size(), 4u);
    EXPECT_EQ(s.Text(s.units[0]), "# define X 1");
    EXPECT_EQ(s.units[0].kind, UNIT_PREPROCESSING);
    EXPECT_TRUE(s.units[0].done);
    EXPECT_EQ(s.Text(s.units[1]), "int y ;");
    EXPECT_EQ(s.units[1].kind, 0);
    // A continued line stays in the unit, its line end included.
    EXPECT_EQ(s.units[2].kind, UNIT_PREPROCESSING);
    EXPECT_EQ(s.units[2].tokenIndices.size(), 7u);
    // The last line has no line end and still makes a unit.
    EXPECT_EQ(s.Text(s.units[3]), "# endif");
    EXPECT_TRUE(s.units[3].done);
}

// A '#' that does not begin its line came out of a stringising macro: it is
// an ordinary token, so the closing braces after it on the same line still
// close their blocks.
TEST(UnitSplitter, SharpInsideALineIsAnOrdinaryToken)
{
    Split s("char * t [ ] = { \"a=\" # a , \"b\" } ;\nstruct S { int k ; } ; x = # y ; # define Z\n"
            "void f ( ) { g ( # h ) ; }\n");
    ASSERT_EQ(s.units.size(), 4u);
    EXPECT_EQ(s.Text(s.units[0]), "char * t [ ] =");
    ASSERT_EQ(s.units[0].children.size(), 1u);
    EXPECT_EQ(s.Text(s.units[0].children[0]), "\"a=\" # a , \"b\"");
    EXPECT_EQ(s.units[0].children[0].kind, 0);
    EXPECT_EQ(s.Text(s.units[1]), "struct S");
    EXPECT_EQ(s.Text(s.units[2]), "x = # y ;");
    // "# define Z" stands inside a line too.
    EXPECT_EQ(s.Text(s.units[3]), "# define Z void f ( )");
    EXPECT_TRUE(s.units[3].brace);
    for (const CUnit& unit : s.units) {
        EXPECT_NE(unit.kind, UNIT_PREPROCESSING) << s.Text(unit);
    }
}

TEST(UnitSplitter, ParenthesesKeepSemicolonsInside)
{
    Split s("for ( i = 0 ; i < n ; i ++ ) x ++ ;");
    ASSERT_EQ(s.units.size(), 1u);
    EXPECT_EQ(s.units[0].tokenIndices.size(), 16u);
}

TEST(UnitSplitter, LabelsOtherThanAccessStayWithTheirStatement)
{
    Split s("void f ( ) { case 1 : x ; end : y ; default : ; }");
    ASSERT_EQ(s.units.size(), 1u);
    const auto& body = s.units[0].children;
    ASSERT_EQ(body.size(), 3u);
    EXPECT_EQ(s.Text(body[0]), "case 1 : x ;");
    EXPECT_EQ(s.Text(body[1]), "end : y ;");
}

TEST(UnitSplitter, StrayClosingBraceEndsTheFile)
{
    Split s("int a ; } int b ; int c ;");
    ASSERT_EQ(s.units.size(), 1u);
    EXPECT_EQ(s.Text(s.units[0]), "int a ;");
}

TEST(UnitSplitter, UnclosedBlockRunsToTheEnd)
{
    Split s("void f ( ) { int a ; int b");
    ASSERT_EQ(s.units.size(), 1u);
    ASSERT_EQ(s.units[0].children.size(), 2u);
    EXPECT_EQ(s.Text(s.units[0].children[1]), "int b");
    EXPECT_EQ(s.units[0].last, static_cast<int>(s.tokens.size()) - 1);
}

TEST(UnitSplitter, NoUnitHoldsALineEndOrABlocksBrace)
{
    Split s("namespace N {\n class A {\n int x ;\n } ;\n void f ( ) {\n if ( a ) {\n b ;\n }\n }\n "
            "}\n");
    std::vector<const CUnit*> stack;
    for (const CUnit& u : s.units)
        stack.push_back(&u);
    int seen = 0;
    while (!stack.empty()) {
        const CUnit* u = stack.back();
        stack.pop_back();
        ++seen;
        for (int i : u->tokenIndices) {
            const int type = s.tokens[static_cast<size_t>(i)].type;
            EXPECT_NE(type, ENDLINE);
            EXPECT_NE(type, LC);
            EXPECT_NE(type, RC);
        }
        for (const CUnit& c : u->children)
            stack.push_back(&c);
    }
    EXPECT_EQ(seen, 6);
}

// In a constructor's initializer list, braces after a member's name hold its
// value and stay in the unit; the block after them is the body. A class
// head's base, a case label and a block after a call stay as they were.
TEST(UnitSplitter, BracedValuesInAnInitializerListStayInTheUnit)
{
    Split s("A :: A ( ) : items { } , box < int > { { 1 , 2 } } ,\n count { 0 } { run ( ) ; }\n"
            "class B : public A { int x ; } ;\n"
            "void f ( ) { switch ( k ) { case g ( 1 ) : { x ; } } h ( ) ; { y ; } }");
    ASSERT_EQ(s.units.size(), 3u);
    EXPECT_EQ(
        s.Text(s.units[0]), "A :: A ( ) : items { } , box < int > { { 1 , 2 } } , count { 0 }");
    ASSERT_EQ(s.units[0].children.size(), 1u);
    EXPECT_EQ(s.Text(s.units[0].children[0]), "run ( ) ;");
    EXPECT_EQ(s.Text(s.units[1]), "class B : public A");
    ASSERT_EQ(s.units[1].children.size(), 1u);
    const CUnit& body = s.units[2];
    ASSERT_EQ(body.children.size(), 3u);
    const CUnit& sw = body.children[0];
    ASSERT_EQ(sw.children.size(), 1u);
    EXPECT_EQ(s.Text(sw.children[0]), "case g ( 1 ) :");
    EXPECT_EQ(sw.children[0].children.size(), 1u);
    EXPECT_EQ(s.Text(body.children[1]), "h ( ) ;");
    // "noexcept" may stand between the parameters and the list.
    Split noexcept_("W ( ) noexcept : items { } , n ( 1 ) { run ( ) ; }\n"
                    "W ( int k ) noexcept ( true ) : n { k } { }");
    ASSERT_EQ(noexcept_.units.size(), 2u);
    EXPECT_EQ(noexcept_.Text(noexcept_.units[0]), "W ( ) noexcept : items { } , n ( 1 )");
    ASSERT_EQ(noexcept_.units[0].children.size(), 1u);
    EXPECT_EQ(noexcept_.Text(noexcept_.units[1]), "W ( int k ) noexcept ( true ) : n { k }");
    // Braces left open run to the end of the file, in the unit.
    Split open("A :: A ( ) : x { 1 ,\n");
    ASSERT_EQ(open.units.size(), 1u);
    EXPECT_EQ(open.Text(open.units[0]), "A :: A ( ) : x { 1 ,");
}

// After a '=', braces right after a type's name hold a value and stay in the
// unit; a template's default, a class's body and an operator's body stay
// blocks.
TEST(UnitSplitter, BracedValuesAfterAnAssignmentStayInTheUnit)
{
    Split s("static constexpr uint64_t kMul = wide ? uint64_t { 1 } : uint64_t { 2 } ;\n"
            "auto v = std :: vector < int > { 1 , 2 } ;\n"
            "template < typename T = void > struct Tag { } ;\n"
            "X & operator = ( X && ) noexcept { }\n"
            "int n = f ( ) ; Widget w { 1 } ;");
    ASSERT_EQ(s.units.size(), 6u);
    EXPECT_EQ(s.Text(s.units[0]),
        "static constexpr uint64_t kMul = wide ? uint64_t { 1 } : uint64_t { 2 } ;");
    EXPECT_FALSE(s.units[0].brace);
    EXPECT_EQ(s.Text(s.units[1]), "auto v = std :: vector < int > { 1 , 2 } ;");
    EXPECT_EQ(s.Text(s.units[2]), "template < typename T = void > struct Tag");
    EXPECT_TRUE(s.units[2].brace);
    EXPECT_EQ(s.Text(s.units[3]), "X & operator = ( X && ) noexcept");
    EXPECT_TRUE(s.units[3].brace);
    EXPECT_EQ(s.Text(s.units[4]), "int n = f ( ) ;");
    // The '=' of the unit before is no longer in force.
    EXPECT_EQ(s.Text(s.units[5]), "Widget w");
    EXPECT_TRUE(s.units[5].brace);
}

// Inside parentheses, braces holding no statement are a value; a lambda's
// body is a block of the statement, which goes on to its ';'. A block after
// a parenthesis left open in broken code still ends its unit.
TEST(UnitSplitter, BracesInsideParentheses)
{
    Split s("void f ( ) {\n"
            " g ( Point { 1 , 2 } , { } ) ;\n"
            " sort ( b , e , [ ] ( int x ) { return x ; } ) ;\n"
            " each ( v , [ & ] { a ; } ,\n [ ] { b ; } ) ;\n"
            " if ( x { y ; }\n"
            " z ;\n"
            "}\n"
            "auto w ( int o = { } ) -> int { return o ; }");
    ASSERT_EQ(s.units.size(), 2u);
    const auto& body = s.units[0].children;
    ASSERT_EQ(body.size(), 5u);
    EXPECT_EQ(s.Text(body[0]), "g ( Point { 1 , 2 } , { } ) ;");
    EXPECT_FALSE(body[0].brace);
    EXPECT_EQ(s.Text(body[1]), "sort ( b , e , [ ] ( int x ) ) ;");
    ASSERT_EQ(body[1].children.size(), 1u);
    EXPECT_EQ(s.Text(body[1].children[0]), "return x ;");
    EXPECT_EQ(s.Text(body[2]), "each ( v , [ & ] , [ ] ) ;");
    EXPECT_EQ(body[2].children.size(), 2u);
    EXPECT_EQ(s.Text(body[3]), "if ( x");
    EXPECT_EQ(s.Text(body[4]), "z ;");
    EXPECT_EQ(s.Text(s.units[1]), "auto w ( int o = { } ) -> int");
    EXPECT_EQ(s.units[1].children.size(), 1u);
}

// Braces after 'return' are the value returned: the statement goes on to its
// ';'. A lambda returned, whose body holds statements, is still a block.
TEST(UnitSplitter, BracesAfterReturnAreItsValue)
{
    Split s("T f ( ) {\n"
            " if ( x ) return { } ;\n"
            " return Point { a , { 2 } } ;\n"
            " return [ ] { y ; } ;\n"
            " z ;\n"
            "}");
    ASSERT_EQ(s.units.size(), 1u);
    const auto& body = s.units[0].children;
    ASSERT_EQ(body.size(), 4u);
    EXPECT_EQ(s.Text(body[0]), "if ( x ) return { } ;");
    EXPECT_EQ(s.Text(body[1]), "return Point { a , { 2 } } ;");
    EXPECT_TRUE(body[1].children.empty());
    EXPECT_EQ(s.Text(body[2]), "return [ ]");
    EXPECT_EQ(body[2].children.size(), 1u);
    EXPECT_EQ(s.Text(body[3]), "z ;");
}

TEST(UnitSplitter, VeryDeepBlocksAreSkippedNotRecursedInto)
{
    std::string text = "void f ( ) ";
    const int depth = 50000;
    for (int i = 0; i < depth; ++i)
        text += "{ ";
    text += "x ; ";
    for (int i = 0; i < depth; ++i)
        text += "} ";
    text += "int after ;";
    Split s(text);
    ASSERT_EQ(s.units.size(), 2u);
    EXPECT_EQ(s.Text(s.units[1]), "int after ;");
    int levels = 0;
    const CUnit* u = &s.units[0];
    while (!u->children.empty()) {
        u = &u->children[0];
        ++levels;
    }
    EXPECT_LE(levels, CUnitSplitter::kMaxBraceDepth + 1);
}

TEST(UnitSplitter, HeadersThatIncludeEachOtherAreSplitOnce)
{
    CFileIndex index;
    auto makeHeader = [](const char* path, const char* text) {
        auto header = std::make_unique<CIncludedFile>(path, nullptr, true);
        header->scan.tokens = WordTokens(text);
        return header;
    };
    index.Add(makeHeader("a.h", "int a ;"));
    index.Add(makeHeader("b.h", "int b ;"));
    index.files[0]->includes = {1};
    index.files[1]->includes = {0};

    CProjectFile file("main.c", nullptr, {});
    file.scan.tokens = WordTokens("int m ;");
    file.includes = {0, 1};
    CUnitSplitter splitter(index);
    splitter.SplitFile(file);
    EXPECT_TRUE(file.split);
    EXPECT_EQ(file.units.size(), 1u);
    EXPECT_TRUE(index.files[0]->split);
    EXPECT_EQ(index.files[0]->units.size(), 1u);
    EXPECT_EQ(index.files[1]->units.size(), 1u);

    CProjectFile bad("bad.c", nullptr, {});
    bad.includes = {7};
    EXPECT_THROW(splitter.SplitFile(bad), std::out_of_range);
}
