#pragma once

#include "PPToken.h"

#include <string>
#include <vector>

// A macro of a source file's macro table: whether it takes a parameter list,
// the parameter names and the replacement tokens (each with its own copy of
// its text). Its name is its key in the table; a large project's files hold
// hundreds of thousands of entries, so the name is not kept twice.
struct CMacroDef {
    bool functionLike = false;
    std::vector<std::string> parameters;
    std::vector<PPToken> body;
};
