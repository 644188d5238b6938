#include "OldStyleDefinitions.h"

#include "StatementClassifier.h"
#include "TokenType.h"
#include "UnitDetail.h"

#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace {

// No old-style definition declares more parameters than this one by one.
constexpr size_t kMostDeclarations = 64;

bool NameAt(const CUnit& unit, int i, std::string_view name)
{
    const PPToken& token = unit.GetToken(i);
    return token.type == IDENTIFIER && token.text && name == token.text;
}

// The head of an old-style definition: a function declared without a body,
// whose parameters are names alone ("f(a, b)" reads as two parameters named
// by their types), and whose parameter list is followed by a declaration
// before the unit's ";" (a prototype "f(a, b);" ends at its parentheses).
// `function` is the unit's reading as a function (null: none).
struct OldStyleHead {
    std::vector<std::string_view> names; // empty: no such head
    int declarationStart = 0; // the unit position after the list's ")"
};

OldStyleHead FindOldStyleHead(const CUnit& unit, const CFunctionInfo* function)
{
    OldStyleHead head;
    if (unit.brace || !unit.tokens)
        return head;
    if (!function || function->parameters.empty() || !function->qualifiedName.scopes.empty())
        return head;
    try {
        for (const CVariableInfo& parameter : function->parameters) {
            if (!parameter.qualifiedName.name.empty() || parameter.specifierTokens.size() != 1)
                return {};
            const PPToken& token =
                unit.tokens->at(static_cast<size_t>(parameter.specifierTokens[0]));
            if (token.type != IDENTIFIER || !token.text)
                return {};
            head.names.emplace_back(token.text);
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
                if (i + 2 >= count)
                    break;
                head.declarationStart = i + 1;
                return head;
            }
        }
    } catch (const std::exception&) {
    }
    return {};
}

// The position of the ")" that ends a list of names alone after a name,
// "f(a, b)", at the top level of the unit's tokens; 0 when there is none
// or nothing but the unit's ";" follows it.
int NamesListEnd(const CUnit& unit)
{
    const int count = static_cast<int>(unit.tokenIndices.size());
    int depth = 0;
    for (int open = 1; open + 2 < count; ++open) {
        const int type = unit.GetToken(open).type;
        if (depth == 0 && type == LP && unit.GetToken(open - 1).type == IDENTIFIER) {
            int i = open + 1;
            while (i + 1 < count && unit.GetToken(i).type == IDENTIFIER &&
                (unit.GetToken(i + 1).type == COMMA || unit.GetToken(i + 1).type == RP))
                i += unit.GetToken(i + 1).type == COMMA ? 2 : 1;
            if (i > open + 1 && unit.GetToken(i).type == RP && unit.GetToken(i - 1).type != COMMA)
                return i + 2 < count ? i : 0;
        }
        depth += type == LP || type == LB ? 1 : 0;
        depth -= type == RP || type == RB ? 1 : 0;
    }
    return 0;
}

// A head the parser could not read as a whole: the parser passes over the
// first parameter's declaration only where it meets no parenthesis, so
// "f(fn) int (*fn)();" and "f(s) char (*s)[128];" failed. Its part up to the
// list's ")" is parsed alone, with the unit's ";": that part when it reads
// as a function (nothing otherwise).
std::optional<CUnit> HeadReadUpToItsList(const CUnit& unit, const ParseDeclaration& parse)
{
    if (unit.kind != UNIT_UNKNOWN || unit.brace || !unit.tokens || unit.tokenIndices.empty())
        return std::nullopt;
    try {
        const int count = static_cast<int>(unit.tokenIndices.size());
        if (unit.GetToken(count - 1).type != SEMI)
            return std::nullopt;
        const int close = NamesListEnd(unit);
        if (close == 0)
            return std::nullopt;
        CUnit part(unit.tokens);
        part.tokenIndices.assign(unit.tokenIndices.begin(), unit.tokenIndices.begin() + close + 1);
        part.tokenIndices.push_back(unit.tokenIndices.back());
        part.first = unit.first;
        part.last = unit.last;
        parse(part);
        if (part.kind != UNIT_FUNCTION)
            return std::nullopt;
        return part;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

using NameSet = std::unordered_set<std::string_view>;

// Whether the unit is the body of an old-style definition: a brace block
// without a head, or one headed by a single word, the macro that declares
// the variable arguments of a <varargs.h> function, "f(fmt, va_alist) char
// *fmt; va_dcl { ... }", which no header read defines.
bool IsOldStyleBody(const CUnit& unit)
{
    if (unit.kind == UNIT_JUST_BRACE)
        return true;
    if (unit.kind != UNIT_UNKNOWN || !unit.brace || unit.tokenIndices.size() != 1)
        return false;
    try {
        return unit.GetToken(0).type == IDENTIFIER;
    } catch (const std::exception&) {
        return false;
    }
}

// Calls `visit` with each declarator of a declaration, "int a, *b;", in
// order: the record itself and the further ones it holds.
template <class Visit> void ForEachDeclarator(const CVariableInfo& record, Visit&& visit)
{
    visit(record);
    if (record.multiple) {
        for (const CVariableInfo& further : record.further)
            ForEachDeclarator(further, visit);
    }
}

// Whether the unit may declare some of the parameters: variables or
// pointers to functions of those names only, or a declaration that failed
// (a parameter named with a word C++ keeps, "char *new;").
bool DeclaresParameters(const CUnit& unit, const NameSet& names)
{
    if (unit.brace || unit.tokenIndices.empty())
        return false;
    if (unit.kind == UNIT_UNKNOWN)
        return true;
    if (const CVariableInfo* variable = AsVariableInfo(unit)) {
        bool all = true;
        ForEachDeclarator(*variable, [&](const CVariableInfo& v) {
            all = all && names.contains(v.qualifiedName.name.view());
        });
        return all;
    }
    const CFunctionInfo* function = AsFunctionInfo(unit);
    return function && names.contains(function->qualifiedName.name.view());
}

// A parameter as a declaration between the list and the body gives it.
struct DeclaredParameter {
    std::string name;
    TokenIndices specifiers;
    TokenIndices array;
};

// The words of a declaration without its storage class: "register struct
// obj *" declares a parameter of type "struct obj *".
void AppendTypeWords(const CUnit& unit, const TokenIndices& words, TokenIndices& out)
{
    for (int position : words) {
        const int type = unit.tokens->at(static_cast<size_t>(position)).type;
        if (type != WORD_REGISTER && type != WORD_AUTO && type != WORD_STATIC &&
            type != WORD_EXTERN)
            out.push_back(position);
    }
}

// The parameters a parsed declaration unit declares, each with its type:
// the first declarator's words, or the words they share and a further
// declarator's own pointers, or a pointer to a function's return type.
void CollectDeclared(const CUnit& unit, std::vector<DeclaredParameter>& out)
{
    if (!unit.tokens)
        return;
    if (const CVariableInfo* first = AsVariableInfo(unit)) {
        // The words all declarators share: the first one's, up to its own
        // pointer operators ("int tx, *ty" makes "int" and "int *").
        TokenIndices sharedWords;
        for (int position : first->specifierTokens) {
            const int type = unit.tokens->at(static_cast<size_t>(position)).type;
            if (type == STAR || type == AND)
                break;
            sharedWords.push_back(position);
        }
        ForEachDeclarator(*first, [&](const CVariableInfo& v) {
            DeclaredParameter parameter {
                std::string(v.qualifiedName.name.view()), {}, v.arrayTokens};
            if (&v != first)
                AppendTypeWords(unit, sharedWords, parameter.specifiers);
            AppendTypeWords(unit, v.specifierTokens, parameter.specifiers);
            out.push_back(std::move(parameter));
        });
    } else if (const CFunctionInfo* function = AsFunctionInfo(unit)) {
        DeclaredParameter parameter {std::string(function->qualifiedName.name.view()), {}, {}};
        AppendTypeWords(unit, function->specifierTokens, parameter.specifiers);
        out.push_back(std::move(parameter));
    }
}

// Names the head's parameters and gives them the types declared for them;
// a parameter declared nowhere (an int in old C) stays as it was read.
void TypeParameters(CUnit& head, const std::vector<std::string_view>& names,
    const std::vector<DeclaredParameter>& declared)
{
    std::unordered_map<std::string_view, const DeclaredParameter*> byName;
    for (const DeclaredParameter& parameter : declared)
        byName.emplace(parameter.name, &parameter);
    CFunctionInfo* function = AsFunctionInfo(head);
    for (size_t i = 0; i < names.size() && i < function->parameters.size(); ++i) {
        const auto found = byName.find(names[i]);
        if (found == byName.end() || found->second->specifiers.empty())
            continue;
        CVariableInfo& parameter = function->parameters[i];
        parameter.qualifiedName.name = found->second->name;
        parameter.specifierTokens = found->second->specifiers;
        parameter.arrayTokens = found->second->array;
    }
}

} // namespace

void JoinOldStyleDefinitions(std::span<CUnit> units, const ParseDeclaration& parse)
{
    for (size_t i = 0; i < units.size(); ++i) {
        CUnit& head = units[i];
        OldStyleHead found =
            FindOldStyleHead(head, head.kind == UNIT_FUNCTION ? AsFunctionInfo(head) : nullptr);
        std::optional<CUnit> part;
        if (found.names.empty() && (part = HeadReadUpToItsList(head, parse)))
            found = FindOldStyleHead(head, AsFunctionInfo(*part));
        if (found.names.empty())
            continue;
        const std::vector<std::string_view>& names = found.names;
        const NameSet nameSet(names.begin(), names.end());
        size_t declarations = 0;
        size_t body = i + 1;
        while (body < units.size() && declarations <= kMostDeclarations &&
            (units[body].IsPreprocessing() || DeclaresParameters(units[body], nameSet))) {
            if (!units[body].IsPreprocessing())
                ++declarations;
            ++body;
        }
        if (body == units.size() || !IsOldStyleBody(units[body]) ||
            declarations > kMostDeclarations)
            continue;
        CUnit& block = units[body];
        if (part) {
            head.kind = UNIT_FUNCTION;
            head.done = true;
            head.detail = std::move(part->detail);
        }

        // The first declaration stands in the head's own unit: it is parsed
        // by itself, as the splitter would have left it.
        std::vector<DeclaredParameter> declared;
        CUnit first(head.tokens);
        first.tokenIndices.assign(
            head.tokenIndices.begin() + found.declarationStart, head.tokenIndices.end());
        first.first = first.tokenIndices.front();
        first.last = head.last;
        parse(first);
        CollectDeclared(first, declared);
        for (size_t k = i + 1; k < body; ++k)
            CollectDeclared(units[k], declared);
        TypeParameters(head, names, declared);

        // A block headed by a word was read as nothing known, and its
        // statements were left unread.
        const bool unread = block.kind != UNIT_JUST_BRACE;
        head.brace = true;
        head.children = std::move(block.children);
        if (unread)
            ClassifyStatementUnits(head.children);
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
