#include "TypeLinker.h"
#include "UnitBuilder.h"
#include "UnitDetail.h"
#include "UnitKind.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace {

// A model built by hand: the root with classes and their member variables.
struct LinkModel {
    CModelScope root;
    TokenSource source;
    std::vector<std::unique_ptr<CUnit>> units;

    LinkModel()
    {
        root.kind = UNIT_ROOT;
        root.scopeChildren = std::make_unique<ScopeChildSet>();
    }

    CUnit* Keep(CUnit unit)
    {
        units.push_back(std::make_unique<CUnit>(std::move(unit)));
        return units.back().get();
    }

    CModelScope* Class(CModelScope& parent, const std::string& name, int kind = UNIT_CLASS)
    {
        CModelScope* element = AddElement(parent, name, kind);
        element->definitions.push_back(Keep(source.ClassUnit(kind, name)));
        return element;
    }

    CModelScope* Member(
        CModelScope& holder, const std::string& type, const std::string& name, bool cv = false)
    {
        CModelScope* element = AddElement(holder, name, UNIT_VARIABLE);
        element->declarations.push_back(Keep(source.VariableUnit(type, name, cv)));
        return element;
    }

    void Link()
    {
        CTypeLinker linker(&root);
        linker.Run();
    }
};

std::vector<std::string> Names(const ScopeLinkSet& set)
{
    std::vector<std::string> names;
    for (const CModelScope* scope : set) {
        names.push_back(scope->name);
    }
    return names;
}

using Names_t = std::vector<std::string>;

} // namespace

TEST(TypeLinker, MemberOfAClassTypeLinksItsHolder)
{
    LinkModel m;
    CModelScope* a = m.Class(m.root, "A");
    CModelScope* b = m.Class(m.root, "B");
    m.Member(*a, "B", "b");
    m.Member(*a, "const B", "c");
    m.Member(*a, "B", "d"); // a second member of the same type
    m.Link();
    EXPECT_EQ(Names(b->LinkedBy()), Names_t {"A"});
    EXPECT_TRUE(b->LinkedByCv().empty());
    EXPECT_TRUE(a->LinkedBy().empty());
}

TEST(TypeLinker, CvAfterTheTypeGoesToTheSecondSet)
{
    LinkModel m;
    CModelScope* a = m.Class(m.root, "A");
    CModelScope* b = m.Class(m.root, "B", UNIT_STRUCT);
    m.Member(*a, "B", "p", true); // B * p: the pointer belongs to the declarator
    m.Link();
    EXPECT_TRUE(b->LinkedBy().empty());
    EXPECT_EQ(Names(b->LinkedByCv()), Names_t {"A"});
}

TEST(TypeLinker, OtherTypesHoldersAndUnitsLinkNothing)
{
    LinkModel m;
    CModelScope* a = m.Class(m.root, "A");
    CModelScope* b = m.Class(m.root, "B");
    // Types that do not end in a class name.
    m.Member(*a, "std :: vector < B >", "v");
    m.Member(*a, "enum B", "e");
    m.Member(*a, "C", "c"); // no such class
    // Holders that are no class body.
    m.Member(m.root, "B", "global");
    m.Member(*AddElement(m.root, "E", UNIT_ENUM), "B", "x");
    m.Member(*AddElement(m.root, "f", UNIT_FUNCTION), "B", "local");
    // Variable elements whose first unit is a function (a variable and a
    // function without parameters of one name are one element), a unit
    // without a record, or no unit at all.
    CModelScope* odd = AddElement(*a, "g", UNIT_VARIABLE);
    odd->declarations.push_back(m.Keep(m.source.FunctionUnit("g", {}, false)));
    CModelScope* bare = AddElement(*a, "h", UNIT_VARIABLE);
    bare->declarations.push_back(m.Keep(m.source.Unit(UNIT_VARIABLE, "B h ;")));
    AddElement(*a, "none", UNIT_VARIABLE);
    m.Link();
    EXPECT_EQ(Names(b->LinkedBy()), Names_t {});
    EXPECT_EQ(Names(b->LinkedByCv()), Names_t {});
}

TEST(TypeLinker, NestedScopesAndFirstOfTwoNames)
{
    LinkModel m;
    // Children are walked in name order: M before N, whatever the order
    // they were made in.
    CModelScope* n = AddElement(m.root, "N", UNIT_NAMESPACE);
    CModelScope* second = m.Class(*n, "B");
    CModelScope* m2 = AddElement(m.root, "M", UNIT_NAMESPACE);
    CModelScope* first = m.Class(*m2, "B");
    CModelScope* outer = m.Class(m.root, "Outer");
    CModelScope* inner = m.Class(*outer, "Inner", UNIT_UNION);
    m.Member(*inner, "N :: B", "b"); // looked up by its last name only
    m.Link();
    EXPECT_EQ(Names(first->LinkedBy()), Names_t {"Inner"});
    EXPECT_TRUE(second->LinkedBy().empty());
}

TEST(TypeLinker, RunningTwiceGivesTheSameLinksInCreationOrder)
{
    LinkModel m;
    CModelScope* b = m.Class(m.root, "B");
    // Made in this order; the names sort the other way.
    CModelScope* z = m.Class(m.root, "Z");
    CModelScope* y = m.Class(m.root, "Y");
    m.Member(*z, "B", "b");
    m.Member(*y, "B", "b");
    m.Link();
    m.Link();
    EXPECT_EQ(Names(b->LinkedBy()), (Names_t {"Z", "Y"}));
}

// Linking goes from the root through namespaces into classes only: a class
// below a placeholder or a function is not reached, one below nested
// namespaces and classes is.
TEST(TypeLinker, ReachedThroughNamespacesAndClassesOnly)
{
    LinkModel m;
    CModelScope* b = m.Class(m.root, "B");
    CModelScope* placeholder = AddElement(m.root, "P", UNIT_PLACEHOLDER);
    m.Member(*m.Class(*placeholder, "UnderPlaceholder"), "B", "b");
    CModelScope* f = AddElement(m.root, "f", UNIT_FUNCTION);
    m.Member(*m.Class(*f, "UnderFunction"), "B", "b");
    CModelScope* outer = AddElement(*AddElement(m.root, "N", UNIT_NAMESPACE), "O", UNIT_NAMESPACE);
    CModelScope* deep = m.Class(*m.Class(*outer, "C", UNIT_STRUCT), "Deep");
    m.Member(*deep, "B", "b");
    m.Link();
    EXPECT_EQ(Names(b->LinkedBy()), Names_t {"Deep"});
}

// The model builder sets the parents and indexes functions in the linker's
// walk: every element is visited once, before its children, with its
// holder, and the links use the parents set there.
TEST(TypeLinker, VisitorRunsInTheWalkBeforeLinking)
{
    LinkModel m;
    CModelScope* b = m.Class(m.root, "B");
    CModelScope* a = m.Class(m.root, "A");
    CModelScope* member = m.Member(*a, "B", "b");
    m.Member(*b, "int", "n");
    member->parent = nullptr; // only the visitor sets it again
    std::vector<std::string> visited;
    CTypeLinker linker(&m.root);
    linker.Run([&](CModelScope& scope, CModelScope* parent) {
        visited.push_back((parent ? parent->name.str() : std::string("-")) + "/" + scope.name);
        scope.parent = parent;
    });
    EXPECT_EQ(visited, (Names_t {"-/", "/A", "A/b", "/B", "B/n"}));
    EXPECT_EQ(member->parent, a);
    EXPECT_EQ(Names(b->LinkedBy()), Names_t {"A"});
}

// A root of many children is walked in runs on several threads: the types
// that keep a name (the first of it in walk order), the links and the
// parents the visitor sets are those of one walk.
TEST(TypeLinker, ThreadsLinkAsOneWalkDoes)
{
    std::string described[2];
    for (unsigned threads : {1u, 4u}) {
        LinkModel m;
        std::vector<CModelScope*> holders;
        for (int i = 0; i < 600; ++i) {
            const std::string n = std::to_string(i);
            // The same type name in many namespaces: the first keeps it.
            CModelScope* space = AddElement(m.root, "ns" + n, UNIT_NAMESPACE);
            m.Class(*space, "T" + std::to_string(i % 7));
            CModelScope* holder = m.Class(m.root, "H" + n, i % 3 == 0 ? UNIT_STRUCT : UNIT_CLASS);
            m.Member(*holder, "T" + std::to_string((i * 5) % 7), "t", i % 2 == 0);
            m.Member(*holder, "H" + std::to_string((i * 13) % 600), "h");
            holders.push_back(holder);
        }
        std::vector<std::string> visited;
        std::mutex visitedMutex;
        CTypeLinker linker(&m.root);
        linker.Run(
            [&](CModelScope& scope, CModelScope* parent) {
                scope.parent = parent;
                std::lock_guard lock(visitedMutex);
                visited.push_back((parent ? parent->name.str() : "-") + "/" + scope.name.str());
            },
            threads);
        std::sort(visited.begin(), visited.end());
        std::string& text = described[threads == 1 ? 0 : 1];
        for (const std::string& line : visited) {
            text += line + "\n";
        }
        const std::function<void(const CModelScope&)> describe = [&](const CModelScope& scope) {
            text += scope.name.str() + " <" + (scope.parent ? scope.parent->name.str() : "") + ">";
            for (const auto* links : {&scope.LinkedBy(), &scope.LinkedByCv()}) {
                for (const std::string& name : Names(*links)) {
                    text += " " + name;
                }
                text += " |";
            }
            text += "\n";
            if (scope.scopeChildren) {
                for (const CModelScope* child : *scope.scopeChildren) {
                    describe(*child);
                }
            }
        };
        describe(m.root);
    }
    EXPECT_NE(described[0].find("T3 <ns10> H"), std::string::npos);
    EXPECT_TRUE(described[1] == described[0]);
}
