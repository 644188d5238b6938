#pragma once

#include "TokenIndices.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

class CUnit;
struct PPToken;

// A text the flow chart and the Nassi-Shneiderman diagram show for the units
// of a statement item: the spellings of some of a unit's tokens, a blank
// after each and the last blank of a text of two or more characters dropped
// (as TokensToText joins them). It is read in parts, so that a diagram
// builds no more of a long text (a string of megabytes, a statement of a
// million tokens) than it can show. A missing unit, token vector or record
// gives an empty text; a token position outside the vector throws
// std::out_of_range when the part reaches it.
class JoinedText {
public:
    JoinedText() = default;
    using Positions = TokenIndices::const_iterator;
    // The tokens at the listed positions; both stay owned by the caller.
    JoinedText(const std::vector<PPToken>* tokens, const TokenIndices& indices)
        : JoinedText(tokens, indices.begin(), indices.end())
    {
    }
    // The tokens at the positions from `first` up to `last`.
    JoinedText(const std::vector<PPToken>* tokens, Positions first, Positions last)
        : tokens_(tokens), first_(first), last_(last)
    {
    }

    // The whole text's length in bytes.
    std::size_t Length() const;
    // At most `count` bytes from byte `from` on.
    std::string Part(std::size_t from, std::size_t count) const;
    std::string Whole() const { return Part(0, std::string::npos); }
    // The bytes from `from` up to `to` as a box that grows with its text
    // shows them: whole, or their first part and ".." (ShownLine), each
    // after `lead`.
    std::string Shown(
        std::string_view lead = {}, std::size_t from = 0, std::size_t to = std::string::npos) const;

private:
    const std::vector<PPToken>* tokens_ = nullptr;
    Positions first_;
    Positions last_;
    mutable std::optional<std::size_t> length_;
};

// The unit's whole token text.
JoinedText UnitText(const CUnit* unit);
// The condition or expression recorded for an if, else-if, while, switch,
// case, catch or return.
JoinedText ConditionText(const CUnit* unit);
// The unit's tokens from position `from` up to, not including, the last
// `dropLast` ones ("if ( x )" from 2 without the last 1 is "x").
JoinedText TokenRangeText(const CUnit* unit, int from, int dropLast);

// The three parts of a for head.
struct ForTexts {
    JoinedText init;
    JoinedText condition;
    JoinedText step;
};
ForTexts ForHeadTexts(const CUnit* unit);

// The source line of the unit's first and last token.
std::optional<int> FirstLineOf(const CUnit* unit);
std::optional<int> LastLineOf(const CUnit* unit);
