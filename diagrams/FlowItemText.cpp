#include "FlowItemText.h"

#include "TokenText.h"
#include "TokenType.h"
#include "Unit.h"
#include "UnitDetail.h"

namespace {

std::string Join(const CUnit* unit, const TokenIndices& indices)
{
    if (unit == nullptr || unit->tokens == nullptr)
        return {};
    return TokensToText(*unit->tokens, indices, 1);
}

std::optional<int> LineAt(const CUnit* unit, bool first)
{
    if (unit == nullptr || unit->tokens == nullptr || unit->tokenIndices.empty())
        return std::nullopt;
    const int index = first ? unit->tokenIndices.front() : unit->tokenIndices.back();
    if (index < 0 || static_cast<size_t>(index) >= unit->tokens->size())
        return std::nullopt;
    return (*unit->tokens)[static_cast<size_t>(index)].line;
}

} // namespace

std::string UnitText(const CUnit* unit)
{
    return unit ? Join(unit, unit->tokenIndices) : std::string();
}

std::string ConditionText(const CUnit* unit)
{
    const CTokenListInfo* info = unit ? AsTokenListInfo(*unit) : nullptr;
    return info ? Join(unit, info->tokens) : std::string();
}

std::string TokenRangeText(const CUnit* unit, int from, int dropLast)
{
    if (unit == nullptr || unit->tokens == nullptr)
        return {};
    const int count = static_cast<int>(unit->tokenIndices.size());
    return TokenRangeToText(*unit->tokens, unit->tokenIndices, from, count - dropLast - 1, 1);
}

ForTexts ForHeadTexts(const CUnit* unit)
{
    const CForInfo* info = unit ? AsForInfo(*unit) : nullptr;
    if (info == nullptr)
        return {};
    // The first two parts are recorded with the semicolon that ends them;
    // a part shows without it, so an empty part shows nothing.
    const auto part = [unit](TokenIndices tokens) {
        if (!tokens.empty() && unit->tokens != nullptr && tokens.back() >= 0 &&
            static_cast<size_t>(tokens.back()) < unit->tokens->size() &&
            (*unit->tokens)[static_cast<size_t>(tokens.back())].type == SEMI)
            tokens.pop_back();
        return Join(unit, tokens);
    };
    return {part(info->initTokens), part(info->conditionTokens), part(info->stepTokens)};
}

std::optional<int> FirstLineOf(const CUnit* unit)
{
    return LineAt(unit, true);
}

std::optional<int> LastLineOf(const CUnit* unit)
{
    return LineAt(unit, false);
}
