#include "PreprocessHelpers.h"
#include "ReferencePreprocessor.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// Random source lines built from the situations the preprocessor meets:
// definitions (object- and function-like, redefinitions, #undef), uses with
// nested and missing arguments, conditional groups (nested, unclosed, #elif
// chains, #else with trailing words), #pragma once, framework macros,
// directive words used as names, and a last line without a line end.
std::string RandomSource(std::mt19937& random)
{
    static const char* const names[] = {"A", "B", "F", "G", "X", "line", "once", "EMPTY"};
    static const char* const lines[] = {
        "#define A 1\n",
        "#define B A + 2\n",
        "#define F(x, y) (x * y)\n",
        "#define G(x) F(x, A)\n",
        "#define X\n",
        "#define EMPTY\n",
        "#define H() hidden\n",
        "#undef A\n",
        "#undef F\n",
        "#if A\n",
        "#if defined(B) && !defined X\n",
        "#if F(2, 3) > 5\n",
        "#if G(1) || B\n",
        "#ifdef X\n",
        "#ifndef A\n",
        "#ifdef A B\n",
        "#elif 1\n",
        "#elif A - 1\n",
        "#else\n",
        "#else junk\n",
        "#endif\n",
        "#endif trailing\n",
        "#pragma once\n",
        "#pragma pack(1)\n",
        "#line 7\n",
        "#error message\n",
        "#\n",
        "int line = A;\n",
        "x = F(A, (B, 2)) + G(3);\n",
        "y = F(1,,2);\n",
        "z = F;\n",
        "w = G(\n",
        ")\n",
        "afx_msg void OnPaint();\n",
        "DECLARE_DYNAMIC(C)\n",
        "BEGIN_MESSAGE_MAP(C, B)\n",
        "END_MESSAGE_MAP()\n",
        "include define pragma undef elif;\n",
        "#if 1 +\n",
        "#if\n",
        "call(EMPTY, X);\n",
        "H() H\n",
    };
    std::string source;
    const int count = 1 + static_cast<int>(random() % 40);
    for (int k = 0; k < count; ++k) {
        if (random() % 9 == 0) {
            source += names[random() % (sizeof(names) / sizeof(names[0]))];
            source += random() % 2 ? " " : "\n";
        } else {
            source += lines[random() % (sizeof(lines) / sizeof(lines[0]))];
        }
    }
    if (random() % 4 == 0 && !source.empty()) {
        source.pop_back(); // no line end at the end
    }
    return source;
}

struct Result {
    std::vector<PPToken> tokens;
    MacroTable macros;
};

Result ViaPreprocessor(const std::string& source)
{
    PreprocessRun run;
    run.Text(source);
    return {std::move(run.file->scan.tokens), std::move(run.file->macros)};
}

Result ViaReference(const std::string& source)
{
    Result result;
    result.tokens = ScanText(source);
    ReferencePreprocessor(result.tokens, result.macros, "/nowhere/main.c").Run();
    return result;
}

// Each macro as "name(parameters) body" ("name body" when object-like).
std::vector<std::string> Described(const MacroTable& macros)
{
    std::vector<std::string> described;
    for (const auto& [name, shared] : macros) {
        const CMacroDef& def = *shared;
        std::string text = name;
        if (def.functionLike) {
            text += "(";
            for (const std::string& parameter : def.parameters) {
                text += parameter + ",";
            }
            text += ")";
        }
        described.push_back(text + " " + Spell(def.body));
    }
    return described;
}

void ExpectSame(const Result& fast, const Result& slow, const std::string& source)
{
    ASSERT_EQ(TypesOf(fast.tokens), TypesOf(slow.tokens)) << source;
    ASSERT_EQ(LinesOf(fast.tokens), LinesOf(slow.tokens)) << source;
    ASSERT_EQ(TextsOf(fast.tokens), TextsOf(slow.tokens)) << source;
    ASSERT_EQ(Described(fast.macros), Described(slow.macros)) << source;
}

} // namespace

TEST(PreprocessorDifferential, MatchesTheLiteralVersionOnRandomInputs)
{
    std::mt19937 random(20240611);
    CapturedOutput quiet;
    for (int round = 0; round < 3000; ++round) {
        const std::string source = RandomSource(random);
        ExpectSame(ViaPreprocessor(source), ViaReference(source), source);
        if (HasFatalFailure()) {
            return;
        }
    }
}

TEST(PreprocessorDifferential, MatchesOnTheTestSources)
{
    CapturedOutput quiet;
    for (const char* source : {
             "#if 0\na\n#else\nb\n#endif\nc\n",
             "#if 1\na\n#elif 1\nb\n#else\nc\n#endif\nd\n",
             "#define MAX(a,b) ((a)>(b)?(a):(b))\nMAX(x, y+1);\n",
             "#pragma once\nint a;\n#pragma once\nint b;\n",
             "#if 0\n#if 1\n#else\n#endif\n#elif 0\n#else\nk\n#endif\n",
         }) {
        ExpectSame(ViaPreprocessor(source), ViaReference(source), source);
    }
}
