#pragma once

#include "DetailRecords.h"
#include "Unit.h"

// The detail record of a unit as the type asked for, or nullptr when the unit
// has no record or one of another type.
template <class Record>
Record* DetailAs(CUnit& unit)
{
    return dynamic_cast<Record*>(unit.detail.get());
}

template <class Record>
const Record* DetailAs(const CUnit& unit)
{
    return dynamic_cast<const Record*>(unit.detail.get());
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
