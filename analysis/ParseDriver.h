#pragma once

#include "CppUnitParser.h"
#include "Unit.h"
#include "UnitTokenStream.h"

#include <span>
#include <vector>

// Hands every unit of a split file to the parser by itself, with a start kind
// that says where the unit stands (namespace scope, class body, struct or
// union body, enumeration body, or a second try as a plain declaration).
// Lists of statements go to the statement classifier instead; inside class
// bodies the current access level is stamped into the member records.
class CParseDriver {
public:
    explicit CParseDriver(const ParseLimits& limits = ParseLimits()) : limits_(limits) { }

    // Lists nested deeper than this (through chains such as extern "C"
    // extern "C" ... that the rules cut into ever deeper children) are left
    // unparsed, so that no walk over the tree runs out of stack.
    static constexpr int kMaxListDepth = 1000;

    // Parses the list with the start kind, then walks each unit's children
    // with the start kind its kind gives them.
    void ParseUnitList(std::span<CUnit> units, int startKind) { ParseList(units, startKind, 0); }

    // Parses one unit. True when it was already done, when the parse reported
    // no error, or when the parse ended by a standard exception (a bad token
    // position); false after a reported error, or when the parse went past
    // its limits or was stopped.
    bool ParseUnit(CUnit& unit, int startKind);

private:
    void ParseList(std::span<CUnit> units, int startKind, int depth);
    bool Stopped() const;

    CUnitTokenStream stream_;
    ParseLimits limits_;
};

// Parses every unit of one file's tree, starting at namespace scope.
void ParseFileUnits(std::span<CUnit> units, const ParseLimits& limits = ParseLimits());

// Whether a unit may be one of the declarations the parser tries first at
// namespace scope (start kind DECLARATION: asm, template, linkage, handler,
// namespace, using, class or enum declarations) or in a class, struct or
// union body (INCLASS, INSTRUCT: the same without linkage and namespaces,
// with access labels). Each of them begins with one of a few words, or with
// static, extern, const or volatile before a class or enum key; a unit
// that begins otherwise fails that first try at its first token, with
// nothing recorded, so the driver hands it straight to the second try as a
// plain declaration. Most units are plain variables and functions, and a
// failed try costs a thrown exception.
bool MayBeFirstTryDeclaration(const CUnit& unit, int startKind);

// Access bookkeeping for one unit of a class body: labels change the current
// level, variables and functions receive it.
void TrackMemberAccess(CUnit& unit, int& access);
