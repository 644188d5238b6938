#pragma once

#include "Unit.h"

// The start kind (a token type of DECLARATION..NOPARSING) with which the
// children of a unit are read, chosen by the unit's kind: namespace, template
// and linkage-block contents as declarations, class bodies as members,
// struct and union bodies as members without access tracking, enumeration
// bodies as enumerators, the bodies of functions and compound statements as
// statements, an expression statement's children as expressions, and
// everything else not at all.
int ChildStartKind(const CUnit& unit);
