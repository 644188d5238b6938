#include "Unit.h"

#include <algorithm>
#include <stdexcept>

CUnit::CUnit(const CUnit& other)
    : done(other.done),
      brace(other.brace),
      kind(other.kind),
      children(other.children),
      tokenIndices(other.tokenIndices),
      detail(other.detail ? other.detail->Clone() : nullptr),
      tokens(other.tokens),
      first(other.first),
      last(other.last)
{
}

CUnit& CUnit::operator=(const CUnit& other)
{
    if (this != &other) {
        CUnit copy(other);
        *this = std::move(copy);
    }
    return *this;
}

const PPToken& CUnit::GetToken(int i) const
{
    if (i < 0 || static_cast<size_t>(i) >= tokenIndices.size())
        throw std::out_of_range("CUnit::GetToken: token index out of range");
    const int position = tokenIndices[static_cast<size_t>(i)];
    if (!tokens || position < 0 || static_cast<size_t>(position) >= tokens->size())
        throw std::out_of_range("CUnit::GetToken: token position out of range");
    return (*tokens)[static_cast<size_t>(position)];
}

void CUnit::CopyTokenIndices(int from, int to, TokenIndices& out) const
{
    if (from > to)
        return;
    out.reserve(out.size() + static_cast<size_t>(to - from) + 1);
    for (int i = from; i <= to; ++i) {
        if (i < 0 || static_cast<size_t>(i) >= tokenIndices.size())
            throw std::out_of_range("CUnit::CopyTokenIndices: position out of range");
        out.push_back(tokenIndices[static_cast<size_t>(i)]);
    }
}

void CUnit::SplitAt(int i)
{
    i = std::clamp(i, 0, static_cast<int>(tokenIndices.size()));
    CUnit rest(tokens);
    rest.tokenIndices.assign(tokenIndices.begin() + i, tokenIndices.end());
    rest.children = std::move(children);
    rest.brace = brace;
    rest.last = last;
    rest.first = rest.tokenIndices.empty() ? last : std::min(rest.tokenIndices.front(), last);

    children.clear();
    children.push_back(std::move(rest));
    brace = false;
    tokenIndices.resize(static_cast<size_t>(i));
}
