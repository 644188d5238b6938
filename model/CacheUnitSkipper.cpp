#include "CacheUnitSkipper.h"

#include "CacheError.h"
#include "CacheRecordFields.h"
#include "ParseCacheFormat.h"
#include "UnitKind.h"

namespace CacheUnitSkipper {
namespace {

void Deeper(int& depth)
{
    if (++depth > kMaxCacheNesting) {
        throw CacheError("error");
    }
}

void SkipString(CCacheSource& in)
{
    in.ReadChars(in.ReadSize());
}

void SkipStrings(CCacheSource& in)
{
    for (uint32_t n = in.ReadCount(kMinStringBytes); n > 0; --n) {
        SkipString(in);
    }
}

void SkipInts(CCacheSource& in)
{
    in.ReadChars(size_t {in.ReadCount(kMinIntBytes)} * 4);
}

// Steps over the fields of a record as the record description lists
// them; the record handed over is never read.
struct FieldSkipper {
    CCacheSource& in;
    int depth;

    void Flag(bool) { in.ReadChars(1); }
    void Number(int32_t) { in.ReadChars(4); }
    void Text(const std::string&) { SkipString(in); }
    void Texts(const std::vector<std::string>&) { SkipStrings(in); }
    void Positions(const TokenIndices&) { SkipInts(in); }
    void Unused() { SkipInts(in); }
    void Variable(const CVariableInfo& variable)
    {
        Deeper(depth);
        CacheRecordFields::Declarator(*this, variable);
        --depth;
    }
    void Variables(const std::vector<CVariableInfo>&)
    {
        static const CVariableInfo none {};
        for (uint32_t n = in.ReadCount(kMinVariableBytes); n > 0; --n) {
            Variable(none);
        }
    }
    void Bases(const std::vector<CBaseClassInfo>&)
    {
        static const CBaseClassInfo none {};
        for (uint32_t n = in.ReadCount(kMinBaseBytes); n > 0; --n) {
            CacheRecordFields::BaseClass(*this, none);
        }
    }
};

// Kept out of line, so that the recursion through the unit tree stays
// small on the stack.
[[gnu::noinline]] void SkipDetail(CCacheSource& in, int32_t kind, int depth)
{
    if (!in.ReadBool()) {
        return;
    }
    CacheRecordFields::WithLayoutOf(kind, [&](auto layout) {
        using Layout = decltype(layout);
        static const typename Layout::Record none {};
        FieldSkipper fields {in, depth};
        Layout::Fields(fields, none);
    });
}

} // namespace

void SkipUnit(CCacheSource& in, int depth)
{
    Deeper(depth);
    const int32_t kind = static_cast<int32_t>(CCacheSource::Decode(in.ReadChars(6) + 2));
    SkipInts(in);
    in.ReadChars(8); // the range
    SkipDetail(in, kind, depth);
    for (uint32_t n = in.ReadCount(kMinUnitBytes); n > 0; --n) {
        SkipUnit(in, depth);
    }
}

} // namespace CacheUnitSkipper
