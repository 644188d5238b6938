#include "ConditionExpression.h"

#include "MacroArguments.h"
#include "PreprocessorFailure.h"
#include "TokenText.h"
#include "TokenType.h"

#include <algorithm>
#include <limits>
#include <string>

const PPToken g_OneToken(0, INTEGERNUMBER, "1");
const PPToken g_ZeroToken(0, INTEGERNUMBER, "0");

namespace {

const char* const kNoConditionText = "#if #elif no condition";
const char* const kUnknownOperatorText = "Unknown Operator";
const char* const kOnlyOperatorUnaryText = "#if, #elif문에 연산자만 있습니다.(unary)";
const char* const kOnlyOperatorTernaryText = "#if, #elif문에 연산자만 있습니다.(triple)";
const char* const kOnlyOperatorBinaryText = "#if, #elif문에 연산자만 있습니다.(binary)";
const char* const kNoExpressionText = "#if, #elif 문에 식이 없습니다.";
const char* const kTooDeepText = "#if, #elif condition nested too deeply";
const char* const kTooLongText = "#if, #elif condition too long";

// A condition holds at most this many token references once its macros are
// expanded (each expansion adds up to a whole macro body).
constexpr size_t kMaxConditionTokens = 1000000;

size_t ConditionRoom(const ConditionTokens& out)
{
    return out.size() < kMaxConditionTokens ? kMaxConditionTokens - out.size() : 0;
}

void CheckConditionRoom(bool fits)
{
    if (!fits) {
        throw PreprocessorFailure(kTooLongText);
    }
}

const PPToken& TokenAt(const std::vector<PPToken>& tokens, size_t k)
{
    if (k >= tokens.size()) {
        throw std::out_of_range(kIndexFailureText);
    }
    return tokens[k];
}

bool IsDefinedName(const MacroTable& macros, const std::string& name)
{
    return macros.find(name) != macros.end();
}

// `defined` at k: appends 1 or 0 and returns the last position it consumed.
size_t ReplaceDefined(
    const std::vector<PPToken>& tokens, size_t k, const MacroTable& macros, ConditionTokens& out)
{
    const PPToken& next = TokenAt(tokens, k + 1);
    std::string name;
    size_t last;
    if (next.type == IDENTIFIER) {
        name = next.text ? next.text : "";
        last = k + 1;
    } else if (next.type == LP && TokenAt(tokens, k + 3).type == RP) {
        const PPToken& inner = TokenAt(tokens, k + 2);
        name = inner.type == IDENTIFIER ? (inner.text ? inner.text : "")
                                        : TokenSpelling(tokens, static_cast<int>(k + 2));
        last = k + 3;
    } else {
        // A name that is no identifier: its spelling counts, and the
        // collection goes on right after it.
        name = TokenSpelling(tokens, static_cast<int>(k + 1));
        last = k + 1;
    }
    out.push_back(IsDefinedName(macros, name) ? &g_OneToken : &g_ZeroToken);
    return last;
}

// An identifier at j: its expansion, or itself. Returns the last position
// consumed.
size_t ExpandInCondition(
    const std::vector<PPToken>& tokens, size_t j, const MacroTable& macros, ConditionTokens& out)
{
    const PPToken& token = tokens[j];
    auto found = macros.find(token.text ? token.text : "");
    if (found == macros.end()) {
        out.push_back(&token);
        return j;
    }
    const CMacroDef& macro = *found->second;
    if (!macro.functionLike) {
        CheckConditionRoom(macro.body.size() <= ConditionRoom(out));
        for (const PPToken& bodyToken : macro.body) {
            out.push_back(&bodyToken);
        }
        return j;
    }
    if (j + 1 >= tokens.size() || tokens[j + 1].type != LP) {
        out.push_back(&token);
        return j;
    }
    std::vector<MacroArgument> args;
    const size_t close = CollectMacroArguments(tokens, j + 1, args, kArgumentsEndText);
    CheckConditionRoom(SubstitutionFits(macro, args, ConditionRoom(out)));
    ForEachSubstitutedToken(macro, tokens, args, [&out](const PPToken& t) { out.push_back(&t); });
    return close;
}

uint32_t ReadUnsigned(const char* text, int base)
{
    if (text == nullptr) {
        return 0;
    }
    const char* p = text;
    if (base == 16 && p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) {
        p += 2;
    }
    uint64_t value = 0;
    for (; *p; ++p) {
        int digit;
        if (*p == '\'') {
            continue; // a digit separator
        }
        if (*p >= '0' && *p <= '9') {
            digit = *p - '0';
        } else if (*p >= 'a' && *p <= 'f') {
            digit = *p - 'a' + 10;
        } else if (*p >= 'A' && *p <= 'F') {
            digit = *p - 'A' + 10;
        } else {
            break;
        }
        if (digit >= base) {
            break;
        }
        value = value * base + digit;
        if (value > 0xFFFFFFFFull) {
            return 0xFFFFFFFFu;
        }
    }
    return static_cast<uint32_t>(value);
}

// A decimal number may carry a minus sign: a predefined word with a negative
// value is one number token such as "-5".
int32_t ReadDecimal(const char* text)
{
    if (text != nullptr && text[0] == '-') {
        return static_cast<int32_t>(0u - ReadUnsigned(text + 1, 10));
    }
    if (text != nullptr && text[0] == '0' && (text[1] == 'b' || text[1] == 'B')) {
        return static_cast<int32_t>(ReadUnsigned(text + 2, 2));
    }
    return static_cast<int32_t>(ReadUnsigned(text, 10));
}

} // namespace

size_t CollectCondition(const std::vector<PPToken>& tokens, size_t start, const MacroTable& macros,
    ConditionTokens& out)
{
    for (size_t j = start;; ++j) {
        if (j >= tokens.size()) {
            throw PreprocessorFailure(kNoConditionText);
        }
        const PPToken& token = tokens[j];
        if (token.type == ENDLINE) {
            return j;
        }
        if (token.type == IDENTIFIER) {
            j = ExpandInCondition(tokens, j, macros, out);
        } else if (token.type == WORD_DEFINED) {
            j = ReplaceDefined(tokens, j, macros, out);
        } else {
            out.push_back(&token);
        }
    }
}

void ZeroIdentifiers(ConditionTokens& condition)
{
    for (const PPToken*& token : condition) {
        if (token->type == IDENTIFIER) {
            token = &g_ZeroToken;
        }
    }
}

struct CPPExpression::ExprNode {
    std::unique_ptr<ExprNode> left;
    std::unique_ptr<ExprNode> middle;
    std::unique_ptr<ExprNode> right;
    const PPToken* token = nullptr;
    int depth = 1; // levels of the subtree, this node included
};

CPPExpression::CPPExpression(const ConditionTokens& condition, MessageSink& messages)
    : working_(condition),
      openParen_(0, LP, nullptr),
      closeParen_(0, RP, nullptr),
      messages_(messages)
{
}

CPPExpression::~CPPExpression() = default;

void CPPExpression::Prepare()
{
    ConditionTokens rebuilt;
    rebuilt.reserve(working_.size() + 8);
    for (const PPToken* token : working_) {
        if (token->type == COLON) {
            rebuilt.push_back(&closeParen_);
        }
        rebuilt.push_back(token);
        if (token->type == QUESTION) {
            rebuilt.push_back(&openParen_);
        }
    }
    working_ = std::move(rebuilt);
}

bool CPPExpression::IsOperator(const PPToken* token) const
{
    switch (token->type) {
    case LP:
    case RP:
    case COLON:
    case QUESTION:
    case PLUS:
    case MINUS:
    case STAR:
    case DIV:
    case MOD:
    case XOR:
    case AND:
    case OR:
    case NEGATE:
    case NOT:
    case LT_:
    case GT:
    case LS:
    case RS:
    case LE:
    case GE:
    case EQ:
    case NE:
    case ANDAND:
    case OROR:
        return true;
    case CHARS:
    case INTEGERNUMBER:
    case HEXNUMBER:
    case OCTALNUMBER:
        return false;
    default:
        MessageLine(messages_, MessageKind::Error)
            << token->type << "  is not Allowed By Preprocessing Expression";
        throw PreprocessorFailure(kUnknownOperatorText);
    }
}

int CPPExpression::Precedence(const PPToken* token, bool operandExpected)
{
    switch (token->type) {
    case LP:
    case RP:
        return 1;
    case NOT:
    case NEGATE:
        unaryOps_.insert(token);
        return 2;
    case PLUS:
    case MINUS:
        if (operandExpected) {
            unaryOps_.insert(token);
            return 2;
        }
        return 4;
    case STAR:
    case DIV:
    case MOD:
        return 3;
    case LS:
    case RS:
        return 5;
    case LT_:
    case GT:
    case LE:
    case GE:
        return 6;
    case EQ:
    case NE:
        return 7;
    case AND:
        return 8;
    case XOR:
        return 9;
    case OR:
        return 10;
    case ANDAND:
        return 11;
    case OROR:
        return 12;
    case QUESTION:
    case COLON:
        ternaryOps_.insert(token);
        return 13;
    default:
        throw PreprocessorFailure(kUnknownOperatorText);
    }
}

void CPPExpression::ToPostfix()
{
    std::vector<const PPToken*> stack;
    postfix_.clear();
    bool operandExpected = true;
    auto isConditional = [](const PPToken* t) { return t->type == QUESTION || t->type == COLON; };
    for (const PPToken* token : working_) {
        if (!IsOperator(token)) {
            postfix_.push_back(token);
            operandExpected = false;
            continue;
        }
        if (token->type == RP) {
            while (!stack.empty() && stack.back()->type != LP) {
                if (stack.back()->type != QUESTION) {
                    postfix_.push_back(stack.back());
                }
                stack.pop_back();
            }
            if (!stack.empty()) {
                stack.pop_back();
            }
            operandExpected = false;
            continue;
        }
        // A prefix operator takes the operand that follows it: it pops
        // nothing, so that prefix operators nest (!!X, - -1).
        const bool prefix = operandExpected && token->type != LP &&
            (token->type == NOT || token->type == NEGATE || token->type == PLUS ||
                token->type == MINUS);
        if (token->type != LP && !prefix) {
            const int mine = Precedence(token, operandExpected);
            while (!stack.empty() && stack.back()->type != LP) {
                const PPToken* top = stack.back();
                const int theirs = Precedence(top, unaryOps_.count(top) != 0);
                if (theirs > mine) {
                    break;
                }
                if (isConditional(top) && isConditional(token)) {
                    break;
                }
                if (top->type != QUESTION) {
                    postfix_.push_back(top);
                }
                stack.pop_back();
            }
        }
        Precedence(token, operandExpected);
        stack.push_back(token);
        operandExpected = true;
    }
    while (!stack.empty()) {
        if (stack.back()->type != QUESTION) {
            postfix_.push_back(stack.back());
        }
        stack.pop_back();
    }
}

void CPPExpression::BuildTree()
{
    std::vector<std::unique_ptr<ExprNode>> nodes;
    auto pop = [&nodes] {
        std::unique_ptr<ExprNode> node = std::move(nodes.back());
        nodes.pop_back();
        return node;
    };
    // Evaluating and freeing the tree recurse once per level: a tree deeper
    // than the bound is refused before it is built any further.
    auto depthOf = [](const std::unique_ptr<ExprNode>& child) { return child ? child->depth : 0; };
    for (const PPToken* token : postfix_) {
        auto node = std::make_unique<ExprNode>();
        node->token = token;
        if (!IsOperator(token)) {
            // an operand: a leaf
        } else if (unaryOps_.count(token) != 0) {
            if (nodes.empty()) {
                throw PreprocessorFailure(kOnlyOperatorUnaryText);
            }
            node->left = pop();
        } else if (ternaryOps_.count(token) != 0) {
            if (nodes.size() < 3) {
                throw PreprocessorFailure(kOnlyOperatorTernaryText);
            }
            node->right = pop();
            node->middle = pop();
            node->left = pop();
        } else {
            if (nodes.size() < 2) {
                throw PreprocessorFailure(kOnlyOperatorBinaryText);
            }
            node->right = pop();
            node->left = pop();
        }
        node->depth =
            1 + std::max({depthOf(node->left), depthOf(node->middle), depthOf(node->right)});
        if (node->depth > kMaxDepth) {
            MessageLine(messages_, MessageKind::Error)
                << "An #if or #elif condition nests more than " << kMaxDepth
                << " operators: it is not evaluated";
            throw PreprocessorFailure(kTooDeepText);
        }
        nodes.push_back(std::move(node));
    }
    if (nodes.size() != 1) {
        throw PreprocessorFailure(kNoExpressionText);
    }
    root_ = std::move(nodes.back());
}

int32_t CPPExpression::EvalNode(const ExprNode* node) const
{
    if (node == nullptr) {
        return 0;
    }
    const PPToken* token = node->token;
    switch (token->type) {
    case INTEGERNUMBER:
        return ReadDecimal(token->text);
    case OCTALNUMBER:
        return static_cast<int32_t>(ReadUnsigned(token->text, 8));
    case HEXNUMBER:
        return static_cast<int32_t>(ReadUnsigned(token->text, 16));
    case CHARS:
        return token->text ? static_cast<int32_t>(static_cast<signed char>(token->text[0])) : 0;
    case COLON:
        return EvalNode(node->left.get()) != 0 ? EvalNode(node->middle.get())
                                               : EvalNode(node->right.get());
    case OROR:
        if (EvalNode(node->left.get()) != 0) {
            return 1;
        }
        return EvalNode(node->right.get()) != 0 ? 1 : 0;
    case ANDAND:
        if (EvalNode(node->left.get()) == 0) {
            return 0;
        }
        return EvalNode(node->right.get()) != 0 ? 1 : 0;
    default:
        break;
    }
    const bool unary = unaryOps_.count(token) != 0;
    const int32_t l = EvalNode(node->left.get());
    const int32_t r = unary ? 0 : EvalNode(node->right.get());
    const uint32_t ul = static_cast<uint32_t>(l);
    const uint32_t ur = static_cast<uint32_t>(r);
    switch (token->type) {
    case PLUS:
        return unary ? l : static_cast<int32_t>(ul + ur);
    case MINUS:
        return unary ? static_cast<int32_t>(0u - ul) : static_cast<int32_t>(ul - ur);
    case STAR:
        return static_cast<int32_t>(ul * ur);
    case DIV:
        if (r == 0) {
            return 0;
        }
        if (l == std::numeric_limits<int32_t>::min() && r == -1) {
            return l;
        }
        return l / r;
    case MOD:
        if (r == 0 || r == -1) {
            return 0;
        }
        return l % r;
    case XOR:
        return l ^ r;
    case AND:
        return l & r;
    case OR:
        return l | r;
    case NEGATE:
        return ~l;
    case NOT:
        return l == 0 ? 1 : 0;
    case LT_:
        return l < r ? 1 : 0;
    case GT:
        return l > r ? 1 : 0;
    case LE:
        return l <= r ? 1 : 0;
    case GE:
        return l >= r ? 1 : 0;
    case EQ:
        return l == r ? 1 : 0;
    case NE:
        return l != r ? 1 : 0;
    case LS:
        return static_cast<int32_t>(ul << (ur & 31));
    case RS:
        return l >> (r & 31);
    default:
        return 0;
    }
}

int32_t CPPExpression::Evaluate()
{
    Prepare();
    ToPostfix();
    BuildTree();
    return EvalNode(root_.get());
}

int32_t EvaluateCondition(const std::vector<PPToken>& tokens, size_t start,
    const MacroTable& macros, MessageSink& messages)
{
    ConditionTokens condition;
    CollectCondition(tokens, start, macros, condition);
    ZeroIdentifiers(condition);
    CPPExpression expression(condition, messages);
    return expression.Evaluate();
}

int32_t EvaluateConditionOrFalse(const std::vector<PPToken>& tokens, size_t start,
    const MacroTable& macros, MessageSink& messages, const std::string& path)
{
    try {
        return EvaluateCondition(tokens, start, macros, messages);
    } catch (const PreprocessorFailure&) {
        const auto from =
            tokens.begin() + static_cast<std::ptrdiff_t>(std::min(start, tokens.size()));
        if (std::none_of(from, tokens.end(), [](const PPToken& t) { return t.type == ENDLINE; })) {
            throw;
        }
        const int line = start > 1 && start - 2 < tokens.size() ? tokens[start - 2].line : 0;
        MessageLine(messages, MessageKind::Error)
            << "The condition is taken as false: " << path << " line " << line;
        return 0;
    }
}
