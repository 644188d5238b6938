#include "ParseHelpers.h"

#include <gtest/gtest.h>

TEST(UnitTokenStream, BraceUnitIsFollowedByAnEmptyBracePair)
{
    std::vector<PPToken> tokens = ScanText("x void f ( )");
    CUnit unit(&tokens);
    unit.tokenIndices = {1, 2, 3, 4};
    unit.brace = true;
    CUnitTokenStream stream;
    stream.Aim(unit, DECLARATION2);
    EXPECT_EQ(stream.Position(), -1);

    antlr::RefToken start = stream.nextToken();
    EXPECT_EQ(start->getType(), DECLARATION2);
    EXPECT_EQ(start->getText(), "");
    EXPECT_EQ(stream.Position(), 0);

    antlr::RefToken t = stream.nextToken();
    EXPECT_EQ(t->getType(), WORD_VOID);
    EXPECT_EQ(t->getLine(), 0);
    EXPECT_EQ(t->getColumn(), 1);
    EXPECT_EQ(t->getText(), ""); // keywords carry no text
    t = stream.nextToken();
    EXPECT_EQ(t->getType(), IDENTIFIER);
    EXPECT_EQ(t->getText(), "f");
    EXPECT_EQ(t->getLine(), 1);
    EXPECT_EQ(t->getColumn(), 2);
    stream.nextToken();
    stream.nextToken();
    EXPECT_EQ(stream.nextToken()->getType(), LC);
    EXPECT_EQ(stream.nextToken()->getType(), RC);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(stream.nextToken()->getType(), EOF_);
    EXPECT_EQ(stream.Position(), 6);
}

TEST(ParseDriver, UnitsWithoutTokens)
{
    auto p = ParseText("{ if ( a ) b ; }");
    ASSERT_EQ(p->units.size(), 1u);
    EXPECT_EQ(p->At(0).kind, UNIT_JUST_BRACE);
    EXPECT_TRUE(p->At(0).done);
    ASSERT_EQ(p->At(0).children.size(), 1u);
    EXPECT_EQ(p->At(0).children[0].kind, UNIT_IF); // handed to the classifier

    std::vector<PPToken> tokens;
    std::vector<CUnit> units(1, CUnit(&tokens));
    units[0].children.emplace_back(&tokens);
    ParseFileUnits(units);
    EXPECT_EQ(units[0].kind, UNIT_NOTHING);
    EXPECT_TRUE(units[0].done);
    EXPECT_FALSE(units[0].children[0].done); // not visited
}

TEST(ParseDriver, MemberAccessInClassBodies)
{
    const char* body = "{ int a ; public : int b ; protected : void f ( ) ; private : int c ; } ;";
    auto cls = ParseText(std::string("class C ") + body + " class D { int d ; } ;");
    const auto& members = cls->At(0).children;
    ASSERT_EQ(members.size(), 7u);
    EXPECT_EQ(GetUnitAccess(members[0]), 3);
    EXPECT_EQ(members[1].kind, UNIT_PUBLIC);
    EXPECT_EQ(members[1].detail, nullptr);
    EXPECT_EQ(GetUnitAccess(members[2]), 1);
    EXPECT_EQ(members[3].kind, UNIT_PROTECTED);
    EXPECT_EQ(members[4].kind, UNIT_FUNCTION);
    EXPECT_EQ(GetUnitAccess(members[4]), 2);
    EXPECT_EQ(members[5].kind, UNIT_PRIVATE);
    EXPECT_EQ(GetUnitAccess(members[6]), 3);
    // The next class starts private again.
    EXPECT_EQ(GetUnitAccess(cls->At(1).children.at(0)), 3);

    auto str = ParseText(std::string("struct S ") + body);
    const auto& fields = str->At(0).children;
    for (size_t i : {0u, 2u, 4u, 6u})
        EXPECT_EQ(GetUnitAccess(fields.at(i)), 0) << i;
}

TEST(ParseDriver, FailedUnitsAreRetriedAsPlainDeclarations)
{
    auto p = ParseText("int x ; enum E { A B } ;");
    EXPECT_EQ(p->At(0).kind, UNIT_VARIABLE);
    ASSERT_EQ(p->At(1).kind, UNIT_ENUM);
    // An enumeration body that fails gets no second try (it would read as a
    // variable B of type A).
    const CUnit& body = p->At(1).children.at(0);
    EXPECT_EQ(body.kind, 0);
    EXPECT_FALSE(body.done);
}

TEST(ParseDriver, DoneUnitsAreNotParsedAgain)
{
    auto p = ParseText("int x ;");
    CParseDriver driver;
    p->At(0).kind = 99;
    EXPECT_TRUE(driver.ParseUnit(p->At(0), DECLARATION));
    EXPECT_EQ(p->At(0).kind, 99);
}

TEST(ParseDriver, ChildListsByParentKind)
{
    auto p = ParseText("namespace N { int a ; template < class T > class X { int b ; } ; }\n"
                       "void f ( ) { if ( a ) b ( ) ; }\n"
                       "union U { int c ; } ;\n"
                       "int d [ ] = { 1 , 2 } ;");
    const CUnit& ns = p->At(0);
    EXPECT_EQ(ns.kind, UNIT_NAMESPACE);
    EXPECT_EQ(ns.children.at(0).kind, UNIT_VARIABLE);
    const CUnit& tmpl = ns.children.at(1);
    EXPECT_EQ(tmpl.kind, UNIT_TEMPLATE);
    ASSERT_EQ(tmpl.children.size(), 1u);
    EXPECT_EQ(tmpl.children[0].kind, UNIT_CLASS);
    EXPECT_EQ(tmpl.children[0].children.at(0).kind, UNIT_VARIABLE);
    EXPECT_EQ(GetUnitAccess(tmpl.children[0].children.at(0)), 3);

    const CUnit& fn = p->At(1);
    EXPECT_EQ(fn.kind, UNIT_FUNCTION);
    EXPECT_EQ(fn.children.at(0).kind, UNIT_IF); // classified, not parsed

    EXPECT_EQ(p->At(2).kind, UNIT_UNION);
    EXPECT_EQ(p->At(2).children.at(0).kind, UNIT_VARIABLE);

    // The initialiser block's contents are left alone.
    EXPECT_EQ(p->At(3).kind, UNIT_VARIABLE);
    EXPECT_FALSE(p->At(3).children.at(0).done);
}

TEST(ParseDriver, LinkageBlocksAreParsedAsDeclarations)
{
    auto p = ParseText("extern \"C\" { int f ( void ) ; struct S { int x ; } ; }\n"
                       "extern \"C\" int g ( int ) ;");
    const CUnit& block = p->At(0);
    EXPECT_EQ(block.kind, UNIT_EXTERN);
    ASSERT_NE(AsTextInfo(block), nullptr);
    EXPECT_EQ(AsTextInfo(block)->text, "C");
    ASSERT_EQ(block.children.size(), 2u);
    EXPECT_EQ(block.children[0].kind, UNIT_FUNCTION);
    EXPECT_EQ(block.children[1].kind, UNIT_STRUCT);
    EXPECT_EQ(block.children[1].children.at(0).kind, UNIT_VARIABLE);

    const CUnit& single = p->At(1);
    EXPECT_EQ(single.kind, UNIT_EXTERN);
    EXPECT_EQ(p->Text(single), "extern \"C\"");
    ASSERT_EQ(single.children.size(), 1u);
    EXPECT_EQ(p->Text(single.children[0]), "int g ( int ) ;");
    EXPECT_EQ(single.children[0].kind, UNIT_FUNCTION);
    EXPECT_EQ(GetUnitFunctionName(single.children[0]), "g");
}

TEST(ParseDriver, StopRequestLeavesTheRestUnparsed)
{
    std::atomic<bool> stop {true};
    ParseLimits limits;
    limits.stopRequest = &stop;
    auto p = ParseText("int a ; int b ;", limits);
    EXPECT_FALSE(p->At(0).done);
    EXPECT_FALSE(p->At(1).done);
}

TEST(ParseDriver, BadTokenPositionsEndTheParseQuietly)
{
    std::vector<PPToken> tokens = ScanText("int x ;");
    CUnit unit(&tokens);
    unit.tokenIndices = {0, 1, 99};
    CParseDriver driver;
    EXPECT_TRUE(driver.ParseUnit(unit, DECLARATION2)); // a standard exception counts as parsed
    EXPECT_FALSE(unit.done);
}

// The driver skips the first try for units that cannot be what it looks for:
// for every token type that the guess rules out, the first try does fail at
// once and records nothing, whatever follows.
TEST(ParseDriver, FirstTriesThatAreSkippedFailWithNothingRecorded)
{
    const std::vector<std::vector<int>> tails = {{}, {IDENTIFIER}, {IDENTIFIER, SEMI},
        {IDENTIFIER, ASSIGN, INTEGERNUMBER, SEMI}, {IDENTIFIER, LP, RP}, {COLON},
        {IDENTIFIER, IDENTIFIER, SEMI}, {STRINGS, LC}, {WORD_STRUCT, IDENTIFIER, SEMI},
        {WORD_CONST, WORD_UNION, IDENTIFIER}, {IDENTIFIER, WORD_CLASS, IDENTIFIER},
        {WORD_ENUM, IDENTIFIER, SEMI}};
    int skipped = 0;
    for (int startKind : {DECLARATION, INCLASS, INSTRUCT}) {
        for (int type = 0; type <= WORD___W64; ++type) {
            for (const std::vector<int>& tail : tails) {
                for (bool brace : {false, true}) {
                    std::vector<PPToken> tokens;
                    tokens.emplace_back(1, type, type == IDENTIFIER ? "x" : nullptr);
                    for (int next : tail) {
                        tokens.emplace_back(1, next,
                            next == IDENTIFIER          ? "n"
                                : next == INTEGERNUMBER ? "1"
                                : next == STRINGS       ? "C"
                                                        : nullptr);
                    }
                    CUnit unit(&tokens);
                    for (int p = 0; p < static_cast<int>(tokens.size()); ++p) {
                        unit.tokenIndices.push_back(p);
                    }
                    unit.brace = brace;
                    if (MayBeFirstTryDeclaration(unit, startKind)) {
                        continue;
                    }
                    ++skipped;
                    CParseDriver driver;
                    EXPECT_FALSE(driver.ParseUnit(unit, startKind))
                        << "start " << startKind << " type " << type;
                    EXPECT_EQ(unit.kind, UNIT_UNKNOWN) << "start " << startKind << " type " << type;
                    EXPECT_FALSE(unit.done);
                    EXPECT_EQ(unit.detail, nullptr);
                    EXPECT_TRUE(unit.children.empty());
                }
            }
        }
    }
    EXPECT_GT(skipped, 3 * 150 * 8);
}

// An old-style C definition comes from the splitter as its head, its further
// parameter declarations and a brace block without a head; the block is
// given back to the head, as NetHack's, BSD's and Windows 3.x C is written,
// and the declarations between them make no variables of the file.
TEST(ParseDriver, OldStyleDefinitionsKeepTheirBodies)
{
    auto p = ParseText("int bhitpile ( obj , fhito , mx , tx , n )\n"
                       "register struct obj * obj ;\n"
                       "int ( * fhito ) ( ) , mx ;\n"
                       "#ifdef WIDE\n"
                       "long tx ;\n"
                       "#endif\n"
                       "{ int hits = 0 ; if ( obj ) hits ++ ; return hits ; }\n"
                       "void leave ( int ) __attribute__ ( ( __noreturn__ ) ) ;\n"
                       "main ( argc , argv ) int argc ; char * * argv ; { return 0 ; }\n"
                       "long FAR PASCAL WndProc ( hWnd , msg ) HWND hWnd ; unsigned msg ; "
                       "{ return 0 ; }\n"
                       "void warn ( format , va_alist ) const char * format ; va_dcl "
                       "{ va_list args ; if ( format ) report ( ) ; }\n"
                       "int proto ( a , b ) ; { stray ( ) ; }\n"
                       "older ( a , b ) T a ;\n"
                       "int later ;");
    std::vector<std::pair<std::string, size_t>> functions;
    std::vector<int> others;
    for (const CUnit& unit : p->units) {
        if (unit.kind == UNIT_FUNCTION)
            functions.emplace_back(GetUnitFunctionName(unit), unit.children.size());
        else if (!unit.IsPreprocessing())
            others.push_back(unit.kind);
    }
    // A prototype is no head, also with words after its parentheses (BSD's
    // worm.c declares "void leave(int) __attribute__((__noreturn__));" just
    // before its old-style main); the last two heads have no block after
    // them. A <varargs.h> function's body follows the word that declares
    // its variable arguments.
    const std::vector<std::pair<std::string, size_t>> expected {{"bhitpile", 3}, {"leave", 0},
        {"main", 1}, {"WndProc", 1}, {"warn", 2}, {"proto", 0}, {"older", 0}};
    EXPECT_EQ(functions, expected);
    const std::vector<int> rest {UNIT_NOTHING, UNIT_NOTHING, UNIT_NOTHING, UNIT_NOTHING,
        UNIT_NOTHING, UNIT_NOTHING, UNIT_NOTHING, UNIT_NOTHING, UNIT_JUST_BRACE, UNIT_VARIABLE};
    EXPECT_EQ(others, rest);
    const CUnit* warn = nullptr;
    for (const CUnit& unit : p->units) {
        if (unit.kind == UNIT_FUNCTION && GetUnitFunctionName(unit) == "warn")
            warn = &unit;
    }
    ASSERT_NE(warn, nullptr);
    EXPECT_EQ(warn->children.at(1).kind, UNIT_IF);
    const CUnit& head = p->At(0);
    EXPECT_TRUE(head.brace);
    EXPECT_EQ(p->tokens.at(static_cast<size_t>(head.last)).type, RC);
    EXPECT_EQ(head.children.at(1).kind, UNIT_IF);
    // The declarations name the parameters and give them their types, without
    // a storage class, so that the definition and an ANSI prototype of the
    // function are one; a parameter declared nowhere stays as it was read.
    std::vector<std::string> parameters;
    for (const CVariableInfo& parameter : AsFunctionInfo(head)->parameters) {
        parameters.push_back(p->Text(parameter.specifierTokens) + "|" +
            std::string(parameter.qualifiedName.name.view()));
    }
    EXPECT_EQ(parameters,
        (std::vector<std::string> {"struct obj *|obj", "int *|fhito", "int|mx", "long|tx", "n|"}));
}

// A first declaration with parentheses in it, a pointer to a function or to
// an array as NetHack and screen declare them, failed the head: its body was
// a block of its own and the next declaration a variable of the file.
TEST(ParseDriver, OldStyleHeadsWhoseFirstDeclarationHasParentheses)
{
    auto p = ParseText("void init_random ( fn ) int ( * fn ) ( ) ;\n"
                       "{ set_random ( fn ) ; }\n"
                       "static boolean parse_condition ( s , sidx ) char ( * s ) [ 128 ] ;\n"
                       "int sidx ;\n"
                       "{ return 0 ; }\n"
                       "int lone ( a ) int ( * a ) ( ) ;\n"
                       "int after ;");
    std::vector<std::string> functions;
    std::vector<int> others;
    for (const CUnit& unit : p->units) {
        if (unit.kind == UNIT_FUNCTION)
            functions.push_back(
                GetUnitFunctionName(unit) + ":" + std::to_string(unit.children.size()));
        else
            others.push_back(unit.kind);
    }
    EXPECT_EQ(functions, (std::vector<std::string> {"init_random:1", "parse_condition:1"}));
    // Without a block after it, a head stays as it was read.
    EXPECT_EQ(others,
        (std::vector<int> {UNIT_NOTHING, UNIT_NOTHING, UNIT_NOTHING, UNIT_UNKNOWN, UNIT_VARIABLE}));
    std::vector<std::string> parameters;
    for (const CUnit* head : {&p->At(0), &p->At(2)}) {
        for (const CVariableInfo& parameter : AsFunctionInfo(*head)->parameters) {
            parameters.push_back(p->Text(parameter.specifierTokens) + "|" +
                std::string(parameter.qualifiedName.name.view()) + "|" +
                p->Text(parameter.arrayTokens));
        }
    }
    EXPECT_EQ(parameters, (std::vector<std::string> {"int|fn|", "char *|s|[ 128 ]", "int|sidx|"}));
}
