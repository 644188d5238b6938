#include "UnitTokenStream.h"

#include "TokenType.h"

#include <antlr/CommonToken.hpp>

#include <cstring>

namespace {

antlr::RefToken MakeToken(int type, const std::string& text = std::string())
{
    return antlr::RefToken(new antlr::CommonToken(type, text));
}

// "constexpr" and its kin say when a function or a variable is worked out,
// nothing the model keeps; they stand where "inline" or "static" may.
bool IsCompileTimeWord(const PPToken& word)
{
    return word.type == IDENTIFIER && word.text &&
        (std::strcmp(word.text, "constexpr") == 0 || std::strcmp(word.text, "consteval") == 0 ||
            std::strcmp(word.text, "constinit") == 0);
}

} // namespace

void CUnitTokenStream::Aim(CUnit& unit, int startKind)
{
    startKind_ = startKind;
    position_ = -1;
    tokenCount_ = static_cast<int>(unit.tokenIndices.size());
    brace_ = unit.brace;
    unclosedAttribute_ = false;
    unit_ = &unit;
}

int CUnitTokenStream::AfterAttribute(int position)
{
    const PPToken& word = unit_->GetToken(position);
    if (IsCompileTimeWord(word))
        return position + 1;
    if (!unclosedAttribute_ && word.type == LB && position + 1 < tokenCount_ &&
        unit_->GetToken(position + 1).type == LB)
        return AfterBracketAttribute(position);
    if (unclosedAttribute_ || word.type != IDENTIFIER || !word.text ||
        (std::strcmp(word.text, "__attribute__") != 0 &&
            std::strcmp(word.text, "__attribute") != 0))
        return position;
    int depth = 0;
    for (int i = position + 1; i < tokenCount_; ++i) {
        const int type = unit_->GetToken(i).type;
        if (i == position + 1 && type != LP)
            return position;
        if (type == LP)
            ++depth;
        else if (type == RP && --depth == 0)
            return i + 1;
    }
    unclosedAttribute_ = true;
    return position;
}

int CUnitTokenStream::AfterBracketAttribute(int position)
{
    int depth = 0;
    for (int i = position; i < tokenCount_; ++i) {
        const int type = unit_->GetToken(i).type;
        if (type == LB)
            ++depth;
        else if (type == RB && --depth == 0)
            return i + 1;
    }
    unclosedAttribute_ = true;
    return position;
}

antlr::RefToken CUnitTokenStream::nextToken()
{
    if (position_ < 0) {
        position_ = 0;
        return MakeToken(startKind_);
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
        antlr::RefToken token =
            MakeToken(type, keepsText && source.text ? std::string(source.text) : std::string());
        token->setLine(position_);
        token->setColumn(unit_->tokenIndices[static_cast<size_t>(position_)]);
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
