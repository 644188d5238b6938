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

TEST(FlowBuilder, PreprocessingOnlyBodyHasNoItems)
{
    EXPECT_EQ(Build("#define X 1\n#undef X\n", 1), "");
}

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

TEST(FlowBuilder, BareBlocksDissolveIntoTheirSurroundings)
{
    EXPECT_EQ(Build("x; { a; { b; } } if (c) { d; }", 0),
              "49<x ;|a ;|b ;> 33<if ( c )>[49<d ;>]");
}

TEST(FlowBuilder, TryAndCatchByForm)
{
    EXPECT_EQ(Build("try { a; } catch (...) { b; } throw (1);", 1), "49<a ;>");
    EXPECT_EQ(Build("try { a; } catch (...) { b; }", 0),
              "47<try>[49<a ;>] 48<catch ( ... )>[49<b ;>]");
}

TEST(FlowBuilder, DanglingElseJoinsTheInnerIf)
{
    EXPECT_EQ(Build("if (x) if (y) a; else b;", 1),
              "33<if ( x )>[33<if ( y )>[49<a ;>] 35<else>[49<b ;>]]");
}

TEST(FlowBuilder, ElseAfterBracedIfStaysOutside)
{
    EXPECT_EQ(Build("if (x) { if (y) a; } else b;", 1),
              "33<if ( x )>[33<if ( y )>[49<a ;>]] 35<else>[49<b ;>]");
}

TEST(FlowBuilder, ElseIfChainStaysInOrder)
{
    EXPECT_EQ(Build("if (x) a; else if (y) b; else c;", 1),
              "33<if ( x )>[49<a ;>] 34<else if ( y )>[49<b ;>] 35<else>[49<c ;>]");
}

TEST(FlowBuilder, SwitchStatementsGoUnderTheirCase)
{
    EXPECT_EQ(Build("switch (v) { case 1: case 2: a; b; default: c; }", 0),
              "43<switch ( v )>[45<case 1 :> 45<case 2 :>[49<a ;|b ;>] 46<default :>[49<c ;>]]");
}

TEST(FlowBuilder, StatementsBeforeTheFirstCaseStay)
{
    EXPECT_EQ(Build("switch (v) { x; case 1: break; }", 0),
              "43<switch ( v )>[49<x ;> 45<case 1 :>[39<break ;>]]");
}

TEST(FlowBuilder, DoLoopTakesItsWhile)
{
    EXPECT_EQ(Build("do { a; } while (x); while (y) b;", 1),
              "38<do|while ( x )>[49<a ;>] 37<while ( y )>[49<b ;>]");
}

TEST(FlowBuilder, LabelBecomesItsOwnItem)
{
    FunctionUnderTest f("end: a; if (x) b;");
    std::vector<CFlowItem> items = CFlowBuilder::BuildItems(f.function.children);
    CFlowBuilder::SplitLabels(items);
    EXPECT_EQ(Describe(items), "49<end :> 49<a ;> 33<if ( x )>[49<b ;>]");
    EXPECT_EQ(items[0].FirstUnitKind(), UNIT_LABEL);
}

TEST(FlowBuilder, ChainedLabelsAreAllSplit)
{
    FunctionUnderTest f("one: two: a;");
    std::vector<CFlowItem> items = CFlowBuilder::BuildItems(f.function.children);
    CFlowBuilder::SplitLabels(items);
    EXPECT_EQ(Describe(items), "49<one :> 49<two :> 49<a ;>");
}

TEST(FlowBuilder, LabelledBlockKeepsEveryStatement)
{
    EXPECT_EQ(Build("end: { a; if (x) b; c; }", 1),
              "49<end :|a ;> 33<if ( x )>[49<b ;>] 49<c ;>");
}

TEST(FlowBuilder, LabelAtTheEndOfABlock)
{
    EXPECT_EQ(Build("a; done:", 0), "49<a ;|done :>");
}

TEST(FlowBuilder, RunsByForm)
{
    EXPECT_EQ(Build("a; b; return c;", 1), "49<a ;|b ;> 41<return c ;>");
    EXPECT_EQ(Build("a; b; return c;", 0), "49<a ;|b ;|return c ;>");
    // A jump closes the run; one without a run before it stands alone.
    EXPECT_EQ(Build("break; a; return; b;", 0), "39<break ;> 49<a ;|return ;> 49<b ;>");
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
