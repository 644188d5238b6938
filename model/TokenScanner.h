#pragma once

#include "MessageSink.h"
#include "PPToken.h"

#include <istream>
#include <vector>

// Turns the bytes of one source stream into tokens, appending them to `out`
// in order: type, line counter after the token, and the token's characters
// for the types that carry text. Whitespace and comments give no token.
//
// The code model only drives a scanner; the real one lives in the analysis
// library (GetSourceScanner in analysis/SourceScanner.h) and is handed to
// CSourceFile::Load, so that the model does not depend on the analysis.
class CTokenScanner {
public:
    virtual ~CTokenScanner() = default;
    // A scan that must stop early says why on `messages`.
    virtual void Scan(std::istream& in, std::vector<PPToken>& out, MessageSink& messages) const = 0;
    void Scan(std::istream& in, std::vector<PPToken>& out) const
    {
        Scan(in, out, StandardOutputSink());
    }
    // Whether the run this scanner reads for has been asked to stop: a scan
    // made while it is may have ended early, without a message.
    virtual bool StopRequested() const { return false; }
};
