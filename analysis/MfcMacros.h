#pragma once

#include "PPToken.h"

#include <cstddef>
#include <vector>

// How many tokens, from the identifier at position i, form a use of one of
// the framework's message-map or dynamic-creation macros (afx_msg,
// DECLARE_MESSAGE_MAP(), DECLARE_DYNAMIC(C), DECLARE_DYNCREATE(C),
// IMPLEMENT_DYNAMIC(C, B), IMPLEMENT_DYNCREATE(C, B), and everything from
// BEGIN_MESSAGE_MAP through the ')' of END_MESSAGE_MAP()); 0 when none.
size_t MfcMacroLength(const std::vector<PPToken>& tokens, size_t i);
