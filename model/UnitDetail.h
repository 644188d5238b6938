#pragma once

#include "DetailRecords.h"
#include "Unit.h"

#include <type_traits>
#include <typeinfo>

// The detail record of a unit as the type asked for, or nullptr when the unit
// has no record or one of another type.
// The record types are final, so comparing the exact type is enough (and
// much cheaper than a cast that searches the class hierarchy).
template <class Record> const Record* DetailAs(const CUnit& unit)
{
    static_assert(std::is_final_v<Record>);
    const CDetailRecord* record = unit.detail.get();
    if (!record || typeid(*record) != typeid(Record)) {
        return nullptr;
    }
    return static_cast<const Record*>(record);
}

template <class Record> Record* DetailAs(CUnit& unit)
{
    return const_cast<Record*>(DetailAs<Record>(static_cast<const CUnit&>(unit)));
}

// The same for each record type, on a unit or a const unit.
auto AsClassInfo(auto& u)
{
    return DetailAs<CClassInfo>(u);
}
auto AsNamespaceAliasInfo(auto& u)
{
    return DetailAs<CNamespaceAliasInfo>(u);
}
auto AsTemplateInfo(auto& u)
{
    return DetailAs<CTemplateInfo>(u);
}
auto AsVariableInfo(auto& u)
{
    return DetailAs<CVariableInfo>(u);
}
auto AsFunctionInfo(auto& u)
{
    return DetailAs<CFunctionInfo>(u);
}
auto AsForInfo(auto& u)
{
    return DetailAs<CForInfo>(u);
}
auto AsTextInfo(auto& u)
{
    return DetailAs<CTextInfo>(u);
}
auto AsTokenListInfo(auto& u)
{
    return DetailAs<CTokenListInfo>(u);
}
auto AsQualifiedNameInfo(auto& u)
{
    return DetailAs<CQualifiedNameInfo>(u);
}
// A using-declaration (kind 16) carries a CClassInfo without bases.
inline const CClassInfo* AsUsingInfo(const CUnit& u)
{
    return DetailAs<CClassInfo>(u);
}
