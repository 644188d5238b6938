#include "AnalysisHelpers.h"
#include "FileIndex.h"
#include "IncludedFile.h"
#include "ModelMerge.h"
#include "ProjectFile.h"
#include "ScopeName.h"
#include "UnitBuilder.h"
#include "UnitDetail.h"
#include "UnitKind.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

Strings PathsOf(const ScopeFiles& files)
{
    return Strings(files.begin(), files.end());
}

// Analyses files written into a fresh folder and gives the model outline.
struct Written {
    ProjectFolder folder;
    std::unique_ptr<Analysis> analysis;

    Written(const std::vector<std::pair<std::string, std::string>>& files, const Strings& project)
    {
        for (const auto& [name, text] : files) {
            folder.Write(name, text);
        }
        analysis = std::make_unique<Analysis>(folder, project);
        analysis->Run();
    }
    std::string Outline() const { return analysis->Outline(); }
    CModelScope* Find(const std::string& path) const { return analysis->Find(path); }
};

} // namespace

TEST(ModelMerge, DeclarationAndDefinitionInTwoHeadersAreOneClass)
{
    Written w({{"a.h", "class A;\n"}, {"b.h", "class A { int x; };\n"},
                  {"m.cpp", "#include \"a.h\"\n#include \"b.h\"\nA* make();\n"}},
        {"m.cpp"});
    CModelScope* a = w.Find("A");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->kind, UNIT_CLASS);
    EXPECT_EQ(a->declarations.size(), 1u);
    EXPECT_EQ(a->definitions.size(), 1u);
    EXPECT_EQ(PathsOf(a->declarationFiles), Strings {w.folder.Path("a.h")});
    EXPECT_EQ(PathsOf(a->definitionFiles), Strings {w.folder.Path("b.h")});
    EXPECT_EQ(a->definitionFileNumbers.size(), 1u);
}

TEST(ModelMerge, OutOfClassDefinitionBeforeItsClassMakesAPlaceholder)
{
    // The project file is merged before the header that declares A.
    Written w({{"a.h", "namespace N { class A { void f(); int g(int); }; }\n"},
                  {"a.cpp",
                      "#include \"a.h\"\nvoid N::A::f() { }\nint N::A::g(int v) { return v; }\n"
                      "void Z::h() { }\n"}},
        {"a.cpp"});
    EXPECT_EQ(w.Outline(),
        "+Unit: N 8 0 1 \n"
        "    +Unit: A 4 0 1 Parent Count:0\n"
        "        +Unit: f 18 1 1 \n"
        "        +Unit: g 18 1 1 \n"
        "+Unit: Z 55 0 0 \n"
        "    +Unit: h 18 0 1 \n");
    EXPECT_TRUE(w.Find("N::A::f")->fromProjectFile);
}

// A static member defined outside its class is that member, also before the
// class is met; it is no global variable of its name.
TEST(ModelMerge, StaticMembersDefinedOutsideTheirClassJoinTheirMember)
{
    Written w({{"c.h", "class Config { static Config *s_instance; static int s_refs; };\n"},
                  {"c.cpp",
                      "int Config::s_refs = 0;\n#include \"c.h\"\n"
                      "Config *Config::s_instance = 0;\nint N::Table::s_rows = 3, plain = 1;\n"}},
        {"c.cpp"});
    EXPECT_EQ(w.Outline(),
        "+Unit: Config 4 0 1 Parent Count:0\n"
        "    +Unit: s_instance 12 2 0 \n"
        "    +Unit: s_refs 12 2 0 \n"
        "+Unit: N 55 0 0 \n"
        "    +Unit: Table 55 0 0 \n"
        "        +Unit: s_rows 12 1 0 \n"
        "+Unit: plain 12 1 0 \n");
}

TEST(ModelMerge, ANestedNamespaceDefinitionOpensEachNamespace)
{
    Written w({{"n.cpp",
                  "namespace a { int f(); }\n"
                  "namespace a::b { class C { void m(); }; }\n"
                  "void a::b::C::m() { }\n"
                  "namespace x::y { int g() { return 0; } }\n"}},
        {"n.cpp"});
    EXPECT_EQ(w.Outline(),
        "+Unit: a 8 0 1 \n"
        "    +Unit: b 8 0 1 \n"
        "        +Unit: C 4 0 1 Parent Count:0\n"
        "            +Unit: m 18 1 1 \n"
        "    +Unit: f 18 1 0 \n"
        "+Unit: x 8 0 0 \n"
        "    +Unit: y 8 0 1 \n"
        "        +Unit: g 18 0 1 \n");
    // Qualified names are made of the single names, once each.
    EXPECT_EQ(GetScopeName(*w.Find("a::b::C::m"), 1), "a::b::C");
    EXPECT_EQ(GetScopeName(*w.Find("x::y::g"), 1), "x::y");
}

TEST(ModelMerge, FunctionsAreToldApartByParameterTypes)
{
    Written w({{"f.cpp",
                  "int f(void);\nint f() { return 0; }\nint g(int);\nint g(long);\n"
                  "int h(int a);\nint h(int b) { return b; }\nint k(int a[2]);\n"}},
        {"f.cpp"});
    EXPECT_EQ(w.Outline(),
        "+Unit: f 18 1 1 \n"
        "+Unit: g 18 1 0 \n"
        "+Unit: g 18 1 0 \n"
        "+Unit: h 18 1 1 \n"
        "+Unit: k 18 1 0 \n");
}

TEST(ModelMerge, NamelessTypesAreNumberedOncePerBuild)
{
    Written w({{"s.h", "struct { int a; } one;\nunion { int b; float c; } two;\n"},
                  {"x.cpp", "#include \"s.h\"\nstruct { int d; } three;\nenum { RED } colour;\n"},
                  {"y.cpp", "#include \"s.h\"\n"}},
        {"x.cpp", "y.cpp"});
    EXPECT_EQ(w.Outline(),
        "+Unit: Nameless Enum1 7 0 1 \n"
        "+Unit: Nameless Struct1 5 0 1 \n"
        "    +Unit: d 12 1 0 \n"
        "+Unit: Nameless Struct2 5 0 1 \n"
        "    +Unit: a 12 1 0 \n"
        "+Unit: Nameless Union1 6 0 1 \n"
        "    +Unit: b 12 1 0 \n"
        "    +Unit: c 12 1 0 \n"
        "+Unit: colour 12 1 0 \n"
        "+Unit: one 12 1 0 \n"
        "+Unit: three 12 1 0 \n"
        "+Unit: two 12 1 0 \n");
}

TEST(ModelMerge, TemplatesAndDeclaratorLists)
{
    Written w({{"t.cpp", "template <class T> class V { T item; };\nint a, b;\nclass W { };\n"}},
        {"t.cpp"});
    EXPECT_TRUE(w.Find("V")->isTemplate);
    EXPECT_FALSE(w.Find("W")->isTemplate);
    ASSERT_NE(w.Find("a"), nullptr);
    ASSERT_NE(w.Find("b"), nullptr);
    EXPECT_EQ(w.Find("a")->declarations, w.Find("b")->declarations);
}

TEST(ModelMerge, LinkageBlocksAreTransparent)
{
    Written w(
        {{"c.h",
             "#ifdef __cplusplus\nextern \"C\" {\n#endif\nint open_it(const char* p);\n"
             "struct handle { int fd; };\n#ifdef __cplusplus\n}\n#endif\n"},
            {"n.cpp",
                "#define __cplusplus 1\n#include \"c.h\"\n"
                "namespace N { extern \"C\" { int inner(void); } extern \"C\" int after(); }\n"}},
        {"n.cpp"});
    EXPECT_EQ(w.Outline(),
        "+Unit: N 8 0 1 \n"
        "    +Unit: after 18 1 0 \n"
        "    +Unit: inner 18 1 0 \n"
        "+Unit: handle 5 0 1 \n"
        "    +Unit: fd 12 1 0 \n"
        "+Unit: open_it 18 1 0 \n");
}

// A typedef that gives a struct its own tag's name declares the struct,
// whether it comes before the definition (in another header) or after it;
// typedefs of other names stay variables.
TEST(ModelMerge, TypedefOfATagUnderItsOwnNameIsTheType)
{
    Written w({{"api.h",
                   "typedef struct lua_State lua_State;\ntypedef union Value Value;\n"
                   "typedef struct Opaque Opaque;\n"},
                  {"state.h", "struct lua_State { int top; int base; };\n"},
                  {"s.c",
                      "#include \"api.h\"\n#include \"state.h\"\n"
                      "union Value { int i; double d; };\n"
                      "struct Tbl { int n; };\ntypedef struct Tbl Tbl, *PTbl;\n"
                      "typedef struct Node *NodePtr;\ntypedef struct Tag Other;\n"
                      "lua_State *L;\n"}},
        {"s.c"});
    EXPECT_EQ(w.Outline(),
        "+Unit: L 12 1 0 \n"
        "+Unit: NodePtr 12 1 0 \n"
        "+Unit: Opaque 5 1 0 \n"
        "+Unit: Other 12 1 0 \n"
        "+Unit: PTbl 12 1 0 \n"
        "+Unit: Tbl 5 1 1 \n"
        "    +Unit: n 12 1 0 \n"
        "+Unit: Value 6 1 1 \n"
        "    +Unit: d 12 1 0 \n"
        "    +Unit: i 12 1 0 \n"
        "+Unit: lua_State 5 1 1 \n"
        "    +Unit: base 12 1 0 \n"
        "    +Unit: top 12 1 0 \n");
    EXPECT_EQ(PathsOf(w.Find("lua_State")->definitionFiles), Strings {w.folder.Path("state.h")});
}

// The class's details come from its own units, even where its same-name
// typedef was merged first.
TEST(ModelMerge, SameNameTypedefFirstLeavesTheClassItsDetails)
{
    Written w({{"fwd.h", "typedef class E E;\n"},
                  {"e.h", "class Base { int b; };\nclass E : public Base { int x; };\n"},
                  {"s.cpp", "#include \"fwd.h\"\n#include \"e.h\"\nE *e;\n"}},
        {"s.cpp"});
    const CModelScope* e = w.Find("E");
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->kind, UNIT_CLASS);
    ASSERT_NE(e->GetFirstUnit(), nullptr);
    EXPECT_EQ(e->GetFirstUnit()->kind, UNIT_CLASS);
    EXPECT_NE(w.Outline().find("+Unit: E 4 1 1 Parent Count:1\n"), std::string::npos)
        << w.Outline();
}

// A pointer to a function is a variable, a member or a global one, though
// the parser reads its declaration as a function's; so is a calling
// convention's, a known one or a word a header never read defines.
TEST(ModelMerge, PointersToFunctionsAreVariables)
{
    Written w({{"s.c",
                  "struct S { int (*handler)(int); void (*table[4])(void); int run(int);\n"
                  "    HRESULT (WINAPI *create)(void **out); };\n"
                  "void (*hook)(void);\n"
                  "typedef BOOL (WINAPI *LPFN_ISWOW64PROCESS)(HANDLE, PBOOL);\n"
                  "static int (__stdcall *pfn)(void);\n"
                  "typedef OM_uint32 (CALLBACK *t_gss_release)(OM_uint32 *);\n"}},
        {"s.c"});
    for (const char* name : {"S::handler", "S::table", "S::create", "hook", "LPFN_ISWOW64PROCESS",
             "pfn", "t_gss_release"}) {
        ASSERT_NE(w.Find(name), nullptr) << name;
        EXPECT_EQ(w.Find(name)->kind, UNIT_VARIABLE) << name;
    }
    ASSERT_NE(w.Find("S::run"), nullptr);
    EXPECT_EQ(w.Find("S::run")->kind, UNIT_FUNCTION);
}

TEST(ModelMerge, FlaggedMergeTakesOnlyDrawnFilesAndTheirHeadersOnce)
{
    ProjectFolder folder;
    folder.Write("a.h", "#ifndef A_H\n#define A_H\n#include \"b.h\"\nint fa();\n#endif\n");
    folder.Write("b.h", "#ifndef B_H\n#define B_H\n#include \"a.h\"\nint fb();\n#endif\n");
    folder.Write("c.h", "#include \"a.h\"\nint fc();\n");
    folder.Write("one.cpp", "#include \"a.h\"\n#include \"c.h\"\nint main() { return fa(); }\n");
    folder.Write("two.cpp", "int hidden() { return 0; }\n");
    Analysis a(folder, {});
    a.input.AddFile(folder.Path("one.cpp"), true, true);
    a.input.AddFile(folder.Path("two.cpp"), true, false);
    a.Run();
    EXPECT_EQ(a.Outline(),
        "+Unit: fa 18 1 0 \n"
        "+Unit: fb 18 1 0 \n"
        "+Unit: fc 18 1 0 \n"
        "+Unit: main 18 0 1 \n");
    EXPECT_TRUE(a.input.ContainsNoCase(folder.Path("B.H")));
    EXPECT_FALSE(a.input.ContainsNoCase(folder.Path("two.cpp")));
}

TEST(ModelMerge, HandBuiltUnitsMergeIntoOneElement)
{
    TokenSource source;
    CFileIndex index;
    CInputSet input;
    CProjectFile file("/p/hand.cpp", &input, {});
    // class A : a declaration, a definition with a member, and a method
    // defined outside it before either.
    file.units.push_back(source.FunctionUnit("A::run", {"int"}, true));
    file.units.push_back(source.ClassUnit(UNIT_CLASS, "A", false));
    CUnit definition = source.ClassUnit(UNIT_CLASS, "A", true);
    definition.children.push_back(source.FunctionUnit("run", {"int"}, false));
    CUnit member = source.VariableUnit("int", "count");
    AsVariableInfo(member)->multiple = true;
    AsVariableInfo(member)->further.emplace_back().qualifiedName.name = "total";
    definition.children.push_back(std::move(member));
    file.units.push_back(std::move(definition));
    // A unit whose record is not the one its kind stores is passed over.
    CUnit odd = source.Unit(UNIT_FUNCTION, "odd ( ) ;");
    odd.SetDetail(std::make_unique<CTextInfo>("odd"));
    file.units.push_back(std::move(odd));

    CModelScope root;
    root.kind = UNIT_ROOT;
    root.scopeChildren = std::make_unique<ScopeChildSet>();
    MergeContext context;
    CModelMerger(index, file, &input).MergeFile(root, context, true);

    ASSERT_EQ(root.scopeChildren->size(), 1u);
    const CModelScope& a = **root.scopeChildren->begin();
    EXPECT_EQ(a.name, "A");
    EXPECT_EQ(a.kind, UNIT_CLASS); // the placeholder was taken over
    EXPECT_EQ(a.declarations.size(), 1u);
    EXPECT_EQ(a.definitions.size(), 1u);
    ASSERT_EQ(a.scopeChildren->size(), 3u);
    Strings names;
    for (const auto& child : *a.scopeChildren) {
        names.push_back(child->name + ":" + std::to_string(child->declarations.size()) + "/" +
            std::to_string(child->definitions.size()));
    }
    EXPECT_EQ(names, (Strings {"count:1/0", "run:1/1", "total:1/0"}));
    EXPECT_EQ(input.FindNumber("/p/hand.cpp"), 0);
}

// A member of a class template defined outside it, with the template's
// arguments in its qualifier, joins the member the class declares.
TEST(ModelMerge, TemplateArgumentsInAQualifierNameTheClass)
{
    Written w({{"b.h",
                   "template <class T> class Basket { void Put(T item); };\n"
                   "namespace N { template <class T> class Box { Box(); int Get(); }; }\n"},
                  {"b.cpp",
                      "#include \"b.h\"\n"
                      "template <class T> void Basket<T>::Put(T item) { if (item) return; }\n"
                      "template <class T> N::Box<T>::Box() { }\n"
                      "template <class T> int N::Box<T>::Get() { return 0; }\n"}},
        {"b.cpp"});
    EXPECT_EQ(w.Outline(),
        "+Unit: Basket 4 0 1 Parent Count:0\n"
        "    +Unit: Put 18 1 1 \n"
        "+Unit: N 8 0 1 \n"
        "    +Unit: Box 4 0 1 Parent Count:0\n"
        "        +Unit: Box 18 1 1 \n"
        "        +Unit: Get 18 1 1 \n");
}

// A parameter type spelt with and without its tag word is one type: the
// declaration and the definition are one function.
TEST(ModelMerge, TagWordsBeforeAParameterTypeAreLeftOutOfTheKey)
{
    Written w({{"t.cpp",
                  "struct CallInfo;\n"
                  "void f(struct CallInfo *ci);\n"
                  "void f(CallInfo *ci) { }\n"
                  "int g(union U u, enum E e, class C *c);\n"
                  "int g(U u, E e, C *c) { return 0; }\n"
                  "int h(struct S);\n"
                  "int h(S *s);\n"}},
        {"t.cpp"});
    EXPECT_EQ(w.Outline(),
        "+Unit: CallInfo 5 1 0 \n"
        "+Unit: f 18 1 1 \n"
        "+Unit: g 18 1 1 \n"
        "+Unit: h 18 1 0 \n"
        "+Unit: h 18 1 0 \n");
}

namespace {

// The function map as names, counts and the chosen element's place, and the
// calls of `caller` as the function table resolves them.
std::string FunctionsOf(Analysis& analysis, const std::string& caller)
{
    std::string described;
    for (const auto& [name, entry] : analysis.Engine().Functions()) {
        described += std::string(name) + " " + std::to_string(entry.count) + " " +
            (entry.element && entry.element->parent && !entry.element->parent->name.empty()
                    ? entry.element->parent->name
                    : "-") +
            " " + std::to_string(entry.element && !entry.element->definitions.empty()) + "\n";
    }
    CModelScope* function = analysis.Find(caller);
    if (function == nullptr)
        return described + "no " + caller;
    for (const CallRecord& call : analysis.Engine().GetCalledFunctions(function)) {
        described += call.name + "/" + std::to_string(call.argumentCount) + " -> " +
            (call.callee && call.callee->parent && !call.callee->parent->name.empty()
                    ? call.callee->parent->name
                    : "-") +
            "\n";
    }
    return described;
}

} // namespace

// A function declared with `void` alone takes no arguments, so its calls
// resolve to it; a `void *` parameter is still a parameter.
TEST(ModelMerge, CallsOfAFunctionOfVoidResolveToIt)
{
    Written w({{"t.c",
                  "static int counter;\n"
                  "void reset(void);\n"
                  "void reset(void) { counter = 0; }\n"
                  "int next(void) { return ++counter; }\n"
                  "void keep(void *p) { }\n"
                  "int main(void)\n"
                  "{ reset(); keep(0); keep(); return next() + next(1); }\n"}},
        {"t.c"});
    std::string calls;
    for (const CallRecord& call : w.analysis->Engine().GetCalledFunctions(w.Find("main"))) {
        calls += call.name + "/" + std::to_string(call.argumentCount) +
            (call.callee == w.Find(call.name) ? " resolved\n" : " open\n");
    }
    EXPECT_EQ(
        calls, "reset/0 resolved\nkeep/1 resolved\nkeep/0 open\nnext/0 resolved\nnext/1 open\n");
}

// A model of more than half a million tokens files its functions on a
// thread of its own while the types are linked: the map and the table come
// out as a one-job build makes them, overloads, namesakes in many files and
// declarations without bodies included.
TEST(ModelMerge, ALargeModelFilesItsFunctionsAsOneJobDoes)
{
    ProjectFolder folder;
    std::vector<std::string> project;
    for (int file = 0; file < 8; ++file) {
        std::string text = "int shared(int a);\nint shared(int a) { return a + " +
            std::to_string(file) + "; }\nnamespace n" + std::to_string(file) + " {\n";
        for (int f = 0; f < 5000; ++f) {
            const std::string name = "f" + std::to_string(f % 3000);
            text += f % 7 == 0 ? "int " + name + "(int a);\n"
                               : "int " + name + "(int a, int b) { return a + b; }\n";
        }
        text += "}\nint over(int a) { return a; }\nint over(int a, int b) { return a - b; }\n";
        if (file == 3)
            text += "int caller(int a, int b)\n"
                    "{ return over(a) + over(a, b) + shared(b) + n3::f12(a, b); }\n";
        const std::string name = "src/m" + std::to_string(file) + ".cpp";
        folder.Write(name, text);
        project.push_back(name);
    }
    std::string described[2];
    for (unsigned jobs : {1u, 8u}) {
        Analysis analysis(folder, project);
        analysis.Engine().SetJobs(jobs);
        analysis.Run();
        described[jobs == 1 ? 0 : 1] = FunctionsOf(analysis, "caller");
    }
    EXPECT_NE(described[0].find("shared 8 - 1"), std::string::npos)
        << described[0].substr(described[0].size() - 300);
    EXPECT_NE(described[0].find("over/1 -> -\nover/2 -> -\nshared/1 -> -\n"), std::string::npos)
        << described[0].substr(described[0].size() - 200);
    EXPECT_EQ(described[1], described[0]);
}

// A model of more than half a million tokens is linked and indexed on
// threads: elements, nameless types, merged paths and defining files come
// out as a one-job build makes them.
TEST(ModelMerge, ALargeModelBuiltWithFourJobsIsTheOneJobModel)
{
    ProjectFolder folder;
    std::vector<std::string> project;
    for (int file = 0; file < 8; ++file) {
        std::string text = "struct { int q; } first" + std::to_string(file) + ";\nnamespace n" +
            std::to_string(file % 3) + " {\n";
        for (int f = 0; f < 4000; ++f) {
            const std::string name = std::to_string(f % 2500);
            text += f % 5 == 0 ? "struct { int a" + name + "; } v" + name + ";\n"
                               : "int f" + name + "(int a, int b) { return a + b; }\n";
        }
        text += "}\n";
        const std::string name = "src/m" + std::to_string(file) + ".cpp";
        folder.Write(name, text);
        project.push_back(name);
    }
    std::string outlines[2];
    std::set<std::string> merged[2];
    std::map<std::string, int32_t> numbers[2];
    for (unsigned jobs : {1u, 4u}) {
        Analysis analysis(folder, project);
        analysis.Engine().SetJobs(jobs);
        analysis.Run();
        outlines[jobs == 1 ? 0 : 1] = OutlineOf(analysis.Engine());
        merged[jobs == 1 ? 0 : 1] = analysis.input.mergedFiles;
        numbers[jobs == 1 ? 0 : 1] = analysis.input.fileNumbers;
    }
    EXPECT_NE(outlines[0].find("Nameless Struct6408 "), std::string::npos);
    EXPECT_EQ(outlines[0].find("Nameless Struct6409 "), std::string::npos);
    EXPECT_TRUE(outlines[1] == outlines[0]);
    // The input set notes the same merged paths and defining files.
    EXPECT_EQ(merged[0].size(), project.size());
    EXPECT_EQ(merged[1], merged[0]);
    EXPECT_EQ(numbers[0].size(), project.size());
    EXPECT_EQ(numbers[1], numbers[0]);
}

// Old C code names its variables and members new, class and this, and less
// marks each function it exports with "#define public". In C++ source the
// same text is not C++ and gives nothing.
TEST(ModelMerge, CNamesThatCppReservesKeepTheirElements)
{
    const std::string text = "#define public\n"
                             "struct list { struct list *next; int class; };\n"
                             "public struct list *insert(struct list *new, int delete)\n"
                             "{ new->class = delete; return new; }\n"
                             "static int this;\n";
    Written c({{"list.c", text}}, {"list.c"});
    EXPECT_EQ(c.Outline(),
        "+Unit: insert 18 0 1 \n"
        "+Unit: list 5 0 1 \n"
        "    +Unit: class 12 1 0 \n"
        "    +Unit: next 12 1 0 \n"
        "+Unit: this 12 1 0 \n");
    Written cpp({{"list.cpp", text}}, {"list.cpp"});
    EXPECT_EQ(cpp.Outline(), "+Unit: list 5 0 1 \n    +Unit: next 12 1 0 \n");
}
