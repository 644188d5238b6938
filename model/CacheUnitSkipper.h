#pragma once

#include "ParseCacheIO.h"

// Steps over stored units of the parse cache without making them, to find
// where a run of a long unit list starts, so that the runs can be read on
// several threads. It follows the layout the record reader reads, but
// checks only what it needs to find its way (counts against the bytes
// left, and the nesting); the reading checks everything.
namespace CacheUnitSkipper {

// Steps over one unit with its record and children; throws a CacheError
// where the bytes run out or units and declarators nest too deep.
void SkipUnit(CCacheSource& in, int depth = 0);

} // namespace CacheUnitSkipper
