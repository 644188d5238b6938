#pragma once

class CSourceFile;

// A file's units follow from its tokens alone: a record read to the same
// tokens as another may have the other's units instead of parsing its own.
// Each leaves `to` with the units bound to its own tokens, split and parsed.

// Copies the units of a record that stays.
void CopyUnits(const CSourceFile& from, CSourceFile& to);
// Takes the units of a record that is going; `from` is left without units,
// as not parsed.
void MoveUnits(CSourceFile& from, CSourceFile& to);
