#pragma once

#include "TokenScanner.h"

#include <atomic>
#include <cstddef>

class TokenTextStore;

// The C/C++ scanner of the engine (rules in Scanner.ll).
//
// Unknown characters become LEXERROR tokens (with a message line), an unterminated block comment
// ends in one LEXERROR token, and any condition the generated matcher cannot go on from ends the
// scan with a LEXERROR token and a line on the message stream; it never ends the process.
//
// Tokens cost memory far beyond their bytes (a token, a place in a unit, the preprocessed copy):
// a file of punctuation or NUL bytes, a token per byte, would take gigabytes. Of a file with more
// tokens than the budget and more than kTokensPerTenBytes per ten bytes read, the first ones are
// kept, an error token ends them and one line says so. Source code has a token per three to four
// bytes (line ends included) and is read whole, however large. Once the stop request is set, the
// scan ends at its next refill, after at most one buffer, or within 64 KiB of a long name, number,
// quoted text or bracketed include name.
class CSourceScanner : public CTokenScanner {
public:
    static constexpr std::size_t kDefaultTokenBudget = std::size_t {1} << 20;
    // More than this many tokens per ten bytes is no source code.
    static constexpr std::size_t kTokensPerTenBytes = 4;

    explicit CSourceScanner(const std::atomic<bool>* stopRequest = nullptr,
        std::size_t tokenBudget = kDefaultTokenBudget)
        : stopRequest_(stopRequest), tokenBudget_(tokenBudget)
    {
    }
    // Places the texts of the tokens it makes in `texts` (not owned, used on
    // the scanning thread only) rather than in a heap block each: most
    // texts are kept with the file, and the store is where they would be
    // moved to anyway.
    CSourceScanner(const std::atomic<bool>* stopRequest, TokenTextStore* texts)
        : stopRequest_(stopRequest), tokenBudget_(kDefaultTokenBudget), texts_(texts)
    {
    }

    using CTokenScanner::Scan;
    void Scan(std::istream& in, std::vector<PPToken>& out, MessageSink& messages) const override;
    bool StopRequested() const override
    {
        return stopRequest_ != nullptr && stopRequest_->load(std::memory_order_relaxed);
    }

private:
    const std::atomic<bool>* stopRequest_;
    std::size_t tokenBudget_;
    TokenTextStore* texts_ = nullptr;
};

// The one scanner the engine uses, without a stop request.
const CTokenScanner& GetSourceScanner();
