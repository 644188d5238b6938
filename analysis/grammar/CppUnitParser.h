#pragma once

#include "MessageSink.h"

#include "CCppParser.hpp"
#include "UnitTokenStream.h"

#include <antlr/ANTLRException.hpp>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>

// How much one parse of a unit may cost. The expression grammar tries some
// constructs twice (once to look ahead, once for real), so nested
// parentheses would otherwise cost time exponential in their depth, and deep
// nesting would exhaust the stack.
struct ParseLimits {
    // Tokens the parser may consume, lookahead trials included:
    // baseWork + workPerToken * (tokens of the unit). The C library and
    // libstdc++ headers parse within a hundredth of this.
    int64_t baseWork = 500000;
    int64_t workPerToken = 100;
    // Stack the rules of one parse may use below the parser's own frame.
    std::size_t stackBytes = 2u * 1024u * 1024u;
    // Set by another thread to stop the run; checked while parsing.
    const std::atomic<bool>* stopRequest = nullptr;
};

// Thrown when a parse goes past its limits or is stopped. It is not a
// recognition error, so no rule catches it: it ends the parse of the unit.
class CParseAborted : public antlr::ANTLRException {
public:
    explicit CParseAborted(const std::string& why) : antlr::ANTLRException(why) { }
};

// The parser of one unit: the generated parser with an error flag, optional
// printing of errors and the limits above.
class CCppUnitParser : public CCppParser {
public:
    CCppUnitParser(
        CUnitTokenStream& stream, CUnit& unit, const ParseLimits& limits = ParseLimits());
    ~CCppUnitParser() override;

    // Print every reported error on the message stream.
    bool verbose = false;
    // Where a verbose parser reports its errors.
    MessageSink* messages = &StandardOutputSink();
    // At least one error was reported during this parse.
    bool error = false;

    void reportError(const std::string& message) override;
    void reportError(const antlr::RecognitionException& ex) override;

    // The name of a token type, or null for a number outside the table.
    const char* getTokenName(int type) const override;

    // Counts the work of the parse and checks the stop request.
    void consume() override;

    // Called on entry to and exit from every rule: bounds the stack.
    void traceIn(const char* rule) override;
    void traceOut(const char* rule) override;

    int64_t WorkDone() const { return work_; }

private:
    void Write(const std::string& message);

    int64_t work_ = 0;
    int64_t workLimit_ = 0;
    std::size_t stackLimit_ = 0;
    const char* stackBase_ = nullptr;
    const std::atomic<bool>* stopRequest_ = nullptr;
};
