#include "FunctionIndex.h"

#include "HandBuiltModel.h"
#include "UnitDetail.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

class FunctionIndexTest : public ::testing::Test {
protected:
    // A function element in a namespace of its own, whose units take
    // `parameters` parameters; `defined` adds a defining unit.
    CModelScope* Function(const std::string& name, int parameters, bool defined)
    {
        CModelScope* parent = model.Add(nullptr, "ns" + std::to_string(++spaces), UNIT_NAMESPACE);
        CModelScope* scope = model.Add(parent, name, UNIT_FUNCTION, 0, defined);
        for (CUnit* unit : scope->declarations)
            AsFunctionInfo(*unit)->parameters.resize(static_cast<size_t>(parameters));
        for (CUnit* unit : scope->definitions)
            AsFunctionInfo(*unit)->parameters.resize(static_cast<size_t>(parameters));
        return scope;
    }

    CModelScope* Find(int32_t parameters, std::string_view name) const
    {
        const auto found = table.find(CallKey {name, parameters});
        return found == table.end() ? nullptr : found->second;
    }

    HandBuiltModel model;
    FunctionIndex index;
    FunctionTable table;
    FunctionMap map;
    int spaces = 0;
};

// Filed at once, the functions come out as filed one by one in walk order.
TEST_F(FunctionIndexTest, FilesFunctionsAsMetInWalkOrder)
{
    CModelScope* declaredTwo = Function("f", 2, false);
    CModelScope* g = Function("g", 0, true);
    CModelScope* definedOne = Function("f", 1, true);
    CModelScope* definedTwo = Function("f", 2, true);
    CModelScope* variable = model.Add(nullptr, "f", UNIT_VARIABLE);
    // A variable and a function of one name are one element: the parameter
    // count is the function unit's.
    CModelScope* mixed =
        model.Add(model.Add(nullptr, "mixed", UNIT_NAMESPACE), "f", UNIT_VARIABLE, 0, false);
    mixed->kind = UNIT_FUNCTION;
    mixed->definitions.push_back(model.MakeUnit(UNIT_FUNCTION, 0));
    AsFunctionInfo(*mixed->definitions.front())->parameters.resize(3);
    // Without a function unit: in the map, not in the table.
    CModelScope* noRecord = model.Add(nullptr, "h", UNIT_VARIABLE);
    noRecord->kind = UNIT_FUNCTION;
    // Many of one name: their units stay in walk order.
    std::vector<CModelScope*> many;
    for (int i = 0; i < 40; ++i)
        many.push_back(Function("k", i % 3, true));

    for (CModelScope* scope : {declaredTwo, g, definedOne, definedTwo, variable, mixed, noRecord})
        index.Add(*scope);
    for (CModelScope* scope : many)
        index.Add(*scope);
    index.FileInto(table, map);

    EXPECT_EQ(Find(2, "f"), declaredTwo); // the first met keeps its key
    EXPECT_EQ(Find(1, "f"), definedOne);
    EXPECT_EQ(Find(3, "f"), mixed);
    EXPECT_EQ(Find(0, "g"), g);
    EXPECT_EQ(Find(0, "k"), many[0]);
    EXPECT_EQ(Find(1, "k"), many[1]);
    EXPECT_EQ(Find(2, "k"), many[2]);
    EXPECT_EQ(table.size(), 7u);

    ASSERT_EQ(map.size(), 4u);
    const FunctionDefinitions& f = map.at("f");
    EXPECT_EQ(f.element, definedOne); // the first with a definition
    const std::vector<CUnit*> fUnits(f.units.begin(), f.units.end());
    EXPECT_EQ(fUnits,
        (std::vector<CUnit*> {definedOne->definitions.front(), definedTwo->definitions.front(),
            mixed->definitions.front()}));
    EXPECT_EQ(f.count, 3);
    EXPECT_EQ(map.at("h").element, noRecord);
    EXPECT_EQ(map.at("h").count, 0);
    const FunctionDefinitions& k = map.at("k");
    EXPECT_EQ(k.element, many[0]);
    ASSERT_EQ(k.count, 40);
    for (size_t i = 0; i < many.size(); ++i)
        EXPECT_EQ(k.units[i], many[i]->definitions.front()) << i;
}

// Entries made before stay first.
TEST_F(FunctionIndexTest, EntriesFiledBeforeComeFirst)
{
    CModelScope* before = Function("g", 1, true);
    index.Add(*before);
    index.FileInto(table, map);
    CModelScope* later = Function("g", 1, true);
    CModelScope* other = Function("a", 0, false);
    index.Add(*later);
    index.Add(*other);
    index.FileInto(table, map);

    EXPECT_EQ(Find(1, "g"), before);
    EXPECT_EQ(Find(0, "a"), other);
    const FunctionDefinitions& g = map.at("g");
    EXPECT_EQ(g.element, before);
    ASSERT_EQ(g.count, 2);
    EXPECT_EQ(g.units[0], before->definitions.front());
    EXPECT_EQ(g.units[1], later->definitions.front());
}

// A tree is noted in the type linker's walk: an element's children before
// its next sibling.
TEST_F(FunctionIndexTest, ATreeIsNotedDepthFirst)
{
    CModelScope* inner =
        model.Add(model.Add(nullptr, "b", UNIT_NAMESPACE), "f", UNIT_FUNCTION, 0, true);
    CModelScope* outer = model.Add(nullptr, "f", UNIT_FUNCTION, 0, true);
    CModelScope* later =
        model.Add(model.Add(nullptr, "g", UNIT_CLASS), "f", UNIT_FUNCTION, 0, true);
    index.AddTree(model.root);
    index.FileInto(table, map);

    EXPECT_EQ(Find(0, "f"), inner);
    const FunctionDefinitions& f = map.at("f");
    ASSERT_EQ(f.count, 3);
    EXPECT_EQ(f.units[0], inner->definitions.front());
    EXPECT_EQ(f.units[1], outer->definitions.front());
    EXPECT_EQ(f.units[2], later->definitions.front());
}

} // namespace

namespace {

// The function map and table as text: names, counts, units and elements.
std::string Described(const FunctionTable& table, const FunctionMap& map)
{
    std::string text;
    for (const auto& [key, scope] : table) {
        text += std::string(key.name) + "/" + std::to_string(key.count) + " " +
            std::to_string(reinterpret_cast<uintptr_t>(scope)) + "\n";
    }
    for (const auto& [name, entry] : map) {
        text += std::string(name) + " " + std::to_string(entry.count) + " " +
            std::to_string(reinterpret_cast<uintptr_t>(entry.element));
        for (const CUnit* unit : entry.units) {
            text += " " + std::to_string(reinterpret_cast<uintptr_t>(unit));
        }
        text += "\n";
    }
    return text;
}

} // namespace

// A root of many children is walked in runs on several threads: the
// functions are filed as one walk files them, namesakes across the runs
// in walk order.
TEST_F(FunctionIndexTest, ThreadsFileAsOneWalkDoes)
{
    for (int i = 0; i < 500; ++i) {
        const std::string name = "f" + std::to_string(i % 37);
        Function(name, i % 4, i % 3 != 0);
        if (i % 5 == 0) {
            model.Add(nullptr, name + "_" + std::to_string(i), UNIT_FUNCTION, 0, i % 2 == 0);
        }
    }
    index.AddTree(model.root);
    index.FileInto(table, map);
    const std::string one = Described(table, map);
    FunctionIndex threaded;
    FunctionTable threadedTable;
    FunctionMap threadedMap;
    threaded.AddTree(model.root, 4);
    threaded.FileInto(threadedTable, threadedMap);
    EXPECT_EQ(map.at("f5").count, 9);
    EXPECT_TRUE(Described(threadedTable, threadedMap) == one);
}
