#include "ParseHelpers.h"

#include <gtest/gtest.h>

namespace {

// Parses "int x = <expression> ;" as a plain declaration.
std::unique_ptr<SingleParse> Initialised(const std::string& expression)
{
    return ParseSingle("int x = " + expression + " ;", DECLARATION2);
}

void ExpectAccepted(const std::string& expression)
{
    auto p = Initialised(expression);
    EXPECT_FALSE(p->error) << expression;
    EXPECT_EQ(p->unit.kind, UNIT_VARIABLE) << expression;
}

void ExpectRejected(const std::string& expression)
{
    EXPECT_TRUE(Initialised(expression)->error) << expression;
}

std::string FunctionName(const std::string& declaration, int startKind = DECLARATION2)
{
    auto p = ParseSingle(declaration, startKind);
    return GetUnitFunctionName(p->unit);
}

} // namespace

TEST(Expressions, OperatorChainCastsAndSizeof)
{
    for (const char* e : {"1 + 2 * 3", "a ? b : c", "( a + 1 ) * 2", "( int ) y",
             "( unsigned long * ) p", "sizeof ( int )", "sizeof x", "sizeof ( x ) + 1",
             "- a .* b ->* c", "~ a", "! a && b || c", "a << 2 | b & 1 ^ c", "1 < 2", "a == b != c",
             "\"s\"", "'c'", "0x10 + 017 + 1.5", "this", "true", "false", ":: g ( )",
             ":: N :: g ( )", "N :: M :: g", "( xmlChar * ) \"s\"", "( N :: T * * ) 0",
             "sizeof ( T * )", "( int ) ( T * ) - 1", "( a * b ) + ( c & d )"}) {
        ExpectAccepted(e);
    }
    // A named type in parentheses before an operand that only a cast puts
    // there; "(a) - b" and "(a) (b)" read as before either way.
    for (const char* e : {"( s32 ) p -> size ( )", "( s32 ) f ( )", "( DWORD ) ~ 0",
             "( BOOL ) ! ok", "( N :: Id ) a . id ( )", "( :: Id ) 'c'", "( T ) sizeof x",
             "1 + ( T ) g ( 2 ) * 3", "( a ) - b", "( a ) ( b )"}) {
        ExpectAccepted(e);
    }
    ExpectRejected("( T * )");
    // A "<" that no ">" can close before the end is a comparison; one that
    // a ">" closes opens template arguments.
    for (const char* e :
        {"a < b", "( n < 10 ) ? 1 : 2", "( V < ( 1 << 7 ) ) ? 1 : ( V < 9 ) ? 2 : 3",
            "f ( a < b , c )", "t [ i < n ]", "g < int > ( 1 ) < 2"}) {
        ExpectAccepted(e);
    }
    ExpectRejected("a < b > c");
    // An assignment operator ends the initialiser: "= b" is left over.
    ExpectRejected("a = b");
}

TEST(Expressions, PostfixChains)
{
    for (const char* e : {"a [ i ] ( x , y ) ++ -> b . template c < int >", "f ( )", "f ( a , b )",
             "p -> ~ T ( )", "a . N :: b", "a -> operator + ( 1 )", "p --", "typename N :: T ( x )",
             "typename N :: template X < int > ( y )", "static_cast < int > ( y )",
             "dynamic_cast < const char * > ( p )", "reinterpret_cast < void * > ( p )",
             "typeid ( x )", "typeid ( int )", "static_cast < Foo * > ( y )",
             "static_cast < Id > ( - 1 )", "const_cast < const Node * > ( p )",
             "static_cast < :: N :: T > ( x )", "dynamic_cast < Box < int > * > ( p )",
             "static_cast < struct stat * > ( p )"}) {
        ExpectAccepted(e);
    }
    ExpectRejected("f ( , )");
    ExpectRejected("typename T ( x )");
    ExpectRejected("static_cast < Foo * ( y )");
}

TEST(Expressions, NewDeleteThrow)
{
    for (const char* e : {"new int", "new int ( 5 )", "new int ( )", "new ( buf ) int",
             ":: new char", "new int [ n ] [ 4 ]", "new char *", "( delete [ ] p , 0 )",
             "( delete p , 0 )", "( :: delete [ ] p , 0 )", "( :: delete p , 0 )",
             "( delete ( p ) , 0 )", "throw", "throw x", "throw make_error ( )"}) {
        ExpectAccepted(e);
    }
    // A class after new, as a constructor's initializers often have it.
    for (const char* e : {"new T", "new CString ( text , 4 )", "new N :: M :: T ( )",
             "new Box < int > [ 4 ]", "new ( buf ) T * [ n ]"}) {
        ExpectAccepted(e);
    }
    ExpectRejected("new ( T )");
    ExpectRejected("new T :: ( 1 )");
    ExpectRejected("( delete , 0 )");
}

TEST(TemplateArguments, TypesAndValues)
{
    for (const char* d : {"vector < int > a ;", "map < int , std :: string > b ;",
             "list < CItem * > c ;", "pair < const char * , int > d ;",
             "vector < vector < int > > e ;", "X < typename T :: Y < int > > f ;",
             "X < unsigned long x > g ;", "X < unsigned long & > h ;", "X < > i ;",
             "X < class C , struct S * , enum E > j ;", "X < :: N :: T , N :: Y < int > > k ;"}) {
        auto p = ParseSingle(d, DECLARATION2);
        EXPECT_FALSE(p->error) << d;
        EXPECT_EQ(p->unit.kind, UNIT_VARIABLE) << d;
    }
    // Values: numbers, addresses, expressions, a comparison in parentheses.
    for (const char* d : {"CArray < int , 5 > a ;", "bitset < N + 1 > b ;", "A < 3 > c ;",
             "Item < & pool > d ;", "B < - 1 , sizeof ( T ) > e ;", "C < ( N > 8 ) > f ;",
             "vector < vector < int >> g ;", "Box < A < 1 > , B < N * 2 >> h ;",
             "map < K , vector < V >> [ [ maybe_unused ] ] i ;"}) {
        auto p = ParseSingle(d, DECLARATION2);
        EXPECT_FALSE(p->error) << d;
        EXPECT_EQ(p->unit.kind, UNIT_VARIABLE) << d;
    }
    // A shift outside an argument list stays a shift.
    for (const char* d : {"X < int , > a ;", "X < 1 >> b ;", "X < ( > c ;"})
        EXPECT_TRUE(ParseSingle(d, DECLARATION2)->error) << d;
    EXPECT_FALSE(ParseSingle("int v = 8 >> 1 ;", DECLARATION2)->error);
}

// A value that names a template's member, negated or joined by "&&", as
// the conditions of enable_if are written; a reference type stays a type.
TEST(TemplateArguments, ValuesNamingATemplatesMember)
{
    for (const char* d : {"enable_if_t < ! std :: is_const < T > :: value , int > a ;",
             "enable_if_t < is_a < T > :: value && is_b < T > :: value , int > b ;",
             "X < ! A < B < int >> :: value > c ;", "X < T & , U && > d ;", "X < N :: T & > e ;"}) {
        auto p = ParseSingle(d, DECLARATION2);
        EXPECT_FALSE(p->error) << d;
        EXPECT_EQ(p->unit.kind, UNIT_VARIABLE) << d;
    }
    auto p = ParseText("template < typename T , enable_if_t < ! std :: is_const < T > :: value , "
                       "detail :: enabler > = detail :: dummy > void f ( T x ) ;");
    ASSERT_EQ(p->units.size(), 1u);
    ASSERT_EQ(p->At(0).kind, UNIT_TEMPLATE);
    ASSERT_EQ(p->At(0).children.size(), 1u);
    EXPECT_EQ(GetUnitFunctionName(p->At(0).children[0]), "f");

    // A bracket in parentheses compares, also in a qualifier's arguments.
    for (const char* d : {"typename enable_if < ( N > 1 ) , T > :: type g ( ) { }",
             "typename enable_if < ( I < count < T > :: value ) , T > :: type h ( ) { }"}) {
        auto q = ParseText(d);
        ASSERT_EQ(q->units.size(), 1u) << d;
        EXPECT_EQ(q->At(0).kind, UNIT_FUNCTION) << d;
    }
}

TEST(UnqualifiedNames, OperatorAndSpecialNames)
{
    EXPECT_EQ(FunctionName("bool operator ( ) ( int ) ;"), "()");
    EXPECT_EQ(FunctionName("int & operator [ ] ( int ) ;"), "[]");
    EXPECT_EQ(FunctionName("int operator ->* ( int ) ;"), "->*");
    EXPECT_EQ(FunctionName("void * operator new [ ] ( size_t ) ;"), "new []");
    EXPECT_EQ(FunctionName("void * operator new ( size_t ) ;"), "new");
    EXPECT_EQ(FunctionName("void operator delete [ ] ( void * ) ;"), "delete []");
    EXPECT_EQ(FunctionName("void operator delete ( void * ) ;"), "delete");
    EXPECT_EQ(FunctionName("inline N :: T :: iterator operator + ( int n , T i ) ;"), "+");
    EXPECT_EQ(FunctionName("A & operator += ( const A & ) ;"), "+=");
    EXPECT_EQ(FunctionName("A & operator |= ( const A & ) ;"), "|=");
    EXPECT_EQ(FunctionName("bool operator || ( const A & ) ;"), "||");
    EXPECT_EQ(FunctionName("A operator , ( A ) ;"), ",");
    EXPECT_EQ(FunctionName("~ X ( ) ;"), "~X");
    EXPECT_EQ(FunctionName("~ X < int > ( ) ;"), "~X<int>");
    EXPECT_EQ(FunctionName("operator class T * ( ) ;"), "T*");
    EXPECT_EQ(FunctionName("operator T ( ) ;"), "T");
    // A literal operator is named with its suffix, with or without a blank.
    EXPECT_EQ(
        FunctionName("constexpr double operator \"\" _fd ( long double v ) noexcept ;"), "\"\"_fd");
    EXPECT_EQ(FunctionName("Version operator \"\"_v ( const char * s , size_t n ) ;"), "\"\"_v");

    EXPECT_TRUE(ParseSingle("void operator .* ( ) ;", DECLARATION2)->error);
    EXPECT_TRUE(ParseSingle("void * operator new x ( ) ;", DECLARATION2)->error);
}
