#pragma once

#include <string>

class CModelScope;

// The qualified name of the scope that holds `scope`: "N::A" for a method of
// class A in namespace N. A scope directly under the root gives the empty
// text, or "Global" when `global` is 1. The root, the two group elements and
// any element without a parent have no holder and give the empty text.
std::string GetScopeName(const CModelScope& scope, int global);
