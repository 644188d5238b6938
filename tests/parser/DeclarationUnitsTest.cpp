#include "ParseHelpers.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

std::string TextDetail(const CUnit& unit)
{
    const CTextInfo* info = AsTextInfo(unit);
    return info ? info->text : "<none>";
}

} // namespace

TEST(NamespaceScopeUnits, AsmBlocks)
{
    auto p = ParseText("asm ( \"nop\" ) ; __asm { mov eax , 1 } _asm { }");
    ASSERT_EQ(p->units.size(), 3u);
    EXPECT_EQ(p->At(0).kind, UNIT_ASM);
    EXPECT_EQ(TextDetail(p->At(0)), "nop");
    EXPECT_EQ(p->At(1).kind, UNIT_ASM);
    EXPECT_EQ(p->At(1).detail, nullptr);
    EXPECT_EQ(p->At(2).kind, UNIT_ASM);
    EXPECT_TRUE(p->At(2).children.empty());
    auto noParens = ParseSingle("asm \"x\" ;", DECLARATION);
    EXPECT_TRUE(noParens->error);
    EXPECT_FALSE(noParens->unit.done);
}

TEST(NamespaceScopeUnits, LinkageSpecifications)
{
    auto block = ParseSingle("extern \"C\"", DECLARATION, true);
    EXPECT_EQ(block->unit.kind, UNIT_EXTERN);
    EXPECT_EQ(TextDetail(block->unit), "C");
    EXPECT_TRUE(block->unit.brace);

    auto single = ParseSingle("extern \"C\" int f ( ) ;", DECLARATION);
    EXPECT_FALSE(single->error);
    EXPECT_EQ(single->unit.kind, UNIT_EXTERN);
    EXPECT_EQ(single->unit.tokenIndices.size(), 2u);
    ASSERT_EQ(single->unit.children.size(), 1u);
    EXPECT_EQ(single->Text(single->unit.children[0].tokenIndices), "int f ( ) ;");

    auto noString = ParseSingle("extern int x ;", DECLARATION);
    EXPECT_TRUE(noString->error);
    EXPECT_FALSE(noString->unit.done);
    // The retry reads it as a variable.
    auto p = ParseText("extern int x ;");
    EXPECT_EQ(p->At(0).kind, UNIT_VARIABLE);
}

TEST(NamespaceScopeUnits, NamespacesAndEnumerations)
{
    auto p = ParseText("namespace { int a ; } namespace N { int b ; } enum E { A , B } ; "
                       "enum { C } ; typedef enum { D } T ;");
    EXPECT_EQ(p->At(0).kind, UNIT_NAMESPACE);
    EXPECT_EQ(TextDetail(p->At(0)), "");
    EXPECT_EQ(TextDetail(p->At(1)), "N");
    EXPECT_EQ(p->At(2).kind, UNIT_ENUM);
    EXPECT_EQ(TextDetail(p->At(2)), "E");
    EXPECT_EQ(p->At(2).children.at(0).kind, 0); // an enumeration body gets no kind
    EXPECT_EQ(TextDetail(p->At(3)), "");
    EXPECT_EQ(p->At(4).kind, UNIT_ENUM);
    EXPECT_EQ(TextDetail(p->At(4)), "");
    EXPECT_EQ(p->Text(p->At(5)), "T ;");
}

TEST(NamespaceScopeUnits, NestedAndInlineNamespacesKeepTheirBodies)
{
    // Each of these once failed and took every definition inside with it.
    auto p = ParseText("namespace a :: b :: c { int f ( ) { return 0 ; } } "
                       "inline namespace v1 { class W { } ; } "
                       "namespace x { inline namespace v2 { int g ( ) ; } }");
    EXPECT_EQ(p->At(0).kind, UNIT_NAMESPACE);
    EXPECT_EQ(TextDetail(p->At(0)), "a::b::c");
    EXPECT_EQ(p->At(0).children.at(0).kind, UNIT_FUNCTION);
    EXPECT_EQ(p->At(1).kind, UNIT_NAMESPACE);
    EXPECT_EQ(TextDetail(p->At(1)), "v1");
    EXPECT_EQ(p->At(1).children.at(0).kind, UNIT_CLASS);
    const CUnit& v2 = p->At(2).children.at(0);
    EXPECT_EQ(v2.kind, UNIT_NAMESPACE);
    EXPECT_EQ(v2.children.at(0).kind, UNIT_FUNCTION);
    // A qualifier must be followed by a name.
    EXPECT_TRUE(ParseSingle("namespace a ::", DECLARATION)->error);
    EXPECT_TRUE(ParseSingle("inline int", DECLARATION)->error);
}

// Names a macro pastes, which the preprocessor leaves as pieces joined by
// "##": OpenMPT's whole code is in such a namespace, SQLite defines
// functions so. Each once failed and took its body with it.
TEST(NamespaceScopeUnits, PastedNamesAreOneName)
{
    auto p = ParseText("namespace OpenMPT { inline namespace MPT_V ## _ ## MPT_ABI {\n"
                       " class C { int m_ ## Count ; } ; } }\n"
                       "static const methods * posixIoFinder ## Impl ( const char * z ) { }\n"
                       "int Value ## 2 ( ) ;\n"
                       "string * Check ## strcmp ## true ## Impl ( const char * s1 ) ;");
    ASSERT_EQ(p->units.size(), 4u);
    const CUnit& inner = p->At(0).children.at(0);
    ASSERT_EQ(inner.kind, UNIT_NAMESPACE);
    EXPECT_EQ(TextDetail(inner), "MPT_V_MPT_ABI");
    const CUnit& c = inner.children.at(0);
    ASSERT_EQ(c.kind, UNIT_CLASS);
    ASSERT_EQ(c.children.size(), 1u);
    EXPECT_EQ(AsVariableInfo(c.children[0])->qualifiedName.name, "m_Count");
    const CFunctionInfo* finder = AsFunctionInfo(p->At(1));
    ASSERT_NE(finder, nullptr);
    EXPECT_EQ(finder->qualifiedName.name, "posixIoFinderImpl");
    EXPECT_EQ(finder->parameters.size(), 1u);
    EXPECT_EQ(GetUnitFunctionName(p->At(2)), "Value2");
    EXPECT_EQ(GetUnitFunctionName(p->At(3)), "CheckstrcmptrueImpl");
    // A wide string's prefix pasted to the literal, as wxWidgets' wxT does:
    // the value of a variable given in parentheses.
    auto wide = ParseText("static wxString gs_path ( L ## \"/wx/FontMapper\" ) ;\n"
                          "wxChar sep = L ## 'x' ; wxString Pad ( wxChar c = L ## ' ' ) ;");
    ASSERT_EQ(wide->units.size(), 3u);
    EXPECT_EQ(AsVariableInfo(wide->At(0))->qualifiedName.name, "gs_path");
    EXPECT_EQ(AsVariableInfo(wide->At(1))->qualifiedName.name, "sep");
    EXPECT_EQ(GetUnitFunctionName(wide->At(2)), "Pad");
}

TEST(NamespaceScopeUnits, ScopedEnumerationsAndUnderlyingTypes)
{
    auto p = ParseText("enum class Color { Red , Green } ; enum struct S : unsigned char { A } ; "
                       "enum Plain : std :: uint8_t { P } ;");
    EXPECT_EQ(p->At(0).kind, UNIT_ENUM);
    EXPECT_EQ(TextDetail(p->At(0)), "Color");
    EXPECT_EQ(p->At(1).kind, UNIT_ENUM);
    EXPECT_EQ(TextDetail(p->At(1)), "S");
    EXPECT_EQ(p->At(2).kind, UNIT_ENUM);
    EXPECT_EQ(TextDetail(p->At(2)), "Plain");
    // Declared without its enumerators it is still an enumeration, as a
    // class declared without its members is a class, and no variable.
    auto q = ParseText("enum class E : int ; enum struct F ; enum G : unsigned char ;\n"
                       "enum Color c ; enum : int ;");
    for (size_t i = 0; i < 3; ++i) {
        ASSERT_EQ(q->At(i).kind, UNIT_ENUM) << i;
        EXPECT_EQ(TextDetail(q->At(i)), std::string(1, static_cast<char>('E' + i)));
    }
    ASSERT_EQ(q->At(3).kind, UNIT_VARIABLE);
    EXPECT_EQ(AsVariableInfo(q->At(3))->qualifiedName.name, "c");
    EXPECT_NE(q->At(4).kind, UNIT_ENUM);
}

TEST(NamespaceScopeUnits, EnumerationBodies)
{
    EXPECT_FALSE(ParseSingle("A , B = 1 + 2 , C = ( 3 << 2 ) | 1", INENUM)->error);
    EXPECT_FALSE(ParseSingle("", INENUM)->error);
    EXPECT_TRUE(ParseSingle("A B", INENUM)->error);
    EXPECT_TRUE(ParseSingle("A , B ,", INENUM)->error); // trailing comma
}

TEST(NamespaceScopeUnits, WhileGuessingNothingIsWritten)
{
    // "namespace N = ..." is tried as an alias first; a namespace definition
    // must come out untouched by that trial.
    auto p = ParseSingle("namespace N", DECLARATION, true);
    EXPECT_EQ(p->unit.kind, UNIT_NAMESPACE);
    EXPECT_EQ(TextDetail(p->unit), "N");
}

TEST(UnitRules, NamespaceAliasAndUsingDirective)
{
    auto p = ParseText("namespace N2 = :: A :: B ; namespace N3 = C ; using namespace std ; "
                       "using namespace :: a :: b ;");
    const CNamespaceAliasInfo* alias = AsNamespaceAliasInfo(p->At(0));
    ASSERT_NE(alias, nullptr);
    EXPECT_EQ(p->At(0).kind, UNIT_NAMESPACE_ALIAS);
    EXPECT_EQ(alias->alias, "N2");
    EXPECT_EQ(alias->target.name, "B");
    EXPECT_EQ(alias->target.scopes, std::vector<std::string> {"A"});
    EXPECT_FALSE(alias->target.relative);
    ASSERT_NE(AsNamespaceAliasInfo(p->At(1)), nullptr);
    EXPECT_EQ(AsNamespaceAliasInfo(p->At(1))->target.ToString(), "C");

    const CQualifiedNameInfo* used = AsQualifiedNameInfo(p->At(2));
    ASSERT_NE(used, nullptr);
    EXPECT_EQ(p->At(2).kind, UNIT_USING_NAMESPACE);
    EXPECT_EQ(used->qualifiedName.name, "std");
    EXPECT_TRUE(used->qualifiedName.scopes.empty());
    EXPECT_TRUE(used->qualifiedName.relative);
    ASSERT_NE(AsQualifiedNameInfo(p->At(3)), nullptr);
    EXPECT_EQ(AsQualifiedNameInfo(p->At(3))->qualifiedName.ToString(), "::a::b");
}

TEST(UnitRules, TemplateHeads)
{
    auto p = ParseText(
        "template < > class X { int a ; } ;\n"
        "export template < class T , int N > void f ( ) ;\n"
        "template < class T , typename U = int , template < class > class W > struct Y ;");
    const CUnit& special = p->At(0);
    EXPECT_EQ(special.kind, UNIT_TEMPLATE);
    const CTemplateInfo* info = AsTemplateInfo(special);
    ASSERT_NE(info, nullptr);
    EXPECT_TRUE(info->parameterTokens.empty());
    EXPECT_FALSE(info->exported);
    EXPECT_EQ(p->Text(special), "template < >");
    EXPECT_FALSE(special.brace);
    ASSERT_EQ(special.children.size(), 1u);
    EXPECT_EQ(p->Text(special.children[0]), "class X");
    EXPECT_TRUE(special.children[0].brace);
    EXPECT_EQ(special.children[0].kind, UNIT_CLASS);
    EXPECT_EQ(special.children[0].children.at(0).kind, UNIT_VARIABLE);

    const CTemplateInfo* exported = AsTemplateInfo(p->At(1));
    ASSERT_NE(exported, nullptr);
    EXPECT_TRUE(exported->exported);
    EXPECT_EQ(p->Text(exported->parameterTokens), "class T , int N");
    EXPECT_EQ(p->At(1).children.at(0).kind, UNIT_FUNCTION);

    EXPECT_EQ(p->At(2).kind, UNIT_TEMPLATE);
    EXPECT_EQ(p->At(2).children.at(0).kind, UNIT_STRUCT);
}

TEST(UnitRules, TemplateParameterErrorsAreSkippedOneByOne)
{
    auto p = ParseSingle("template < class T , 3 , typename U > class Z", DECLARATION, true);
    EXPECT_TRUE(p->error);
    EXPECT_EQ(p->unit.kind, UNIT_TEMPLATE);
    ASSERT_NE(AsTemplateInfo(p->unit), nullptr);
    EXPECT_EQ(p->Text(AsTemplateInfo(p->unit)->parameterTokens), "class T , 3 , typename U");
}

// A value parameter's default runs to the "," or ">" that ends it, however
// its brackets and parentheses nest; before, it failed the whole template,
// and the class after it was lost with its members.
TEST(UnitRules, ValueTemplateParametersWithADefault)
{
    for (const char* text : {"template < int N = 1 > class Z",
             "template < class T , size_t Size = sizeof ( T ) * ( 2 + 1 ) , int A = - 1 > class Z",
             "template < int M = Limits < int , 3 > :: most , bool B = ( 1 > 0 ) > class Z"}) {
        auto p = ParseSingle(text, DECLARATION, true);
        EXPECT_FALSE(p->error) << text;
        EXPECT_EQ(p->unit.kind, UNIT_TEMPLATE) << text;
    }
    auto p = ParseText("template < class T , int N = 16 > struct Ring { T items [ N ] ; } ;");
    ASSERT_EQ(p->units.size(), 1u);
    EXPECT_EQ(p->At(0).kind, UNIT_TEMPLATE);
    auto open = ParseSingle("template < int N = ( 1 > class Z", DECLARATION, true);
    EXPECT_TRUE(open->error);
}

// So does a type parameter's default that names a type, a qualified one or
// one with template arguments: "class Compare = std::less<T>".
TEST(UnitRules, TypeTemplateParametersWithANamedDefault)
{
    for (const char* text : {"template < typename Ret , typename Def = Ret > class Z",
             "template < class T , class Compare = std :: less < T > > class Z",
             "template < class T , class A = Pool < T , 4 > :: Allocator , typename = T * > "
             "class Z"}) {
        auto p = ParseSingle(text, DECLARATION, true);
        EXPECT_FALSE(p->error) << text;
        EXPECT_EQ(p->unit.kind, UNIT_TEMPLATE) << text;
    }
    auto p = ParseText("template < typename Ret , typename Def = Ret >\n"
                       "class Accessor : public Base < Ret > { Ret get ( ) const ; } ;");
    ASSERT_EQ(p->units.size(), 1u);
    ASSERT_EQ(p->At(0).kind, UNIT_TEMPLATE);
    const CUnit& cls = p->At(0).children.at(0);
    EXPECT_EQ(cls.kind, UNIT_CLASS);
    EXPECT_EQ(cls.children.at(0).kind, UNIT_FUNCTION);
}

TEST(UnitRules, UnnamedValueTemplateParameters)
{
    for (const char* text : {"template < typename T , typename A , bool > struct Impl",
             "template < int > struct Fixed", "template < int N , unsigned long = 3 > class Z",
             "template < class T , std :: size_t > class Z",
             // Their type may have template arguments, as a SFINAE condition's has.
             "template < typename T , Box < int > > struct Z",
             "template < typename T , enable_if_t < is_a < T > :: value && N :: b >= 2 , "
             "detail :: enabler >> struct Z",
             "template < typename T , typename enable_if < is_a < T > :: value > :: type > "
             "struct Z",
             "template < typename T , std :: enable_if_t < X < T > :: value , int > = 0 > "
             "struct Z",
             "template < typename T , typename enable_if < X < T > :: value > :: type * = "
             "nullptr > struct Z"}) {
        auto p = ParseSingle(text, DECLARATION, true);
        EXPECT_FALSE(p->error) << text;
        EXPECT_EQ(p->unit.kind, UNIT_TEMPLATE) << text;
    }
}

TEST(UnitRules, CatchClauses)
{
    auto all = ParseSingle("catch ( ... )", DECLARATION, true);
    EXPECT_EQ(all->unit.kind, UNIT_CATCH);
    ASSERT_NE(AsTokenListInfo(all->unit), nullptr);
    EXPECT_EQ(all->Text(AsTokenListInfo(all->unit)->tokens), "...");

    auto typed = ParseSingle("catch ( int e )", DECLARATION, true);
    EXPECT_EQ(typed->Text(AsTokenListInfo(typed->unit)->tokens), "int e");
    auto pointer = ParseSingle("catch ( const char * p )", INCLASS, true);
    EXPECT_FALSE(pointer->error);
    EXPECT_EQ(pointer->unit.kind, UNIT_CATCH);

    auto named = ParseSingle("catch ( CMyError & e )", DECLARATION, true);
    EXPECT_TRUE(named->error);
    EXPECT_FALSE(named->unit.done);
}

TEST(UnitRules, UsingDeclarations)
{
    auto p = ParseText("using N :: f ; using :: N :: M :: g ; using typename N :: type ; "
                       "using N :: operator + ;");
    for (size_t i = 0; i < 4; ++i)
        EXPECT_EQ(p->At(i).kind, UNIT_USING) << i;
    const CClassInfo* f = AsUsingInfo(p->At(0));
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->qualifiedName.name, "f");
    EXPECT_EQ(f->qualifiedName.scopes, std::vector<std::string> {"N"});
    EXPECT_TRUE(f->qualifiedName.relative);
    EXPECT_TRUE(f->bases.empty());
    EXPECT_EQ(AsUsingInfo(p->At(1))->qualifiedName.ToString(), "::N::M::g");
    EXPECT_EQ(AsUsingInfo(p->At(2))->qualifiedName.ToString(), "N::type");
    EXPECT_EQ(AsUsingInfo(p->At(3))->qualifiedName.ToString(), "N::+");

    auto bare = ParseSingle("using f ;", DECLARATION);
    EXPECT_TRUE(bare->error);
    EXPECT_FALSE(bare->unit.done);
    EXPECT_TRUE(ParseSingle("using N :: f", DECLARATION)->error);
    // In a class body every using is a using-declaration.
    auto inClass = ParseSingle("using namespace N ;", INCLASS);
    EXPECT_TRUE(inClass->error);
    EXPECT_FALSE(inClass->unit.done);
}

// An alias is read as the typedef it stands for: its type is what follows
// the '=', without the pointer operators and cv words after it.
TEST(UnitRules, AliasDeclarationsAreTypedefs)
{
    auto p = ParseText(
        "using Count = unsigned int ;\n"
        "template < class T > using Vec = std :: vector < T > ;\n"
        "class Shed { using Handle = const Tool * const ; using Call = void ( * ) ( int ) ; } ;\n"
        "using Empty = ;");
    ASSERT_EQ(p->units.size(), 4u);
    const CVariableInfo* count = AsVariableInfo(p->At(0));
    ASSERT_NE(count, nullptr);
    EXPECT_EQ(count->qualifiedName.name, "Count");
    EXPECT_EQ(p->Text(count->typeTokens), "unsigned int");
    EXPECT_EQ(p->Text(count->specifierTokens), "using unsigned int");
    const CVariableInfo* vec = AsVariableInfo(p->At(1).children.at(0));
    ASSERT_NE(vec, nullptr);
    EXPECT_EQ(p->Text(vec->typeTokens), "std :: vector < T >");
    const auto& members = p->At(2).children;
    ASSERT_EQ(members.size(), 2u);
    const CVariableInfo* handle = AsVariableInfo(members[0]);
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(handle->qualifiedName.name, "Handle");
    EXPECT_EQ(p->Text(handle->typeTokens), "const Tool");
    EXPECT_EQ(p->Text(handle->specifierTokens), "using const Tool * const");
    ASSERT_NE(AsVariableInfo(members[1]), nullptr);
    EXPECT_EQ(AsVariableInfo(members[1])->qualifiedName.name, "Call");
    EXPECT_FALSE(p->At(3).done);
    // One cut off at the end of the file is not read.
    EXPECT_FALSE(ParseText("using Cut = std :: vector < int >")->At(0).done);
}

TEST(ClassUnits, NamesAndBases)
{
    auto p = ParseText("class A : public B { } ;\n"
                       "struct N :: M :: S ;\n"
                       "union { int a ; } u ;\n"
                       "class D : B , virtual public N :: C , public virtual E , private :: F , "
                       "public T < int > { } ;\n"
                       "struct G : H { } ;");
    const CClassInfo* a = AsClassInfo(p->At(0));
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(p->At(0).kind, UNIT_CLASS);
    EXPECT_EQ(a->qualifiedName.name, "A");
    ASSERT_EQ(a->bases.size(), 1u);
    EXPECT_EQ(a->bases[0].qualifiedName.name, "B");
    EXPECT_EQ(a->bases[0].access, 1);
    EXPECT_FALSE(a->bases[0].isVirtual);

    const CClassInfo* s = AsClassInfo(p->At(1));
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(p->At(1).kind, UNIT_STRUCT);
    EXPECT_EQ(s->qualifiedName.name, "S");
    EXPECT_EQ(s->qualifiedName.scopes, (std::vector<std::string> {"N", "M"}));
    EXPECT_TRUE(p->At(1).children.empty());

    EXPECT_EQ(p->At(2).kind, UNIT_UNION);
    EXPECT_EQ(AsClassInfo(p->At(2))->qualifiedName.name, "");
    EXPECT_EQ(p->At(3).kind, UNIT_VARIABLE); // "u ;"

    const CClassInfo* d = AsClassInfo(p->At(4));
    ASSERT_NE(d, nullptr);
    const std::tuple<std::string, bool, int> bases[] = {{"B", false, 3}, {"N::C", true, 1},
        {"E", true, 1}, {"::F", false, 3}, {"T<int>", false, 1}};
    ASSERT_EQ(d->bases.size(), std::size(bases));
    for (size_t i = 0; i < d->bases.size(); ++i) {
        const CBaseClassInfo& base = d->bases[i];
        EXPECT_EQ(
            std::make_tuple(base.qualifiedName.ToString(), base.isVirtual, base.access), bases[i])
            << i;
    }

    // The class key does not change the default access of a base.
    EXPECT_EQ(AsClassInfo(p->At(5))->bases.at(0).access, 3);
}

TEST(ClassUnits, BaseNestedInAClassTemplate)
{
    auto p =
        ParseText("struct Params : public Generator < Point , double > :: Params { int n ; } ;\n"
                  "class C : N :: Map < K , List < V >> :: Node , B { } ;");
    const CClassInfo* params = AsClassInfo(p->At(0));
    ASSERT_NE(params, nullptr);
    ASSERT_EQ(params->bases.size(), 1u);
    EXPECT_EQ(params->bases[0].qualifiedName.ToString(), "Generator::Params");
    EXPECT_EQ(params->bases[0].access, 1);
    ASSERT_EQ(p->At(0).children.size(), 1u);

    const CClassInfo* c = AsClassInfo(p->At(1));
    ASSERT_NE(c, nullptr);
    ASSERT_EQ(c->bases.size(), 2u);
    EXPECT_EQ(c->bases[0].qualifiedName.ToString(), "N::Map::Node");
    EXPECT_EQ(c->bases[1].qualifiedName.ToString(), "B");
}

// Specialisations are named with their arguments; a class nested in a class
// template and defined outside it takes the template's name as its scope.
TEST(ClassUnits, SpecialisationsAndNestedClassesOfTemplates)
{
    auto p = ParseText("template < > class Traits < int > { public : int a ; } ;\n"
                       "template < class T > struct Traits < T * > : Base { int b ; } ;\n"
                       "template < > class Fact < 0 > ;\n"
                       "template < class K , class T > template < class P >\n"
                       "class Map < K , T > :: Private : public Counter { int c ; } ;\n"
                       "template < > class Table < Map < int , int >> { } ;");
    const std::tuple<std::vector<std::string>, std::string, size_t> classes[] = {
        {{}, "Traits<int>", 2}, {{}, "Traits<T*>", 1}, {{}, "Fact<0>", 0}, {{"Map"}, "Private", 1},
        {{}, "Table<Map<int,int>>", 0}};
    ASSERT_EQ(p->units.size(), std::size(classes));
    for (size_t i = 0; i < p->units.size(); ++i) {
        SCOPED_TRACE(i);
        ASSERT_EQ(p->At(i).kind, UNIT_TEMPLATE);
        const CUnit* unit = &p->At(i).children.at(0);
        if (unit->kind == UNIT_TEMPLATE)
            unit = &unit->children.at(0);
        const CClassInfo* info = AsClassInfo(*unit);
        ASSERT_NE(info, nullptr);
        EXPECT_EQ(info->qualifiedName.scopes, std::get<0>(classes[i]));
        EXPECT_EQ(info->qualifiedName.name, std::get<1>(classes[i]));
        EXPECT_EQ(unit->children.size(), std::get<2>(classes[i]));
    }
    EXPECT_EQ(AsClassInfo(p->At(1).children.at(0))->bases.at(0).qualifiedName.name, "Base");
}

TEST(ClassUnits, BrokenBaseListsKeepTheGoodBases)
{
    // The template id fails at "]", which begins no argument; the bases
    // around it are kept, and it keeps the text it has.
    auto p = ParseSingle("class X : public A , public T < ] , int > , B", DECLARATION, true);
    EXPECT_TRUE(p->error);
    EXPECT_TRUE(p->unit.done);
    const CClassInfo* x = AsClassInfo(p->unit);
    ASSERT_NE(x, nullptr);
    ASSERT_EQ(x->bases.size(), 3u);
    EXPECT_EQ(x->bases[0].qualifiedName.name, "A");
    EXPECT_EQ(x->bases[1].qualifiedName.name, "T<],int>");
    EXPECT_EQ(x->bases[2].qualifiedName.name, "B");

    // A trailing comma swallows the body: the class is not recognised.
    auto trailing = ParseSingle("class Y : A ,", DECLARATION, true);
    EXPECT_TRUE(trailing->error);
    EXPECT_FALSE(trailing->unit.done);
}

// "static", "extern", "const" or "mutable" before the key of a type with a body still defines the
// type; without a body the unit stays a variable or a function of that type.
TEST(ClassUnits, StorageAndCvWordsBeforeTheKey)
{
    auto p = ParseText("static struct Named { int a ; } named ;\n"
                       "static const union { int b ; } u ;\n"
                       "struct Outer { const struct { int c ; } inner ;\n"
                       " mutable struct Stats { int hits ; } stats ; } ;\n"
                       "static struct Named other ;\n"
                       "static const struct Named table [ ] = { 1 } ;\n"
                       "static struct Named * Find ( int k ) { return 0 ; }\n"
                       "extern struct Info { int d ; } info ;\n"
                       "extern \"C\" int Plain ( ) ;\n"
                       "static enum { Off , On } state ;");
    ASSERT_EQ(p->units.size(), 13u);
    EXPECT_EQ(p->At(0).kind, UNIT_STRUCT);
    EXPECT_EQ(AsClassInfo(p->At(0))->qualifiedName.name, "Named");
    ASSERT_EQ(p->At(0).children.size(), 1u);
    EXPECT_EQ(p->At(0).children[0].kind, UNIT_VARIABLE);
    EXPECT_EQ(p->At(1).kind, UNIT_VARIABLE); // "named ;"
    EXPECT_EQ(p->At(2).kind, UNIT_UNION);
    EXPECT_EQ(AsClassInfo(p->At(2))->qualifiedName.name, "");

    const auto& outer = p->At(4).children;
    ASSERT_EQ(outer.size(), 4u);
    EXPECT_EQ(outer[0].kind, UNIT_STRUCT);
    EXPECT_EQ(outer[1].kind, UNIT_VARIABLE);
    EXPECT_EQ(outer[2].kind, UNIT_STRUCT);
    EXPECT_EQ(AsClassInfo(outer[2])->qualifiedName.name, "Stats");
    EXPECT_EQ(outer[2].children.size(), 1u);

    EXPECT_EQ(p->At(5).kind, UNIT_VARIABLE);
    EXPECT_EQ(p->At(6).kind, UNIT_VARIABLE);
    EXPECT_EQ(p->At(7).kind, UNIT_FUNCTION);
    EXPECT_EQ(GetUnitFunctionName(p->At(7)), "Find");
    EXPECT_EQ(p->At(8).kind, UNIT_STRUCT);
    EXPECT_EQ(AsClassInfo(p->At(8))->qualifiedName.name, "Info");
    EXPECT_EQ(p->At(10).kind, UNIT_EXTERN);
    EXPECT_EQ(p->At(11).kind, UNIT_ENUM);
}

// Bit-fields are members like any other; their width is not kept. An
// unnamed one, which only pads, is still not read.
TEST(ClassUnits, BitFieldMembers)
{
    auto p = ParseText("struct Flags {\n"
                       " unsigned ready : 1 ;\n"
                       " DWORD mode : BITS - 1 , kind : 2 ;\n"
                       " int plain ;\n"
                       " unsigned : 4 ;\n"
                       "} ;\n"
                       "int pick = a ? b : c ;");
    const auto& members = p->At(0).children;
    ASSERT_EQ(members.size(), 4u);
    const char* const names[] = {"ready", "mode", "plain"};
    for (size_t i = 0; i < std::size(names); ++i) {
        ASSERT_EQ(members[i].kind, UNIT_VARIABLE) << i;
        EXPECT_EQ(AsVariableInfo(members[i])->qualifiedName.name, names[i]);
    }
    ASSERT_EQ(AsVariableInfo(members[1])->further.size(), 1u);
    EXPECT_EQ(AsVariableInfo(members[1])->further[0].qualifiedName.name, "kind");
    EXPECT_EQ(members[3].kind, UNIT_UNKNOWN);
    EXPECT_EQ(p->At(1).kind, UNIT_VARIABLE);
}

// An export word between the key and the name, which a header never read
// defines, or the __declspec it stands for, leaves the class its name and
// bases. Without a body or bases the word may be a type: the unit stays a
// variable.
TEST(ClassUnits, ExportWordsBetweenKeyAndName)
{
    auto p = ParseText("class AFX_EXT_CLASS CView : public CWnd { int a ; } ;\n"
                       "class __declspec ( dllexport ) Exported { } ;\n"
                       "struct DLLAPI Data { int b ; } ;\n"
                       "class Leaf final : public Base { } ;\n"
                       "class EXPORT Sealed final { } ;\n"
                       "struct Named other ;\n"
                       "class WXDLLIMPEXP_FWD_CORE wxWindow ;\n"
                       "class OGRE_DEPRECATED _OgreExport Event : public Base { } ;");
    ASSERT_EQ(p->units.size(), 8u);
    const std::tuple<size_t, int, std::string, std::string> classes[] = {
        {0, UNIT_CLASS, "CView", "CWnd"}, {1, UNIT_CLASS, "Exported", ""},
        {2, UNIT_STRUCT, "Data", ""}, {3, UNIT_CLASS, "Leaf", "Base"},
        {4, UNIT_CLASS, "Sealed", ""}, {7, UNIT_CLASS, "Event", "Base"}};
    for (const auto& [at, kind, name, base] : classes) {
        SCOPED_TRACE(name);
        EXPECT_EQ(p->At(at).kind, kind);
        const CClassInfo* info = AsClassInfo(p->At(at));
        ASSERT_NE(info, nullptr);
        EXPECT_EQ(info->qualifiedName.name, name);
        EXPECT_EQ(info->bases.empty() ? "" : info->bases[0].qualifiedName.name, base);
    }
    ASSERT_EQ(p->At(0).children.size(), 1u);
    EXPECT_EQ(p->At(0).children[0].kind, UNIT_VARIABLE);
    EXPECT_EQ(p->At(5).kind, UNIT_VARIABLE);
    EXPECT_EQ(AsVariableInfo(p->At(5))->qualifiedName.name, "other");
    EXPECT_EQ(p->At(6).kind, UNIT_VARIABLE);
}

// Names that a header never read defines, as the markers that open and close
// a library's declarations, run into the declaration after them: the class
// or type and its members were lost with the unit.
TEST(ClassUnits, NamesBeforeTheKeyword)
{
    auto p = ParseText("QT_BEGIN_NAMESPACE class QFoo : public QObject { int count ( ) ; } ;\n"
                       "QT_END_NAMESPACE G_BEGIN_DECLS typedef struct _Foo Foo ;\n"
                       "G_END_DECLS __BEGIN_DECLS extern int optind ;\n"
                       "EXTERN_C_START struct Point { int x ; } ;\n"
                       "BEGIN_NS namespace Ui { class Main ; }\n"
                       "BEGIN_NS static int counter = 0 ;\n"
                       "struct Box { EXPORTED enum Side { Left , Right } ; } ;");
    ASSERT_EQ(p->units.size(), 7u);
    EXPECT_EQ(p->At(0).kind, UNIT_CLASS);
    EXPECT_EQ(AsClassInfo(p->At(0))->qualifiedName.name, "QFoo");
    ASSERT_EQ(p->At(0).children.size(), 1u);
    EXPECT_EQ(GetUnitFunctionName(p->At(0).children[0]), "count");
    EXPECT_EQ(p->At(1).kind, UNIT_VARIABLE);
    EXPECT_EQ(p->Text(AsVariableInfo(p->At(1))->specifierTokens),
        "QT_END_NAMESPACE G_BEGIN_DECLS typedef struct _Foo");
    EXPECT_EQ(AsVariableInfo(p->At(2))->qualifiedName.name, "optind");
    EXPECT_EQ(p->At(3).kind, UNIT_STRUCT);
    EXPECT_EQ(AsClassInfo(p->At(3))->qualifiedName.name, "Point");
    EXPECT_EQ(p->At(4).kind, UNIT_NAMESPACE);
    EXPECT_EQ(AsVariableInfo(p->At(5))->qualifiedName.name, "counter");
    ASSERT_EQ(p->At(6).children.size(), 1u);
    EXPECT_EQ(p->At(6).children[0].kind, UNIT_ENUM);
}

// A compile-time check declares nothing, whatever its condition looks
// like: it used to make a function named static_assert. Nor does a
// concept, which made a variable of its name.
TEST(ClassUnits, CompileTimeChecksDeclareNothing)
{
    auto p =
        ParseText("static_assert ( std :: is_unsigned < T > :: value , \"u\" ) ;\n"
                  "class C { static_assert ( sizeof ( int ) == 4 , \"i\" ) ; int k ; } ;\n"
                  "_Static_assert ( N > 0 , \"n\" ) ;\n"
                  "int static_assert_count ( int n ) ;\n"
                  "template < typename T > concept Number = std :: integral < T > || X < T > ;\n"
                  "template < typename T > concept Addable = requires ( T a ) { a + a ; } ;");
    ASSERT_EQ(p->units.size(), 6u);
    for (size_t i = 4; i < 6; ++i) {
        EXPECT_EQ(p->At(i).children.at(0).kind, UNIT_NOTHING) << i;
        EXPECT_TRUE(p->At(i).children[0].done) << i;
    }
    const auto& members = p->At(1).children;
    ASSERT_EQ(members.size(), 2u);
    for (const CUnit* check :
        std::initializer_list<const CUnit*> {&p->At(0), &members[0], &p->At(2)}) {
        EXPECT_TRUE(check->done);
        EXPECT_EQ(check->kind, UNIT_NOTHING);
        EXPECT_EQ(check->detail, nullptr);
    }
    EXPECT_EQ(members[1].kind, UNIT_VARIABLE);
    EXPECT_EQ(GetUnitFunctionName(p->At(3)), "static_assert_count");
}

// A class made a friend declares nothing in the class; it counted as a
// declaration not read. A friend function that returns a class keeps its
// reading.
TEST(ClassUnits, FriendClassesDeclareNothing)
{
    auto p = ParseText("class A { friend class B ; friend struct N :: C ;\n"
                       " friend class Box < T > ; friend class D * make ( ) ; int x ; } ;");
    const auto& members = p->At(0).children;
    ASSERT_EQ(members.size(), 5u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_TRUE(members[i].done) << i;
        EXPECT_EQ(members[i].kind, UNIT_NOTHING) << i;
    }
    EXPECT_EQ(GetUnitFunctionName(members[3]), "make");
    EXPECT_EQ(members[4].kind, UNIT_VARIABLE);
    // C++11 leaves the key out; Abseil's "friend str_format_internal::Impl;"
    // made up a member variable named Impl.
    auto keyless = ParseText("class A { friend internal :: Impl ; friend Tuple < Ts ... > ;\n"
                             " friend T ; friend Box f ( ) ; friend Box < int > g ( int ) ; } ;");
    const auto& friends = keyless->At(0).children;
    ASSERT_EQ(friends.size(), 5u);
    for (size_t i = 0; i < 3; ++i)
        EXPECT_EQ(friends[i].kind, UNIT_NOTHING) << i;
    EXPECT_EQ(GetUnitFunctionName(friends[3]), "f");
    EXPECT_EQ(GetUnitFunctionName(friends[4]), "g");
}

// A COM interface whose word no header read defines is read as the struct
// the word stands for, with its base and its methods.
TEST(ClassUnits, InterfacesAreStructs)
{
    auto p = ParseText("interface IDropTarget : public IUnknown {\n"
                       " STDMETHOD ( DragEnter ) ( IDataObject * data ) PURE ;\n"
                       " virtual HRESULT STDMETHODCALLTYPE Drop ( ) = 0 ; } ;\n"
                       "interface IPlain { virtual void Run ( ) = 0 ; } ;\n"
                       "int interface ;");
    ASSERT_EQ(p->units.size(), 3u);
    ASSERT_EQ(p->At(0).kind, UNIT_STRUCT);
    const CClassInfo* drop = AsClassInfo(p->At(0));
    EXPECT_EQ(drop->qualifiedName.name, "IDropTarget");
    ASSERT_EQ(drop->bases.size(), 1u);
    EXPECT_EQ(drop->bases[0].qualifiedName.name, "IUnknown");
    ASSERT_EQ(p->At(0).children.size(), 2u);
    EXPECT_EQ(GetUnitFunctionName(p->At(0).children[0]), "DragEnter");
    EXPECT_EQ(GetUnitFunctionName(p->At(0).children[1]), "Drop");
    ASSERT_EQ(p->At(1).kind, UNIT_STRUCT);
    EXPECT_EQ(AsClassInfo(p->At(1))->qualifiedName.name, "IPlain");
    ASSERT_EQ(p->At(2).kind, UNIT_VARIABLE);
    EXPECT_EQ(AsVariableInfo(p->At(2))->qualifiedName.name, "interface");

    // So are the forms MIDL and the SDK's macros write, and one declared
    // ahead; a macro that declares an interface makes no function.
    auto q = ParseText(
        "MIDL_INTERFACE ( \"0000\" ) IDrop : public IUnknown { virtual void Go ( ) = 0 ; } ;\n"
        "interface DECLSPEC_UUID ( \"1111\" ) DECLSPEC_NOVTABLE IHelp : IUnknown { } ;\n"
        "interface IAhead ;\n"
        "DECLARE_INTERFACE_ ( IShell , IUnknown ) { STDMETHOD ( Run ) ( THIS ) PURE ; } ;\n"
        "DECLARE_INTERFACE_IID_ ( IShell2 , IShell , \"2222\" ) { } ;");
    ASSERT_EQ(q->units.size(), 5u);
    const char* names[] = {"IDrop", "IHelp", "IAhead", "IShell", "IShell2"};
    const char* bases[] = {"IUnknown", "IUnknown", nullptr, "IUnknown", "IShell"};
    for (size_t i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        ASSERT_EQ(q->At(i).kind, UNIT_STRUCT);
        const CClassInfo* info = AsClassInfo(q->At(i));
        EXPECT_EQ(info->qualifiedName.name, names[i]);
        ASSERT_EQ(info->bases.size(), bases[i] ? 1u : 0u);
        if (bases[i]) {
            EXPECT_EQ(info->bases[0].qualifiedName.name, bases[i]);
        }
    }
    EXPECT_EQ(q->At(0).children.size(), 1u);
    EXPECT_EQ(GetUnitFunctionName(q->At(3).children.at(0)), "Run");
}

// In a class, a name before an access label, and a label that a header
// never read defines before a member: Qt's and C++Builder's. The label read
// as a member's name made up an attribute, or lost the member.
TEST(ClassUnits, MarkersAndLabelsBeforeMembers)
{
    auto p = ParseText("class Foo : public QObject { Q_OBJECT public : Foo ( ) ;\n"
                       " signals : void changed ( int v ) ;\n"
                       " private slots : void onTimer ( ) ; } ;\n"
                       "class Form : public TForm { __published : TButton * Button1 ; } ;");
    ASSERT_EQ(p->units.size(), 2u);
    const auto& members = p->At(0).children;
    ASSERT_EQ(members.size(), 4u);
    EXPECT_EQ(members[0].kind, UNIT_PUBLIC);
    EXPECT_EQ(GetUnitFunctionName(members[1]), "Foo");
    const CFunctionInfo* changed = AsFunctionInfo(members[2]);
    ASSERT_NE(changed, nullptr);
    EXPECT_EQ(changed->qualifiedName.name, "changed");
    EXPECT_EQ(p->Text(changed->specifierTokens), "void");
    EXPECT_EQ(changed->parameters.size(), 1u);
    EXPECT_EQ(GetUnitFunctionName(members[3]), "onTimer");
    // The access word before a label holds from its member on; the label
    // alone names none the program can know.
    EXPECT_EQ(changed->access, ACCESS_PUBLIC);
    EXPECT_EQ(AsFunctionInfo(members[3])->access, ACCESS_PRIVATE);
    ASSERT_EQ(p->At(1).children.size(), 1u);
    const CVariableInfo* button = AsVariableInfo(p->At(1).children[0]);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->qualifiedName.name, "Button1");
    EXPECT_EQ(p->Text(button->typeTokens), "TButton");
    // So are calls of such macros after the name, before a label or a
    // member.
    auto q = ParseText(
        "class Bar : public QObject { Q_OBJECT\n"
        " Q_PROPERTY ( int value READ value NOTIFY changed ) public : Bar ( ) ; } ;\n"
        "class Baz { Q_GADGET Q_DISABLE_COPY ( Baz ) Q_ENUM ( Mode ) int size ( ) const ; } ;");
    ASSERT_EQ(q->At(0).children.size(), 2u);
    EXPECT_EQ(q->At(0).children[0].kind, UNIT_PUBLIC);
    EXPECT_EQ(AsFunctionInfo(q->At(0).children[1])->access, ACCESS_PUBLIC);
    ASSERT_EQ(q->At(1).children.size(), 1u);
    EXPECT_EQ(GetUnitFunctionName(q->At(1).children[0]), "size");
    // And before a label: the label made up an attribute "signals" or a
    // method named after the last macro, or lost the member.
    auto r = ParseText("class A : public QObject { Q_OBJECT signals : void changed ( ) ; } ;\n"
                       "class B : public QObject { Q_OBJECT private slots : void init ( ) ;\n"
                       " void done ( ) ; } ;\n"
                       "class C : public QObject { Q_OBJECT Q_PROPERTY ( int v READ v )\n"
                       " public slots : QString go ( ) ; } ;");
    ASSERT_EQ(r->units.size(), 3u);
    ASSERT_EQ(r->At(0).children.size(), 1u);
    EXPECT_EQ(GetUnitFunctionName(r->At(0).children[0]), "changed");
    ASSERT_EQ(r->At(1).children.size(), 2u);
    EXPECT_EQ(GetUnitFunctionName(r->At(1).children[0]), "init");
    EXPECT_EQ(AsFunctionInfo(r->At(1).children[1])->access, ACCESS_PRIVATE);
    ASSERT_EQ(r->At(2).children.size(), 1u);
    const CFunctionInfo* go = AsFunctionInfo(r->At(2).children[0]);
    ASSERT_NE(go, nullptr);
    EXPECT_EQ(go->qualifiedName.name, "go");
    EXPECT_EQ(r->Text(go->specifierTokens), "QString");
    EXPECT_EQ(go->access, ACCESS_PUBLIC);
    // Labels with no member between them and an access label: the access
    // label was lost with them, and the members after it took the access
    // before it.
    auto s = ParseText("class S : public QObject { public : S ( ) ; signals : public slots :\n"
                       " protected : int x ; } ;\n"
                       "class T : public QObject { Q_OBJECT public : T ( ) ; public slots :\n"
                       " private : int y ; } ;");
    for (size_t i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        const auto& members = s->At(i).children;
        ASSERT_EQ(members.size(), 4u);
        EXPECT_EQ(members[2].kind, i == 0 ? UNIT_PROTECTED : UNIT_PRIVATE);
        EXPECT_EQ(AsVariableInfo(members[3])->access, i == 0 ? ACCESS_PROTECTED : ACCESS_PRIVATE);
    }
    // A bit-field keeps its reading, also with a named type and width.
    auto bits = ParseText("struct S { unsigned flags : 3 ; UINT mode : MODE_BITS ;\n"
                          " BYTE kind : KIND_BITS + 1 ; } ;");
    ASSERT_EQ(bits->At(0).children.size(), 3u);
    EXPECT_EQ(AsVariableInfo(bits->At(0).children[0])->qualifiedName.name, "flags");
    EXPECT_EQ(AsVariableInfo(bits->At(0).children[1])->qualifiedName.name, "mode");
    EXPECT_EQ(AsVariableInfo(bits->At(0).children[2])->qualifiedName.name, "kind");
}

// Macros that a header never read defines, called without a semicolon in a
// class (ATL's and WTL's maps, Qt's), ran into the member after them: it was
// lost, or read as a method named by the macro.
TEST(ClassUnits, MacroCallsBeforeMembers)
{
    auto p = ParseText("class CMainFrame : public CFrameWindowImpl < CMainFrame > {\n"
                       " DECLARE_FRAME_WND_CLASS ( NULL , IDR_MAINFRAME ) CView m_view ;\n"
                       " BEGIN_MSG_MAP ( CMainFrame ) MESSAGE_HANDLER ( WM_CREATE , OnCreate )\n"
                       " CHAIN_MSG_MAP ( CUpdateUI < CMainFrame > ) END_MSG_MAP ( )\n"
                       " LRESULT OnCreate ( UINT m , BOOL & handled ) ;\n"
                       " BEGIN_COM_MAP ( CFoo ) END_COM_MAP ( ) STDMETHOD ( Run ) ( long n ) ;\n"
                       " Q_DISABLE_COPY ( CMainFrame ) public : CMainFrame ( int k ) ;\n"
                       " DECLARE_FLAGS ( Flags , Flag ) static int count ;\n"
                       " DECLARE_X ( Info ) ; } ;");
    ASSERT_EQ(p->units.size(), 1u);
    const auto& members = p->At(0).children;
    ASSERT_EQ(members.size(), 7u);
    EXPECT_EQ(AsVariableInfo(members[0])->qualifiedName.name, "m_view");
    EXPECT_EQ(p->Text(AsVariableInfo(members[0])->typeTokens), "CView");
    const CFunctionInfo* create = AsFunctionInfo(members[1]);
    ASSERT_NE(create, nullptr);
    EXPECT_EQ(create->qualifiedName.name, "OnCreate");
    EXPECT_EQ(p->Text(create->specifierTokens), "LRESULT");
    EXPECT_EQ(create->parameters.size(), 2u);
    EXPECT_EQ(GetUnitFunctionName(members[2]), "Run");
    EXPECT_EQ(members[3].kind, UNIT_PUBLIC);
    // The constructor's parameters are followed by no member.
    EXPECT_EQ(GetUnitFunctionName(members[4]), "CMainFrame");
    EXPECT_EQ(AsVariableInfo(members[5])->qualifiedName.name, "count");
    // A call with its semicolon stays a method, as before.
    EXPECT_EQ(GetUnitFunctionName(members[6]), "DECLARE_X");
}

// At the top level too: GObject's type macros stand before the first
// function of a file, which was lost, or an enumeration was read as a
// function named by the macro. The parameter declarations of an old-style
// definition after its parentheses begin none of these shapes.
TEST(ClassUnits, MacroCallsBeforeADeclaration)
{
    auto p = ParseText(
        "G_DEFINE_TYPE ( FooWidget , foo_widget , GTK_TYPE_WIDGET )\n"
        "static void foo_widget_init ( FooWidget * self ) { self -> count = 0 ; }\n"
        "G_DEFINE_QUARK ( foo - error - quark , foo_error ) enum { PROP_0 , N_PROPS } ;\n"
        "G_DEFINE_BOXED_TYPE ( FooRange , foo_range , a , b ) FooRange * foo_range_new ( int a ) "
        "{ return 0 ; }\n"
        "DECL_AW ( X ) DECL_AW ( LPX ) typedef struct S S ;\n"
        "old ( a , s ) struct S * s ;\n"
        "DECL_AW ( X ) DECLSPEC_IMPORT BOOL WINAPI DragQueryPoint ( HDROP h , POINT * p ) ;\n"
        "older ( a , b ) T a ;\n"
        "DECL_AW ( X ) DECLSPEC_IMPORT void WINAPI DragAcceptFiles ( HWND h , BOOL b ) ;\n"
        "FXIMPLEMENT ( FXTopWindow , FXShell , Map , ARRAYNUMBER ( Map ) )\n"
        "FXTopWindow :: FXTopWindow ( ) : flags ( 0 ) { flags |= 1 ; }\n"
        "FXIMPLEMENT ( FXTIFImage , FXImage , NULL , 0 )\n"
        "const bool FXTIFImage :: supported = false ;\n"
        "FXIMPLEMENT ( FXDict , FXObject , NULL , 0 ) FXDict :: ~ FXDict ( ) { clear ( ) ; }\n"
        "G_GNUC_BEGIN_IGNORE_DEPRECATIONS GLIB_DEPRECATED_FOR ( g_get_real_time ) void "
        "g_get_current_time ( GTimeVal * result ) ;\n"
        "LPSTR oldest ( a ) T a ;\n"
        "Q_DECLARE_METATYPE ( Path ) bool operator == ( const Path & a , const Path & b ) ;");
    ASSERT_EQ(p->units.size(), 14u);
    EXPECT_EQ(GetUnitFunctionName(p->At(0)), "foo_widget_init");
    EXPECT_EQ(p->Text(AsFunctionInfo(p->At(0))->specifierTokens), "static void");
    EXPECT_EQ(p->At(0).children.size(), 1u);
    EXPECT_EQ(p->At(1).kind, UNIT_ENUM);
    EXPECT_EQ(GetUnitFunctionName(p->At(2)), "foo_range_new");
    EXPECT_EQ(AsVariableInfo(p->At(3))->qualifiedName.name, "S");
    EXPECT_EQ(GetUnitFunctionName(p->At(4)), "old");
    EXPECT_EQ(GetUnitFunctionName(p->At(5)), "DragQueryPoint");
    EXPECT_EQ(p->Text(AsFunctionInfo(p->At(5))->specifierTokens), "DECLSPEC_IMPORT BOOL WINAPI");
    EXPECT_EQ(GetUnitFunctionName(p->At(6)), "older");
    EXPECT_EQ(GetUnitFunctionName(p->At(7)), "DragAcceptFiles");
    // FOX's class implementations before a constructor, a static member and
    // a destructor defined outside their class.
    EXPECT_EQ(GetUnitFunctionName(p->At(8)), "FXTopWindow");
    EXPECT_EQ(p->At(8).children.size(), 1u);
    ASSERT_EQ(p->At(9).kind, UNIT_VARIABLE);
    EXPECT_EQ(AsVariableInfo(p->At(9))->qualifiedName.ToString(), "FXTIFImage::supported");
    EXPECT_EQ(GetUnitFunctionName(p->At(10)), "~FXDict");
    EXPECT_EQ(p->At(10).children.size(), 1u);
    // Names before the macro calls: GLib's deprecation marks.
    EXPECT_EQ(GetUnitFunctionName(p->At(11)), "g_get_current_time");
    EXPECT_EQ(GetUnitFunctionName(p->At(12)), "oldest");
    // Qt's type registration before an operator function.
    EXPECT_EQ(GetUnitFunctionName(p->At(13)), "==");
    // ATL's object entries before a class with a __declspec or an export
    // word before its name.
    auto q =
        ParseText("OBJECT_ENTRY_AUTO ( __uuidof ( A ) , CA ) class __declspec ( uuid ( \"1\" ) ) "
                  "CB : public IB { int b ; } ;\n"
                  "OBJECT_ENTRY_AUTO ( x , y ) class ATL_NO_VTABLE CC { int c ; } ;");
    const char* classes[] = {"CB", "CC"};
    for (size_t i = 0; i < 2; ++i) {
        ASSERT_EQ(q->At(i).kind, UNIT_CLASS) << i;
        EXPECT_EQ(AsClassInfo(q->At(i))->qualifiedName.name, classes[i]);
        EXPECT_EQ(q->At(i).children.size(), 1u) << i;
    }
}

// GOffice's and Gnumeric's macros that define a static function are called
// after "static"; the function after the call was lost. An old-style static
// function reads as before.
TEST(ClassUnits, StaticMacroCallBeforeADeclaration)
{
    auto p =
        ParseText("static GSF_CLASS ( Grid , grid , grid_class_init , NULL , GOC_TYPE_GROUP )\n"
                  "static GocItem * grid_new ( Format * af ) { return goc_item_new ( af ) ; }\n"
                  "static DEPENDENT_MAKE_TYPE ( button , . eval = button_eval )\n"
                  "static void button_init ( Button * b ) { b -> cell = 0 ; }\n"
                  "static old ( a , s ) char * s ;\n"
                  "static SHOW ( x ) ;");
    ASSERT_EQ(p->units.size(), 4u);
    EXPECT_EQ(GetUnitFunctionName(p->At(0)), "grid_new");
    EXPECT_EQ(p->Text(AsFunctionInfo(p->At(0))->specifierTokens), "static GocItem *");
    EXPECT_EQ(p->At(0).children.size(), 1u);
    EXPECT_EQ(GetUnitFunctionName(p->At(1)), "button_init");
    EXPECT_EQ(p->At(1).children.size(), 1u);
    EXPECT_EQ(GetUnitFunctionName(p->At(2)), "old");
    EXPECT_EQ(GetUnitFunctionName(p->At(3)), "SHOW");
}
