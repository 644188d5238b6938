#pragma once

#include "Unit.h"

#include <antlr/TokenStream.hpp>

// Feeds one unit to the parser: first a token whose type is the start kind,
// then the unit's own tokens, then, when the unit owns a brace block, an
// empty brace pair "{" "}", and after that end of input for ever.
//
// A unit token carries its position within the unit as line and its index in
// the file's token vector as column; its text is kept for identifiers and
// strings only.
class CUnitTokenStream : public antlr::TokenStream {
public:
    // Points the stream at the start of a unit.
    void Aim(CUnit& unit, int startKind);

    antlr::RefToken nextToken() override;

    // -1 before the first token; afterwards the unit position of the next
    // token to hand out (unit and brace tokens fetched so far, lookahead
    // included).
    int Position() const { return position_; }

private:
    int startKind_ = 0;
    int position_ = 0;
    int tokenCount_ = 0;
    bool brace_ = false;
    CUnit* unit_ = nullptr;
};
