#include "DetailRecords.h"

#include <gtest/gtest.h>

#include <memory>
#include <thread>
#include <typeinfo>
#include <vector>

TEST(DetailRecords, QualifiedNameText)
{
    CQualifiedName name;
    name.name = "f";
    name.scopes = {"N", "M"};
    EXPECT_EQ(name.ToString(), "N::M::f");
    name.relative = false;
    EXPECT_EQ(name.ToString(), "::N::M::f");
}

TEST(DetailRecords, FunctionAssignmentLeavesPureAlone)
{
    CFunctionInfo source;
    source.pure = true;
    source.qualifiedName.name = "g";
    source.qualifiedName.relative = false;
    source.access = 2;
    source.parameters.resize(2);
    source.parameters[1].qualifiedName.name = "b";
    source.ctorInitTokens = {4, 5};

    CFunctionInfo target;
    target = source;
    EXPECT_FALSE(target.pure);
    EXPECT_EQ(target.qualifiedName.name, "g");
    EXPECT_FALSE(target.qualifiedName.relative);
    EXPECT_EQ(target.access, 2);
    ASSERT_EQ(target.parameters.size(), 2u);
    EXPECT_EQ(target.parameters[1].qualifiedName.name, "b");
    EXPECT_EQ(target.ctorInitTokens, (TokenIndices {4, 5}));

    target.pure = true;
    target = target;
    EXPECT_TRUE(target.pure);
    EXPECT_EQ(target.qualifiedName.name, "g");
}

TEST(DetailRecords, FurtherDeclaratorsAreIndependentCopies)
{
    auto source = std::make_unique<CVariableInfo>();
    source->qualifiedName.name = "a";
    source->multiple = true;
    source->further.resize(2);
    source->further[0].qualifiedName.name = "b";
    source->further[1].qualifiedName.name = "c";
    source->further[1].arrayTokens = {7, 8};

    CVariableInfo copy(*source);
    source->further[0].qualifiedName.name = "changed";
    source.reset();
    ASSERT_EQ(copy.further.size(), 2u);
    EXPECT_EQ(copy.further[0].qualifiedName.name, "b");
    EXPECT_EQ(copy.further[1].arrayTokens, (TokenIndices {7, 8}));

    CVariableInfo assigned;
    assigned.further.resize(5);
    assigned = copy;
    EXPECT_EQ(assigned.further.size(), 2u);
}

TEST(DetailRecords, ClonesKeepTheirActualType)
{
    std::unique_ptr<CDetailRecord> records[] = {
        std::make_unique<CClassInfo>(),
        std::make_unique<CNamespaceAliasInfo>(),
        std::make_unique<CTemplateInfo>(true, TokenIndices {1}),
        std::make_unique<CVariableInfo>(),
        std::make_unique<CFunctionInfo>(),
        std::make_unique<CForInfo>(),
        std::make_unique<CTextInfo>("x"),
        std::make_unique<CTokenListInfo>(TokenIndices {1}),
        std::make_unique<CQualifiedNameInfo>(),
    };
    for (const auto& record : records) {
        std::unique_ptr<CDetailRecord> clone = record->Clone();
        EXPECT_EQ(typeid(*clone), typeid(*record));
    }
    auto tmpl = records[2]->Clone();
    EXPECT_TRUE(dynamic_cast<CTemplateInfo&>(*tmpl).exported);
}

// Records made in bulk (a unit tree read back at once) and one by one (while
// parsing) are mixed freely: cloned, replaced and dropped in any order and
// on any thread.
TEST(DetailRecords, BulkAndSingleRecordsMix)
{
    std::vector<std::unique_ptr<CDetailRecord>> records;
    {
        const CDetailRecord::BulkCreation bulk;
        for (int i = 0; i < 20000; ++i) {
            auto record = std::make_unique<CVariableInfo>();
            record->typeTokens = {i, i + 1};
            records.push_back(std::move(record));
            if (i % 1000 == 0) {
                const CDetailRecord::BulkCreation nested;
                records.push_back(std::make_unique<CTextInfo>("nested"));
            }
        }
        records.push_back(records.front()->Clone());
    }
    records.push_back(records[1]->Clone()); // made one by one
    records.push_back(std::make_unique<CTextInfo>("single"));
    const auto* first = dynamic_cast<const CVariableInfo*>(records.front().get());
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->typeTokens, (TokenIndices {0, 1}));
    EXPECT_EQ(dynamic_cast<const CTextInfo&>(*records.back()).text, "single");
    std::vector<std::unique_ptr<CDetailRecord>> half(std::make_move_iterator(records.begin()),
        std::make_move_iterator(records.begin() + static_cast<long>(records.size() / 2)));
    std::thread other([&] { records.clear(); });
    half.clear();
    other.join();
}

// A file of plain declarations holds one variable record per line; the
// flags after the name share the name's tail padding.
TEST(DetailRecords, VariableRecordIsSmallAndItsNameLeavesTheFlagsAlone)
{
    EXPECT_LE(sizeof(CVariableInfo), 80u);

    CVariableInfo record;
    record.access = 2;
    record.multiple = true;
    record.cvAfterType = true;
    CQualifiedName name;
    name.name = "v";
    name.scopes = {"N"};
    name.relative = false;
    record.qualifiedName = name;
    record.qualifiedName = CQualifiedName {};
    record.qualifiedName = std::move(name);
    EXPECT_EQ(record.access, 2);
    EXPECT_TRUE(record.multiple);
    EXPECT_TRUE(record.cvAfterType);
    EXPECT_EQ(record.qualifiedName.ToString(), "::N::v");
}
