#pragma once

#include "PPToken.h"

#include <string>
#include <vector>

// A macro of a source file's macro table: its name, whether it takes a
// parameter list, the parameter names and the replacement tokens (each with
// its own copy of its text).
struct CMacroDef {
    std::string name;
    bool functionLike = false;
    std::vector<std::string> parameters;
    std::vector<PPToken> body;
};
