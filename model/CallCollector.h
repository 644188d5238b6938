#pragma once

#include "CallRecord.h"

#include <string>
#include <vector>

class CModelScope;
class CUnit;

// Finds the calls in the body of one function of the model (an identifier
// directly followed by "("), counts their arguments, resolves each to a
// function of the function table by name and argument count, and gives each
// resolved call the index of its callee's scope in the lifeline name list,
// which grows over successive queries.
class CCallCollector {
public:
    CCallCollector(const CModelScope& function, const FunctionTable& functions,
        std::vector<std::string>& lifelineNames);

    void Run();

    // The calls in body order; within one statement a nested call comes
    // before the call that holds it.
    const std::vector<CallRecord>& Records() const { return records_; }

private:
    void FindCallUnits(const CUnit& unit);
    static bool HasCall(const CUnit& unit);
    int ScanCalls(const CUnit& unit, int32_t& argumentCount, int start, bool insideCall);
    void ResolveCallees();
    void CollectLifelines();
    int32_t LifelineIndex(const std::string& name);

    const FunctionTable& functions_;
    const CModelScope& function_;
    const CUnit* body_ = nullptr;
    std::vector<const CUnit*> callUnits_;
    std::vector<CallRecord> records_;
    std::vector<std::string>& lifelineNames_;
};
