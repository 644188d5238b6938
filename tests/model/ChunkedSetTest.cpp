#include "ChunkedSet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <random>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct Named {
    std::string name;
    int made = 0; // which addition made it
};

struct NameLess {
    bool operator()(const Named& a, const Named& b) const { return a.name < b.name; }
};

using Set = ChunkedSet<Named, NameLess>;

Named* Add(Set& set, const std::string& name, int made)
{
    const Named key {name};
    return set.FindOrAdd(key, [&] { return std::make_unique<Named>(Named {name, made}); });
}

std::vector<std::string> Names(const Set& set)
{
    std::vector<std::string> names;
    for (const auto& named : set) {
        names.push_back(named->name);
    }
    return names;
}

// Adds the names in the given order to a set and to a std::set, checking
// that both agree on order, size, what is found and which object a second
// addition of a name returns.
void AddAndCompare(const std::vector<std::string>& order)
{
    Set set;
    std::set<std::string> expected;
    std::vector<Named*> first;
    for (size_t i = 0; i < order.size(); ++i) {
        Named* named = Add(set, order[i], static_cast<int>(i));
        ASSERT_EQ(named->name, order[i]);
        if (expected.insert(order[i]).second) {
            EXPECT_EQ(named->made, static_cast<int>(i));
        } else {
            EXPECT_NE(named->made, static_cast<int>(i)) << order[i] << " was added twice";
        }
    }
    EXPECT_EQ(set.size(), expected.size());
    EXPECT_EQ(Names(set), std::vector<std::string>(expected.begin(), expected.end()));
    for (const std::string& name : expected) {
        const Named* found = set.Find(Named {name});
        ASSERT_NE(found, nullptr) << name;
        EXPECT_EQ(found->name, name);
    }
    EXPECT_EQ(set.Find(Named {"~ after every name"}), nullptr);
    EXPECT_EQ(set.Find(Named {" before every name"}), nullptr);
}

std::string NumberName(int i)
{
    return "v" + std::to_string(i);
}

} // namespace

TEST(ChunkedSet, StartsEmptyAndFindsNothing)
{
    Set set;
    EXPECT_TRUE(set.empty());
    EXPECT_EQ(set.size(), 0u);
    EXPECT_TRUE(set.begin() == set.end());
    EXPECT_EQ(set.Find(Named {"a"}), nullptr);
}

TEST(ChunkedSet, KeepsOrderAndOneObjectPerNameOverManyChunks)
{
    const int count = static_cast<int>(Set::kChunkSize) * 9 + 17;
    std::vector<std::string> ascending, descending, numbered, shuffled;
    for (int i = 0; i < count; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "n%07d", i);
        ascending.push_back(name);
        numbered.push_back(NumberName(i)); // v1, v10, v100 ... come in waves
    }
    descending.assign(ascending.rbegin(), ascending.rend());
    shuffled = ascending;
    std::mt19937 random(7);
    std::shuffle(shuffled.begin(), shuffled.end(), random);
    // Every name once more, in another order: each must find the first.
    std::vector<std::string> twice = shuffled;
    twice.insert(twice.end(), descending.begin(), descending.end());

    for (const auto* order : {&ascending, &descending, &numbered, &shuffled, &twice}) {
        SCOPED_TRACE(order->front());
        AddAndCompare(*order);
    }
}

// Names added in waves (v1, v10..v19, v100..v199, ...) land all over the
// set; the chunks still fill up rather than stay half empty after a cut.
TEST(ChunkedSet, ChunksStayNearlyFull)
{
    const int count = static_cast<int>(Set::kChunkSize) * 40;
    for (const bool reversed : {false, true}) {
        Set set;
        for (int i = 0; i < count; ++i) {
            Add(set, NumberName(reversed ? count - 1 - i : i), i);
        }
        ASSERT_EQ(set.size(), static_cast<size_t>(count));
        EXPECT_LE(set.Room(), set.size() + set.size() / 8) << reversed;
    }
}

TEST(ChunkedSet, AMakerThatThrowsLeavesTheSetAsItWas)
{
    Set set;
    auto fail = []() -> std::unique_ptr<Named> { throw std::runtime_error("no object"); };
    EXPECT_THROW(set.FindOrAdd(Named {"a"}, fail), std::runtime_error);
    EXPECT_TRUE(set.empty());
    EXPECT_TRUE(set.begin() == set.end());
    Add(set, "a", 1);
    Add(set, "c", 2);
    EXPECT_THROW(set.FindOrAdd(Named {"b"}, fail), std::runtime_error);
    EXPECT_EQ(Names(set), (std::vector<std::string> {"a", "c"}));
    EXPECT_EQ(set.FindOrAdd(Named {"c"}, fail)->made, 2); // found: nothing is made
}

TEST(ChunkedSet, AddedObjectsStayWhereTheyAreWhileChunksAreCut)
{
    Set set;
    std::vector<Named*> added;
    for (int i = 0; i < static_cast<int>(Set::kChunkSize) * 4; ++i) {
        added.push_back(Add(set, NumberName(i), i));
    }
    for (int i = 0; i < static_cast<int>(added.size()); ++i) {
        EXPECT_EQ(set.Find(Named {NumberName(i)}), added[static_cast<size_t>(i)]);
        EXPECT_EQ(added[static_cast<size_t>(i)]->made, i);
    }
}
