#pragma once

#include "BulkMemory.h"
#include "QualifiedName.h"
#include "TokenIndices.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// What a recognised unit records about itself. A unit owns at most one record;
// which one depends on its kind, but readers always ask for the actual type
// (see UnitDetail.h) instead of trusting the kind.
class CDetailRecord {
public:
    virtual ~CDetailRecord() = default;
    virtual std::unique_ptr<CDetailRecord> Clone() const = 0;

    // While one of these lives, the records made on its thread are cut from
    // shared blocks (see BulkMemory.h): for a whole unit tree made at once,
    // such as one read back from the parse cache. Other records get a heap
    // block each, since records made while parsing come and go one by one.
    class BulkCreation {
    public:
        BulkCreation();
        ~BulkCreation();
        BulkCreation(const BulkCreation&) = delete;
        BulkCreation& operator=(const BulkCreation&) = delete;

    private:
        bool previous_;
    };

    static void* operator new(std::size_t size);
    static void operator delete(void* record) noexcept { BulkMemory::Give(record); }

protected:
    CDetailRecord() = default;
    CDetailRecord(const CDetailRecord&) = default;
    CDetailRecord& operator=(const CDetailRecord&) = default;
};

template <class Derived> class CDetailRecordOf : public CDetailRecord {
public:
    std::unique_ptr<CDetailRecord> Clone() const override
    {
        return std::make_unique<Derived>(static_cast<const Derived&>(*this));
    }
};

// One base class of a class, struct or union.
struct CBaseClassInfo {
    CQualifiedName qualifiedName; // a template base is spelled as its whole template id
    bool isVirtual = false;
    int32_t access = 3; // 2 protected, 3 private, otherwise public
};

// Class, struct and union units; also using-declarations (no bases then).
class CClassInfo final : public CDetailRecordOf<CClassInfo> {
public:
    CQualifiedName qualifiedName;
    std::vector<CBaseClassInfo> bases;
};

// namespace alias = target;
class CNamespaceAliasInfo final : public CDetailRecordOf<CNamespaceAliasInfo> {
public:
    std::string alias;
    CQualifiedName target;
};

// A bare qualified name: the namespace of a using-directive.
class CQualifiedNameInfo final : public CDetailRecordOf<CQualifiedNameInfo> {
public:
    CQualifiedNameInfo() = default;
    explicit CQualifiedNameInfo(CQualifiedName qualifiedName)
        : qualifiedName(std::move(qualifiedName))
    {
    }

    CQualifiedName qualifiedName;
};

// A template head: whether export stood before it and the tokens between its
// angle brackets.
class CTemplateInfo final : public CDetailRecordOf<CTemplateInfo> {
public:
    CTemplateInfo() = default;
    CTemplateInfo(bool exported, TokenIndices parameterTokens)
        : exported(exported), parameterTokens(std::move(parameterTokens))
    {
    }

    bool exported = false;
    TokenIndices parameterTokens;
};

// A variable, a function parameter or a further declarator of a declaration.
// A file of plain declarations has one of these per line, so it is kept
// small: the fields after the name sit in the name's tail padding.
class CVariableInfo final : public CDetailRecordOf<CVariableInfo> {
public:
    TokenIndices specifierTokens;
    [[no_unique_address]] CQualifiedName qualifiedName;
    bool multiple = false; // further declarators follow
    bool cvAfterType = false;
    int32_t access = 0;
    TokenIndices arrayTokens;
    TokenIndices initTokens;
    LazyVector<CVariableInfo> further; // int a, b; -> b
    TokenIndices typeTokens;
};

// A function declaration or definition.
class CFunctionInfo final : public CDetailRecordOf<CFunctionInfo> {
public:
    CFunctionInfo() = default;
    CFunctionInfo(const CFunctionInfo&) = default;
    // Copies everything but `pure`, which the creator sets afterwards.
    CFunctionInfo& operator=(const CFunctionInfo& other);

    CQualifiedName qualifiedName;
    TokenIndices reservedTokens;
    TokenIndices specifierTokens;
    std::vector<CVariableInfo> parameters;
    TokenIndices ctorInitTokens;
    int32_t access = 0;
    bool pure = false;
};

// The three parts of a for head.
class CForInfo final : public CDetailRecordOf<CForInfo> {
public:
    TokenIndices initTokens;
    TokenIndices conditionTokens;
    TokenIndices stepTokens;
};

// A plain text: the name of an enum or namespace, the text of an asm or the
// linkage string of an extern block, the target of a goto, a label's name.
class CTextInfo final : public CDetailRecordOf<CTextInfo> {
public:
    CTextInfo() = default;
    explicit CTextInfo(std::string text) : text(std::move(text)) { }

    std::string text;
};

// The condition or expression in the head of a statement.
class CTokenListInfo final : public CDetailRecordOf<CTokenListInfo> {
public:
    CTokenListInfo() = default;
    explicit CTokenListInfo(TokenIndices tokens) : tokens(std::move(tokens)) { }

    TokenIndices tokens;
};
