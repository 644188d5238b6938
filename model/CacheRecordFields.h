#pragma once

#include "DetailRecords.h"
#include "UnitKind.h"

#include <cstdint>

// The fields of the detail records, in the order the parse cache stores
// them. This one description drives the writer, the reader and the unit
// skipper, so the three cannot drift apart. Each passes a visitor with:
//   Flag(bool)                        one byte, 0 or 1
//   Number(int32_t)                   four bytes
//   Text(std::string)                 a count and the bytes
//   Texts(std::vector<std::string>)   a count and the texts
//   Positions(TokenIndices)           a count and token positions of the file
//   Unused()                          an empty int list kept for the layout
//   Variables(std::vector<CVariableInfo>)  a count and the declarators
//   Bases(std::vector<CBaseClassInfo>)     a count and the bases
// The writer's visitor takes the fields as const, the reader's fills them,
// and the skipper's steps over them (it is handed records nobody reads).
namespace CacheRecordFields {

template <class Visitor, class Name> void QualifiedName(Visitor& v, Name& name)
{
    v.Flag(name.relative);
    v.Text(name.name);
    v.Texts(name.scopes);
}

template <class Visitor, class Base> void BaseClass(Visitor& v, Base& base)
{
    v.Flag(base.isVirtual);
    v.Flag(base.qualifiedName.relative);
    v.Number(base.access);
    v.Text(base.qualifiedName.name);
    v.Texts(base.qualifiedName.scopes);
}

template <class Visitor, class Variable> void Declarator(Visitor& v, Variable& record)
{
    v.Flag(record.cvAfterType);
    v.Flag(record.multiple);
    v.Number(record.access);
    v.Variables(record.further);
    QualifiedName(v, record.qualifiedName);
    v.Positions(record.arrayTokens);
    v.Positions(record.typeTokens);
    v.Positions(record.initTokens);
    v.Positions(record.specifierTokens);
}

// One layout per kind of stored record: the record type and its fields.
struct ClassLayout {
    using Record = CClassInfo;
    template <class Visitor, class R> static void Fields(Visitor& v, R& record)
    {
        QualifiedName(v, record.qualifiedName);
        v.Bases(record.bases);
    }
};

struct TextLayout {
    using Record = CTextInfo;
    template <class Visitor, class R> static void Fields(Visitor& v, R& record)
    {
        v.Text(record.text);
    }
};

struct NamespaceAliasLayout {
    using Record = CNamespaceAliasInfo;
    template <class Visitor, class R> static void Fields(Visitor& v, R& record)
    {
        v.Text(record.alias);
        QualifiedName(v, record.target);
    }
};

struct TemplateLayout {
    using Record = CTemplateInfo;
    template <class Visitor, class R> static void Fields(Visitor& v, R& record)
    {
        v.Flag(record.exported);
        v.Positions(record.parameterTokens);
    }
};

struct VariableLayout {
    using Record = CVariableInfo;
    template <class Visitor, class R> static void Fields(Visitor& v, R& record)
    {
        v.Variable(record);
    }
};

// A using-declaration keeps its name in a class record without bases; an
// empty list stands where bases once were.
struct UsingLayout {
    using Record = CClassInfo;
    template <class Visitor, class R> static void Fields(Visitor& v, R& record)
    {
        QualifiedName(v, record.qualifiedName);
        v.Unused();
    }
};

struct QualifiedNameLayout {
    using Record = CQualifiedNameInfo;
    template <class Visitor, class R> static void Fields(Visitor& v, R& record)
    {
        QualifiedName(v, record.qualifiedName);
    }
};

struct FunctionLayout {
    using Record = CFunctionInfo;
    template <class Visitor, class R> static void Fields(Visitor& v, R& record)
    {
        v.Flag(record.pure);
        v.Number(record.access);
        QualifiedName(v, record.qualifiedName);
        v.Positions(record.ctorInitTokens);
        v.Positions(record.reservedTokens);
        v.Positions(record.specifierTokens);
        v.Variables(record.parameters);
    }
};

struct TokenListLayout {
    using Record = CTokenListInfo;
    template <class Visitor, class R> static void Fields(Visitor& v, R& record)
    {
        v.Positions(record.tokens);
    }
};

struct ForLayout {
    using Record = CForInfo;
    template <class Visitor, class R> static void Fields(Visitor& v, R& record)
    {
        v.Positions(record.conditionTokens);
        v.Positions(record.stepTokens);
        v.Positions(record.initTokens);
    }
};

// Calls `use` with the layout of the record a unit of this kind stores and
// returns true; false for kinds that store none.
template <class Use> bool WithLayoutOf(int32_t kind, Use&& use)
{
    switch (kind) {
    case UNIT_CLASS:
    case UNIT_STRUCT:
    case UNIT_UNION:
        use(ClassLayout {});
        return true;
    case UNIT_ENUM:
    case UNIT_NAMESPACE:
    case UNIT_ASM:
    case UNIT_EXTERN:
    case UNIT_GOTO:
    case UNIT_LABEL:
        use(TextLayout {});
        return true;
    case UNIT_NAMESPACE_ALIAS:
        use(NamespaceAliasLayout {});
        return true;
    case UNIT_TEMPLATE:
        use(TemplateLayout {});
        return true;
    case UNIT_VARIABLE:
        use(VariableLayout {});
        return true;
    case UNIT_USING:
        use(UsingLayout {});
        return true;
    case UNIT_USING_NAMESPACE:
        use(QualifiedNameLayout {});
        return true;
    case UNIT_FUNCTION:
        use(FunctionLayout {});
        return true;
    case UNIT_IF:
    case UNIT_ELSE_IF:
    case UNIT_ELSE:
    case UNIT_WHILE:
    case UNIT_RETURN:
    case UNIT_SWITCH:
    case UNIT_CASE:
    case UNIT_CATCH:
    case UNIT_THROW:
        use(TokenListLayout {});
        return true;
    case UNIT_FOR:
        use(ForLayout {});
        return true;
    default:
        return false;
    }
}

} // namespace CacheRecordFields
