#pragma once

#include "MacroDef.h"
#include "PPToken.h"
#include "PreprocessorFailure.h"

#include <algorithm>
#include <cstddef>
#include <vector>

// One argument of a macro use: the positions first..last (both included) of
// the token vector; an empty argument has last == first - 1.
struct MacroArgument {
    size_t first;
    size_t last;
};

// Collects the arguments of a macro use whose '(' should be at position p.
// Returns p when there is no '(' there (no arguments collected), else the
// position of the closing ')'. Commas at depth 0 separate arguments, which
// may be empty as in C: `F(a,,b)` has "a", "" and "b", and `TAILQ_HEAD(, w)`
// "" and "w"; `F()` has none. Throws PreprocessorFailure(failureText) when
// the tokens end first.
size_t CollectMacroArguments(const std::vector<PPToken>& tokens, size_t p,
    std::vector<MacroArgument>& args, const char* failureText);

// The name a token may give a macro parameter: an identifier's text, or
// a keyword's spelling, for any word may name one, "#define CAT(a, line)
// a ## line"; nullptr for any other token.
const char* ParameterNameOf(const PPToken& token);

// The index of the parameter that a word token names, or -1.
int FindParameter(const CMacroDef& macro, const PPToken& token);

// The parameter name that `...` at the end of a parameter list stands for.
inline constexpr const char* kVariadicParameter = "__VA_ARGS__";

// The tokens parameter p stands for: its argument, or for the variadic
// parameter (`...`, last in the list) that argument and every one after it
// with their commas. False when the argument was not supplied.
inline bool ArgumentFor(
    const CMacroDef& macro, const std::vector<MacroArgument>& args, size_t p, MacroArgument& tokens)
{
    if (p >= args.size()) {
        return false;
    }
    tokens = args[p];
    if (p + 1 == macro.parameters.size() && macro.parameters[p] == kVariadicParameter) {
        tokens.last = args.back().last;
    }
    return true;
}

// Calls `emit` with each token of the body of a function-like macro, each
// parameter name replaced by the tokens of its argument. A parameter whose
// argument was not supplied stands for nothing: expansions are not scanned
// again, so a valid use such as `#define G(x) F(x)` with a two-parameter F
// reaches F with one argument, and must not end the file's preprocessing.
template <class Emit>
void ForEachSubstitutedToken(const CMacroDef& macro, const std::vector<PPToken>& tokens,
    const std::vector<MacroArgument>& args, Emit emit)
{
    for (const PPToken& token : macro.body) {
        const int p = FindParameter(macro, token);
        if (p < 0) {
            emit(token);
            continue;
        }
        MacroArgument argument {};
        if (!ArgumentFor(macro, args, static_cast<size_t>(p), argument)) {
            continue;
        }
        for (size_t k = argument.first; k <= argument.last; ++k) {
            emit(tokens[k]);
        }
    }
}

// How many tokens ForEachSubstitutedToken would emit, without emitting them.
inline size_t SubstitutedLength(const CMacroDef& macro, const std::vector<MacroArgument>& args)
{
    size_t length = 0;
    for (const PPToken& token : macro.body) {
        const int p = FindParameter(macro, token);
        MacroArgument argument {};
        if (p < 0) {
            ++length;
        } else if (ArgumentFor(macro, args, static_cast<size_t>(p), argument)) {
            length += argument.last - argument.first + 1;
        }
    }
    return length;
}

// Whether the substituted body has at most `room` tokens. Cheap when the
// body's length times its longest argument is within the room.
inline bool SubstitutionFits(
    const CMacroDef& macro, const std::vector<MacroArgument>& args, size_t room)
{
    size_t longest = 1;
    for (size_t p = 0; p < macro.parameters.size(); ++p) {
        MacroArgument argument {};
        if (ArgumentFor(macro, args, p, argument)) {
            longest = std::max(longest, argument.last - argument.first + 1);
        }
    }
    return macro.body.size() <= room / longest || SubstitutedLength(macro, args) <= room;
}

// Appends the body with its arguments put in to `out`.
inline void SubstituteArguments(const CMacroDef& macro, const std::vector<PPToken>& tokens,
    const std::vector<MacroArgument>& args, std::vector<PPToken>& out)
{
    ForEachSubstitutedToken(macro, tokens, args, [&out](const PPToken& t) { out.push_back(t); });
}

// The failure texts of argument collection in code and in a definition.
inline constexpr const char* kArgumentsEndText = "#define get content parameter Error - End";
inline constexpr const char* kBodyArgumentsEndText = "#define get content parameter Error - End2";
