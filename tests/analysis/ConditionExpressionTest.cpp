#include "ConditionExpression.h"
#include "PreprocessHelpers.h"
#include "PreprocessorFailure.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

// The value of "#if <condition>" with the macros defined by `defines` (a
// run of #define lines).
int32_t Eval(const std::string& condition, const std::string& defines = "")
{
    PreprocessRun run;
    run.Text(defines);
    MacroTable macros = run.file->macros;
    const std::vector<PPToken> tokens = ScanText("#if " + condition + "\n");
    return EvaluateCondition(tokens, 2, macros);
}

std::string FailureOf(const std::string& condition)
{
    try {
        CapturedOutput quiet;
        Eval(condition);
    } catch (const std::exception& failure) {
        return failure.what();
    }
    return "no failure";
}

} // namespace

TEST(ConditionExpression, DefinedAndMacros)
{
    const std::string defs = "#define A\n#define VERSION 0x0500\n#define TWICE(x) ((x) * 2)\n";
    EXPECT_EQ(Eval("defined(A) && !defined(X)", defs), 1);
    EXPECT_EQ(Eval("defined A && defined VERSION", defs), 1);
    EXPECT_EQ(Eval("VERSION >= 0x0400", defs), 1);
    EXPECT_EQ(Eval("UNDEFINED_NAME"), 0);
    EXPECT_EQ(Eval("TWICE(3) == 6", defs), 1);
    EXPECT_EQ(Eval("TWICE == 0", defs), 1); // no '(': the name stays and becomes 0
    EXPECT_EQ(Eval("defined(const)", "#define const\n"), 1);
}

// Signed 32-bit arithmetic with wrap-around; division never faults.
TEST(ConditionExpression, OperatorsAndPrecedence)
{
    const std::pair<const char*, int32_t> cases[] = {
        {"1 + 2 * 3", 7},
        {"(1 + 2) * 3", 9},
        {"2 - 1 - 1", 0},
        {"-1 < 0", 1},
        {"1 << 4 | 1", 17},
        {"-16 >> 2", -4},
        {"~0", -1},
        {"7 % 3 + 7 / 2", 4},
        {"-7 / 2", -3},
        {"-7 % 2", -1},
        {"X == (Y) + 1", 0},
        {"'A' == 65", 1},
        {"'\\n'", 92}, // escapes are not decoded
        {"4294967296", -1},
        {"0777 + 0x10 + 10UL", 511 + 16 + 10},
        {"1 && 0", 0},
        {"0 || 5", 1},
        {"1 ? 2 : 3", 2},
        {"0 ? 1 : 0 ? 2 : 3", 3},
        {"1 ? 0 ? 4 : 5 : 6", 5},
        {"!!5", 1},
        {"!!0", 0},
        {"- -3", 3},
        {"!defined(A) || -1", 1},
        {"10 / 0", 0},
        {"10 % 0", 0},
        {"(-2147483647 - 1) / -1", INT_MIN},
        {"(-2147483647 - 1) % -1", 0},
        {"2147483647 + 1", INT_MIN},
    };
    for (const auto& [condition, value] : cases) {
        EXPECT_EQ(Eval(condition), value) << condition;
    }
}

TEST(ConditionExpression, MalformedConditionsFailWithTheirTexts)
{
    const std::pair<const char*, const char*> cases[] = {
        {"", "#if, #elif 문에 식이 없습니다."},
        {"1 +", "#if, #elif문에 연산자만 있습니다.(binary)"},
        {"!", "#if, #elif문에 연산자만 있습니다.(unary)"},
        {"1 2", "#if, #elif 문에 식이 없습니다."},
        {"? 1 : 2", "#if, #elif문에 연산자만 있습니다.(triple)"},
        {"1.5", "Unknown Operator"},
        {"\"text\"", "Unknown Operator"},
    };
    for (const auto& [condition, failure] : cases) {
        EXPECT_EQ(FailureOf(condition), failure) << condition;
    }
    CapturedOutput out;
    EXPECT_THROW(Eval("1.5"), PreprocessorFailure);
    EXPECT_EQ(out.str(), "43  is not Allowed By Preprocessing Expression\n");
}

TEST(ConditionExpression, ConditionMustEndWithItsLine)
{
    const std::vector<PPToken> tokens = ScanText("#if 1");
    EXPECT_THROW(EvaluateCondition(tokens, 2, MacroTable {}), PreprocessorFailure);
    const std::vector<PPToken> dangling = ScanText("#if defined");
    EXPECT_THROW(EvaluateCondition(dangling, 2, MacroTable {}), std::out_of_range);
}

TEST(ConditionExpression, NegativePredefinedWordsAndLongLongSuffixes)
{
    PreprocessRun run;
    run.input.defines = {{"NEG", -5}, {"MIN", -2147483647 - 1}};
    run.Text("");
    const std::pair<const char*, int32_t> cases[] = {
        {"NEG", -5},
        {"NEG < 0", 1},
        {"NEG + 10", 5},
        {"-NEG", 5},
        {"MIN < NEG", 1},
        {"1ULL << 3", 8},
        {"0x10ULL == 16", 1},
        {"7LLU % 4", 3},
        {"1ull && 2LL", 1},
        // Digit separators and binary numbers.
        {"1'000'000 == 1000000", 1},
        {"0x7F'FF + 1", 0x8000},
        {"0b1010'0001 == 161", 1},
        {"0B11u", 3},
    };
    for (const auto& [condition, value] : cases) {
        const std::vector<PPToken> tokens = ScanText(std::string("#if ") + condition + "\n");
        EXPECT_EQ(EvaluateCondition(tokens, 2, run.file->macros), value) << condition;
    }
}

// Deep conditions are refused before they can exhaust the stack; parentheses
// alone build no tree and stay fine.
TEST(ConditionExpression, NestingIsBounded)
{
    const int deep = 300000;
    const std::string parentheses = std::string(deep, '(') + "1" + std::string(deep, ')');
    EXPECT_EQ(Eval(parentheses), 1);
    std::string within;
    for (int i = 0; i < 1000; ++i) {
        within += "1 + ";
    }
    EXPECT_EQ(Eval(within + "1"), 1001);
    std::string chain;
    for (int i = 0; i < deep; ++i) {
        chain += "1 + ";
    }
    std::string prefixes;
    for (int i = 0; i < deep; ++i) {
        prefixes += "- ";
    }
    for (const std::string& condition :
        {chain + "1", prefixes + "1", "(" + prefixes + "1) ? 1 : 0"}) {
        CapturedOutput out;
        EXPECT_EQ(FailureOf(condition), "#if, #elif condition nested too deeply");
    }
}
