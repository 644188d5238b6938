#include "CacheUnitSkipper.h"

#include "CacheError.h"
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

void SkipQualifiedName(CCacheSource& in)
{
    in.ReadBool();
    SkipString(in);
    SkipStrings(in);
}

void SkipVariable(CCacheSource& in, int depth);

void SkipVariables(CCacheSource& in, int depth)
{
    for (uint32_t n = in.ReadCount(kMinVariableBytes); n > 0; --n) {
        SkipVariable(in, depth);
    }
}

void SkipVariable(CCacheSource& in, int depth)
{
    Deeper(depth);
    in.ReadChars(6); // two flags and the access
    SkipVariables(in, depth);
    SkipQualifiedName(in);
    for (int list = 0; list < 4; ++list) {
        SkipInts(in);
    }
}

void SkipDetail(CCacheSource& in, int32_t kind, int depth)
{
    if (!in.ReadBool()) {
        return;
    }
    switch (kind) {
    case UNIT_CLASS:
    case UNIT_STRUCT:
    case UNIT_UNION:
        SkipQualifiedName(in);
        for (uint32_t n = in.ReadCount(kMinBaseBytes); n > 0; --n) {
            in.ReadChars(6); // two flags and the access
            SkipString(in);
            SkipStrings(in);
        }
        break;
    case UNIT_ENUM:
    case UNIT_NAMESPACE:
    case UNIT_ASM:
    case UNIT_EXTERN:
    case UNIT_GOTO:
    case UNIT_LABEL:
        SkipString(in);
        break;
    case UNIT_NAMESPACE_ALIAS:
        SkipString(in);
        SkipQualifiedName(in);
        break;
    case UNIT_TEMPLATE:
        in.ReadBool();
        SkipInts(in);
        break;
    case UNIT_VARIABLE:
        SkipVariable(in, depth);
        break;
    case UNIT_USING:
        SkipQualifiedName(in);
        SkipInts(in);
        break;
    case UNIT_USING_NAMESPACE:
        SkipQualifiedName(in);
        break;
    case UNIT_FUNCTION:
        in.ReadChars(5); // the pure flag and the access
        SkipQualifiedName(in);
        for (int list = 0; list < 3; ++list) {
            SkipInts(in);
        }
        SkipVariables(in, depth);
        break;
    case UNIT_IF:
    case UNIT_ELSE_IF:
    case UNIT_ELSE:
    case UNIT_WHILE:
    case UNIT_RETURN:
    case UNIT_SWITCH:
    case UNIT_CASE:
    case UNIT_CATCH:
    case UNIT_THROW:
        SkipInts(in);
        break;
    case UNIT_FOR:
        for (int list = 0; list < 3; ++list) {
            SkipInts(in);
        }
        break;
    default:
        break;
    }
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
