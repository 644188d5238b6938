#include "AnalysisHelpers.h"
#include "CallCollector.h"
#include "ScopeName.h"
#include "UnitBuilder.h"
#include "UnitKind.h"

#include <gtest/gtest.h>

namespace {

using Strings = std::vector<std::string>;

// A model: root, namespace N with class A holding method m, free function g,
// and the function under test f (a member of A) whose body is given.
struct CallModel {
    explicit CallModel(const std::string& body) : f(body)
    {
        root.kind = UNIT_ROOT;
        root.scopeChildren = std::make_unique<ScopeChildSet>();
        n = AddElement(root, "N", UNIT_NAMESPACE);
        nUnit = source.NamespaceUnit("N");
        n->definitions.push_back(&nUnit);
        a = AddElement(*n, "A", UNIT_CLASS);
        aUnit = source.ClassUnit(UNIT_CLASS, "A");
        a->definitions.push_back(&aUnit);
        method = AddElement(*a, "f", UNIT_FUNCTION);
        method->definitions.push_back(&f.function);
        m = AddElement(*a, "m", UNIT_FUNCTION);
        g = AddElement(root, "g", UNIT_FUNCTION);
        table[CallKey {"m", 1}] = m;
        table[CallKey {"g", 2}] = g;
        table[CallKey {"g", 0}] = g;
    }

    std::vector<CallRecord> Run(const CModelScope& function)
    {
        CCallCollector collector(function, table, lifelines);
        collector.Run();
        return collector.Records();
    }

    FunctionUnderTest f;
    TokenSource source;
    CUnit nUnit, aUnit;
    CModelScope root;
    CModelScope *n, *a, *method, *m, *g;
    FunctionTable table;
    std::vector<std::string> lifelines;
};

} // namespace

TEST(CallCollector, CountsArgumentsInnermostFirst)
{
    CallModel model("f(); h(a, b); k(a, l(b, c)); x = obj.draw(1) + p->draw(2) + ns::draw(3);");
    EXPECT_EQ(DescribeCalls(model.Run(*model.method)),
        (Strings {"f/0@0", "h/2@0", "l/2@0", "k/2@0", "draw/1@0", "draw/1@0", "draw/1@0"}));
}

TEST(CallCollector, ParenthesesWithoutANameAreNoCall)
{
    CallModel model("if (x) y; s = sizeof(t); (*fp)(x); (a)(b); T(x); M(x);");
    EXPECT_EQ(DescribeCalls(model.Run(*model.method)), (Strings {"T/1@0", "M/1@0"}));
}

TEST(CallCollector, ResolvesByNameAndCountAndAssignsLifelines)
{
    CallModel model("m(1); g(1, 2); g(); g(1); while (m(x)) { g(m(y), 2); }");
    EXPECT_EQ(DescribeCalls(model.Run(*model.method)),
        (Strings {"m/1@0+", "g/2@1+", "g/0@1+", "g/1@0", "m/1@0+", "m/1@0+", "g/2@1+"}));
    EXPECT_EQ(model.lifelines, (Strings {"N::A", "Global"}));
    // The list grows across queries: a second query reuses the names.
    model.Run(*model.method);
    EXPECT_EQ(model.lifelines, (Strings {"N::A", "Global"}));
}

TEST(CallCollector, NoDefiningUnitNoRecords)
{
    CallModel model("g();");
    EXPECT_TRUE(model.Run(*model.m).empty());
    EXPECT_TRUE(model.lifelines.empty());
}

TEST(CallCollector, CallsInTheHeadOfTheBodyUnitAreNotSearched)
{
    CallModel model("g();");
    // The defining unit's own tokens (an initializer list, say) are not
    // looked at; only the units below it.
    model.f.function.tokenIndices = {0, 1, 2};
    EXPECT_EQ(DescribeCalls(model.Run(*model.method)), (Strings {"g/0@1+"}));
}

TEST(ScopeName, QualifiedHolderNames)
{
    CallModel model("");
    EXPECT_EQ(GetScopeName(*model.method, 1), "N::A");
    EXPECT_EQ(GetScopeName(*model.g, 1), "Global");
    EXPECT_EQ(GetScopeName(*model.g, 0), "");
    EXPECT_EQ(GetScopeName(*model.n, 0), "");
    EXPECT_EQ(GetScopeName(model.root, 1), "");
    CModelScope loose; // no parent: taken as the root
    loose.kind = UNIT_FUNCTION;
    EXPECT_EQ(GetScopeName(loose, 1), "");
}

TEST(ScopeName, HolderWithAnotherKindOfRecordUsesItsOwnName)
{
    CallModel model("");
    // The class element's first unit is a namespace unit (a class and a
    // namespace of one name are one element).
    CUnit odd = model.source.NamespaceUnit("Other");
    model.a->declarations.push_back(&odd);
    EXPECT_EQ(GetScopeName(*model.m, 1), "N::A");
}

TEST(ScopeName, TemplateOrPlaceholderHolders)
{
    CallModel model("");
    CModelScope* placeholder = AddElement(*model.n, "P", UNIT_PLACEHOLDER);
    CModelScope* inPlaceholder = AddElement(*placeholder, "q", UNIT_FUNCTION);
    EXPECT_EQ(GetScopeName(*inPlaceholder, 1), "N::P");
    CModelScope* function = AddElement(model.root, "t", UNIT_FUNCTION);
    CModelScope* local = AddElement(*function, "u", UNIT_FUNCTION);
    EXPECT_EQ(GetScopeName(*local, 1), "");
}
