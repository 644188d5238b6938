#pragma once

#include "TokenScanner.h"

// The C/C++ scanner of the engine (rules in Scanner.ll).
//
// Unknown characters become LEXERROR tokens (with a message line), an unterminated block comment
// ends in one LEXERROR token, and any condition the generated matcher cannot go on from ends the
// scan with a LEXERROR token and a line on the message stream; it never ends the process.
class CSourceScanner : public CTokenScanner {
public:
    using CTokenScanner::Scan;
    void Scan(std::istream& in, std::vector<PPToken>& out, MessageSink& messages) const override;
};

// The one scanner the engine uses.
const CTokenScanner& GetSourceScanner();
