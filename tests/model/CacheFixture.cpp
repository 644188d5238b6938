#include "CacheFixture.h"

#include "IncludedFile.h"
#include "ProjectFile.h"
#include "UnitBuilder.h"
#include "UnitKind.h"

#include <fstream>
#include <sstream>

namespace {

CUnit MakeUnit(const std::vector<PPToken>& tokens, int kind, TokenIndices indices,
    std::unique_ptr<CDetailRecord> detail = nullptr, bool brace = false)
{
    CUnit unit(&tokens);
    unit.kind = kind;
    unit.done = true;
    unit.brace = brace;
    unit.tokenIndices = std::move(indices);
    unit.first = unit.tokenIndices.empty() ? 0 : unit.tokenIndices.front();
    unit.last = unit.tokenIndices.empty() ? 0 : unit.tokenIndices.back();
    unit.detail = std::move(detail);
    return unit;
}

CQualifiedName Name(const std::string& name, std::vector<std::string> scopes, bool relative = true)
{
    CQualifiedName q;
    q.name = name;
    q.scopes = std::move(scopes);
    q.relative = relative;
    return q;
}

CVariableInfo Variable(const std::string& name, TokenIndices type)
{
    CVariableInfo v;
    v.qualifiedName = Name(name, {"S"});
    v.typeTokens = type;
    v.specifierTokens = type;
    v.arrayTokens = {1};
    v.initTokens = {2, 3};
    v.access = 2;
    v.cvAfterType = true;
    return v;
}

void FillFile(CSourceFile& file, const std::string& path, int seed)
{
    file.path = path;
    file.scan.fileName = path;
    file.split = true;
    file.parsed = seed % 2 == 0;
    file.size = 1000 + seed;
    file.mtime = 1700000000 + seed;
    file.scan.tokens = ScanText("class A : public virtual N::B { int x, y[2] = {1}; };\n"
                                "void f(int a, char* b) { if (a) return; }\n#define X 1\n");
    file.scan.tokens.emplace_back(7, 42, ""); // a number token with an empty text
    const auto& t = file.scan.tokens;

    CMacroDef object;
    object.body.emplace_back(0, 42, "1");
    file.macros["X"] = SharedMacro(object);
    CMacroDef function;
    function.functionLike = true;
    function.parameters = {"a", "b"};
    function.body.emplace_back(3, 46, "a");
    function.body.emplace_back(3, 30, nullptr);
    file.macros["F"] = SharedMacro(function);

    auto classInfo = std::make_unique<CClassInfo>();
    classInfo->qualifiedName = Name("A", {});
    CBaseClassInfo base;
    base.qualifiedName = Name("B", {"N"}, false);
    base.isVirtual = true;
    base.access = 1;
    classInfo->bases.push_back(base);
    CUnit cls = MakeUnit(t, UNIT_CLASS, {0, 1, 2, 3, 4, 5, 6, 7}, std::move(classInfo), true);

    auto variable = std::make_unique<CVariableInfo>(Variable("x", {9}));
    variable->multiple = true;
    variable->further.push_back(Variable("y", {9}));
    variable->further.back().further.push_back(Variable("z", {9}));
    cls.children.push_back(MakeUnit(t, UNIT_VARIABLE, {9, 10, 11}, std::move(variable)));
    cls.children.push_back(
        MakeUnit(t, UNIT_MULTIPLE_VARIABLE, {9}, std::make_unique<CVariableInfo>()));
    file.units.push_back(std::move(cls));

    auto functionInfo = std::make_unique<CFunctionInfo>();
    functionInfo->qualifiedName = Name("f", {"A", "B"});
    functionInfo->pure = true;
    functionInfo->access = 3;
    functionInfo->specifierTokens = {0};
    functionInfo->reservedTokens = {1};
    functionInfo->ctorInitTokens = {2, 3};
    functionInfo->parameters = {Variable("a", {4}), Variable("b", {5, 6})};
    CUnit fn = MakeUnit(t, UNIT_FUNCTION, {0, 1, 2}, std::move(functionInfo), true);
    CUnit ifUnit = MakeUnit(t, UNIT_IF, {3, 4}, std::make_unique<CTokenListInfo>(TokenIndices {4}));
    ifUnit.children.push_back(MakeUnit(t, UNIT_RETURN, {5}, std::make_unique<CTokenListInfo>()));
    fn.children.push_back(std::move(ifUnit));
    auto forInfo = std::make_unique<CForInfo>();
    forInfo->initTokens = {1};
    forInfo->conditionTokens = {2};
    forInfo->stepTokens = {3, 4};
    fn.children.push_back(MakeUnit(t, UNIT_FOR, {0}, std::move(forInfo)));
    fn.children.push_back(MakeUnit(t, UNIT_LABEL, {7}, std::make_unique<CTextInfo>("end")));
    fn.children.push_back(MakeUnit(t, UNIT_GOTO, {8}, std::make_unique<CTextInfo>("end")));
    fn.children.push_back(MakeUnit(t, UNIT_DO, {1}));
    fn.children.push_back(MakeUnit(t, UNIT_ELSE, {}, std::make_unique<CTokenListInfo>()));
    file.units.push_back(std::move(fn));

    file.units.push_back(MakeUnit(t, UNIT_NAMESPACE, {}, std::make_unique<CTextInfo>("N"), true));
    auto alias = std::make_unique<CNamespaceAliasInfo>();
    alias->alias = "M";
    alias->target = Name("N", {"Outer"});
    file.units.push_back(MakeUnit(t, UNIT_NAMESPACE_ALIAS, {1, 2}, std::move(alias)));
    file.units.push_back(MakeUnit(
        t, UNIT_TEMPLATE, {0}, std::make_unique<CTemplateInfo>(true, TokenIndices {1, 2})));
    auto usingInfo = std::make_unique<CClassInfo>();
    usingInfo->qualifiedName = Name("f", {"N"});
    file.units.push_back(MakeUnit(t, UNIT_USING, {3}, std::move(usingInfo)));
    file.units.push_back(MakeUnit(
        t, UNIT_USING_NAMESPACE, {3}, std::make_unique<CQualifiedNameInfo>(Name("std", {}))));
    file.units.push_back(MakeUnit(t, UNIT_EXTERN, {}, std::make_unique<CTextInfo>("\"C\""), true));
    file.units.push_back(MakeUnit(t, UNIT_PP_DEFINE, {20, 21, 22}));
    file.units.back().first = -1; // ranges are kept as they are
    // A unit whose record is not of the type its kind stores.
    file.units.push_back(MakeUnit(t, UNIT_STRUCT, {0}, std::make_unique<CTextInfo>("odd")));
}

} // namespace

void FillCacheRecords(CacheRecords& records)
{
    auto a = std::make_unique<CProjectFile>(nullptr);
    FillFile(*a, "/src/a.cpp", 0);
    a->includes = {0, 1};
    a->hasIndexNumber = true;
    a->indexNumber = 1;
    auto b = std::make_unique<CProjectFile>(nullptr);
    FillFile(*b, "/src/b.cpp", 1);
    b->includes = {1};
    records.projects.push_back(std::move(a));
    records.projects.push_back(std::move(b));

    auto h0 = std::make_unique<CIncludedFile>("", nullptr, true);
    FillFile(*h0, "/inc/A.h", 2);
    h0->includes = {1, 0}; // includes itself too
    auto h1 = std::make_unique<CIncludedFile>("", nullptr, false);
    FillFile(*h1, "/inc/b.h", 3);
    records.index.Add(std::move(h0));
    records.index.Add(std::move(h1));
}
