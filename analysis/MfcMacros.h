#pragma once

#include "PPToken.h"

#include <cstddef>
#include <vector>

// Where the search for the end of a message map last stopped. The tokens
// after a search's start must not change while it is kept, so that many
// BEGIN_MESSAGE_MAP without an end do not each search to the end again.
struct MessageMapSearch {
    bool done = false; // a search has been made
    size_t from = 0; // it looked at the positions after `from`...
    size_t end = 0; // ...up to the END_MESSAGE_MAP at `end` that decides it
    bool found = false; // false: none decides up to the end of the tokens
};

// How many tokens, from the identifier at position i, form a use of one of
// the framework's message-map or dynamic-creation macros (afx_msg,
// DECLARE_MESSAGE_MAP(), DECLARE_DYNAMIC(C), DECLARE_DYNCREATE(C),
// IMPLEMENT_DYNAMIC(C, B), IMPLEMENT_DYNCREATE(C, B), and everything from
// BEGIN_MESSAGE_MAP through the ')' of END_MESSAGE_MAP()); 0 when none.
// With `search`, calls at rising positions over tokens that do not change
// look at each token once in all.
size_t MfcMacroLength(
    const std::vector<PPToken>& tokens, size_t i, MessageMapSearch* search = nullptr);
