#include "StatementClassifier.h"

#include "ChildStartKind.h"
#include "TokenType.h"

#include <cstring>
#include <span>
#include <vector>

namespace {

// Statements nested deeper than this (heads without braces inside heads
// without braces) are left as they are: the tree stays shallow enough for
// every walk over it.
constexpr int kMaxClassifyDepth = 1000;

// Classifies one unit at a time.
class CStatementAnalyzer {
public:
    void Classify();

    CUnit* unit = nullptr; // the unit being classified, not owned

private:
    int TokenCount() const;
    int TypeAt(int position) const;
    // Whether the token at `position` is the name `word`.
    bool IsWordAt(int position, const char* word) const;
    // The position of the ")" closing the parenthesis open before `start`,
    // or 0 when there is none.
    int FindCloseParen(int start) const;
    // The first token of the type at or after `start`, or 0 when there is none.
    int FindToken(int type, int start) const;
    // Whether the head of a for from after its "(" to the ")" at `close` is
    // a declaration and a range: a ":" outside parentheses, no ";".
    bool RangeHeadEndsAt(int close) const;
    // "if constexpr (": the word is left out of the unit's tokens, and the
    // statement reads as a plain if.
    void DropConstexprAt(int position);
    // Leaves `count` tokens from `from` out of the unit's tokens.
    void DropTokens(int from, int count);
    // Drops a standard attribute that begins the unit: "[[likely]]" before a
    // block, "[[maybe_unused]]" before a declaration.
    void DropLeadingAttribute();
    void MarkKind(int kind);
    // Marks the kind with a token-range detail holding the unit's tokens
    // from..to (none for an else, or when from > to).
    void SetKindWithRange(int kind, int from = 0, int to = -1);
    // Marks the kind with a text detail: the text of the token at `position`.
    void SetKindWithText(int kind, int position);
    void SplitBodyAt(int position);
    // Makes the unit one flat expression over its whole range.
    void FlattenToExpression();
    void ClassifyByFirstToken();
};

void ClassifyList(std::span<CUnit> units, CStatementAnalyzer& analyzer, int depth)
{
    if (depth > kMaxClassifyDepth)
        return;
    for (CUnit& unit : units) {
        analyzer.unit = &unit;
        analyzer.Classify();
        if (ChildStartKind(unit) == STATEMENT && !unit.children.empty())
            ClassifyList(unit.children, analyzer, depth + 1);
    }
}

} // namespace

void ClassifyStatementUnits(std::span<CUnit> units)
{
    CStatementAnalyzer analyzer;
    ClassifyList(units, analyzer, 0);
}

int CStatementAnalyzer::TokenCount() const
{
    return static_cast<int>(unit->tokenIndices.size());
}

int CStatementAnalyzer::TypeAt(int position) const
{
    return unit->GetToken(position).type;
}

bool CStatementAnalyzer::IsWordAt(int position, const char* word) const
{
    const PPToken& token = unit->GetToken(position);
    return token.type == IDENTIFIER && token.text && std::strcmp(token.text, word) == 0;
}

int CStatementAnalyzer::FindCloseParen(int start) const
{
    int depth = 0;
    for (int p = start; p < TokenCount(); ++p) {
        const int type = TypeAt(p);
        if (type == LP) {
            ++depth;
        } else if (type == RP) {
            if (depth == 0)
                return p;
            --depth;
        }
    }
    return 0;
}

int CStatementAnalyzer::FindToken(int type, int start) const
{
    for (int p = start; p < TokenCount(); ++p) {
        if (TypeAt(p) == type)
            return p;
    }
    return 0;
}

bool CStatementAnalyzer::RangeHeadEndsAt(int close) const
{
    int depth = 0;
    bool colon = false;
    for (int p = 2; p < close; ++p) {
        const int type = TypeAt(p);
        if (type == SEMI)
            return false;
        if (type == LP)
            ++depth;
        else if (type == RP)
            --depth;
        else if (type == COLON && depth == 0)
            colon = true;
    }
    return colon;
}

void CStatementAnalyzer::DropConstexprAt(int position)
{
    if (position + 1 >= TokenCount() || TypeAt(position + 1) != LP ||
        !IsCompileTimeWord(unit->GetToken(position)))
        return;
    DropTokens(position, 1);
}

void CStatementAnalyzer::DropTokens(int from, int count)
{
    std::vector<int> kept(unit->tokenIndices.begin(), unit->tokenIndices.end());
    kept.erase(kept.begin() + from, kept.begin() + from + count);
    unit->tokenIndices.assign(kept.begin(), kept.end());
}

void CStatementAnalyzer::MarkKind(int kind)
{
    unit->kind = kind;
    unit->done = true;
}

void CStatementAnalyzer::SetKindWithRange(int kind, int from, int to)
{
    MarkKind(kind);
    auto detail = std::make_unique<CTokenListInfo>();
    if (kind != UNIT_ELSE)
        unit->CopyTokenIndices(from, to, detail->tokens);
    unit->SetDetail(std::move(detail));
}

void CStatementAnalyzer::SetKindWithText(int kind, int position)
{
    const char* text = unit->GetToken(position).text;
    MarkKind(kind);
    unit->SetDetail(std::make_unique<CTextInfo>(text ? text : ""));
}

void CStatementAnalyzer::SplitBodyAt(int position)
{
    if (TokenCount() > position)
        unit->SplitAt(position);
}

void CStatementAnalyzer::FlattenToExpression()
{
    unit->children.clear();
    unit->tokenIndices.clear();
    const int count = unit->tokens ? static_cast<int>(unit->tokens->size()) : 0;
    for (int p = unit->first; p <= unit->last && p < count; ++p) {
        if (p >= 0 && (*unit->tokens)[static_cast<size_t>(p)].type != ENDLINE)
            unit->tokenIndices.push_back(p);
    }
    unit->brace = false;
}

void CStatementAnalyzer::DropLeadingAttribute()
{
    const int n = TokenCount();
    if (n < 4 || TypeAt(0) != LB || TypeAt(1) != LB)
        return;
    int depth = 0;
    int end = 0;
    for (int i = 0; i < n && end == 0; ++i) {
        if (TypeAt(i) == LB)
            ++depth;
        else if (TypeAt(i) == RB && --depth == 0)
            end = i;
    }
    if (end < 3 || TypeAt(end - 1) != RB)
        return;
    // "[[fallthrough]];" is a statement of its own and stays one.
    const int rest = n - end - 1;
    if (!unit->brace && (rest == 0 || (rest == 1 && TypeAt(end + 1) == SEMI)))
        return;
    DropTokens(0, end + 1);
}

void CStatementAnalyzer::Classify()
{
    DropLeadingAttribute();
    if (TokenCount() == 0) {
        MarkKind(unit->brace ? UNIT_JUST_BRACE : UNIT_NOTHING);
        return;
    }
    ClassifyByFirstToken();
    if (unit->done)
        return;
    MarkKind(UNIT_EXPRESSION_STATEMENT);
    if (unit->brace)
        FlattenToExpression();
}

void CStatementAnalyzer::ClassifyByFirstToken()
{
    const int first = TypeAt(0);
    if (first == WORD_IF)
        DropConstexprAt(1);
    else if (first == WORD_ELSE && TokenCount() > 1 && TypeAt(1) == WORD_IF)
        DropConstexprAt(2);
    const int n = TokenCount();
    // A head whose closing parenthesis (or a case whose colon) is missing is
    // not taken as that statement: it stays an expression statement.
    switch (first) {
    case WORD_IF: {
        if (n < 4 || TypeAt(1) != LP)
            return;
        const int r = FindCloseParen(2);
        if (r - 1 >= 2) {
            SplitBodyAt(r + 1);
            SetKindWithRange(UNIT_IF, 2, r - 1);
        }
        return;
    }
    case WORD_ELSE: {
        if (n == 1) {
            SetKindWithRange(UNIT_ELSE);
            return;
        }
        if (TypeAt(1) == WORD_IF) {
            if (n < 4)
                return;
            const int r = FindCloseParen(3);
            if (r - 1 >= 3) {
                SplitBodyAt(r + 1);
                SetKindWithRange(UNIT_ELSE_IF, 3, r - 1);
            }
            return;
        }
        SplitBodyAt(1);
        SetKindWithRange(UNIT_ELSE);
        return;
    }
    case WORD_FOR: {
        // "for ( ; ; )" is the shortest head: five tokens.
        if (n < 5 || TypeAt(1) != LP)
            return;
        auto info = std::make_unique<CForInfo>();
        const int s1 = FindToken(SEMI, 2);
        const int s2 = s1 ? FindToken(SEMI, s1 + 1) : 0;
        int r = s2 ? FindCloseParen(s2 + 1) : 0;
        if (r != 0) {
            unit->CopyTokenIndices(2, s1, info->initTokens);
            unit->CopyTokenIndices(s1 + 1, s2, info->conditionTokens);
            unit->CopyTokenIndices(s2 + 1, r - 1, info->stepTokens);
        } else {
            // "for (int v : values)": the whole head is what the loop tests.
            r = FindCloseParen(2);
            if (r <= 4 || !RangeHeadEndsAt(r))
                return;
            unit->CopyTokenIndices(2, r - 1, info->conditionTokens);
        }
        SplitBodyAt(r + 1);
        MarkKind(UNIT_FOR);
        unit->SetDetail(std::move(info));
        return;
    }
    case WORD_WHILE:
    case WORD_SWITCH: {
        if (n < 4 || TypeAt(1) != LP)
            return;
        const int r = FindCloseParen(2);
        if (r == 0)
            return;
        SplitBodyAt(r + 1);
        SetKindWithRange(first == WORD_WHILE ? UNIT_WHILE : UNIT_SWITCH, 2, r - 1);
        return;
    }
    case WORD_DO:
        SplitBodyAt(1);
        MarkKind(UNIT_DO);
        return;
    case WORD_CASE: {
        if (n < 2)
            return;
        const int c = FindToken(COLON, 1);
        if (c <= 1)
            return;
        SplitBodyAt(c + 1);
        SetKindWithRange(UNIT_CASE, 1, c - 1);
        return;
    }
    case WORD_DEFAULT:
        if (n >= 2 && TypeAt(1) == COLON) {
            SplitBodyAt(2);
            MarkKind(UNIT_DEFAULT);
        }
        return;
    case IDENTIFIER:
        // Windows' structured exception handling reads as try and catch:
        // "__try { ... } __except (EXCEPTION_EXECUTE_HANDLER) { ... }".
        if (n == 1 && IsWordAt(0, "__try")) {
            MarkKind(UNIT_TRY);
            return;
        }
        if (n >= 4 && TypeAt(1) == LP && IsWordAt(0, "__except")) {
            if (const int r = FindCloseParen(2); r != 0)
                SetKindWithRange(UNIT_CATCH, 2, r - 1);
            return;
        }
        // So do MFC's exception macros, whose header is never read: "TRY
        // { ... } CATCH(CFileException, e) { ... } AND_CATCH_ALL(e) { ... }
        // END_CATCH_ALL".
        if (n == 1 && unit->brace && IsWordAt(0, "TRY")) {
            MarkKind(UNIT_TRY);
            return;
        }
        if (n >= 4 && TypeAt(1) == LP && unit->brace &&
            (IsWordAt(0, "CATCH") || IsWordAt(0, "AND_CATCH") || IsWordAt(0, "CATCH_ALL") ||
                IsWordAt(0, "AND_CATCH_ALL"))) {
            if (const int r = FindCloseParen(2); r == n - 1)
                SetKindWithRange(UNIT_CATCH, 2, r - 1);
            return;
        }
        // The macro that ends them has no semicolon and runs into the
        // statement after it, which keeps its own reading; alone, at the
        // end of a block, it stays a statement of its own.
        if (n > 1 && (IsWordAt(0, "END_CATCH") || IsWordAt(0, "END_CATCH_ALL"))) {
            DropTokens(0, 1);
            ClassifyByFirstToken();
            return;
        }
        if (n >= 2 && TypeAt(1) == COLON) {
            SplitBodyAt(2);
            SetKindWithText(UNIT_LABEL, 0);
        }
        return;
    case WORD_BREAK:
    case WORD_CONTINUE:
        if (n == 2 && TypeAt(1) == SEMI)
            MarkKind(first == WORD_BREAK ? UNIT_BREAK : UNIT_CONTINUE);
        return;
    case WORD_RETURN:
        // A lambda in the value, "return any_of(b, e, [](char c) { ... });"
        // or "return [n](int x) { ... };": its body is part of the value,
        // as in an expression statement, not statements of its own.
        if (unit->brace)
            FlattenToExpression();
        if (TokenCount() > 1)
            SetKindWithRange(UNIT_RETURN, 1, TokenCount() - 1);
        return;
    case WORD_GOTO:
        if (n == 3 && TypeAt(1) == IDENTIFIER && TypeAt(2) == SEMI)
            SetKindWithText(UNIT_GOTO, 1);
        return;
    case WORD_TRY:
        if (n == 1)
            MarkKind(UNIT_TRY);
        return;
    case WORD_CATCH:
    case WORD_THROW: {
        if (n < 4 || TypeAt(1) != LP)
            return;
        const int r = FindCloseParen(2);
        if (r == 0)
            return;
        SetKindWithRange(first == WORD_CATCH ? UNIT_CATCH : UNIT_THROW, 2, r - 1);
        return;
    }
    default:
        return;
    }
}
