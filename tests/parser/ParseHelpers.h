#pragma once

// Test helpers: source text scanned by the real scanner, split into units and
// parsed unit by unit, or one unit parsed by itself.

#include "CppUnitParser.h"
#include "ParseDriver.h"
#include "SourceScanner.h"
#include "TokenText.h"
#include "TokenType.h"
#include "UnitDetail.h"
#include "UnitSplitter.h"

#include <memory>
#include <sstream>
#include <string>
#include <vector>

struct ParsedText {
    std::vector<PPToken> tokens;
    std::vector<CUnit> units;

    std::string Text(const TokenIndices& positions) const
    {
        return TokensToText(tokens, positions, 1);
    }
    std::string Text(const CUnit& unit) const { return Text(unit.tokenIndices); }
    CUnit& At(size_t i) { return units.at(i); }
};

inline std::vector<PPToken> ScanText(const std::string& text)
{
    std::vector<PPToken> tokens;
    std::istringstream in(text);
    GetSourceScanner().Scan(in, tokens);
    return tokens;
}

// Scans, splits and parses the text as a whole file.
inline std::unique_ptr<ParsedText> ParseText(
    const std::string& text, const ParseLimits& limits = ParseLimits())
{
    auto parsed = std::make_unique<ParsedText>();
    parsed->tokens = ScanText(text);
    CUnitSplitter::SplitTokens(parsed->tokens, parsed->units);
    ParseFileUnits(parsed->units, limits);
    return parsed;
}

// One unit made of all tokens of the text (line ends left out), parsed once
// with the start kind by a parser of its own.
struct SingleParse {
    std::vector<PPToken> tokens;
    CUnit unit;
    bool error = false;
    bool aborted = false;
    int64_t work = 0;

    std::string Text(const TokenIndices& positions) const
    {
        return TokensToText(tokens, positions, 1);
    }
};

inline std::unique_ptr<SingleParse> ParseSingle(const std::string& text, int startKind,
    bool brace = false, const ParseLimits& limits = ParseLimits())
{
    auto result = std::make_unique<SingleParse>();
    result->tokens = ScanText(text);
    result->unit = CUnit(&result->tokens);
    for (size_t i = 0; i < result->tokens.size(); ++i) {
        if (result->tokens[i].type != ENDLINE)
            result->unit.tokenIndices.push_back(static_cast<int>(i));
    }
    result->unit.brace = brace;
    CUnitTokenStream stream;
    stream.Aim(result->unit, startKind);
    CCppUnitParser parser(stream, result->unit, limits);
    try {
        parser.unit();
    } catch (const CParseAborted&) {
        result->aborted = true;
    }
    result->error = parser.error;
    result->work = parser.WorkDone();
    return result;
}
