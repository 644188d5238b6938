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
    });
    // A qualified name followed by const matches no type form: the unit is
    // not a variable.
    EXPECT_EQ(AsVariableInfo(ParseText("N :: T const x ;")->At(0)), nullptr);
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

    // The return type of a function survives as well.
    auto f = ParseText("vector < int > f ( ) ;");
    const CFunctionInfo* info = AsFunctionInfo(f->At(0));
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(f->Text(info->specifierTokens), "vector < int >");

    // A template id that fails adds no type token.
    auto bad = ParseText("X < 3 > x ;");
    if (const CVariableInfo* var = AsVariableInfo(bad->At(0))) {
        EXPECT_EQ(bad->Text(var->typeTokens), "");
    }
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
