#include "CallRecord.h"
#include "SortedVectorMap.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace {

std::string Keys(const FunctionTable& table)
{
    std::string text;
    for (const auto& [key, scope] : table) {
        text += std::string(key.name) + "/" + std::to_string(key.count) + " ";
    }
    return text;
}

CModelScope* Scope(uintptr_t n)
{
    return reinterpret_cast<CModelScope*>(n * 8);
}

} // namespace

// Keys added in order, out of order and twice: the entries stay sorted,
// every key is found, and a key added again keeps its first value.
TEST(SortedVectorMap, KeepsKeysSortedAndTheFirstValueOfAKey)
{
    FunctionTable table;
    table.try_emplace(CallKey {"draw", 1}, Scope(1));
    table.try_emplace(CallKey {"main", 0}, Scope(2));
    table.try_emplace(CallKey {"draw", 0}, Scope(3)); // before the last
    table.try_emplace(CallKey {"area", 2}, Scope(4)); // before all
    const auto again = table.try_emplace(CallKey {"draw", 1}, Scope(5));
    EXPECT_FALSE(again.second);
    EXPECT_EQ(again.first->second, Scope(1));
    table.try_emplace(CallKey {"main", 0}, Scope(6)); // the last, again
    table[CallKey {"zoom", 3}] = Scope(7);

    EXPECT_EQ(Keys(table), "area/2 draw/0 draw/1 main/0 zoom/3 ");
    EXPECT_EQ(table.find(CallKey {"draw", 0})->second, Scope(3));
    EXPECT_EQ(table.find(CallKey {"draw", 1})->second, Scope(1));
    EXPECT_EQ(table.find(CallKey {"main", 0})->second, Scope(2));
    EXPECT_EQ(table.find(CallKey {"draw", 2}), table.end());
    EXPECT_EQ(table.find(CallKey {"a", 0}), table.end());
    EXPECT_EQ(table.find(CallKey {"zz", 0}), table.end());
}

TEST(SortedVectorMap, AtThrowsForAMissingKeyAndClearForgetsAll)
{
    SortedVectorMap<std::string_view, int> map;
    EXPECT_EQ(map.find("x"), map.end());
    EXPECT_THROW(map.at("x"), std::out_of_range);
    map.reserve(100);
    for (const char* name : {"b", "a", "c"}) {
        map[name] = static_cast<int>(map.size());
    }
    map.shrink_to_fit();
    EXPECT_EQ(map.at("a"), 1);
    EXPECT_EQ(map.begin()->first, "a");
    EXPECT_THROW(map.at("d"), std::out_of_range);
    map.clear();
    EXPECT_TRUE(map.empty());
    EXPECT_EQ(map.find("a"), map.end());
}
