#include "FileType.h"

#include <gtest/gtest.h>

TEST(ProjectFileTest, FileTypesByEnding)
{
    const std::pair<const char*, int> types[] = {{"a.cpp", 1}, {"A.CPP", 1}, {"a.cpp\"", 1},
        {"a.cc", 1}, {"a.c", 1}, {"a.dsp", 2}, {"a.DSW", 3}, {"a.kst", 4}, {"a.VCPROJ", 5},
        {"a.h", 0}, {"a.cxx", 0}, {"cpp", 0}, {"a.kst.bak", 0}};
    for (const auto& [path, type] : types)
        EXPECT_EQ(GetFileType(path), type) << path;
}
