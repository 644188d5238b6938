#include "AbsolutePath.h"

#include <gtest/gtest.h>

#include <filesystem>

TEST(AbsolutePath, RelativePathsJoinTheCurrentFolderAndDotsGo)
{
    const std::filesystem::path current = std::filesystem::current_path();
    EXPECT_EQ(AbsolutePath("a/./b/../c.kst"), (current / "a/c.kst").string());
    EXPECT_EQ(AbsolutePath("/x//y/../z/./p.kst"), "/x/z/p.kst");
}
