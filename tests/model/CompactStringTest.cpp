#include "CompactString.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>

TEST(CompactString, HoldsShortAndLongTextsWithTheirEnd)
{
    EXPECT_EQ(sizeof(CompactString), 16u);
    // Both sides of the longest text kept in the object, and none at all.
    for (const std::string& text : {std::string(), std::string("v"), std::string(14, 'a'),
             std::string(15, 'b'), std::string(300, 'c'), std::string("operator <=")}) {
        const CompactString compact(text);
        EXPECT_EQ(compact.size(), text.size());
        EXPECT_EQ(compact.empty(), text.empty());
        EXPECT_EQ(std::string(compact.c_str()), text) << "ends with a NUL";
        EXPECT_EQ(compact.str(), text);
        EXPECT_EQ(compact, text);
    }
}

TEST(CompactString, CopiesMovesAndReplacementsOwnTheirText)
{
    const std::string longText(40, 'x');
    CompactString a(longText);
    CompactString b = a;
    b = "short";
    EXPECT_EQ(a, longText);
    EXPECT_EQ(b, "short");

    CompactString c = std::move(a);
    EXPECT_EQ(c, longText);
    EXPECT_TRUE(a.empty()); // a moved-from text is empty
    a = c; // long into short and back
    c = b;
    EXPECT_EQ(a, longText);
    EXPECT_EQ(c, "short");
    c = std::move(a);
    EXPECT_EQ(c, longText);
    c.clear();
    EXPECT_TRUE(c.empty());
    EXPECT_EQ(std::string(c.c_str()), "");
    c = c; // keeps the text
    b = b;
    EXPECT_EQ(b, "short");
}

TEST(CompactString, ComparesLikeItsText)
{
    const CompactString a("alpha"), b("beta"), longer(std::string(20, 'a'));
    EXPECT_LT(a, b);
    EXPECT_LT(longer, a); // "aaaa..." before "alpha"
    EXPECT_EQ(a.compare("alpha"), 0);
    EXPECT_LT(a.compare("alphabet"), 0);
    EXPECT_TRUE(a.starts_with("al"));
    EXPECT_EQ(a.substr(2), "pha");
    EXPECT_EQ("<" + a + ">", "<alpha>");
    std::ostringstream out;
    out << b;
    EXPECT_EQ(out.str(), "beta");
}
