#include "PreprocessHelpers.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

const std::string kData = KESTRIN_TEST_DATA "/scan";

} // namespace

TEST(Preprocessor, IfElseKeepsTheTakenBranchOnly)
{
    PreprocessRun run;
    EXPECT_EQ(run.Text("#if 0\na\n#else\nb\n#endif\nc\n"), "b\n\nc\n");
    EXPECT_EQ(run.Text("#if 1\na\n#elif 1\nb\n#else\nc\n#endif\nd\n"), "a\n\nd\n");
    EXPECT_EQ(run.Text("#if 0\na\n#elif 2 > 1\nb\n#else\nc\n#endif\n"), "b\n\n");
    EXPECT_EQ(
        run.Text("#if 0\n#if 1\na\n#else\nb\n#endif\n#elif 0\nc\n#else\nd\n#endif\n"), "d\n\n");
    EXPECT_EQ(run.Text("#ifdef NOPE\na\n#endif\n#ifndef NOPE\nb\n#endif\n"), "\nb\n\n");
}

TEST(Preprocessor, IfdefWithTwoWordsIsLeftAlone)
{
    PreprocessRun run;
    EXPECT_EQ(run.Text("#ifdef A B\nx\n"), "# ifdef A B\nx\n");
}

TEST(Preprocessor, UndefRemovesTheMacro)
{
    PreprocessRun run;
    EXPECT_EQ(run.Text("#define X 1\n#undef X\n#ifdef X\na\n#endif\n#ifndef X\nb\n#endif\nX\n"),
        "# define X 1\n# undef X\n\nb\n\nX\n");
    EXPECT_FALSE(run.Defined("X"));
    run.Text("#undef Y\n");
    EXPECT_FALSE(run.Defined("Y"));
}

TEST(Preprocessor, DirectivesOnTheLastLineDoNotHang)
{
    PreprocessRun run;
    EXPECT_EQ(run.Text("int a;\n#pragma pack(pop)"), "int a ;\n");
    EXPECT_EQ(run.Text("#if 1\nx\n#endif"), "x\n");
    CapturedOutput quiet;
    EXPECT_EQ(run.Text("#if 1"), "# if 1"); // no line end: no condition
    EXPECT_EQ(run.Text("#else"), "# else");
    EXPECT_EQ(run.Text("#"), "#");
    EXPECT_EQ(run.Text("#define F(a) a\nF("), "# define F ( a ) a\nF (");
}

TEST(Preprocessor, MissingEndifEndsTheGroupAtTheEndOfTheFile)
{
    PreprocessRun run;
    CapturedOutput out;
    EXPECT_EQ(run.Text("a\n#if 0\nb\n#else\nc\n"), "a\nc\n");
    EXPECT_EQ(run.Text("a\n#if 0\nb\nc\n"), "a\n");
    EXPECT_EQ(run.Text("#ifdef NOPE\nb\n#if 1\n"), "");
    EXPECT_EQ(out.Lines(), 2);
}

TEST(Preprocessor, ElseWithoutIfStopsTheFile)
{
    PreprocessRun run;
    CapturedOutput out;
    EXPECT_EQ(run.Text("a\n#else\nb\n"), "a\n# else\nb\n");
    EXPECT_NE(out.str().find("cannot preprocessing Else because there is no if or if(n)def."),
        std::string::npos);
    EXPECT_NE(out.str().find(": /nowhere/main.c\n"), std::string::npos);
}

TEST(Preprocessor, DirectiveWordsOutsideDirectivesBecomeIdentifiers)
{
    PreprocessRun run;
    run.Text("int line = defined; x = include;\n#line 5\n#error stop\n");
    const auto& t = run.file->scan.tokens;
    EXPECT_EQ(t[1].type, IDENTIFIER);
    EXPECT_STREQ(t[1].text, "line");
    EXPECT_EQ(t[3].type, IDENTIFIER); // squid's "bool defined() const"
    EXPECT_STREQ(t[3].text, "defined");
    EXPECT_EQ(t[7].type, IDENTIFIER);
    EXPECT_STREQ(t[7].text, "include");
    EXPECT_EQ(t[11].type, WORD_LINE); // the word right after '#' stays
    EXPECT_EQ(t[15].type, WORD_ERROR);
    // In a condition "defined" keeps its meaning.
    EXPECT_EQ(run.Text("#define A\n#if defined(A) && !defined B\nbool defined ( ) ;\n#endif\n"),
        "# define A\nbool defined ( ) ;\n\n");
}

// The tokens a macro puts in place are not met again, yet such a word among
// them is a name as well: NetHack declares "VDECL(error, (const char *, ...))".
TEST(Preprocessor, DirectiveWordsPutInPlaceByAMacroBecomeIdentifiers)
{
    PreprocessRun run;
    EXPECT_EQ(run.Text("#define VDECL(f, p) f p\n#define LINE line\n#define STR(x) # x\n"
                       "void VDECL(error, (int));\nint LINE;\nSTR(include)\n"),
        "# define VDECL ( f , p ) f p\n# define LINE line\n# define STR ( x ) # x\n"
        "void error ( int ) ;\nint line ;\n# include\n");
    std::vector<int32_t> types;
    for (const PPToken& token : run.file->scan.tokens) {
        if (token.text &&
            (std::strcmp(token.text, "error") == 0 || std::strcmp(token.text, "line") == 0))
            types.push_back(token.type);
    }
    EXPECT_EQ(types, (std::vector<int32_t> {IDENTIFIER, IDENTIFIER}));
    const auto& t = run.file->scan.tokens;
    EXPECT_EQ(t[t.size() - 2].type, WORD_INCLUDE); // after '#' the word stays
}

// C has no class, new or private: less writes "#define public" before each
// function it exports, old C names its variables new and class. The same
// words in C++ stay keywords.
TEST(Preprocessor, CppOnlyKeywordsAreNamesInCSource)
{
    const std::string source = "#define public\n#define private static\n#if defined(public)\n"
                               "public char *save(char *new);\n#endif\nprivate int class, try;\n";
    PreprocessRun c;
    EXPECT_EQ(c.Text(source, "/nowhere/less.c"),
        "# define public\n# define private static\nchar * save ( char * new ) ;\n\n"
        "static int class , try ;\n");
    for (const PPToken& token : c.file->scan.tokens) {
        if (token.text &&
            (std::strcmp(token.text, "new") == 0 || std::strcmp(token.text, "try") == 0)) {
            EXPECT_EQ(token.type, IDENTIFIER);
        }
    }
    PreprocessRun cpp;
    EXPECT_EQ(cpp.Text(source, "/nowhere/less.cpp"),
        "# define public\n# define private static\npublic char * save ( char * new ) ;\n\n"
        "private int class , try ;\n"); // defined, yet never put in place
    PreprocessRun upper;
    EXPECT_EQ(upper.Text("public: int x;\n", "/nowhere/Label.C"), "public : int x ;\n");
    EXPECT_EQ(upper.file->scan.tokens[0].type, WORD_PUBLIC);

    // Xerces keeps the bodies of its class templates in .c files; GCC's asm
    // writes "::" between its operand lists.
    PreprocessRun pool;
    pool.Text("template <class T> Pool<T>::Pool(bool new) {}\n", "/nowhere/Pool.c");
    EXPECT_EQ(pool.file->scan.tokens[0].type, WORD_TEMPLATE);
    PreprocessRun qualified;
    qualified.Text("void KScheme::load(int this) {}\n", "/nowhere/Color.c");
    EXPECT_EQ(qualified.file->scan.tokens[6].type, WORD_THIS);
    PreprocessRun withAsm;
    withAsm.Text("#define Q(x) a::x\nvoid f(int new) { __asm__ __volatile__(\"nop\" :: \"r\"(new) "
                 ": \"memory\"); asm(\"\" : \"=r\"(new) :: \"memory\"); }\n",
        "/nowhere/sig.c");
    EXPECT_EQ(withAsm.file->scan.tokens[14].type, IDENTIFIER); // new
    EXPECT_STREQ(withAsm.file->scan.tokens[14].text, "new");

    // A header takes the language of the file that reads it.
    TempFolder folder;
    folder.Write("list.h", "struct node { struct node *new, *this; };\n");
    const std::string main = folder.Write("list.c", "#include \"list.h\"\n");
    PreprocessRun run;
    run.File(main);
    ASSERT_EQ(run.index.files.size(), 1u);
    int names = 0;
    for (const PPToken& token : run.index.files[0]->scan.tokens) {
        names += token.type == IDENTIFIER;
    }
    EXPECT_EQ(names, 4); // node twice, new, this
}

TEST(Preprocessor, FrameworkMacrosAreRemoved)
{
    PreprocessRun run;
    EXPECT_EQ(run.Text("class C {\nDECLARE_DYNCREATE(C)\nafx_msg void OnX();\n"
                       "DECLARE_MESSAGE_MAP()\n};\nIMPLEMENT_DYNCREATE(C, B)\n"
                       "BEGIN_MESSAGE_MAP(C, B)\nON_COMMAND(1, OnX)\nEND_MESSAGE_MAP()\nint z;\n"),
        "class C {\n\nvoid OnX ( ) ;\n\n} ;\n\n\nint z ;\n");
    EXPECT_EQ(run.Text("DECLARE_DYNAMIC(C"), "DECLARE_DYNAMIC ( C");
    EXPECT_EQ(run.Text("BEGIN_MESSAGE_MAP(C, B) END_MESSAGE_MAP"),
        "BEGIN_MESSAGE_MAP ( C , B ) END_MESSAGE_MAP");
}

TEST(Preprocessor, ObjectAndFunctionLikeMacros)
{
    PreprocessRun run;
    EXPECT_EQ(run.Text("#define A 1\n#define B A + 2\nB;\n"),
        "# define A 1\n# define B A + 2\n1 + 2 ;\n");
    EXPECT_EQ(run.Body("B"), "1 + 2");
    EXPECT_EQ(run.Text("#define B A\n#define A 1\nB;\n"), "# define B A\n# define A 1\nA ;\n");
    EXPECT_EQ(run.Text("#define MAX(a,b) ((a)>(b)?(a):(b))\nMAX(x, y+1);\n"),
        "# define MAX ( a , b ) ( ( a ) > ( b ) ? ( a ) : ( b ) )\n"
        "( ( x ) > ( y + 1 ) ? ( x ) : ( y + 1 ) ) ;\n");
    EXPECT_EQ(run.Text("#define EMPTY\nEMPTY int x;\n"), "# define EMPTY\nint x ;\n");
    EXPECT_EQ(run.Text("#define F(x) [x]\nF F(a,,b) G\n"), "# define F ( x ) [ x ]\nF [ a ] G\n");
    EXPECT_EQ(
        run.Text("#define P(x) #x a##b\nP(1)\n"), "# define P ( x ) # x a ## b\n# 1 a ## b\n");
    EXPECT_EQ(run.Text("#define const\nconst int k;\n"), "# define const\nconst int k ;\n");
    EXPECT_TRUE(run.Defined("const"));
}

TEST(Preprocessor, MacroFaultsEndTheFileWithTheStopLine)
{
    PreprocessRun run;
    CapturedOutput out;
    EXPECT_EQ(run.Text("#define G(a) a\nG(1\n"), "# define G ( a ) a\nG ( 1\n");
    EXPECT_EQ(run.Text("x\n#define"), "x\n# define");
    EXPECT_EQ(out.Lines(), 2);
    EXPECT_NE(out.str().find("#define Analysis - (Cannot Complete Analysis)"), std::string::npos);
}

// Arguments that a use does not supply stand for nothing. Expansions are not
// scanned again, so a valid wrapper reaches the inner macro with fewer
// arguments than it has parameters: that must not end the file.
TEST(Preprocessor, MissingArgumentsAreEmpty)
{
    PreprocessRun run;
    CapturedOutput out;
    EXPECT_EQ(run.Text("#define F(a,b) a b\nF(1) rest\n"), "# define F ( a , b ) a b\n1 rest\n");
    EXPECT_EQ(run.Text("#define V2_(a,b) #a \",\" #b\n#define V2(x) V2_(x)\n"
                       "const char* s[] = { V2(3) };\n#ifdef V2\nyes\n#endif\n"),
        "# define V2_ ( a , b ) # a \",\" # b\n# define V2 ( x ) V2_ ( x )\n"
        "const char * s [ ] = { # 3 \",\" # } ;\nyes\n\n");
    EXPECT_EQ(run.Body("V2"), "# x \",\" #");
    EXPECT_EQ(run.Text("#define F(a,b) a b\n#if F(1) == 1\nyes\n#endif\n"),
        "# define F ( a , b ) a b\nyes\n\n");
    EXPECT_EQ(out.str(), "");
}

// An empty argument is an argument, wherever it stands. Taken as part of the
// next one, the BSD queue macros' `TAILQ_HEAD(, window) list;` read
// "struct , window { ... }" and lost the variable.
TEST(Preprocessor, EmptyArgumentsKeepTheirPlace)
{
    PreprocessRun run;
    CapturedOutput out;
    EXPECT_EQ(run.Text("#define HEAD(name, type) struct name { struct type *first; }\n"
                       "static HEAD(, window) list;\n"),
        "# define HEAD ( name , type ) struct name { struct type * first ; }\n"
        "static struct { struct window * first ; } list ;\n");
    EXPECT_EQ(run.Text("#define T(f, a, b, n) f(a, b, n)\nT(g, 1,, 7); T(g, (x, y), , );\n"),
        "# define T ( f , a , b , n ) f ( a , b , n )\ng ( 1 , , 7 ) ; g ( ( x , y ) , , ) ;\n");
    EXPECT_EQ(run.Text("#define V(x, ...) v(x, __VA_ARGS__)\n#define W V(, 2,, 3)\nW V(1,) V(,)\n"),
        "# define V ( x , ... ) v ( x , __VA_ARGS__ )\n# define W V ( , 2 , , 3 )\n"
        "v ( , 2 , , 3 ) v ( 1 , ) v ( , )\n");
    EXPECT_EQ(run.Body("W"), "v ( , 2 , , 3 )");
    EXPECT_EQ(run.Text("#define S(a, b) a + b\n#if S(, 2) == 2\nyes\n#endif\n"),
        "# define S ( a , b ) a + b\nyes\n\n");
    EXPECT_EQ(out.str(), "");
}

// `F()` names a macro without parameters and `...` takes the rest of the
// arguments: both are function-like, as in every C compiler. Read as
// object-like, `#define fetch() { ... }` left "( ) { ... } ( )" at every use
// and cost an interpreter loop its whole body.
TEST(Preprocessor, EmptyAndVariadicParameterLists)
{
    PreprocessRun run;
    CapturedOutput out;
    EXPECT_EQ(run.Text("#define fetch() { i = *pc++; }\nfetch(); fetch\n"),
        "# define fetch ( ) { i = * pc ++ ; }\n{ i = * pc ++ ; } ; fetch\n");
    EXPECT_EQ(run.Body("fetch"), "{ i = * pc ++ ; }");
    EXPECT_EQ(
        run.Text("#define LOG(f, ...) print(f, __VA_ARGS__)\nLOG(\"a\", x, (y, z)); LOG(\"b\");\n"),
        "# define LOG ( f , ... ) print ( f , __VA_ARGS__ )\n"
        "print ( \"a\" , x , ( y , z ) ) ; print ( \"b\" , ) ;\n");
    EXPECT_EQ(
        run.Text("#define ALL(...) [__VA_ARGS__]\n#define TWO(a, b) ALL(a, b) ALL()\nTWO(1, 2)\n"),
        "# define ALL ( ... ) [ __VA_ARGS__ ]\n# define TWO ( a , b ) ALL ( a , b ) ALL ( )\n[ 1 , "
        "2 ] [ ]\n");
    EXPECT_EQ(run.Body("TWO"), "[ a , b ] [ ]");
    EXPECT_EQ(
        run.Text("#define N() 3\n#define V(...) __VA_ARGS__\n#if N() + V(2) == 5\nyes\n#endif\n"),
        "# define N ( ) 3\n# define V ( ... ) __VA_ARGS__\nyes\n\n");
    // Shapes that are still not parameter lists keep the body at the '('.
    EXPECT_EQ(run.Text("#define G(a b) a\nG\n"), "# define G ( a b ) a\n( a b ) a\n");
    EXPECT_EQ(out.str(), "");
}

// Any word may name a parameter, a keyword too: wxWidgets' "#define
// wxCONCAT_HELPER(text, line) text ## line" was taken for an object-like
// macro, and every wxT("...") became "( text , line ) text ## line ( L ,
// "..." )", failing the declarations it stood in.
TEST(Preprocessor, KeywordsNameParameters)
{
    PreprocessRun run;
    CapturedOutput out;
    EXPECT_EQ(run.Text("#define CAT(text, line) text ## line\n#define T(x) CAT(L, x)\nT('a');\n"),
        "# define CAT ( text , line ) text ## line\n# define T ( x ) CAT ( L , x )\nL ## 'a' ;\n");
    EXPECT_EQ(run.Body("T"), "L ## x");
    EXPECT_EQ(run.Text("#define OPT(type, default, class) type v = default; class c;\n"
                       "OPT(int, 3, Box)\n"),
        "# define OPT ( type , default , class ) type v = default ; class c ;\n"
        "int v = 3 ; Box c ;\n");
    EXPECT_EQ(run.Text("#define S(error) #error\nS(x)\n"), "# define S ( error ) # error\n# x\n");
    EXPECT_EQ(out.str(), "");
}

// As in C, a '(' makes a macro function-like only when it follows the name
// directly: after a blank or a comment it starts the body. Read otherwise,
// screen's `#define SIGDEFARG ()` left its signal handlers without a head,
// and every lex scanner's `BEGIN(INITIAL)` lost its statement.
TEST(Preprocessor, ABlankBeforeTheParenthesisMakesAnObjectLikeMacro)
{
    PreprocessRun run;
    CapturedOutput out;
    EXPECT_EQ(run.Text("#define SIGDEFARG ()\nint f SIGDEFARG { }\n"),
        "# define SIGDEFARG ( )\nint f ( ) { }\n");
    EXPECT_EQ(run.Text("#define BEGIN (yy_start) = 1 + 2 *\nBEGIN(INITIAL);\n"),
        "# define BEGIN ( yy_start ) = 1 + 2 *\n( yy_start ) = 1 + 2 * ( INITIAL ) ;\n");
    EXPECT_EQ(run.Body("BEGIN"), "( yy_start ) = 1 + 2 *");
    EXPECT_EQ(run.Text("#  define R/* unit */(FRACUNIT)\n#define T\t(a, b)\nR T\n"),
        "# define R ( FRACUNIT )\n# define T ( a , b )\n( FRACUNIT ) ( a , b )\n");
    // Only the '(' of the #define line is marked, and never one that follows
    // the name directly or stands elsewhere.
    int marked = 0;
    for (const PPToken& token : run.file->scan.tokens) {
        marked += token.type == LP && token.text != nullptr ? 1 : 0;
    }
    EXPECT_EQ(marked, 2);
    EXPECT_EQ(run.Text("#define F( a ) [a]\n#define G(a) a\nF (1) G(2) f (x)\n"),
        "# define F ( a ) [ a ]\n# define G ( a ) a\n[ 1 ] 2 f ( x )\n");
    for (const PPToken& token : run.file->scan.tokens) {
        EXPECT_FALSE(token.type == LP && token.text != nullptr);
    }
    EXPECT_EQ(out.str(), "");
}

// A condition that cannot be evaluated counts as false and the file goes on:
// `##` stays inert, so a condition that pastes names (common in portable
// headers) cannot be read, and it used to leave the rest of the file
// unpreprocessed.
TEST(Preprocessor, AConditionThatCannotBeEvaluatedCountsAsFalse)
{
    PreprocessRun run;
    CapturedOutput out;
    EXPECT_EQ(run.Text("#define ATT(n) (DBL_##n)\n#define ONE 1\n"
                       "#if ATT(DIG) > 10\nwide\n#else\nnarrow\n#endif\nONE\n"),
        "# define ATT ( n ) ( DBL_ ## n )\n# define ONE 1\nnarrow\n\n1\n");
    EXPECT_NE(out.str().find("The condition is taken as false: /nowhere/main.c line 3"),
        std::string::npos);
    EXPECT_EQ(run.Text("#if\nA\n#elif 1 +\nB\n#else\nC\n#endif\n"), "C\n\n");
}

TEST(Preprocessor, PredefinedWordsAreMacros)
{
    PreprocessRun run;
    run.input.defines = {{"_MSC_VER", 1200}, {"WIN32", 1}};
    EXPECT_EQ(run.Text("#if _MSC_VER >= 1200 && WIN32\nyes\n#endif\n_MSC_VER\n"), "yes\n\n1200\n");
}

TEST(Preprocessor, IncludesAreFoundResolvedAndRegistered)
{
    PreprocessRun run;
    run.input.includeDirs = {kData + "/system"};
    CapturedOutput out;
    const std::string result = run.File(kData + "/project/main.c");
    EXPECT_NE(result.find("return 7 + 2 + 1 + 4 ;"), std::string::npos) << result;
    EXPECT_NE(result.find("# include \"Sub\\Util.h\""), std::string::npos);
    EXPECT_NE(result.find("# include<System.h>"), std::string::npos);
    EXPECT_EQ(out.str(), "");
    // stdafx, util (config through it), once twice, system, guard twice.
    EXPECT_EQ(run.file->includes.size(), 7u);
    ASSERT_GE(run.index.files.size(), 6u);
    bool foundUtil = false;
    for (const auto& header : run.index.files) {
        if (header->path.find("sub/util.h") != std::string::npos) {
            foundUtil = true;
            EXPECT_TRUE(header->macros.count("UTIL_VALUE"));
            EXPECT_EQ(header->includes.size(), 1u);
        }
        EXPECT_EQ(header->path.find('\\'), std::string::npos) << header->path;
    }
    EXPECT_TRUE(foundUtil);
    EXPECT_TRUE(run.Defined("SYSTEM_VALUE"));
    EXPECT_EQ(run.file->onceFiles.size(), 1u);
}

TEST(Preprocessor, AngleIncludesNeedTheSystemSwitch)
{
    PreprocessRun run;
    run.input.includeDirs = {kData + "/system"};
    run.input.searchSystemIncludes = false;
    run.Text("#include <system.h>\n");
    EXPECT_TRUE(run.file->includes.empty());
    EXPECT_FALSE(run.Defined("SYSTEM_VALUE"));
    run.Text("#include <>\n#include <nothere.h>\n");
    EXPECT_TRUE(run.file->includes.empty());
}

TEST(Preprocessor, MissingQuotedHeaderGivesAnEmptyRecord)
{
    PreprocessRun run;
    CapturedOutput out;
    run.Text("#include \"nothere.h\"\n", kData + "/project/x.c");
    ASSERT_EQ(run.file->includes.size(), 1u);
    EXPECT_TRUE(run.index.files[0]->scan.tokens.empty());
    EXPECT_NE(out.str().find("nothere.h"), std::string::npos);
}

TEST(Preprocessor, PragmaOnceIsPerProjectFile)
{
    PreprocessRun run;
    const std::string path = kData + "/project/second.c";
    run.Text("#include \"once.h\"\n#include \"once.h\"\nONCE_VALUE\n", path);
    ASSERT_EQ(run.file->includes.size(), 2u);
    const auto& first = run.index.files[run.file->includes[0]];
    const auto& second = run.index.files[run.file->includes[1]];
    EXPECT_FALSE(first->scan.tokens.empty());
    EXPECT_TRUE(second->scan.tokens.empty());
    // Another project file reads the header again (the same record is found).
    const std::string again = run.File(path);
    EXPECT_NE(again.find("int second = 1 + 3 ;"), std::string::npos) << again;
}

TEST(Preprocessor, IncludeCycleStopsAtTheDepthLimit)
{
    TempFolder folder;
    folder.Write("a.h", "#include \"b.h\"\nint a;\n");
    folder.Write("b.h", "#include \"A.H\"\nint b;\n");
    const std::string main = folder.Write("main.c", "#include \"a.h\"\nint m;\n");
    PreprocessRun run;
    CapturedOutput out;
    run.File(main);
    // Every level reads the next one, so each level is an instance of its
    // own, down to the depth limit; one line says where the cycle was cut.
    EXPECT_EQ(run.index.files.size(), static_cast<size_t>(CPreprocessor::kMaxIncludeDepth));
    EXPECT_EQ(run.file->includes.size(), 1u);
    EXPECT_EQ(out.Lines(), 1) << out.str().substr(0, 300);
}

TEST(Preprocessor, CrLfFilesGiveTheSameResult)
{
    TempFolder folder;
    const std::string source =
        "#include \"h.h\"\n#define SUM(a, b) \\\n  ((a) + (b))\n#if defined(H) && \\\n H > 1\n"
        "int x = SUM(1, 2) + H;\n#else\nint y;\n#endif\n";
    folder.Write("lf/h.h", "#define H 5\n");
    folder.Write("crlf/h.h", "#define H 5\r\n");
    const std::string lf = folder.Write("lf/main.c", source);
    const std::string cr = folder.Write("crlf/main.c", WithCrLf(source));
    PreprocessRun a, b;
    const std::string resultLf = a.File(lf);
    EXPECT_EQ(resultLf, b.File(cr));
    EXPECT_NE(resultLf.find("int x = ( ( 1 ) + ( 2 ) ) + 5 ;"), std::string::npos) << resultLf;
    EXPECT_EQ(LinesOf(a.file->scan.tokens), LinesOf(b.file->scan.tokens));
}

TEST(Preprocessor, ReusedHeadersBringTheirNestedMacros)
{
    TempFolder folder;
    folder.Write("outer.h", "#include \"inner.h\"\n#define OUTER 1\n");
    folder.Write("inner.h", "#define INNER 2\n");
    const std::string one = folder.Write("one.c", "#include \"outer.h\"\n");
    const std::string two =
        folder.Write("two.c", "#include \"outer.h\"\n#if INNER == 2\nok\n#endif\n");
    PreprocessRun run;
    run.input.sameNameOption = false;
    run.File(one);
    const size_t headers = run.index.files.size();
    const std::string result = run.File(two);
    EXPECT_EQ(run.index.files.size(), headers); // reused, not read again
    EXPECT_TRUE(run.Defined("OUTER"));
    EXPECT_TRUE(run.Defined("INNER"));
    EXPECT_NE(result.find("ok"), std::string::npos);
}

TEST(Preprocessor, TablesShareDefinitionsAndChangeOnlyTheirOwn)
{
    TempFolder folder;
    folder.Write("defs.h", "#define SHARED 1\n#define GONE 2\n#define F(a) (a)\n");
    const std::string one =
        folder.Write("one.c", "#include \"defs.h\"\n#define SHARED 3\n#undef GONE\nSHARED\n");
    const std::string two = folder.Write("two.c", "#include \"defs.h\"\nSHARED GONE F(4)\n");
    PreprocessRun run;
    run.input.sameNameOption = false; // two.c takes the header's record as it is
    run.File(one);
    const std::unique_ptr<CProjectFile> first = std::move(run.file);
    ASSERT_EQ(run.index.files.size(), 1u);
    const MacroTable& header = run.index.files[0]->macros;
    // The header's definitions are held by the project file's table, not
    // copied into it, and a #define or #undef there leaves the header's alone.
    EXPECT_TRUE(first->macros.at("F").SameDefinition(header.at("F")));
    EXPECT_EQ(Spell(first->macros.at("SHARED")->body), "3");
    EXPECT_FALSE(first->macros.count("GONE"));
    EXPECT_EQ(Spell(header.at("SHARED")->body), "1");
    EXPECT_EQ(Spell(header.at("GONE")->body), "2");

    EXPECT_EQ(run.File(two), "# include \"defs.h\"\n1 2 ( 4 )\n");
    for (const char* name : {"SHARED", "GONE", "F"}) {
        EXPECT_TRUE(run.file->macros.at(name).SameDefinition(header.at(name))) << name;
    }
    EXPECT_FALSE(first->macros.at("SHARED").SameDefinition(header.at("SHARED")));
    EXPECT_EQ(Spell(first->macros.at("SHARED")->body), "3");
}

TEST(Preprocessor, StopRequestLeavesTheRestUntouched)
{
    PreprocessRun run;
    run.input.stopRequest = true;
    EXPECT_EQ(run.Text("#define A 1\nA\n"), "# define A 1\nA\n");
    EXPECT_FALSE(run.Defined("A"));
}

TEST(Preprocessor, VerboseWritesOneLinePerHeader)
{
    PreprocessRun run;
    run.input.verbose = true;
    CapturedOutput out;
    run.File(kData + "/project/second.c");
    EXPECT_EQ(out.Lines(), 2);
    EXPECT_NE(out.str().find("stdafx.h\n"), std::string::npos);
}

TEST(Preprocessor, LargeGeneratedFile)
{
    std::string source = "#define LIMIT 10\n#define TWICE(x) ((x) * 2)\n";
    for (int n = 0; n < 100000; ++n) {
        switch (n % 5) {
        case 0:
            source += "#if LIMIT > " + std::to_string(n % 20) + "\n";
            break;
        case 1:
            source += "int v" + std::to_string(n) + " = TWICE(LIMIT);\n";
            break;
        case 2:
            source += "#else\n";
            break;
        case 3:
            source += "int w" + std::to_string(n) + ";\n";
            break;
        case 4:
            source += "#endif\n";
            break;
        }
    }
    PreprocessRun run;
    const std::string result = run.Text(source);
    size_t kept = 0;
    for (size_t at = result.find("int v"); at != std::string::npos;
         at = result.find("int v", at + 1)) {
        ++kept;
    }
    EXPECT_EQ(kept, 10000u); // n % 20 of 0, 5: kept; 10, 15: dropped
    size_t dropped = 0;
    for (size_t at = result.find("int w"); at != std::string::npos;
         at = result.find("int w", at + 1)) {
        ++dropped;
    }
    EXPECT_EQ(dropped, 10000u);
    // Arguments are put in as written, not expanded again.
    EXPECT_NE(result.find("int v1 = ( ( LIMIT ) * 2 ) ;"), std::string::npos);
}

TEST(Preprocessor, HeaderIncludingItselfTwiceIsReadOncePerDepth)
{
    // Each reading would read the header twice more. A reading at a depth
    // that repeats an earlier one there (the same macros before and after)
    // is not made: a few readings per depth, not two to the depth.
    TempFolder folder;
    folder.Write("self.h", "#include \"self.h\"\n#define S 1\n#include \"self.h\"\nint s = S;\n");
    const std::string main = folder.Write("main.c", "#include \"self.h\"\n#include \"self.h\"\n");
    PreprocessRun run;
    run.input.verbose = true; // a line per header read
    CapturedOutput out;
    run.File(main);
    EXPECT_EQ(run.file->includes.size(), 2u);
    EXPECT_LE(out.Lines(), 3 * CPreprocessor::kMaxIncludeDepth);
    EXPECT_EQ(out.str().find("More than"), std::string::npos);
    EXPECT_LE(run.index.files.size(), static_cast<size_t>(3 * CPreprocessor::kMaxIncludeDepth));
}

TEST(Preprocessor, AbsoluteIncludeNamesStandForThemselves)
{
    PreprocessRun run;
    run.input.includeDirs = {kData + "/project"};
    const std::string header = kData + "/system/system.h";
    run.Text("#include \"" + header + "\"\n#include <" + header + ">\n");
    ASSERT_EQ(run.file->includes.size(), 2u);
    EXPECT_TRUE(run.Defined("SYSTEM_VALUE"));
}

// A chain of headers deeper than the limit is cut with one line per project
// file that says so, however many include lines lie below the limit; a later
// file that reuses the headers as first read (by name) is told as well.
TEST(Preprocessor, IncludeChainDeeperThanTheLimitIsReportedOncePerFile)
{
    TempFolder folder;
    const int deepest = CPreprocessor::kMaxIncludeDepth + 50;
    for (int k = 0; k < deepest; ++k) {
        const std::string next = "h" + std::to_string(k + 1) + ".h";
        folder.Write("h" + std::to_string(k) + ".h",
            "#include \"" + next + "\"\n#include \"" + next + "\"\nint v" + std::to_string(k) +
                ";\n");
    }
    folder.Write("h" + std::to_string(deepest) + ".h", "int last;\n");
    const std::string one = folder.Write("one.c", "#include \"h0.h\"\nint one;\n");
    const std::string two = folder.Write("two.c", "#include \"h0.h\"\n#include \"h1.h\"\n");
    for (bool sameName : {true, false}) {
        PreprocessRun run;
        run.input.sameNameOption = sameName;
        CapturedOutput out;
        run.File(one);
        EXPECT_EQ(out.Lines(), 1) << out.str().substr(0, 500);
        EXPECT_NE(out.str().find("nested deeper than"), std::string::npos);
        EXPECT_NE(out.str().find("one.c"), std::string::npos);
        run.File(two);
        EXPECT_EQ(out.Lines(), 2) << out.str().substr(0, 500);
        EXPECT_NE(out.str().find("two.c"), std::string::npos);
    }
}
