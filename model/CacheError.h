#pragma once

#include <stdexcept>

// A parse cache that cannot be read or written as it should: its text names
// what was wrong ("Read Integer Error.", "version not match", ...).
class CacheError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
