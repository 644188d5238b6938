#pragma once

#include <stdexcept>

// A settings value or group that cannot be created, opened, read or written;
// its text comes from the language table.
class OptionsError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
