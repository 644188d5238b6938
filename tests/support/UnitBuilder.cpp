#include "UnitBuilder.h"

#include "StatementClassifier.h"
#include "TokenType.h"
#include "UnitKind.h"
#include "UnitSplitter.h"

TokenIndices TokenSource::Add(const std::string& text)
{
    TokenIndices positions;
    for (PPToken& token : ScanText(text)) {
        if (token.type == ENDLINE) {
            continue;
        }
        positions.push_back(static_cast<int>(tokens.size()));
        tokens.push_back(std::move(token));
    }
    return positions;
}

CUnit TokenSource::Unit(int kind, const std::string& text, bool brace)
{
    CUnit unit(&tokens);
    unit.kind = kind;
    unit.done = true;
    unit.brace = brace;
    unit.tokenIndices = Add(text);
    if (!unit.tokenIndices.empty()) {
        unit.first = unit.tokenIndices.front();
        unit.last = unit.tokenIndices.back();
    }
    return unit;
}

CUnit TokenSource::ClassUnit(int kind, const std::string& name, bool brace)
{
    const char* key = kind == UNIT_STRUCT ? "struct " : kind == UNIT_UNION ? "union " : "class ";
    CUnit unit = Unit(kind, key + name, brace);
    auto record = std::make_unique<CClassInfo>();
    record->qualifiedName.name = name;
    unit.SetDetail(std::move(record));
    return unit;
}

CUnit TokenSource::NamespaceUnit(const std::string& name)
{
    CUnit unit = Unit(UNIT_NAMESPACE, "namespace " + name, true);
    unit.SetDetail(std::make_unique<CTextInfo>(name));
    return unit;
}

CUnit TokenSource::VariableUnit(const std::string& type, const std::string& name, bool cvAfterType)
{
    CUnit unit(&tokens);
    unit.kind = UNIT_VARIABLE;
    unit.done = true;
    const TokenIndices typeTokens = Add(type);
    const TokenIndices nameTokens = Add(name + " ;");
    unit.tokenIndices = typeTokens;
    unit.tokenIndices.insert(unit.tokenIndices.end(), nameTokens.begin(), nameTokens.end());
    unit.first = unit.tokenIndices.front();
    unit.last = unit.tokenIndices.back();
    auto record = std::make_unique<CVariableInfo>();
    record->qualifiedName.name = name;
    record->typeTokens = typeTokens;
    record->specifierTokens = typeTokens;
    record->cvAfterType = cvAfterType;
    unit.SetDetail(std::move(record));
    return unit;
}

CUnit TokenSource::FunctionUnit(
    const std::string& name, const std::vector<std::string>& parameters, bool brace)
{
    CUnit unit(&tokens);
    unit.kind = UNIT_FUNCTION;
    unit.done = true;
    unit.brace = brace;
    auto record = std::make_unique<CFunctionInfo>();
    unit.tokenIndices = Add("void " + name + " (");
    std::string rest = name;
    size_t colons;
    while ((colons = rest.find("::")) != std::string::npos) {
        record->qualifiedName.scopes.push_back(rest.substr(0, colons));
        rest = rest.substr(colons + 2);
    }
    record->qualifiedName.name = rest;
    for (size_t i = 0; i < parameters.size(); ++i) {
        CVariableInfo parameter;
        parameter.specifierTokens = Add(parameters[i]);
        parameter.typeTokens = parameter.specifierTokens;
        unit.tokenIndices.insert(unit.tokenIndices.end(), parameter.specifierTokens.begin(),
            parameter.specifierTokens.end());
        if (i + 1 < parameters.size()) {
            const TokenIndices comma = Add(",");
            unit.tokenIndices.push_back(comma.front());
        }
        record->parameters.push_back(std::move(parameter));
    }
    const TokenIndices close = Add(brace ? ")" : ") ;");
    unit.tokenIndices.insert(unit.tokenIndices.end(), close.begin(), close.end());
    unit.first = unit.tokenIndices.front();
    unit.last = unit.tokenIndices.back();
    unit.SetDetail(std::move(record));
    return unit;
}

FunctionUnderTest::FunctionUnderTest(const std::string& body)
    : tokens(ScanText(body)), function(&tokens)
{
    function.kind = UNIT_FUNCTION;
    function.brace = true;
    function.done = true;
    std::vector<CUnit> units;
    CUnitSplitter::SplitTokens(tokens, units);
    function.children = std::move(units);
    ClassifyStatementUnits(function.children);
}

CModelScope* AddElement(CModelScope& parent, const std::string& name, int kind)
{
    CModelScope key;
    key.name = name;
    key.kind = kind;
    CModelScope* element = parent.AddChild(key);
    if (!element->scopeChildren) {
        element->scopeChildren = std::make_unique<ScopeChildSet>();
    }
    return element;
}
