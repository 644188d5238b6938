#pragma once

class CInputSet;
class CheckListRows;

// Between the project input and the project information dialog's check
// list: a row per file of the input, in its order, with the file's two
// flags; and the rows' checks written back.
void FillCheckList(const CInputSet& input, CheckListRows& rows);
// Writes every row's analyse and draw checks into the input's flags of its
// path; true when any of them differed.
bool WriteChecksBack(const CheckListRows& rows, CInputSet& input);
