#pragma once

#include "PPToken.h"

#include <cstddef>
#include <vector>

// Where the branch that starts with the directive whose '#' is at position i
// ends, looking only at directive words right after a '#' and skipping
// nested groups.
struct BranchEnd {
    enum Kind {
        Endif, // `word` is the `endif` closing the group
        Elif, // `word` is an `elif` of the group
        Else, // `word` is an `else` of the group, alone on its line
        NotClosed, // the tokens end first
    };
    Kind kind = NotClosed;
    size_t word = 0;
};

BranchEnd FindBranchEnd(const std::vector<PPToken>& tokens, size_t i);
