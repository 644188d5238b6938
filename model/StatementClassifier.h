#pragma once

#include "Unit.h"

#include <vector>

// Something that gives a unit its kind by looking at it.
class CUnitAnalyzer {
public:
    virtual ~CUnitAnalyzer() = default;
    virtual void Classify() = 0;

    CUnit* unit = nullptr; // the unit being classified, not owned
};

// Gives a statement unit of a function body its kind from its first tokens:
// if, else if, else, for, while, do, switch, case, default, labels, goto,
// break, continue, return, try, catch and throw, each with the token range of
// its condition or expression; the body that follows a head in the same unit
// is split off into a child. Every other unit becomes an expression statement.
class CStatementAnalyzer : public CUnitAnalyzer {
public:
    void Classify() override;

    int TokenCount() const;
    // The position of the ")" closing the parenthesis open before `start`,
    // or 0 when there is none.
    int FindCloseParen(int start) const;
    // The first ";" (":") at or after `start`, or 0 when there is none.
    int FindSemicolon(int start) const;
    int FindColon(int start) const;
    // Sets the kind and done flag and a token-range detail holding the
    // unit's tokens from..to (none for an else, or when from > to).
    void SetKindWithRange(int kind, int from = 0, int to = -1);
    // Makes the unit one flat expression over its whole range.
    void FlattenToExpression();

private:
    int TypeAt(int position) const;
    void SplitBodyAt(int position);
    void ClassifyByFirstToken();
};

// Classifies each unit of the list, then the children of those whose kind
// gives statement children, depth first.
void ClassifyStatementUnits(std::vector<CUnit>& units);
