#pragma once

#include "PPToken.h"

#include <string>
#include <vector>

// A macro definition: whether it takes a parameter list, the parameter names
// and the replacement tokens (each with its own text). A source file's macro
// table holds it under its name through a SharedMacro, which never changes
// it; a large project's files hold hundreds of thousands of entries, so the
// name is not kept twice.
struct CMacroDef {
    bool functionLike = false;
    std::vector<std::string> parameters;
    std::vector<PPToken> body;
};
