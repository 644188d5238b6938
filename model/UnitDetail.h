#pragma once

#include "DetailRecords.h"
#include "Unit.h"

#include <type_traits>
#include <typeinfo>

// The detail record of a unit as the type asked for, or nullptr when the unit
// has no record or one of another type.
// The record types are final, so comparing the exact type is enough (and
// much cheaper than a cast that searches the class hierarchy).
template <class Record>
const Record* DetailAs(const CUnit& unit)
{
    static_assert(std::is_final_v<Record>);
    const CDetailRecord* record = unit.detail.get();
    if (!record || typeid(*record) != typeid(Record)) {
        return nullptr;
    }
    return static_cast<const Record*>(record);
}

template <class Record>
Record* DetailAs(CUnit& unit)
{
    return const_cast<Record*>(DetailAs<Record>(static_cast<const CUnit&>(unit)));
}

inline const CClassInfo* AsClassInfo(const CUnit& u) { return DetailAs<CClassInfo>(u); }
inline CClassInfo* AsClassInfo(CUnit& u) { return DetailAs<CClassInfo>(u); }
inline const CNamespaceAliasInfo* AsNamespaceAliasInfo(const CUnit& u) { return DetailAs<CNamespaceAliasInfo>(u); }
inline CNamespaceAliasInfo* AsNamespaceAliasInfo(CUnit& u) { return DetailAs<CNamespaceAliasInfo>(u); }
inline const CTemplateInfo* AsTemplateInfo(const CUnit& u) { return DetailAs<CTemplateInfo>(u); }
inline CTemplateInfo* AsTemplateInfo(CUnit& u) { return DetailAs<CTemplateInfo>(u); }
inline const CVariableInfo* AsVariableInfo(const CUnit& u) { return DetailAs<CVariableInfo>(u); }
inline CVariableInfo* AsVariableInfo(CUnit& u) { return DetailAs<CVariableInfo>(u); }
inline const CFunctionInfo* AsFunctionInfo(const CUnit& u) { return DetailAs<CFunctionInfo>(u); }
inline CFunctionInfo* AsFunctionInfo(CUnit& u) { return DetailAs<CFunctionInfo>(u); }
inline const CForInfo* AsForInfo(const CUnit& u) { return DetailAs<CForInfo>(u); }
inline CForInfo* AsForInfo(CUnit& u) { return DetailAs<CForInfo>(u); }
inline const CTextInfo* AsTextInfo(const CUnit& u) { return DetailAs<CTextInfo>(u); }
inline CTextInfo* AsTextInfo(CUnit& u) { return DetailAs<CTextInfo>(u); }
inline const CTokenListInfo* AsTokenListInfo(const CUnit& u) { return DetailAs<CTokenListInfo>(u); }
inline CTokenListInfo* AsTokenListInfo(CUnit& u) { return DetailAs<CTokenListInfo>(u); }
// A using-declaration (kind 16) carries a CClassInfo without bases.
inline const CClassInfo* AsUsingInfo(const CUnit& u) { return DetailAs<CClassInfo>(u); }
inline const CQualifiedNameInfo* AsQualifiedNameInfo(const CUnit& u) { return DetailAs<CQualifiedNameInfo>(u); }
inline CQualifiedNameInfo* AsQualifiedNameInfo(CUnit& u) { return DetailAs<CQualifiedNameInfo>(u); }
