#pragma once

#include "Unit.h"

#include <span>
#include <vector>

// Gives each statement unit of the list its kind from its first tokens: if,
// else if, else, for, while, do, switch, case, default, labels, goto, break,
// continue, return, try, catch and throw, each with the token range of its
// condition or expression; the body that follows a head in the same unit is
// split off into a child. Every other unit becomes an expression statement.
// The children of units whose kind gives statement children follow, depth
// first.
void ClassifyStatementUnits(std::span<CUnit> units);
