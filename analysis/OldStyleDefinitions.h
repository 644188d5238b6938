#pragma once

#include "Unit.h"

#include <functional>
#include <span>

// An old-style C definition, "int f(a, b) int a; char *b; { ... }", reaches
// the parser in pieces: the splitter ends a unit at each semicolon, so the
// head (with the first parameter's declaration), each further declaration
// of a parameter and the body, a brace block without a head, are units of
// their own. Given a parsed list of units at namespace scope, this gives
// each such body back to its head, which becomes a function with a body.
// A <varargs.h> function's body follows the word that declares its
// variable arguments, "va_dcl {", and comes back to its head the same way.
// The declarations in between declare parameters, not variables of the
// file: they give the parameters their types and are kept as units that
// declare nothing. Preprocessing lines between the pieces stay as they are.
// `parse` parses one unit as a plain declaration (the first parameter's
// declaration, which stands in the head's unit).
using ParseDeclaration = std::function<void(CUnit&)>;
void JoinOldStyleDefinitions(std::span<CUnit> units, const ParseDeclaration& parse);
