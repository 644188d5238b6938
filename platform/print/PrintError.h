#pragma once

#include <stdexcept>

// A page layout or print that cannot go on; the text says why ("Printer
// Error : Paper Size is Zero." ...) and is shown to the user as it is.
class PrintError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
