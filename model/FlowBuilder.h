#pragma once

#include "FlowItem.h"

#include <cstdint>
#include <span>
#include <vector>

class CModelScope;
class CUnit;

// Builds the statement items of one function from its classified units.
// Flag 1 gives the flow-chart form (try, catch and throw dissolved, runs of
// plain statements grouped); flag 0 the Nassi-Shneiderman form (try and
// catch kept, a run may end in one jump statement).
class CFlowBuilder {
public:
    // Fills body.root's children from the function unit's body. Does nothing
    // unless `function` is a function unit (kind 18); hand it the defining
    // unit (the one with the body), not a declaration.
    static void BuildFunctionItems(FunctionBody& body, CUnit* function, int flag);
    // The same for a model element: takes its defining unit and records the
    // element in the body.
    static void BuildFunctionItems(FunctionBody& body, const CModelScope* function, int flag);

    static std::vector<CFlowItem> BuildItems(std::span<CUnit> units);
    static void FlattenBlocks(std::vector<CFlowItem>& items);
    static void RemoveTryCatchThrow(std::vector<CFlowItem>& items);
    static void AttachElseChains(std::vector<CFlowItem>& items);
    static void SplitLabels(std::vector<CFlowItem>& items);
    static void RegroupSwitches(std::vector<CFlowItem>& items);
    static void JoinDoWhile(std::vector<CFlowItem>& items);
    static void GroupExpressions(std::vector<CFlowItem>& items);
    static void GroupSimpleStatements(std::vector<CFlowItem>& items);

private:
    // Also sets in `kinds` the bit of every item's unit kind (all bits for a
    // kind beyond 63): a pass whose kinds are missing has nothing to do.
    static std::vector<CFlowItem> BuildItems(std::span<CUnit> units, uint64_t& kinds);
    enum class ElseAnswer { Attached, After, No };
    static ElseAnswer AttachElse(CFlowItem& previous, CFlowItem& elseItem);
    static void RegroupCases(std::vector<CFlowItem>& items);
    // Merges each run of expression statements (and labels) into its first
    // item; with jumpEndsRun, one jump statement may end a run.
    static void GroupRuns(std::vector<CFlowItem>& items, bool jumpEndsRun);
};
