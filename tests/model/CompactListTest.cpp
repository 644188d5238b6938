#include "CompactList.h"
#include "FileNumberSet.h"
#include "FilePathRef.h"
#include "LazyVector.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

template <class List> auto Values(const List& list)
{
    return std::vector<typename List::value_type>(list.begin(), list.end());
}

} // namespace

TEST(CompactList, HoldsOneValueInItsWordAndMoreInABlock)
{
    int a = 0, b = 0, c = 0;
    CompactList<int*> list;
    EXPECT_TRUE(list.empty());
    list.push_back(&a);
    EXPECT_EQ(Values(list), (std::vector<int*> {&a}));
    EXPECT_EQ(list.front(), &a);
    list.push_back(&b);
    list.push_back(&c);
    EXPECT_EQ(Values(list), (std::vector<int*> {&a, &b, &c}));
    EXPECT_EQ(list.back(), &c);

    // A null first value cannot stand for itself in the word.
    CompactList<int*> withNull;
    withNull.push_back(nullptr);
    EXPECT_EQ(withNull.size(), 1u);
    EXPECT_EQ(withNull.front(), nullptr);
    withNull.push_back(&a);
    EXPECT_EQ(Values(withNull), (std::vector<int*> {nullptr, &a}));

    // Copies and moves keep the values; the moved-from list is empty.
    CompactList<int*> copy = list;
    CompactList<int*> moved = std::move(list);
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(copy, moved);
    copy.clear();
    EXPECT_FALSE(copy == moved);
    CompactList<int*> single;
    single.push_back(&b);
    copy = single;
    EXPECT_EQ(Values(copy), (std::vector<int*> {&b}));

    const std::string path = "a.h";
    CompactList<FilePathRef> files;
    files.push_back(path);
    files.push_back(path);
    EXPECT_EQ(files.size(), 2u);
    EXPECT_EQ(files[1].Path(), "a.h");
}

TEST(FileNumberSet, KeepsEachNumberOnceInAscendingOrder)
{
    FileNumberSet numbers;
    for (int n : {4, 9, 4, 2, 9, 7, 0}) {
        numbers.insert(n);
    }
    EXPECT_EQ(std::vector<int>(numbers.begin(), numbers.end()), (std::vector<int> {0, 2, 4, 7, 9}));
    EXPECT_EQ(numbers.count(7), 1u);
    EXPECT_EQ(numbers.count(5), 0u);
}

TEST(LazyVector, StaysWithoutAVectorUntilSomethingIsPutIn)
{
    const std::vector<std::string>& shared = LazyVector<std::string>().Read();
    LazyVector<std::string> scopes;
    const std::vector<std::string> none;
    scopes.insert(scopes.end(), none.begin(), none.end());
    EXPECT_EQ(&scopes.Read(), &shared); // still the shared empty one
    scopes = std::vector<std::string>();
    EXPECT_EQ(&scopes.Read(), &shared);
    const std::vector<std::string> names {"N", "M"};
    scopes.insert(scopes.end(), names.begin(), names.end());
    scopes.insert(scopes.begin() + 1, names.begin(), names.begin() + 1);
    EXPECT_EQ(scopes, (std::vector<std::string> {"N", "N", "M"}));
    LazyVector<std::string> copy = scopes;
    scopes.resize(0);
    EXPECT_TRUE(scopes.empty());
    EXPECT_EQ(copy.at(2), "M");
    EXPECT_THROW(scopes.at(0), std::out_of_range);
}
