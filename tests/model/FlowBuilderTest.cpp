#include "FlowBuilder.h"
#include "TokenText.h"
#include "UnitBuilder.h"
#include "UnitKind.h"

#include <gtest/gtest.h>

namespace {

std::string UnitText(const CUnit* unit)
{
    return unit ? TokensToText(*unit->tokens, unit->tokenIndices, 1) : "?";
}

// kind<unit texts>[children]
std::string Describe(const std::vector<CFlowItem>& items);

std::string Describe(const CFlowItem& item)
{
    std::string text = std::to_string(item.kind) + "<";
    for (size_t i = 0; i < item.units.size(); ++i) {
        text += (i ? "|" : "") + UnitText(item.units[i]);
    }
    text += ">";
    if (!item.children.empty()) {
        text += "[" + Describe(item.children) + "]";
    }
    return text;
}

std::string Describe(const std::vector<CFlowItem>& items)
{
    std::string text;
    for (const CFlowItem& item : items) {
        text += (text.empty() ? "" : " ") + Describe(item);
    }
    return text;
}

std::string Build(const std::string& body, int flag)
{
    FunctionUnderTest f(body);
    FunctionBody items;
    CFlowBuilder::BuildFunctionItems(items, &f.function, flag);
    return Describe(items.root.children);
}

} // namespace

TEST(FlowBuilder, NothingUnlessAFunctionUnit)
{
    FunctionUnderTest f("a; b;");
    f.function.kind = UNIT_VARIABLE;
    FunctionBody items;
    CFlowBuilder::BuildFunctionItems(items, &f.function, 1);
    EXPECT_TRUE(items.root.children.empty());
    CFlowBuilder::BuildFunctionItems(items, static_cast<CUnit*>(nullptr), 1);
    EXPECT_TRUE(items.root.children.empty());
}

// Items as body, flag -> kind<unit texts>[children]; flag 1 is the flow
// chart form, 0 the Nassi-Shneiderman form.
TEST(FlowBuilder, ItemsOfBodies)
{
    struct Case {
        const char* body;
        int flag;
        const char* items;
    };
    const Case cases[] = {
        {"#define X 1\n#undef X\n", 1, ""}, // preprocessing only
        // Bare blocks dissolve into their surroundings.
        {"x; { a; { b; } } if (c) { d; }", 0, "49<x ;|a ;|b ;> 33<if ( c )>[49<d ;>]"},
        // try and catch by form
        {"try { a; } catch (...) { b; } throw (1);", 1, "49<a ;>"},
        {"try { a; } catch (...) { b; }", 0, "47<try>[49<a ;>] 48<catch ( ... )>[49<b ;>]"},
        // A dangling else joins the inner if; after a braced if it stays outside.
        {"if (x) if (y) a; else b;", 1, "33<if ( x )>[33<if ( y )>[49<a ;>] 35<else>[49<b ;>]]"},
        {"if (x) { if (y) a; } else b;", 1,
            "33<if ( x )>[33<if ( y )>[49<a ;>]] 35<else>[49<b ;>]"},
        {"if (x) a; else if (y) b; else c;", 1,
            "33<if ( x )>[49<a ;>] 34<else if ( y )>[49<b ;>] 35<else>[49<c ;>]"},
        // Statements go under their case; those before the first case stay.
        {"switch (v) { case 1: case 2: a; b; default: c; }", 0,
            "43<switch ( v )>[45<case 1 :> 45<case 2 :>[49<a ;|b ;>] 46<default :>[49<c ;>]]"},
        {"switch (v) { x; case 1: break; }", 0,
            "43<switch ( v )>[49<x ;> 45<case 1 :>[39<break ;>]]"},
        {"do { a; } while (x); while (y) b;", 1,
            "38<do|while ( x )>[49<a ;>] 37<while ( y )>[49<b ;>]"},
        // A labelled block keeps every statement; a label may end a block.
        {"end: { a; if (x) b; c; }", 1, "49<end :|a ;> 33<if ( x )>[49<b ;>] 49<c ;>"},
        {"a; done:", 0, "49<a ;|done :>"},
        // Runs by form: a jump closes the run; one without a run before it stands alone.
        {"a; b; return c;", 1, "49<a ;|b ;> 41<return c ;>"},
        {"a; b; return c;", 0, "49<a ;|b ;|return c ;>"},
        {"break; a; return; b;", 0, "39<break ;> 49<a ;|return ;> 49<b ;>"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Build(c.body, c.flag), c.items) << c.body << " (flag " << c.flag << ")";
    }
}

// A switch of a hundred thousand cases, half of them falling through, and a
// chain of thousands of else-ifs keep their shape: every statement under its
// case, in order, every link in its chain. (Moving items within the list in
// place made such a function take minutes.)
TEST(FlowBuilder, HugeSwitchesAndChainsKeepTheirShape)
{
    constexpr int kCases = 100000;
    constexpr int kLinks = 20000;
    std::string body = "switch (v) { x; ";
    std::string cases = "43<switch ( v )>[49<x ;>";
    for (int k = 0; k < kCases; ++k) {
        const std::string label = "case " + std::to_string(k) + " :";
        body += label + (k % 2 ? " a; break; " : " ");
        cases += " 45<" + label + ">" + (k % 2 ? "[49<a ;|break ;>]" : "");
    }
    body += "default: c; } if (p) a; ";
    cases += " 46<default :>[49<c ;>]] 33<if ( p )>[49<a ;>]";
    for (int k = 0; k < kLinks; ++k) {
        body += "else if (q) b; ";
        cases += " 34<else if ( q )>[49<b ;>]";
    }
    EXPECT_EQ(Build(body + "else c;", 0), cases + " 35<else>[49<c ;>]");
}

TEST(FlowBuilder, LabelsBecomeItemsOfTheirOwn)
{
    FunctionUnderTest f("end: a; if (x) b;");
    std::vector<CFlowItem> items = CFlowBuilder::BuildItems(f.function.children);
    CFlowBuilder::SplitLabels(items);
    EXPECT_EQ(Describe(items), "49<end :> 49<a ;> 33<if ( x )>[49<b ;>]");
    EXPECT_EQ(items[0].FirstUnitKind(), UNIT_LABEL);
    // Chained labels are all split.
    FunctionUnderTest chained("one: two: a;");
    items = CFlowBuilder::BuildItems(chained.function.children);
    CFlowBuilder::SplitLabels(items);
    EXPECT_EQ(Describe(items), "49<one :> 49<two :> 49<a ;>");
}

TEST(FlowBuilder, ModelElementHandsItsDefiningUnit)
{
    FunctionUnderTest f("a;");
    CModelScope element;
    element.kind = UNIT_FUNCTION;
    FunctionBody items;
    CFlowBuilder::BuildFunctionItems(items, &element, 1);
    EXPECT_TRUE(items.root.children.empty());
    CUnit declaration(&f.tokens);
    declaration.kind = UNIT_FUNCTION;
    element.declarations.push_back(&declaration);
    element.definitions.push_back(&f.function);
    CFlowBuilder::BuildFunctionItems(items, &element, 1);
    EXPECT_EQ(Describe(items.root.children), "49<a ;>");
    EXPECT_EQ(items.function, &element);
}

// The builder leaves out a pass when no unit of the kinds it acts on is
// anywhere in the body; the items are those of every pass run in turn, both
// when the kinds are missing and when they sit deep inside other statements.
TEST(FlowBuilder, PassesLeftOutForMissingKindsChangeNothing)
{
    const char* const bodies[] = {
        "a; b; if (x) c; return d;",
        "while (x) { if (y) { end: a; b; } }",
        "switch (v) { case 1: for (;;) { do { a; } while (x); } break; }",
        "if (x) { try { { a; } } catch (...) { throw 1; } } else if (y) b; else c;",
        "switch (v) { case 1: case 2: switch (w) { default: a; } }",
    };
    for (const char* body : bodies) {
        for (const int flag : {0, 1}) {
            FunctionUnderTest f(body);
            std::vector<CFlowItem> items = CFlowBuilder::BuildItems(f.function.children);
            CFlowBuilder::FlattenBlocks(items);
            if (flag == 1)
                CFlowBuilder::RemoveTryCatchThrow(items);
            CFlowBuilder::AttachElseChains(items);
            CFlowBuilder::SplitLabels(items);
            CFlowBuilder::RegroupSwitches(items);
            CFlowBuilder::JoinDoWhile(items);
            if (flag == 1)
                CFlowBuilder::GroupExpressions(items);
            else
                CFlowBuilder::GroupSimpleStatements(items);
            EXPECT_EQ(Build(body, flag), Describe(items)) << body << " (flag " << flag << ")";
        }
    }
}
