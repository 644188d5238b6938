#include "ParseDriver.h"

#include "ChildStartKind.h"
#include "OldStyleDefinitions.h"
#include "StatementClassifier.h"
#include "TokenType.h"
#include "UnitDetail.h"

#include <exception>

namespace {

bool IsTypeKey(int type)
{
    return type == WORD_CLASS || type == WORD_STRUCT || type == WORD_UNION || type == WORD_ENUM;
}

bool IsClassLeadWord(int type)
{
    return type == WORD_STATIC || type == WORD_EXTERN || type == WORD_CONST ||
        type == WORD_VOLATILE || type == WORD_MUTABLE;
}

// "static", "extern", "const", "volatile" or "mutable" may begin a class or
// enumeration declaration only when its key follows them: "static struct S
// { ... } s;", "mutable struct Stats { ... } stats;" (the token stream passes
// over "mutable" there).
bool LeadsToTypeKey(const CUnit& unit)
{
    for (size_t i = 0; i < unit.tokenIndices.size(); ++i) {
        const int type = unit.GetToken(static_cast<int>(i)).type;
        if (IsTypeKey(type))
            return i > 0;
        if (!IsClassLeadWord(type))
            return false;
    }
    return false;
}

// Whether a unit that begins with the token may be read as a class,
// enumeration, namespace, template, linkage, using, asm or access label.
bool MayBeginFirstTry(int type, int startKind)
{
    switch (type) {
    case WORD_ASM:
    case WORD__ASM:
    case WORD___ASM:
    case WORD_EXPORT:
    case WORD_TEMPLATE:
    case WORD_CATCH:
    case WORD_USING:
    case WORD_TYPEDEF:
    case WORD_CLASS:
    case WORD_STRUCT:
    case WORD_UNION:
    case WORD_ENUM:
        return true;
    case WORD_EXTERN:
    case WORD_NAMESPACE:
        return startKind == DECLARATION;
    case WORD_PRIVATE:
    case WORD_PROTECTED:
    case WORD_PUBLIC:
        return startKind != DECLARATION;
    default:
        return false;
    }
}

// The position of the first token after the names the unit begins with
// (the unit's size when it holds only names).
size_t PastLeadingNames(const CUnit& unit)
{
    size_t i = 0;
    while (i < unit.tokenIndices.size() && unit.GetToken(static_cast<int>(i)).type == IDENTIFIER)
        ++i;
    return i;
}

// Names that a header never read defines may stand before the keyword a
// declaration begins with: "QT_BEGIN_NAMESPACE class QFoo {",
// "G_BEGIN_DECLS typedef struct _Foo Foo;", in a class "Q_OBJECT public:".
// Whether such a keyword follows the names, which end at `afterNames`.
bool KeywordAfterNames(const CUnit& unit, size_t afterNames, int startKind)
{
    if (afterNames >= unit.tokenIndices.size())
        return false;
    const int type = unit.GetToken(static_cast<int>(afterNames)).type;
    return type == WORD_STATIC || MayBeginFirstTry(type, startKind);
}

// The position after the parentheses that follow two names or more ending
// at `afterNames`, or 0 when none follow or they stay open.
size_t PastCallAfterNames(const CUnit& unit, size_t afterNames)
{
    const size_t size = unit.tokenIndices.size();
    if (afterNames < 2 || afterNames >= size ||
        unit.GetToken(static_cast<int>(afterNames)).type != LP)
        return 0;
    int depth = 0;
    for (size_t i = afterNames; i < size; ++i) {
        const int type = unit.GetToken(static_cast<int>(i)).type;
        if (type == LP) {
            ++depth;
        } else if (type == RP && --depth == 0) {
            return i + 1;
        }
    }
    return 0;
}

// Names before a macro call at the top level, as in GLib's
// "G_GNUC_BEGIN_IGNORE_DEPRECATIONS GLIB_DEPRECATED_FOR(f) void g(void);":
// whether two names or more, ending at `afterNames`, are followed by
// parentheses and by more than a semicolon after them. The parameters of
// most functions, after a type and a name, are followed by nothing or by
// the semicolon alone and spare the first try.
bool CallAfterNames(const CUnit& unit, size_t afterNames)
{
    const size_t after = PastCallAfterNames(unit, afterNames);
    return after != 0 && after < unit.tokenIndices.size() &&
        unit.GetToken(static_cast<int>(after)).type != SEMI;
}

// In a class, names before macro calls that a member follows, as Qt's
// "Q_OBJECT Q_PROPERTY(int value READ value) public:" and "Q_GADGET
// Q_DISABLE_COPY(Box) int size() const;": whether two names or more, ending
// at `afterNames`, are followed by parentheses and then by a keyword other
// than const, volatile or throw, a destructor's '~', or a name that more
// follows. A member function's parameters, after its type and name, are
// followed by none of these and spare the first try.
bool MemberAfterCallAfterNames(const CUnit& unit, size_t afterNames)
{
    const size_t after = PastCallAfterNames(unit, afterNames);
    const size_t size = unit.tokenIndices.size();
    if (after == 0 || after >= size)
        return false;
    const int type = unit.GetToken(static_cast<int>(after)).type;
    if (type == IDENTIFIER)
        return after + 1 < size && unit.GetToken(static_cast<int>(after + 1)).type != SEMI;
    return type == NEGATE ||
        (type >= WORD_AND && type <= WORD___W64 && type != WORD_CONST && type != WORD_VOLATILE &&
            type != WORD_THROW);
}

// The access word a member's unit begins with, as in "private slots: void
// onTimer();", which is read as the member after its label, also after
// Qt's markers and macro calls, "Q_OBJECT Q_PROPERTY(int v READ v) public
// slots: void go();"; 0 for none.
int LeadingAccess(const CUnit& unit)
{
    const size_t size = unit.tokenIndices.size();
    try {
        size_t at = 0;
        while (at < size) {
            const int type = unit.GetToken(static_cast<int>(at)).type;
            if (type == IDENTIFIER) {
                ++at;
            } else if (type == LP && at > 0) {
                for (int depth = 0; at < size; ++at) {
                    const int inner = unit.GetToken(static_cast<int>(at)).type;
                    if (inner == LP)
                        ++depth;
                    else if (inner == RP && --depth == 0)
                        break;
                }
                ++at;
            } else {
                break;
            }
        }
        if (at >= size)
            return 0;
        switch (unit.GetToken(static_cast<int>(at)).type) {
        case WORD_PUBLIC:
            return ACCESS_PUBLIC;
        case WORD_PROTECTED:
            return ACCESS_PROTECTED;
        case WORD_PRIVATE:
            return ACCESS_PRIVATE;
        default:
            return 0;
        }
    } catch (const std::exception&) {
        return 0;
    }
}

// Whether the unit ends with an access label, as after Qt's labels with no
// member between them: "signals: public slots: protected:".
bool EndsWithAccessLabel(const CUnit& unit)
{
    const size_t size = unit.tokenIndices.size();
    if (size < 2 || unit.GetToken(static_cast<int>(size - 1)).type != COLON)
        return false;
    return IsAccessWord(unit.GetToken(static_cast<int>(size - 2)).type);
}

} // namespace

bool MayBeFirstTryDeclaration(const CUnit& unit, int startKind)
{
    int type = 0;
    try {
        type = unit.GetToken(0).type;
        if (startKind != DECLARATION && EndsWithAccessLabel(unit))
            return true;
        if (IsClassLeadWord(type) && LeadsToTypeKey(unit))
            return true;
        // Names, or macro calls, may stand before a declaration or a member.
        if (type == IDENTIFIER) {
            const size_t afterNames = PastLeadingNames(unit);
            return KeywordAfterNames(unit, afterNames, startKind) ||
                (unit.tokenIndices.size() > 1 && unit.GetToken(1).type == LP) ||
                (startKind == DECLARATION ? CallAfterNames(unit, afterNames)
                                          : MemberAfterCallAfterNames(unit, afterNames));
        }
        // "static" before a macro call: "static GSF_CLASS(Grid, grid, ...)
        // static GocItem *grid_new(...)".
        if (type == WORD_STATIC && startKind == DECLARATION && unit.tokenIndices.size() > 2 &&
            unit.GetToken(1).type == IDENTIFIER && unit.GetToken(2).type == LP)
            return true;
        if (type == WORD_INLINE && startKind == DECLARATION && unit.tokenIndices.size() > 1 &&
            unit.GetToken(1).type == WORD_NAMESPACE)
            return true;
    } catch (const std::exception&) {
        return true; // the parse itself meets the bad position
    }
    return MayBeginFirstTry(type, startKind);
}

void ParseFileUnits(std::span<CUnit> units, const ParseLimits& limits)
{
    CParseDriver driver(limits);
    driver.ParseUnitList(units, DECLARATION);
}

bool CParseDriver::Stopped() const
{
    return limits_.stopRequest && limits_.stopRequest->load(std::memory_order_relaxed);
}

void CParseDriver::ParseList(std::span<CUnit> units, int startKind, int depth)
{
    if (depth > kMaxListDepth)
        return;
    int access = ACCESS_PRIVATE; // every class body starts private
    for (CUnit& unit : units) {
        if (Stopped())
            return;
        if (!unit.tokenIndices.empty()) {
            const bool retried =
                startKind == DECLARATION || startKind == INCLASS || startKind == INSTRUCT;
            const bool parsed = retried && !unit.done && !MayBeFirstTryDeclaration(unit, startKind)
                ? false
                : ParseUnit(unit, startKind);
            if (!parsed && !unit.done && retried)
                ParseUnit(unit, DECLARATION2);
        } else {
            unit.done = true;
            unit.kind = unit.brace ? UNIT_JUST_BRACE : UNIT_NOTHING;
        }

        if (startKind == INCLASS)
            TrackMemberAccess(unit, access);

        const int childKind = ChildStartKind(unit);
        switch (childKind) {
        case DECLARATION:
        case INCLASS:
        case INSTRUCT:
        case INENUM:
            ParseList(unit.children, childKind, depth + 1);
            break;
        case STATEMENT:
            ClassifyStatementUnits(unit.children);
            break;
        default:
            break;
        }
    }
    if (startKind == DECLARATION)
        JoinOldStyleDefinitions(units, [this](CUnit& unit) { ParseUnit(unit, DECLARATION2); });
}

bool CParseDriver::ParseUnit(CUnit& unit, int startKind)
{
    if (unit.done)
        return true;
    stream_.Aim(unit, startKind);
    CCppUnitParser parser(stream_, unit, limits_);
    try {
        parser.unit();
        return !parser.error;
    } catch (const antlr::ANTLRException&) {
        // Past the work or nesting limits, stopped, or a failure of the
        // parser's runtime: the unit counts as failed.
        return false;
    } catch (const std::exception&) {
        return true;
    } catch (...) {
        return false;
    }
}

void TrackMemberAccess(CUnit& unit, int& access)
{
    // The access the label names holds from its member on.
    if (unit.kind == UNIT_VARIABLE || unit.kind == UNIT_FUNCTION) {
        if (const int leading = LeadingAccess(unit))
            access = leading;
    }
    switch (unit.kind) {
    case UNIT_PUBLIC:
        access = ACCESS_PUBLIC;
        break;
    case UNIT_PROTECTED:
        access = ACCESS_PROTECTED;
        break;
    case UNIT_PRIVATE:
        access = ACCESS_PRIVATE;
        break;
    case UNIT_VARIABLE:
        if (CVariableInfo* info = AsVariableInfo(unit))
            info->access = access;
        break;
    case UNIT_FUNCTION:
        if (CFunctionInfo* info = AsFunctionInfo(unit))
            info->access = access;
        break;
    default:
        break;
    }
}
