#include "UnitTokenStream.h"

#include "TokenType.h"

#include <antlr/CommonToken.hpp>

#include <cstring>

namespace {

bool IsClassKey(int type)
{
    return type == WORD_CLASS || type == WORD_STRUCT || type == WORD_UNION;
}

antlr::RefToken MakeToken(int type, const std::string& text = std::string())
{
    return antlr::RefToken(new antlr::CommonToken(type, text));
}

} // namespace

void CUnitTokenStream::Aim(CUnit& unit, int startKind)
{
    startKind_ = startKind;
    position_ = -1;
    tokenCount_ = static_cast<int>(unit.tokenIndices.size());
    brace_ = unit.brace;
    unclosedAttribute_ = false;
    secondGreater_ = false;
    openAngles_.clear();
    parenDepth_ = 0;
    lastType_ = 0;
    unit_ = &unit;
}

int CUnitTokenStream::AfterAttribute(int position)
{
    const PPToken& word = unit_->GetToken(position);
    if (IsCompileTimeWord(word))
        return position + 1;
    if (position == 0 && word.type == IDENTIFIER && word.text && word.text[0] == 'r' &&
        std::strcmp(word.text, "requires") == 0)
        return PastRequiresClause(position);
    if (position == 0 && startKind_ != DECLARATION &&
        (word.type == IDENTIFIER || IsAccessWord(word.type))) {
        const int label = word.type == IDENTIFIER ? PastMarkersBeforeLabel(position) : position;
        const int access = PastLabelsBeforeAccessLabel(label);
        if (access != label)
            return access;
        if (label != position)
            return label;
    }
    // A wide string's prefix that a macro pastes to a literal, wxWidgets'
    // "L ## \"name\"": the literal alone, as the scanner drops a prefix
    // written before one.
    if (StringPrefixPastedAt(position))
        return position + 2;
    // "mutable" before a member's class key, "mutable struct stats_ { ... }
    // stats;": it says nothing of the structure the member's type defines.
    if (word.type == WORD_MUTABLE && position + 1 < tokenCount_ &&
        IsClassKey(unit_->GetToken(position + 1).type))
        return position + 1;
    // The "try" of a constructor's function try block, before its
    // initializer list: "Ptr(C *p) try : n(0) { ... } catch (...) { ... }".
    if (word.type == WORD_TRY && position > 0 && position + 1 < tokenCount_ &&
        unit_->GetToken(position - 1).type == RP && unit_->GetToken(position + 1).type == COLON)
        return position + 1;
    if (NoexceptAt(position)) {
        if (position + 1 < tokenCount_ && unit_->GetToken(position + 1).type == LP)
            return PastBrackets(position, position + 1, LP, RP);
        return position + 1;
    }
    if (!unclosedAttribute_ && word.type == LB && position + 1 < tokenCount_ &&
        unit_->GetToken(position + 1).type == LB)
        return PastBrackets(position, position, LB, RB);
    // GCC's attributes and an alignment, "alignas(16) char buffer[64];".
    // Most names are ruled out by their first letter.
    if (unclosedAttribute_ || word.type != IDENTIFIER || !word.text ||
        (word.text[0] != '_' && word.text[0] != 'a'))
        return position;
    if (std::strcmp(word.text, "__attribute__") != 0 &&
        std::strcmp(word.text, "__attribute") != 0 && std::strcmp(word.text, "alignas") != 0)
        return position;
    if (position + 1 < tokenCount_ && unit_->GetToken(position + 1).type != LP)
        return position;
    return PastBrackets(position, position + 1, LP, RP);
}

int CUnitTokenStream::PastRequiresClause(int position) const
{
    const int n = tokenCount_;
    auto type = [this](int i) { return unit_->GetToken(i).type; };
    int i = position + 1;
    for (;;) {
        // One constraint: a condition in parentheses, true or false, or a
        // name, qualified or not, with its template arguments.
        while (i < n && type(i) == NOT)
            ++i;
        if (i >= n)
            return position;
        if (type(i) == LP) {
            if ((i = PastClosing(i, LP, RP)) == 0)
                return position;
        } else if (type(i) == WORD_TRUE || type(i) == WORD_FALSE) {
            ++i;
        } else if (type(i) == IDENTIFIER || type(i) == CLCL) {
            if (type(i) == CLCL)
                ++i;
            while (i < n && type(i) == IDENTIFIER) {
                ++i;
                if (i + 1 < n && type(i) == CLCL && type(i + 1) == IDENTIFIER)
                    ++i;
                else
                    break;
            }
            if (i < n && type(i) == LT_) {
                int angles = 0;
                int parens = 0;
                for (; i < n; ++i) {
                    const int t = type(i);
                    if (t == LP)
                        ++parens;
                    else if (t == RP)
                        --parens;
                    else if (parens == 0 && t == LT_)
                        ++angles;
                    else if (parens == 0 && (t == GT || t == RS)) {
                        angles -= t == RS ? 2 : 1;
                        if (angles <= 0)
                            break;
                    }
                }
                if (i >= n || angles < 0)
                    return position;
                ++i;
            }
        } else {
            return position;
        }
        // More constraints joined to it, or the declaration.
        if (i < n && (type(i) == ANDAND || type(i) == OROR)) {
            ++i;
            continue;
        }
        return i < n ? i : position;
    }
}

int CUnitTokenStream::PastMarkersBeforeLabel(int position) const
{
    constexpr int kLongestRun = 8;
    const int n = tokenCount_;
    auto type = [this, n](int i) { return i < n ? unit_->GetToken(i).type : 0; };
    int i = position + 1;
    for (int words = 0; words < kLongestRun; ++words) {
        if (type(i) == LP && (i = PastClosing(i, LP, RP)) == 0)
            return position;
        const int at = type(i);
        if (IsAccessWord(at))
            return type(i + 1) == IDENTIFIER && type(i + 2) == COLON ? i : position;
        if (at != IDENTIFIER)
            return position;
        if (type(i + 1) == COLON)
            return MemberAt(i + 2) || LabelAt(i + 2) ? i : position;
        ++i;
    }
    return position;
}

bool CUnitTokenStream::LabelAt(int position) const
{
    const int n = tokenCount_;
    auto type = [this, n](int i) { return i < n ? unit_->GetToken(i).type : 0; };
    const int word = IsAccessWord(type(position)) ? position + 1 : position;
    return (word > position && type(word) == COLON) ||
        (type(word) == IDENTIFIER && type(word + 1) == COLON);
}

int CUnitTokenStream::PastLabelsBeforeAccessLabel(int position) const
{
    constexpr int kLongestRun = 8;
    const int n = tokenCount_;
    auto type = [this, n](int i) { return i < n ? unit_->GetToken(i).type : 0; };
    int i = position;
    for (int labels = 0; labels < kLongestRun; ++labels) {
        if (IsAccessWord(type(i)) && type(i + 1) == COLON)
            return labels > 0 && i + 2 == n ? i : position;
        const int word = IsAccessWord(type(i)) ? i + 1 : i;
        if (type(word) != IDENTIFIER || type(word + 1) != COLON)
            return position;
        i = word + 2;
    }
    return position;
}

bool CUnitTokenStream::MemberAt(int position) const
{
    const int n = tokenCount_;
    auto type = [this, n](int i) { return i < n ? unit_->GetToken(i).type : 0; };
    switch (type(position)) {
    case WORD_VOID:
    case WORD_BOOL:
    case WORD_CHAR:
    case WORD_WCHAR_T:
    case WORD_SHORT:
    case WORD_INT:
    case WORD_LONG:
    case WORD_SIGNED:
    case WORD_UNSIGNED:
    case WORD_FLOAT:
    case WORD_DOUBLE:
    case WORD_CONST:
    case WORD_VOLATILE:
    case WORD_VIRTUAL:
    case WORD_STATIC:
    case WORD_INLINE:
    case WORD_EXPLICIT:
    case WORD_FRIEND:
    case WORD_TYPEDEF:
    case WORD_CLASS:
    case WORD_STRUCT:
    case WORD_UNION:
    case WORD_ENUM:
    case WORD_TEMPLATE:
    case WORD_USING:
    case WORD_MUTABLE:
    case NEGATE:
        return true;
    case IDENTIFIER:
        switch (type(position + 1)) {
        case IDENTIFIER:
        case LT_:
        case CLCL:
            return true;
        case STAR:
        case AND:
            return type(position + 2) == IDENTIFIER && type(position + 3) == LP;
        default:
            return false;
        }
    default:
        return false;
    }
}

int CUnitTokenStream::PastPastedPieces(int position, std::string& text) const
{
    while (position + 2 < tokenCount_ && unit_->GetToken(position + 1).type == SHARPSHARP) {
        const PPToken& piece = unit_->GetToken(position + 2);
        // A keyword pasted to a name is part of it too: "parse_ ## short".
        const bool keyword = piece.type >= WORD_AND && piece.type <= WORD___W64;
        const bool joins = keyword || piece.type == IDENTIFIER || piece.type == INTEGERNUMBER ||
            piece.type == OCTALNUMBER || piece.type == HEXNUMBER;
        const char* spelling = keyword ? TokenTypeFixedSpelling(piece.type) : piece.text;
        if (!joins || !spelling)
            break;
        text += spelling;
        position += 2;
    }
    return position;
}

bool CUnitTokenStream::StringPrefixPastedAt(int position) const
{
    const PPToken& word = unit_->GetToken(position);
    if (word.type != IDENTIFIER || !word.text || position + 2 >= tokenCount_ ||
        unit_->GetToken(position + 1).type != SHARPSHARP)
        return false;
    const int literal = unit_->GetToken(position + 2).type;
    if (literal != STRINGS && literal != CHARS)
        return false;
    const char* prefix = word.text;
    return std::strcmp(prefix, "L") == 0 || std::strcmp(prefix, "u") == 0 ||
        std::strcmp(prefix, "U") == 0 || std::strcmp(prefix, "u8") == 0;
}

bool CUnitTokenStream::NoexceptAt(int position) const
{
    const PPToken& word = unit_->GetToken(position);
    // Most names are ruled out by their first letter: this runs for each
    // token handed out.
    if (position == 0 || word.type != IDENTIFIER || !word.text || word.text[0] != 'n' ||
        std::strcmp(word.text, "noexcept") != 0)
        return false;
    switch (unit_->GetToken(position - 1).type) {
    case RP:
    case WORD_CONST:
    case WORD_VOLATILE:
    case AND:
    case ANDAND:
        return true;
    default:
        return false;
    }
}

int CUnitTokenStream::PastBrackets(int attribute, int from, int open, int close)
{
    const int after = PastClosing(from, open, close);
    if (after != 0)
        return after;
    unclosedAttribute_ = true;
    return attribute;
}

int CUnitTokenStream::PastClosing(int from, int open, int close) const
{
    int depth = 0;
    for (int i = from; i < tokenCount_; ++i) {
        const int type = unit_->GetToken(i).type;
        if (type == open)
            ++depth;
        else if (type == close && --depth == 0)
            return i + 1;
    }
    return 0;
}

int CUnitTokenStream::FollowAngles(int type)
{
    const int previous = lastType_;
    lastType_ = type;
    switch (type) {
    case LP:
        ++parenDepth_;
        break;
    case RP:
        if (parenDepth_ > 0)
            --parenDepth_;
        break;
    case LT_:
        // An argument list opens after a template's name or "template".
        if (previous == IDENTIFIER || previous == WORD_TEMPLATE)
            openAngles_.push_back(parenDepth_);
        break;
    case GT:
        if (!openAngles_.empty() && openAngles_.back() == parenDepth_)
            openAngles_.pop_back();
        break;
    case RS:
        // "std::vector<std::vector<int>>": two lists close at once.
        if (openAngles_.size() >= 2 && openAngles_.back() == parenDepth_ &&
            openAngles_[openAngles_.size() - 2] == parenDepth_) {
            openAngles_.resize(openAngles_.size() - 2);
            secondGreater_ = true;
            lastType_ = GT;
            return GT;
        }
        break;
    case SEMI:
    case LC:
    case RC:
        openAngles_.clear();
        parenDepth_ = 0;
        break;
    default:
        break;
    }
    return type;
}

antlr::RefToken CUnitTokenStream::nextToken()
{
    if (position_ < 0) {
        position_ = 0;
        return MakeToken(startKind_);
    }
    if (secondGreater_) {
        // The second half of a ">>" that closed two argument lists.
        secondGreater_ = false;
        antlr::RefToken token = MakeToken(GT);
        token->setLine(position_ - 1);
        token->setColumn(unit_->tokenIndices[static_cast<size_t>(position_ - 1)]);
        return token;
    }
    if (unit_) {
        while (position_ < tokenCount_) {
            const int after = AfterAttribute(position_);
            if (after == position_)
                break;
            position_ = after;
        }
    }
    if (unit_ && position_ < tokenCount_) {
        const PPToken& source = unit_->GetToken(position_);
        const bool keepsText = source.type == STRINGS || source.type == IDENTIFIER;
        int type = source.type;
        if (type == ANDAND &&
            (position_ == 0 || unit_->GetToken(position_ - 1).type != WORD_OPERATOR))
            type = AND;
        type = FollowAngles(type);
        std::string text = keepsText && source.text ? std::string(source.text) : std::string();
        const int first = position_;
        if (type == IDENTIFIER)
            position_ = PastPastedPieces(position_, text);
        antlr::RefToken token = MakeToken(type, text);
        token->setLine(position_);
        token->setColumn(unit_->tokenIndices[static_cast<size_t>(first)]);
        ++position_;
        return token;
    }
    if (brace_ && position_ == tokenCount_) {
        ++position_;
        return MakeToken(LC);
    }
    if (brace_ && position_ == tokenCount_ + 1) {
        ++position_;
        return MakeToken(RC);
    }
    return MakeToken(EOF_);
}
