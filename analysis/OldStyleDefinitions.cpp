#include "OldStyleDefinitions.h"

#include "TokenType.h"
#include "UnitDetail.h"

#include <algorithm>
#include <exception>
#include <string_view>
#include <vector>

namespace {

// No old-style definition declares more parameters than this one by one.
constexpr size_t kMostDeclarations = 64;

bool NameAt(const CUnit& unit, int i, std::string_view name)
{
    const PPToken& token = unit.GetToken(i);
    return token.type == IDENTIFIER && token.text && name == token.text;
}

// The names an old-style definition's parameter list holds, "f(a, b)":
// each reads as a parameter named by its type alone. Empty when the unit is
// not such a head: a function declared without a body, whose parameter list
// is followed by a declaration before the unit's ";" (a prototype
// "f(a, b);" ends at its parentheses).
std::vector<std::string_view> OldStyleParameterNames(const CUnit& unit)
{
    std::vector<std::string_view> names;
    if (unit.kind != UNIT_FUNCTION || unit.brace || !unit.tokens)
        return names;
    const CFunctionInfo* function = AsFunctionInfo(unit);
    if (!function || function->parameters.empty() || !function->qualifiedName.scopes.empty())
        return names;
    try {
        for (const CVariableInfo& parameter : function->parameters) {
            if (!parameter.qualifiedName.name.empty() || parameter.specifierTokens.size() != 1)
                return {};
            const PPToken& token =
                unit.tokens->at(static_cast<size_t>(parameter.specifierTokens[0]));
            if (token.type != IDENTIFIER || !token.text)
                return {};
            names.emplace_back(token.text);
        }
        const int count = static_cast<int>(unit.tokenIndices.size());
        if (count < 2 || unit.GetToken(count - 1).type != SEMI)
            return {};
        // The parameter list: the "(" after the function's name.
        int open = 1;
        while (open < count &&
            !(unit.GetToken(open).type == LP &&
                NameAt(unit, open - 1, function->qualifiedName.name)))
            ++open;
        int depth = 0;
        for (int i = open; i < count; ++i) {
            const int type = unit.GetToken(i).type;
            if (type == LP) {
                ++depth;
            } else if (type == RP && --depth == 0) {
                if (i + 2 < count)
                    return names;
                break;
            }
        }
    } catch (const std::exception&) {
    }
    return {};
}

bool IsParameter(const std::vector<std::string_view>& names, std::string_view name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

// Whether the unit may declare some of the parameters: variables or
// pointers to functions of those names only, or a declaration that failed
// (a parameter named with a word C++ keeps, "char *new;").
bool DeclaresParameters(const CUnit& unit, const std::vector<std::string_view>& names)
{
    if (unit.brace || unit.tokenIndices.empty())
        return false;
    if (unit.kind == UNIT_UNKNOWN)
        return true;
    if (const CVariableInfo* variable = AsVariableInfo(unit)) {
        for (const CVariableInfo* v = variable; v; v = v->multiple ? &v->further.at(0) : nullptr) {
            if (!IsParameter(names, v->qualifiedName.name.view()))
                return false;
        }
        return true;
    }
    const CFunctionInfo* function = AsFunctionInfo(unit);
    return function && IsParameter(names, function->qualifiedName.name.view());
}

} // namespace

void JoinOldStyleDefinitions(std::span<CUnit> units)
{
    for (size_t i = 0; i < units.size(); ++i) {
        const std::vector<std::string_view> names = OldStyleParameterNames(units[i]);
        if (names.empty())
            continue;
        size_t declarations = 0;
        size_t body = i + 1;
        while (body < units.size() && declarations <= kMostDeclarations &&
            (units[body].IsPreprocessing() || DeclaresParameters(units[body], names))) {
            if (!units[body].IsPreprocessing())
                ++declarations;
            ++body;
        }
        if (body == units.size() || units[body].kind != UNIT_JUST_BRACE ||
            declarations > kMostDeclarations)
            continue;
        CUnit& head = units[i];
        CUnit& block = units[body];
        head.brace = true;
        head.children = std::move(block.children);
        head.last = block.last;
        block.children = {};
        block.brace = false;
        block.kind = UNIT_NOTHING;
        for (size_t k = i + 1; k < body; ++k) {
            if (units[k].IsPreprocessing())
                continue;
            units[k].kind = UNIT_NOTHING;
            units[k].detail.reset();
            units[k].done = true;
        }
        i = body;
    }
}
