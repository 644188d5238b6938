#include "ParseHelpers.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

// One declaration and what its variable record must hold; a null text (or a
// cvAfterType of -1) is not checked.
struct Declaration {
    const char* text;
    const char* type; // typeTokens
    const char* specifiers; // specifierTokens
    int cvAfterType = -1;
    const char* name = nullptr;
    const char* array = nullptr; // arrayTokens
};

void ExpectVariables(std::initializer_list<Declaration> declarations)
{
    for (const Declaration& d : declarations) {
        SCOPED_TRACE(d.text);
        auto p = ParseText(d.text);
        const CVariableInfo* var = p->units.empty() ? nullptr : AsVariableInfo(p->At(0));
        ASSERT_NE(var, nullptr);
        if (d.type) {
            EXPECT_EQ(p->Text(var->typeTokens), d.type);
        }
        if (d.specifiers) {
            EXPECT_EQ(p->Text(var->specifierTokens), d.specifiers);
        }
        if (d.cvAfterType >= 0) {
            EXPECT_EQ(var->cvAfterType, d.cvAfterType != 0);
        }
        if (d.name) {
            EXPECT_EQ(var->qualifiedName.name, d.name);
        }
        if (d.array) {
            EXPECT_EQ(p->Text(var->arrayTokens), d.array);
        }
    }
}

} // namespace

TEST(DeclarationSpecifiers, BuiltinWordsAndLeadingSpecifiers)
{
    ExpectVariables({
        {"int x ;", "", "int", 0},
        {"static const int x ;", "", "static const int"},
        {"static inline unsigned long int y ;", nullptr, "static inline unsigned long int", -1,
            "y"},
    });
}

TEST(DeclarationSpecifiers, NamedTypes)
{
    ExpectVariables({
        {"T x ;", "T", "T"},
        {"N :: T x ;", "N :: T", "N :: T"},
        {":: A :: B * p ;", ":: A :: B", ":: A :: B *", 1},
        {"T const & s ;", "T", "T const &", 1},
        // cv words after a qualified name, as after a plain one.
        {"N :: T const x ;", "N :: T", "N :: T const", 1, "x"},
        {"std :: string const * const p ;", "std :: string", "std :: string const * const", 1, "p"},
    });
}

TEST(DeclarationSpecifiers, ClassEnumAndTypenameHeads)
{
    ExpectVariables({
        {"struct S * p ;", "struct S", "struct S *", 1},
        {"struct S p ;", "struct S", nullptr, 0},
        {"enum E x ;", "enum E E", nullptr}, // the name stands twice
        {"typename T :: U x ;", "typename T :: U U", nullptr},
        {"typedef struct S T ;", nullptr, "typedef struct S", -1, "T"},
    });
}

TEST(DeclarationSpecifiers, TemplateIdTypesKeepTheirEnd)
{
    ExpectVariables({
        {"vector < int > v ;", "vector", "vector < int >", 0, "v"},
        {"vector < int > * p ;", nullptr, "vector < int > *", 1},
        {"std :: map < int , std :: string > m ;", "std :: map",
            "std :: map < int , std :: string >"},
    });

    // So does one after typename; a qualifier with template arguments after
    // it still leads to the type's name.
    ExpectVariables({
        {"typename std :: vector < T > v ;", "std :: vector", "typename std :: vector < T >", 0,
            "v"},
        {"typedef typename :: std :: vector < T > Container ;", nullptr, nullptr, -1, "Container"},
        {"typename Box < T > :: size_type n ;", nullptr, nullptr, -1, "n"},
    });

    // The return type of a function survives as well, also after typename;
    // so does a function's qualified return type before its name in
    // parentheses.
    auto f = ParseText(
        "vector < int > f ( ) ;\n"
        "typename absl :: enable_if_t < ! is_a < T > :: value , Saver < T >> g ( T & t ) ;\n"
        "static absl :: uint128 ( max ) ( ) ;");
    const CFunctionInfo* info = AsFunctionInfo(f->At(0));
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(f->Text(info->specifierTokens), "vector < int >");
    ASSERT_EQ(f->At(1).kind, UNIT_FUNCTION);
    EXPECT_EQ(GetUnitFunctionName(f->At(1)), "g");
    EXPECT_EQ(AsFunctionInfo(f->At(1))->parameters.size(), 1u);
    ASSERT_EQ(f->At(2).kind, UNIT_FUNCTION);
    EXPECT_EQ(GetUnitFunctionName(f->At(2)), "max");
    EXPECT_EQ(f->Text(AsFunctionInfo(f->At(2))->specifierTokens), "static absl :: uint128");

    // A value as an argument is read as a type is.
    ExpectVariables({{"X < 3 > x ;", "X", "X < 3 >", 0, "x"}});

    // A template id that fails adds no type token.
    auto bad = ParseText("X < int , > x ;");
    if (const CVariableInfo* var = AsVariableInfo(bad->At(0))) {
        EXPECT_EQ(bad->Text(var->typeTokens), "");
    }
}

// An export word that a header never read defines, before or after the
// type, leaves three names in a row: the last is the variable's, which used
// to be lost with the whole record's name.
TEST(DeclarationSpecifiers, UnknownWordBeforeTheVariable)
{
    ExpectVariables({
        {"extern const WXDLLIMPEXP_CORE wxEventTypeTag < wxCommandEvent > wxEVT_BUTTON ;",
            "wxEventTypeTag", "extern const WXDLLIMPEXP_CORE wxEventTypeTag < wxCommandEvent >", -1,
            "wxEVT_BUTTON"},
        {"EXTERN_C const IID IID_IUnknown ;", "IID", "EXTERN_C const IID", -1, "IID_IUnknown"},
        {"extern PGDLLIMPORT Mode * mode = 0 ;", "Mode", "extern PGDLLIMPORT Mode *", 1, "mode"},
        {"static EXPW T table [ 4 ] , other ;", "T", "static EXPW T", -1, "table", "[ 4 ]"},
        {"int EXPW count ;", "", "int EXPW", -1, "count"},
        {"Q_OBJECT QString name ;", "QString", "Q_OBJECT QString", -1, "name"},
        {"A B C D ;", "A", "A B C", -1, "D"},
        {"FT_BEGIN_HEADER FT_CALLBACK_TABLE const PS_Table_FuncsRec funcs ;", "PS_Table_FuncsRec",
            "FT_BEGIN_HEADER FT_CALLBACK_TABLE const PS_Table_FuncsRec", -1, "funcs"},
    });
    // Before a built-in type or a struct's name any such word is one.
    ExpectVariables({
        {"EXPORT int counter ;", "", "EXPORT int", -1, "counter"},
        {"extern DLLAPI const unsigned long total = 0 ;", "", "extern DLLAPI const unsigned long",
            -1, "total"},
        {"EXPORT struct Node * head ;", "struct Node", "EXPORT struct Node *", 1, "head"},
    });
    // Without a name and an end after it, the words keep their old reading.
    ExpectVariables({{"T x ;", "T", "T", -1, "x"}, {"T const x ;", "T", "T const", 1, "x"}});
    EXPECT_EQ(ParseText("A B < C ;")->At(0).kind, UNIT_UNKNOWN);
}

// const or volatile before a named type in template arguments, which only
// reached the name before: the declaration was lost, or its name.
TEST(DeclarationSpecifiers, CvBeforeANamedTemplateArgument)
{
    ExpectVariables({
        {"std :: map < const Node * , int > m ;", "std :: map", "std :: map < const Node * , int >",
            -1, "m"},
        {"std :: vector < const N :: Node * > v ;", "std :: vector", nullptr, -1, "v"},
        {"std :: vector < const volatile struct S * const > v ;", "std :: vector", nullptr, -1,
            "v"},
        {"std :: vector < const Box < int > * > v ;", "std :: vector", nullptr, -1, "v"},
        {"Box < const x > b ;", "Box", "Box < const x >", -1, "b"},
        {"std :: vector < const char * > names ;", "std :: vector", nullptr, -1, "names"},
    });
    auto p = ParseText("std :: pair < const A :: B * , const A :: B * > Get ( ) const ;");
    const CFunctionInfo* get = AsFunctionInfo(p->At(0));
    ASSERT_NE(get, nullptr);
    EXPECT_EQ(get->qualifiedName.name, "Get");
}

TEST(DeclarationSpecifiers, DeclspecModifiers)
{
    for (const char* text : {"__declspec ( dllexport ) int a ;",
             "__declspec ( align ( 16 ) ) int b ;", "__declspec ( uuid ( \"1234\" ) ) int c ;",
             "__declspec ( property ( get = G , put = P ) ) int d ;",
             "_declspec ( property ( get = G ) ) int e ;"}) {
        auto p = ParseSingle(text, DECLARATION2);
        EXPECT_FALSE(p->error) << text;
        EXPECT_EQ(p->unit.kind, UNIT_VARIABLE) << text;
    }
    EXPECT_TRUE(ParseSingle("__declspec ( align ( x ) ) int f ;", DECLARATION2)->error);
    EXPECT_TRUE(
        ParseSingle("__declspec ( property ( a = b , c = d , e = f ) ) int g ;", DECLARATION2)
            ->error);
}

// GCC's attributes stand where the code needs them and are read over; the
// rest of the declaration reads as it would without them.
TEST(DeclarationSpecifiers, GccAttributesAreReadOver)
{
    auto p = ParseText("struct __attribute__ ( ( __packed__ ) ) hdr8 { char len ; } ;\n"
                       "struct tail { int a ; } __attribute__ ( ( packed ) ) ;\n"
                       "void Fail ( const char * f ) __attribute__ ( ( noreturn ) ) ;\n"
                       "static inline __attribute__ ( ( always_inline ) ) int Id ( int x ) "
                       "{ return x ; }\n"
                       "int buffer [ 4 ] __attribute__ ( ( aligned ( sizeof ( long ) ) ) ) ;\n"
                       "int after __attribute__ ( ( unused ) ) , next ;");
    ASSERT_EQ(p->units.size(), 7u);
    EXPECT_EQ(p->At(0).kind, UNIT_STRUCT);
    EXPECT_EQ(AsClassInfo(p->At(0))->qualifiedName.name, "hdr8");
    ASSERT_EQ(p->At(0).children.size(), 1u);
    EXPECT_EQ(p->At(0).children[0].kind, UNIT_VARIABLE);
    EXPECT_EQ(p->At(1).kind, UNIT_STRUCT);
    // What is left of the trailing attribute declares nothing, least of all a
    // function named after the attribute.
    EXPECT_EQ(p->At(2).kind, UNIT_UNKNOWN);
    EXPECT_EQ(p->At(3).kind, UNIT_FUNCTION);
    EXPECT_EQ(GetUnitFunctionName(p->At(3)), "Fail");
    EXPECT_EQ(p->At(4).kind, UNIT_FUNCTION);
    EXPECT_EQ(GetUnitFunctionName(p->At(4)), "Id");
    ASSERT_EQ(p->At(4).children.size(), 1u);
    const CVariableInfo* buffer = AsVariableInfo(p->At(5));
    ASSERT_NE(buffer, nullptr);
    EXPECT_EQ(buffer->qualifiedName.name, "buffer");
    EXPECT_EQ(p->Text(buffer->arrayTokens), "[ 4 ]");
    const CVariableInfo* after = AsVariableInfo(p->At(6));
    ASSERT_NE(after, nullptr);
    EXPECT_EQ(after->qualifiedName.name, "after");
    ASSERT_EQ(after->further.size(), 1u);
    EXPECT_EQ(after->further[0].qualifiedName.name, "next");
}

// Standard attributes and constexpr are read over as GCC's attributes are,
// and an rvalue reference reads as a reference, its "&&" kept as written;
// "operator &&" keeps its name.
TEST(DeclarationSpecifiers, StandardAttributesConstexprAndRvalueReferences)
{
    auto p = ParseText(
        "[ [ nodiscard ] ] int size ( ) const ;\n"
        "[ [ deprecated ( \"old\" ) , noreturn ] ] void die ( ) { }\n"
        "void take ( std :: string && s , int n = a && b ) { }\n"
        "bool operator && ( const A & , const A & ) ;\n"
        "class M { M ( M && other ) : p ( other . p ) { } } ;\n"
        "inline constexpr E operator | ( E a , E b ) { return a ; }\n"
        "alignas ( 16 ) char buffer [ 64 ] ;\n"
        "struct alignas ( alignof ( T ) ) Slot { alignas ( T ) unsigned char s [ 8 ] ; } ;");
    ASSERT_EQ(p->units.size(), 8u);
    EXPECT_EQ(GetUnitFunctionName(p->At(0)), "size");
    EXPECT_EQ(GetUnitFunctionName(p->At(1)), "die");
    ASSERT_EQ(p->At(2).kind, UNIT_FUNCTION);
    const CFunctionInfo* take = AsFunctionInfo(p->At(2));
    ASSERT_EQ(take->parameters.size(), 2u);
    EXPECT_EQ(take->parameters[0].qualifiedName.name, "s");
    EXPECT_EQ(p->Text(take->parameters[0].specifierTokens), "std :: string &&");
    EXPECT_EQ(GetUnitFunctionName(p->At(3)), "&&");
    ASSERT_EQ(p->At(4).children.size(), 1u);
    EXPECT_EQ(p->At(4).children[0].kind, UNIT_FUNCTION);
    EXPECT_EQ(GetUnitFunctionName(p->At(5)), "|");
    // So is an alignment.
    const CVariableInfo* buffer = AsVariableInfo(p->At(6));
    ASSERT_NE(buffer, nullptr);
    EXPECT_EQ(buffer->qualifiedName.name, "buffer");
    EXPECT_EQ(p->Text(buffer->specifierTokens), "alignas ( 16 ) char");
    ASSERT_EQ(p->At(7).kind, UNIT_STRUCT);
    EXPECT_EQ(AsClassInfo(p->At(7))->qualifiedName.name, "Slot");
    ASSERT_EQ(p->At(7).children.size(), 1u);
    EXPECT_EQ(p->At(7).children[0].kind, UNIT_VARIABLE);
    // An attribute left open hands the unit over as it stands.
    EXPECT_TRUE(ParseSingle("[ [ nodiscard ] int f ( ) ;", DECLARATION2)->error);
}

// The parser meets the tokens after an attribute at their own positions; an
// attribute whose parentheses stay open is handed over as it stands, and so
// is every later one in that unit.
TEST(DeclarationSpecifiers, AttributesLeftOpenAreHandedOver)
{
    auto positions = [](const std::string& text) {
        auto single = ParseSingle(text, DECLARATION2);
        CUnitTokenStream stream;
        stream.Aim(single->unit, DECLARATION2);
        std::vector<int> lines;
        stream.nextToken(); // the start kind
        for (auto token = stream.nextToken(); token->getType() != antlr::Token::EOF_TYPE;
             token = stream.nextToken())
            lines.push_back(token->getLine());
        return lines;
    };
    EXPECT_EQ(positions("int a __attribute__ ( ( x ( 1 ) ) ) , b ;"),
        (std::vector<int> {0, 1, 11, 12, 13}));
    EXPECT_EQ(positions("__attribute ( ( x ) ) int a ;"), (std::vector<int> {6, 7, 8}));
    EXPECT_EQ(positions("int __attribute__ ( ( x ) a ; __attribute__ ( ( y ) ) ;"),
        (std::vector<int> {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}));
    EXPECT_EQ(positions("int __attribute__ x ;"), (std::vector<int> {0, 1, 2, 3}));
}

TEST(Declarators, ArrayBoundsAndParentheses)
{
    ExpectVariables({
        {"int a [ 10 ] [ N ] ;", nullptr, nullptr, -1, nullptr, "[ 10 ] [ N ]"},
        {"int a [ ] ;", nullptr, nullptr, -1, nullptr, "[ ]"},
        {"int ( * pa ) [ 3 ] ;", nullptr, "int *", -1, "pa", "[ 3 ]"},
        {"int ( __stdcall * pfn ) ;", nullptr, "int __stdcall *"},
        {"int ( N :: x ) ;", nullptr, nullptr, -1, "x"},
    });
    auto scoped = ParseText("int ( N :: x ) ;");
    ASSERT_NE(AsVariableInfo(scoped->At(0)), nullptr);
    EXPECT_EQ(AsVariableInfo(scoped->At(0))->qualifiedName.scopes, std::vector<std::string> {"N"});

    EXPECT_TRUE(ParseSingle("int a [ throw 1 ] ;", DECLARATION2)->error);
}

TEST(Declarators, PointerOperatorForms)
{
    ExpectVariables({
        {"char * const volatile p ;", nullptr, "char * const volatile"},
        {"char * volatile const p ;", nullptr, "char * volatile const"},
        {"char * * p ;", nullptr, "char * *"},
        {"int & r = x ;", nullptr, "int &"},
    });
    EXPECT_TRUE(ParseSingle("char * ;", DECLARATION2)->error);
}

TEST(Declarators, CatchParameters)
{
    EXPECT_FALSE(ParseSingle("catch ( int * p )", DECLARATION, true)->error);
    EXPECT_FALSE(ParseSingle("catch ( int )", DECLARATION, true)->error);
    EXPECT_FALSE(ParseSingle("catch ( unsigned long ( * p ) [ 2 ] )", DECLARATION, true)->error);
}

// A named type before a parenthesised pointer declarator is read as the type,
// so such a declaration comes out as it does after a builtin type; a
// constructor whose parameter is a pointer stays a constructor.
TEST(Declarators, PointerDeclaratorsAfterANamedType)
{
    ExpectVariables({
        {"Bitu ( * pa ) [ 3 ] ;", "Bitu", "Bitu *", -1, "pa", "[ 3 ]"},
        {"N :: T ( & r ) [ 2 ] = x ;", nullptr, nullptr, -1, "r"},
        {"Bitu ( __stdcall * pfn ) ;", "Bitu", "Bitu __stdcall *", -1, "pfn"},
    });

    const char* const forms[] = {"typedef %s ( * Handler ) ( void ) ;",
        "%s ( * table ) ( int , char * ) ;", "%s ( __cdecl * Run ) ( ) ;"};
    for (const char* form : forms) {
        auto memberKind = [&](const char* type) {
            char text[128];
            std::snprintf(text, sizeof text, form, type);
            auto p = ParseText(std::string("struct S { ") + text + " } ;");
            return p->At(0).children.at(0).kind;
        };
        SCOPED_TRACE(form);
        EXPECT_NE(memberKind("Bitu"), 0);
        EXPECT_EQ(memberKind("Bitu"), memberKind("int"));
    }

    auto ctor = ParseText("class A { A ( B * b ) ; } ;");
    const auto& members = ctor->At(0).children;
    ASSERT_EQ(members.size(), 1u);
    EXPECT_EQ(members[0].kind, UNIT_FUNCTION);
    EXPECT_EQ(GetUnitFunctionName(members[0]), "A");
}
