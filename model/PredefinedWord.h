#pragma once

#include <cstdint>
#include <string>

// A macro name that every project file starts with, as an object-like macro
// whose body is the value.
struct PredefinedWord {
    std::string name;
    int32_t value = 0;
};
