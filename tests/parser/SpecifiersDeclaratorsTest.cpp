#include "ParseHelpers.h"

#include <gtest/gtest.h>

namespace {

// Parses one declaration and returns its variable record.
struct Declared {
    std::unique_ptr<ParsedText> parsed;
    const CVariableInfo* var = nullptr;

    explicit Declared(const std::string& text) : parsed(ParseText(text))
    {
        if (!parsed->units.empty())
            var = AsVariableInfo(parsed->At(0));
    }
    std::string Type() const { return parsed->Text(var->typeTokens); }
    std::string Specifiers() const { return parsed->Text(var->specifierTokens); }
};

} // namespace

TEST(DeclarationSpecifiers, BuiltinWordsAndLeadingSpecifiers)
{
    Declared plain("int x ;");
    ASSERT_NE(plain.var, nullptr);
    EXPECT_EQ(plain.Type(), "");
    EXPECT_EQ(plain.Specifiers(), "int");
    EXPECT_FALSE(plain.var->cvAfterType);

    Declared leading("static const int x ;");
    ASSERT_NE(leading.var, nullptr);
    EXPECT_EQ(leading.Type(), "");
    EXPECT_EQ(leading.Specifiers(), "static const int");

    Declared run("static inline unsigned long int y ;");
    ASSERT_NE(run.var, nullptr);
    EXPECT_EQ(run.Specifiers(), "static inline unsigned long int");
    EXPECT_EQ(run.var->qualifiedName.name, "y");
}

TEST(DeclarationSpecifiers, NamedTypes)
{
    Declared named("T x ;");
    ASSERT_NE(named.var, nullptr);
    EXPECT_EQ(named.Type(), "T");
    EXPECT_EQ(named.Specifiers(), "T");

    Declared qualified("N :: T x ;");
    ASSERT_NE(qualified.var, nullptr);
    EXPECT_EQ(qualified.Type(), "N :: T");
    EXPECT_EQ(qualified.Specifiers(), "N :: T");

    Declared global(":: A :: B * p ;");
    ASSERT_NE(global.var, nullptr);
    EXPECT_EQ(global.Type(), ":: A :: B");
    EXPECT_EQ(global.Specifiers(), ":: A :: B *");
    EXPECT_TRUE(global.var->cvAfterType);

    Declared cvRef("T const & s ;");
    ASSERT_NE(cvRef.var, nullptr);
    EXPECT_EQ(cvRef.Type(), "T");
    EXPECT_EQ(cvRef.Specifiers(), "T const &");
    EXPECT_TRUE(cvRef.var->cvAfterType);

    // A qualified name followed by const matches no type form: the unit is
    // not a variable.
    Declared odd("N :: T const x ;");
    EXPECT_EQ(odd.var, nullptr);
}

TEST(DeclarationSpecifiers, ClassEnumAndTypenameHeads)
{
    Declared pointer("struct S * p ;");
    ASSERT_NE(pointer.var, nullptr);
    EXPECT_EQ(pointer.Type(), "struct S");
    EXPECT_EQ(pointer.Specifiers(), "struct S *");
    EXPECT_TRUE(pointer.var->cvAfterType);

    Declared plain("struct S p ;");
    ASSERT_NE(plain.var, nullptr);
    EXPECT_EQ(plain.Type(), "struct S");
    EXPECT_FALSE(plain.var->cvAfterType);

    Declared en("enum E x ;");
    ASSERT_NE(en.var, nullptr);
    EXPECT_EQ(en.Type(), "enum E E"); // the name stands twice

    Declared tn("typename T :: U x ;");
    ASSERT_NE(tn.var, nullptr);
    EXPECT_EQ(tn.Type(), "typename T :: U U");

    Declared td("typedef struct S T ;");
    ASSERT_NE(td.var, nullptr);
    EXPECT_EQ(td.var->qualifiedName.name, "T");
    EXPECT_EQ(td.Specifiers(), "typedef struct S");
}

TEST(DeclarationSpecifiers, TemplateIdTypesKeepTheirEnd)
{
    Declared v("vector < int > v ;");
    ASSERT_NE(v.var, nullptr);
    EXPECT_EQ(v.Type(), "vector");
    EXPECT_EQ(v.Specifiers(), "vector < int >");
    EXPECT_FALSE(v.var->cvAfterType);
    EXPECT_EQ(v.var->qualifiedName.name, "v");

    Declared p("vector < int > * p ;");
    ASSERT_NE(p.var, nullptr);
    EXPECT_EQ(p.Specifiers(), "vector < int > *");
    EXPECT_TRUE(p.var->cvAfterType);

    Declared q("std :: map < int , std :: string > m ;");
    ASSERT_NE(q.var, nullptr);
    EXPECT_EQ(q.Type(), "std :: map");
    EXPECT_EQ(q.Specifiers(), "std :: map < int , std :: string >");

    // The return type of a function survives as well.
    auto f = ParseText("vector < int > f ( ) ;");
    const CFunctionInfo* info = AsFunctionInfo(f->At(0));
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(f->Text(info->specifierTokens), "vector < int >");

    // A template id that fails adds no type token.
    Declared bad("X < 3 > x ;");
    if (bad.var) {
        EXPECT_EQ(bad.Type(), "");
    }
}

TEST(DeclarationSpecifiers, DeclspecModifiers)
{
    for (const char* text : {"__declspec ( dllexport ) int a ;", "__declspec ( align ( 16 ) ) int b ;",
                             "__declspec ( uuid ( \"1234\" ) ) int c ;",
                             "__declspec ( property ( get = G , put = P ) ) int d ;",
                             "_declspec ( property ( get = G ) ) int e ;"}) {
        auto p = ParseSingle(text, DECLARATION2);
        EXPECT_FALSE(p->error) << text;
        EXPECT_EQ(p->unit.kind, UNIT_VARIABLE) << text;
    }
    EXPECT_TRUE(ParseSingle("__declspec ( align ( x ) ) int f ;", DECLARATION2)->error);
    EXPECT_TRUE(ParseSingle("__declspec ( property ( a = b , c = d , e = f ) ) int g ;", DECLARATION2)->error);
}

TEST(Declarators, ArrayBoundsAndParentheses)
{
    Declared two("int a [ 10 ] [ N ] ;");
    ASSERT_NE(two.var, nullptr);
    EXPECT_EQ(two.parsed->Text(two.var->arrayTokens), "[ 10 ] [ N ]");
    Declared open("int a [ ] ;");
    EXPECT_EQ(open.parsed->Text(open.var->arrayTokens), "[ ]");

    Declared pa("int ( * pa ) [ 3 ] ;");
    ASSERT_NE(pa.var, nullptr);
    EXPECT_EQ(pa.var->qualifiedName.name, "pa");
    EXPECT_EQ(pa.Specifiers(), "int *");
    EXPECT_EQ(pa.parsed->Text(pa.var->arrayTokens), "[ 3 ]");

    Declared calling("int ( __stdcall * pfn ) ;");
    ASSERT_NE(calling.var, nullptr);
    EXPECT_EQ(calling.Specifiers(), "int __stdcall *");

    Declared scoped("int ( N :: x ) ;");
    ASSERT_NE(scoped.var, nullptr);
    EXPECT_EQ(scoped.var->qualifiedName.name, "x");
    EXPECT_EQ(scoped.var->qualifiedName.scopes, std::vector<std::string>{"N"});

    EXPECT_TRUE(ParseSingle("int a [ throw 1 ] ;", DECLARATION2)->error);
}

TEST(Declarators, PointerOperatorForms)
{
    Declared cv("char * const volatile p ;");
    ASSERT_NE(cv.var, nullptr);
    EXPECT_EQ(cv.Specifiers(), "char * const volatile");
    Declared vc("char * volatile const p ;");
    EXPECT_EQ(vc.Specifiers(), "char * volatile const");
    Declared twice("char * * p ;");
    EXPECT_EQ(twice.Specifiers(), "char * *");
    Declared ref("int & r = x ;");
    ASSERT_NE(ref.var, nullptr);
    EXPECT_EQ(ref.Specifiers(), "int &");
    EXPECT_TRUE(ParseSingle("char * ;", DECLARATION2)->error);
}

TEST(Declarators, CatchParameters)
{
    EXPECT_FALSE(ParseSingle("catch ( int * p )", DECLARATION, true)->error);
    EXPECT_FALSE(ParseSingle("catch ( int )", DECLARATION, true)->error);
    EXPECT_FALSE(ParseSingle("catch ( unsigned long ( * p ) [ 2 ] )", DECLARATION, true)->error);
}
