#pragma once

#include <stdexcept>

// A failure inside preprocessing, carrying its text. It ends the token loop
// of the file being preprocessed, which then writes its stop line.
class PreprocessorFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The text of the std::out_of_range thrown when a directive or a macro use
// needs a token or an argument that is not there.
inline constexpr const char* kIndexFailureText = "invalid vector<T> subscript";
