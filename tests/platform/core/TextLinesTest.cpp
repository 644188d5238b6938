#include "TextLines.h"

#include <gtest/gtest.h>

#include <string>

using Lines = std::vector<std::string_view>;

TEST(TextLines, LinesEndInLfOrCrLfAndAnOpenLastLineCounts)
{
    EXPECT_EQ(SplitLines(""), Lines {});
    EXPECT_EQ(SplitLines("\n"), Lines {""});
    EXPECT_EQ(SplitLines("a\r\n\nb"), (Lines {"a", "", "b"}));
    EXPECT_EQ(SplitLines("a\nb\r\n"), (Lines {"a", "b"}));
    // Only a carriage return right before the line end goes.
    EXPECT_EQ(SplitLines("a\rb\r\r\n"), (Lines {"a\rb\r"}));
    EXPECT_EQ(SplitLines("last\r"), (Lines {"last"}));
}

TEST(TextLines, NextLineMovesPastTheLineEnd)
{
    const std::string text = "one\r\ntwo";
    size_t pos = 0;
    EXPECT_EQ(NextLine(text, pos), "one");
    EXPECT_EQ(pos, 5u);
    EXPECT_EQ(NextLine(text, pos), "two");
    EXPECT_EQ(pos, text.size());
    EXPECT_EQ(NextLine(text, pos), "");
    EXPECT_EQ(pos, text.size());
}
