#include "MacroDefinition.h"
#include "MacroTableDigest.h"
#include "ScanHelpers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A table and its digest, changed one #define or #undef line at a time as
// the preprocessor changes them.
struct DigestedTable {
    MacroTable macros;
    MacroTableDigest digest;

    void Line(const std::string& line)
    {
        const std::vector<PPToken> tokens = ScanText(line + "\n");
        CDefineProcessor define(tokens, macros, StandardOutputSink());
        define.Parse(0);
        ASSERT_TRUE(define.Completed()) << line;
        digest.Change(define.Name(), define.Replaced(), define.Stored());
    }
    // The digest worked out from the whole table.
    uint64_t Whole() const
    {
        MacroTableDigest whole;
        whole.Reset(macros);
        return whole.Value();
    }
};

} // namespace

TEST(MacroTableDigest, FollowsEveryChangeOfTheTable)
{
    DigestedTable table;
    const uint64_t empty = table.Whole();
    EXPECT_EQ(table.digest.Value(), empty);
    for (const char* line : {"#define A 1", "#define A 2", "#define F(x) (x) + A", "#undef A",
             "#undef NEVER", "#define A 1", "#define A 1", "#undef F"}) {
        table.Line(line);
        EXPECT_EQ(table.digest.Value(), table.Whole()) << line;
    }
    table.Line("#undef A");
    EXPECT_EQ(table.digest.Value(), empty);
}

TEST(MacroTableDigest, TablesOfTheSameDefinitionsAgreeHoweverTheyGotThere)
{
    DigestedTable direct;
    direct.Line("#define A 2");
    direct.Line("#define B(x) x");
    DigestedTable winding;
    winding.Line("#define B 7");
    winding.Line("#define A 1");
    winding.Line("#undef B");
    winding.Line("#define B(x) x");
    winding.Line("#define A 2");
    EXPECT_EQ(direct.digest.Value(), winding.digest.Value());
    DigestedTable other;
    other.Line("#define A 2");
    other.Line("#define B(y) y");
    EXPECT_NE(direct.digest.Value(), other.digest.Value());
}
