#pragma once

#include <algorithm>
#include <iostream>
#include <sstream>
#include <string>

// Sends what is written to std::cout (the message stream) into a string
// while it lives.
class CapturedOutput {
public:
    CapturedOutput() : old_(std::cout.rdbuf(text_.rdbuf())) { }
    ~CapturedOutput() { std::cout.rdbuf(old_); }
    CapturedOutput(const CapturedOutput&) = delete;
    CapturedOutput& operator=(const CapturedOutput&) = delete;

    std::string str() const { return text_.str(); }
    // The number of lines written so far.
    long Lines() const
    {
        const std::string text = str();
        return static_cast<long>(std::count(text.begin(), text.end(), '\n'));
    }

private:
    std::ostringstream text_;
    std::streambuf* old_;
};
