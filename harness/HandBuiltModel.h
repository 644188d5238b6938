#pragma once

// A project model built by hand, for the tests and benchmarks that draw one.

#include "DetailRecords.h"
#include "ModelScope.h"
#include "Unit.h"
#include "UnitKind.h"

#include <deque>
#include <memory>
#include <string>

struct HandBuiltModel {
    // The file every element is declared (and defined) in.
    inline static const std::string kFile = "test.cpp";

    CModelScope root;
    std::deque<CUnit> units; // stable addresses

    HandBuiltModel() { root.kind = UNIT_ROOT; }

    CUnit* MakeUnit(int32_t kind, int32_t access)
    {
        CUnit& unit = units.emplace_back();
        unit.kind = kind;
        if (kind == UNIT_VARIABLE) {
            auto info = std::make_unique<CVariableInfo>();
            info->access = access;
            unit.SetDetail(std::move(info));
        } else if (kind == UNIT_FUNCTION) {
            auto info = std::make_unique<CFunctionInfo>();
            info->access = access;
            unit.SetDetail(std::move(info));
        }
        return &unit;
    }

    // Adds an element with a declaring unit (and a defining one when asked).
    CModelScope* Add(CModelScope* parent, const std::string& name, int32_t kind, int32_t access = 0,
        bool defined = false)
    {
        CModelScope key;
        key.name = name;
        key.kind = kind;
        CModelScope* scope = (parent != nullptr ? parent : &root)->AddChild(key);
        const int32_t unitKind = kind == UNIT_MULTIPLE_VARIABLE ? UNIT_VARIABLE : kind;
        scope->declarations.push_back(MakeUnit(unitKind, access));
        scope->declarationFiles.push_back(kFile);
        if (defined) {
            scope->definitions.push_back(MakeUnit(unitKind, access));
            scope->definitionFiles.push_back(kFile);
        }
        return scope;
    }
};
