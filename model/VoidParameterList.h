#pragma once

class CUnit;
class CFunctionInfo;

// Whether a function's parameter list is `void` alone, as in f(void): such a
// function takes no arguments, as f() does, and is the same function.
bool IsVoidParameterList(const CUnit& unit, const CFunctionInfo& record);
