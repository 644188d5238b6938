#include "Unit.h"

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

void CUnit::CopyTokenIndicesFrom(int from, TokenIndices& out) const
{
    CopyTokenIndices(from, static_cast<int>(tokenIndices.size()) - 1, out);
}

void CUnit::WrapTokenRange(int from, int to)
{
    const int count = static_cast<int>(tokenIndices.size());
    if (from < 0)
        from = 0;
    if (to >= count)
        to = count - 1;

    CUnit wrapped(tokens);
    if (from <= to)
        wrapped.tokenIndices.assign(tokenIndices.begin() + from, tokenIndices.begin() + to + 1);
    wrapped.children = std::move(children);
    // The new unit spans its own tokens and, when it took children or the
    // range runs to the end, everything up to the end of this unit's range.
    wrapped.first = wrapped.tokenIndices.empty() ? last : wrapped.tokenIndices.front();
    wrapped.last = (!wrapped.children.empty() || to == count - 1 || wrapped.tokenIndices.empty())
                       ? last
                       : wrapped.tokenIndices.back();
    if (wrapped.first > wrapped.last)
        wrapped.first = wrapped.last;

    children.clear();
    children.push_back(std::move(wrapped));
}

void CUnit::SplitAt(int i)
{
    const int count = static_cast<int>(tokenIndices.size());
    if (i < 0)
        i = 0;
    if (i > count)
        i = count;
    WrapTokenRange(i, count - 1);
    children.front().brace = brace;
    brace = false;
    tokenIndices.resize(static_cast<size_t>(i));
}
