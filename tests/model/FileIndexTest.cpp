#include "FileIndex.h"
#include "IncludedFile.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<CSourceFile> Header(const std::string& path, int32_t size, int32_t mtime,
                                    int tokens)
{
    auto file = std::make_unique<CIncludedFile>(path.c_str(), nullptr, true);
    file->size = size;
    file->mtime = mtime;
    for (int k = 0; k < tokens; ++k) {
        file->scan.tokens.emplace_back(1, 46, "x");
    }
    return file;
}

} // namespace

TEST(FileIndex, SameIdentityAndCountKeepsTheFirstNumber)
{
    CFileIndex index;
    EXPECT_EQ(index.Add("a.h", 10, 100, 5, Header("a.h", 10, 100, 5)), 0);
    EXPECT_EQ(index.Add("a.h", 10, 100, 5, Header("a.h", 10, 100, 5)), 1);
    EXPECT_EQ(index.FindIndex("a.h", 10, 100, 5), 0);
    EXPECT_EQ(index.Add("a.h", 10, 100, 7, Header("a.h", 10, 100, 7)), 2);
    EXPECT_EQ(index.FindIndex("a.h", 10, 100, 7), 2);
    EXPECT_EQ(index.FirstIndex("a.h", 10, 100), 0);
    EXPECT_EQ(index.files.size(), 3u);
}

TEST(FileIndex, EditedHeaderIsANewIdentity)
{
    CFileIndex index;
    index.Add("a.h", 10, 100, 5, Header("a.h", 10, 100, 5));
    EXPECT_FALSE(index.Contains("a.h", 11, 100));
    EXPECT_FALSE(index.Contains("a.h", 10, 101));
    EXPECT_EQ(index.FindIndex("a.h", 10, 100, 6), -1);
    EXPECT_EQ(index.FirstIndex("b.h", 10, 100), -1);
}

TEST(FileIndex, LookupsIgnoreCase)
{
    CFileIndex index;
    index.Add("Inc\\Windows.H", 1, 2, 3, Header("Inc\\Windows.H", 1, 2, 3));
    EXPECT_TRUE(index.Contains("inc\\windows.h", 1, 2));
    EXPECT_TRUE(index.Contains("INC\\WINDOWS.H", 1, 2));
    EXPECT_TRUE(index.ContainsIndex("inc\\WINDOWS.h", 1, 2, 3));
    EXPECT_EQ(index.files[0]->path, "Inc\\Windows.H"); // the record keeps the path as given
}

TEST(FileIndex, RemoveUnmarkedRenumbersInOldOrder)
{
    CFileIndex index;
    index.Add("a.h", 1, 1, 1, Header("a.h", 1, 1, 1));
    index.Add("b.h", 1, 1, 1, Header("b.h", 1, 1, 1));
    index.Add("c.h", 1, 1, 1, Header("c.h", 1, 1, 1));
    index.RemoveUnmarked({true, false});
    EXPECT_EQ(index.files.size(), 3u); // wrong length: nothing changes
    index.RemoveUnmarked({true, false, true});
    ASSERT_EQ(index.files.size(), 2u);
    EXPECT_EQ(index.files[1]->path, "c.h");
    EXPECT_EQ(index.FindIndex("c.h", 1, 1, 1), 1);
    EXPECT_FALSE(index.Contains("b.h", 1, 1));
}

TEST(FileIndex, WithdrawnInstancesLeaveTheIdentityFindable)
{
    CFileIndex index;
    index.Add("a.h", 1, 1, 2, Header("a.h", 1, 1, 2));
    index.Add("a.h", 1, 1, 4, Header("a.h", 1, 1, 4));
    index.UpdateEntry(0);
    EXPECT_EQ(index.FirstIndex("a.h", 1, 1), 1);
    index.UpdateEntry(1);
    index.UpdateEntry(7); // not a file number: ignored
    EXPECT_TRUE(index.Contains("a.h", 1, 1));
    EXPECT_EQ(index.FirstIndex("a.h", 1, 1), -1);
    EXPECT_EQ(index.files.size(), 2u);
}
