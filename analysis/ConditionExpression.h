#pragma once

#include "MacroTable.h"
#include "MessageSink.h"
#include "PPToken.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

// The constant tokens "1" and "0" that conditions refer to.
extern const PPToken g_OneToken;
extern const PPToken g_ZeroToken;

// A condition: references to tokens of the file, of stored macro bodies and to
// the two constants. Marks made while evaluating belong to the referenced
// token, not to its place in the list.
using ConditionTokens = std::vector<const PPToken*>;

// Collects the condition of an #if or #elif from position `start` up to the
// line's end (returned): macros are expanded once, `defined X` and
// `defined(X)` become 1 or 0. Throws PreprocessorFailure when the tokens end
// before the line does, std::out_of_range when `defined` lacks its name.
size_t CollectCondition(const std::vector<PPToken>& tokens, size_t start, const MacroTable& macros,
    ConditionTokens& out);

// Every identifier left in the condition becomes 0.
void ZeroIdentifiers(ConditionTokens& condition);

// Evaluates a condition on signed 32-bit integers with wrap-around: operator
// precedence to postfix, a tree, then the value.
class CPPExpression {
public:
    // Operators nested deeper than this (counted through the expression
    // tree) make the condition fail instead of exhausting the stack.
    static constexpr int kMaxDepth = 5000;

    CPPExpression(const ConditionTokens& condition, MessageSink& messages);
    ~CPPExpression();
    CPPExpression(const CPPExpression&) = delete;
    CPPExpression& operator=(const CPPExpression&) = delete;

    // Throws PreprocessorFailure with the text of the fault on a malformed
    // condition.
    int32_t Evaluate();

private:
    struct ExprNode;

    void Prepare();
    bool IsOperator(const PPToken* token) const;
    int Precedence(const PPToken* token, bool operandExpected);
    void ToPostfix();
    void BuildTree();
    int32_t EvalNode(const ExprNode* node) const;

    std::set<const PPToken*> unaryOps_;
    std::set<const PPToken*> ternaryOps_;
    ConditionTokens working_;
    ConditionTokens postfix_;
    std::unique_ptr<ExprNode> root_;
    PPToken openParen_;
    PPToken closeParen_;
    MessageSink& messages_;
};

// Collects, zeroes and evaluates the condition at `start` in one call.
int32_t EvaluateCondition(const std::vector<PPToken>& tokens, size_t start,
    const MacroTable& macros, MessageSink& messages = StandardOutputSink());

// As EvaluateCondition, but a condition that cannot be evaluated (a token the
// evaluator does not take, such as an inert ## from a macro, or a budget run
// out) counts as false, with a line naming the file and line, so that it
// costs its own group and not the rest of the file. A condition that the end
// of the tokens cuts short still throws.
int32_t EvaluateConditionOrFalse(const std::vector<PPToken>& tokens, size_t start,
    const MacroTable& macros, MessageSink& messages, const std::string& path);
