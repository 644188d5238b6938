#include "ModelScope.h"
#include "TokenType.h"

#include <gtest/gtest.h>

namespace {

// Gives the element a name and one token vector per parameter.
void SetKey(CModelScope& scope, const std::string& name,
    const std::vector<std::vector<PPToken>>& parameters)
{
    scope.name = name;
    scope.parameterKey = parameters;
}

PPToken Word(int type)
{
    return PPToken(0, type, nullptr);
}
PPToken Ident(const char* text)
{
    return PPToken(0, IDENTIFIER, text);
}

bool Less(const CModelScope& a, const CModelScope& b)
{
    return FunctionKeyLess()(a, b);
}

} // namespace

TEST(ModelScope, FunctionKeysTellOverloadsApart)
{
    CModelScope fInt, fLong, fA, fB, fConstInt, fIntX, fIntY;
    SetKey(fInt, "f", {{Word(WORD_INT)}});
    SetKey(fLong, "f", {{Word(WORD_LONG)}});
    SetKey(fA, "f", {{Ident("A")}});
    SetKey(fB, "f", {{Ident("B")}});
    SetKey(fConstInt, "f", {{Word(WORD_CONST), Word(WORD_INT)}});
    EXPECT_TRUE(Less(fInt, fLong) != Less(fLong, fInt));
    EXPECT_TRUE(Less(fA, fB));
    EXPECT_FALSE(Less(fB, fA));
    EXPECT_TRUE(Less(fInt, fConstInt)); // fewer tokens first
    // Texts of tokens other than identifiers are not compared.
    SetKey(fIntX, "f", {{PPToken(0, INTEGERNUMBER, "1")}});
    SetKey(fIntY, "f", {{PPToken(0, INTEGERNUMBER, "2")}});
    EXPECT_FALSE(Less(fIntX, fIntY));
    EXPECT_FALSE(Less(fIntY, fIntX));
}

TEST(ModelScope, NamesOrderByteWiseAndFewerParametersFirst)
{
    CModelScope ab, abc, abd, none, one;
    ab.name = "ab";
    abc.name = "abc";
    abd.name = "abd";
    EXPECT_TRUE(Less(ab, abc));
    EXPECT_TRUE(Less(abc, abd));
    SetKey(none, "g", {});
    SetKey(one, "g", {{Word(WORD_INT)}});
    EXPECT_TRUE(Less(none, one));
}

TEST(ModelScope, ChildSetMergesSameKeyWhateverTheKind)
{
    CModelScope root;
    root.kind = UNIT_ROOT;
    CModelScope key;
    key.name = "Shape";
    key.kind = UNIT_CLASS;
    CModelScope* first = root.AddChild(key);
    key.kind = UNIT_NAMESPACE;
    CModelScope* second = root.AddChild(key);
    EXPECT_EQ(first, second);
    EXPECT_EQ(first->kind, UNIT_CLASS);
    EXPECT_EQ(first->parent, &root);
    key.name = "Area";
    root.AddChild(key);
    ASSERT_EQ(root.scopeChildren->size(), 2u);
    EXPECT_EQ((*root.scopeChildren->begin())->name, "Area");
    EXPECT_EQ(root.FindChild(key)->name, "Area");
    key.name = "Missing";
    EXPECT_EQ(root.FindChild(key), nullptr);
}

TEST(ModelScope, FirstAndDefiningUnits)
{
    CUnit declared, defined;
    CModelScope scope;
    EXPECT_EQ(scope.GetFirstUnit(), nullptr);
    scope.definitions.push_back(&defined);
    EXPECT_EQ(scope.GetFirstUnit(), &defined);
    scope.declarations.push_back(&declared);
    EXPECT_EQ(scope.GetFirstUnit(), &declared);
    EXPECT_EQ(scope.GetDefiningUnit(), &defined);
}

TEST(ModelScope, LinkSetsIterateInCreationOrder)
{
    // A model has an element per declared name: they are kept small, the
    // link sets that nearly all leave empty in one block made when needed.
    EXPECT_LE(sizeof(CModelScope), 104u);
    CModelScope type;
    CModelScope holder;
    type.AddLink(&holder, true);
    EXPECT_TRUE(type.LinkedBy().empty());
    EXPECT_EQ(type.LinkedByCv().size(), 1u);
    type.ClearLinks();
    EXPECT_TRUE(type.LinkedByCv().empty());

    std::vector<std::unique_ptr<CModelScope>> made;
    for (int k = 0; k < 50; ++k) {
        made.push_back(std::make_unique<CModelScope>());
    }
    ScopeLinkSet links;
    for (int k = 49; k >= 0; k -= 3) {
        links.insert(made[k].get());
    }
    uint64_t last = 0;
    bool firstSeen = false;
    for (CModelScope* s : links) {
        if (firstSeen) {
            EXPECT_GT(s->CreationNumber(), last);
        }
        last = s->CreationNumber();
        firstSeen = true;
    }
}

TEST(ModelScope, DestroyingTheRootLeavesUnitsAlone)
{
    CUnit unit;
    unit.kind = UNIT_FUNCTION;
    {
        FunctionMap functions;
        CModelScope root;
        CModelScope key;
        key.name = "ns";
        CModelScope* ns = root.AddChild(key);
        key.name = "f";
        CModelScope* f = ns->AddChild(key);
        f->definitions.push_back(&unit);
        functions[f->name].units.push_back(&unit);
        functions[f->name].count = 1;
    }
    EXPECT_EQ(unit.kind, UNIT_FUNCTION);
}

TEST(ParameterKey, ComparesWholeKeysAndSurvivesCopies)
{
    const std::vector<std::vector<PPToken>> ab = {{Ident("A")}, {Word(WORD_CONST), Ident("B")}};
    const std::vector<std::vector<PPToken>> abc = {{Ident("A")}, {Word(WORD_CONST), Ident("BC")}};
    const ParameterKey first(ab);
    ParameterKey copy(first);
    ParameterKey other(abc);
    EXPECT_EQ(ParameterKey::Compare(first, copy), 0);
    EXPECT_EQ(ParameterKey::Compare(first, other), -1); // "B" before "BC"
    EXPECT_EQ(ParameterKey::Compare(other, first), 1);
    // Two parameters of one token each come after one of three tokens.
    const ParameterKey twoShort({{Word(WORD_INT)}, {Word(WORD_INT)}});
    const ParameterKey oneLong({{Word(WORD_CONST), Word(WORD_INT), Word(STAR)}});
    EXPECT_EQ(ParameterKey::Compare(oneLong, twoShort), -1);
    // An identifier without text reads as an empty one.
    EXPECT_EQ(ParameterKey::Compare(
                  ParameterKey({{PPToken(0, IDENTIFIER, nullptr)}}), ParameterKey({{Ident("")}})),
        0);
    copy = other;
    other.clear();
    EXPECT_TRUE(other.empty());
    EXPECT_EQ(ParameterKey::Compare(copy, ParameterKey(abc)), 0);
    EXPECT_EQ(ParameterKey::Compare(other, ParameterKey()), 0);
}

// A builder packs what the token lists give; a packed block stays the
// builder's until it packs again, and finds the child made with that key.
TEST(ParameterKey, ABuilderPacksKeysAsTokenListsDo)
{
    ParameterKey::Builder builder;
    EXPECT_EQ(builder.Pack(), nullptr); // no parameters
    builder.Start();
    builder.Add(WORD_CONST, nullptr);
    builder.Add(IDENTIFIER, "B");
    const ParameterKey taken = builder.Take();
    EXPECT_EQ(ParameterKey::Compare(taken, ParameterKey({{Word(WORD_CONST), Ident("B")}})), 0);
    builder.Start();
    builder.Add(IDENTIFIER, "BC");
    builder.Start();
    const char* packed = builder.Pack();
    const ParameterKey listed({{Ident("BC")}, {}});
    EXPECT_EQ(ParameterKey::Compare(packed, listed.Packed()), 0);
    EXPECT_EQ(ParameterKey::Compare(ParameterKey(packed), listed), 0);
    EXPECT_EQ(ParameterKey::Compare(taken.Packed(), packed), -1); // one parameter before two
    EXPECT_EQ(ParameterKey::Compare(packed, nullptr), 1);

    CModelScope parent;
    CModelScope* withKey = parent.AddChild("f", packed, UNIT_FUNCTION, true);
    CModelScope* without = parent.AddChild("f", nullptr, UNIT_FUNCTION, false);
    EXPECT_NE(withKey, without);
    EXPECT_EQ(ParameterKey::Compare(withKey->parameterKey, listed), 0);
    EXPECT_TRUE(withKey->fromProjectFile);
    EXPECT_EQ(withKey->parent, &parent);
    EXPECT_EQ(parent.AddChild("f", listed.Packed(), UNIT_VARIABLE, false), withKey);
    EXPECT_EQ(withKey->kind, UNIT_FUNCTION);
    EXPECT_EQ(parent.FindChild(ChildKey {"f", nullptr}), without);
    EXPECT_EQ(parent.FindChild(ChildKey {"f", taken.Packed()}), nullptr);
}
