#pragma once

#include "PPToken.h"
#include "TokenIndices.h"

#include <string>
#include <vector>

// The text a token stands for. Throws std::out_of_range when i is not a
// position of the vector.
std::string TokenSpelling(const std::vector<PPToken>& tokens, int i);

// The spellings of the tokens at the listed positions. With blanks == 1 each
// spelling is followed by a blank and the last blank of a text of two or more
// characters is dropped; any other value joins them with nothing between.
std::string TokensToText(
    const std::vector<PPToken>& tokens, const TokenIndices& indices, int blanks);

// As TokensToText over the entries from..to (both included) of the list;
// entries beyond its end are skipped.
std::string TokenRangeToText(
    const std::vector<PPToken>& tokens, const TokenIndices& indices, int from, int to, int blanks);
