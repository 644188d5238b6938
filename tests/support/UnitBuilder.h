#pragma once

#include "DetailRecords.h"
#include "ModelScope.h"
#include "PPToken.h"
#include "ScanHelpers.h"
#include "Unit.h"

#include <memory>
#include <string>
#include <vector>

// Builds token vectors and units by hand for tests: text is scanned with the
// engine's scanner and appended to one token vector, which every unit made
// here refers to. Not movable: units point at the vector.
class TokenSource {
public:
    TokenSource() = default;
    TokenSource(const TokenSource&) = delete;
    TokenSource& operator=(const TokenSource&) = delete;

    // Appends the tokens of `text` (line ends dropped) and returns their
    // positions.
    TokenIndices Add(const std::string& text);
    // A unit of the given kind over the tokens of `text`, done.
    CUnit Unit(int kind, const std::string& text, bool brace = false);

    // A class, struct or union unit with its record.
    CUnit ClassUnit(int kind, const std::string& name, bool brace = true);
    // A namespace unit with its name record.
    CUnit NamespaceUnit(const std::string& name);
    // A variable unit: `type` and `name` are scanned; the type tokens are the
    // record's type and specifier tokens.
    CUnit VariableUnit(const std::string& type, const std::string& name, bool cvAfterType = false);
    // A function unit named `name` (qualifiers as in "A::f") with one
    // parameter per entry of `parameters` (each entry is the parameter's
    // specifier text).
    CUnit FunctionUnit(
        const std::string& name, const std::vector<std::string>& parameters, bool brace);

    std::vector<PPToken> tokens;
};

// Statement units of a function body: `body` is split and classified as the
// parse driver would do for a function's children.
struct FunctionUnderTest {
    explicit FunctionUnderTest(const std::string& body);
    FunctionUnderTest(const FunctionUnderTest&) = delete;

    std::vector<PPToken> tokens;
    CUnit function;
};

// Adds a child element to a model element by hand.
CModelScope* AddElement(CModelScope& parent, const std::string& name, int kind);
