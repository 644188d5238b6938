#pragma once

#include <optional>
#include <string>

class CUnit;

// The texts the flow chart and the Nassi-Shneiderman diagram show for the
// units of a statement item. Tokens are joined with a blank between them; a
// missing unit, token vector or record gives an empty text.

// The unit's whole token text.
std::string UnitText(const CUnit* unit);
// The condition or expression recorded for an if, else-if, while, switch,
// case, catch or return.
std::string ConditionText(const CUnit* unit);
// The unit's tokens from position `from` up to, not including, the last
// `dropLast` ones ("if ( x )" from 2 without the last 1 is "x").
std::string TokenRangeText(const CUnit* unit, int from, int dropLast);

// The three parts of a for head.
struct ForTexts {
    std::string init;
    std::string condition;
    std::string step;
};
ForTexts ForHeadTexts(const CUnit* unit);

// The source line of the unit's first and last token.
std::optional<int> FirstLineOf(const CUnit* unit);
std::optional<int> LastLineOf(const CUnit* unit);
