#include "TwinUnits.h"

#include "SourceFile.h"

#include <span>
#include <utility>
#include <vector>

namespace {

void BindTokens(std::span<CUnit> units, const std::vector<PPToken>* tokens)
{
    for (CUnit& unit : units) {
        unit.tokens = tokens;
        BindTokens(unit.children, tokens);
    }
}

} // namespace

void CopyUnits(const CSourceFile& from, CSourceFile& to)
{
    to.units = from.units;
    BindTokens(to.units, &to.scan.tokens);
    to.split = true;
    to.parsed = true;
}

void MoveUnits(CSourceFile& from, CSourceFile& to)
{
    to.units = std::move(from.units);
    from.units.clear();
    from.split = false;
    from.parsed = false;
    BindTokens(to.units, &to.scan.tokens);
    to.split = true;
    to.parsed = true;
}
