#pragma once

#include "DetailRecords.h"
#include "LazyVector.h"
#include "PPToken.h"
#include "UnitKind.h"

#include <cstdint>
#include <memory>
#include <vector>

// One unit of a source file's unit tree: a declaration, statement,
// preprocessing line or brace block. A unit holds positions in its file's
// token vector, never tokens; the contents of a brace block that follows its
// tokens are its children.
class CUnit {
public:
    explicit CUnit(const std::vector<PPToken>* tokens = nullptr) : tokens(tokens) { }
    // Copies everything, the children recursively; a detail record is cloned.
    CUnit(const CUnit& other);
    CUnit& operator=(const CUnit& other);
    CUnit(CUnit&&) noexcept = default;
    CUnit& operator=(CUnit&&) noexcept = default;
    ~CUnit() = default;

    bool done = false; // needs no further parsing
    bool brace = false; // owns a brace block (its children)
    int32_t kind = UNIT_UNKNOWN;
    LazyVector<CUnit> children;
    TokenIndices tokenIndices;
    std::unique_ptr<CDetailRecord> detail;
    const std::vector<PPToken>* tokens = nullptr; // the file's tokens, not owned
    int32_t first = 0; // first token of the unit's whole range
    int32_t last = 0; // last token of that range

    int32_t GetCategory() const { return GetUnitCategory(kind); }
    bool IsFunction() const { return GetCategory() == UNIT_FUNCTION; }
    bool IsPreprocessing() const { return GetCategory() == UNIT_PREPROCESSING; }

    // Replaces the detail record (the old one is destroyed).
    void SetDetail(std::unique_ptr<CDetailRecord> record) { detail = std::move(record); }

    // The token at tokenIndices[i]; throws std::out_of_range when i or the
    // position it holds is bad.
    const PPToken& GetToken(int i) const;

    // Appends tokenIndices[from..to] to out. from > to appends nothing; a
    // position past the end throws std::out_of_range after the entries
    // before it were appended.
    void CopyTokenIndices(int from, int to, TokenIndices& out) const;

    // Cuts the unit at token-index position i: it keeps the tokens before i,
    // and one new child, which becomes the only one, holds the rest together
    // with the former children and the brace block. The child's range runs
    // from its first token (or, without tokens, the unit's last) to the
    // unit's last.
    void SplitAt(int i);
};
