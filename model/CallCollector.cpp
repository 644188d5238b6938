#include "CallCollector.h"

#include "ModelScope.h"
#include "ScopeName.h"
#include "TokenType.h"
#include "Unit.h"

#include <algorithm>

namespace {

// The type of the token at position p of the unit's own tokens, or -1 when
// the position (or the file position it holds) is bad.
int32_t TypeAt(const CUnit& unit, size_t p)
{
    const int position = unit.tokenIndices[p];
    if (!unit.tokens || position < 0 || static_cast<size_t>(position) >= unit.tokens->size()) {
        return -1;
    }
    return (*unit.tokens)[static_cast<size_t>(position)].type;
}

const char* TextAt(const CUnit& unit, size_t p)
{
    const PPToken& token = (*unit.tokens)[static_cast<size_t>(unit.tokenIndices[p])];
    return token.text ? token.text : "";
}

} // namespace

CCallCollector::CCallCollector(const CModelScope& function, const FunctionTable& functions,
    std::vector<std::string>& lifelineNames)
    : functions_(functions), function_(function), lifelineNames_(lifelineNames)
{
}

void CCallCollector::Run()
{
    body_ = function_.GetDefiningUnit();
    if (!body_) {
        return;
    }
    for (const CUnit& child : body_->children) {
        FindCallUnits(child);
    }
    for (const CUnit* unit : callUnits_) {
        int32_t unused = 0;
        ScanCalls(*unit, unused, 0, false);
    }
    ResolveCallees();
    CollectLifelines();
}

void CCallCollector::FindCallUnits(const CUnit& unit)
{
    if (HasCall(unit)) {
        callUnits_.push_back(&unit);
    }
    for (const CUnit& child : unit.children) {
        FindCallUnits(child);
    }
}

bool CCallCollector::HasCall(const CUnit& unit)
{
    for (size_t p = 1; p < unit.tokenIndices.size(); ++p) {
        if (TypeAt(unit, p) == LP && TypeAt(unit, p - 1) == IDENTIFIER) {
            return true;
        }
    }
    return false;
}

int CCallCollector::ScanCalls(const CUnit& unit, int32_t& argumentCount, int start, bool insideCall)
{
    const int count = static_cast<int>(unit.tokenIndices.size());
    int depth = 0;
    int32_t previous = -1;
    for (int p = start; p < count; ++p) {
        const int32_t type = TypeAt(unit, static_cast<size_t>(p));
        if (type == LP && previous == IDENTIFIER) {
            CallRecord record;
            record.name = TextAt(unit, static_cast<size_t>(p - 1));
            const int close = ScanCalls(unit, record.argumentCount, p, true);
            records_.push_back(std::move(record));
            previous = LP;
            p = close; // the loop goes on after the closing parenthesis
            continue;
        }
        if (type == LP) {
            ++depth;
        } else if (type == RP) {
            --depth;
            if (depth == 0 && insideCall) {
                if (p != start + 1) {
                    ++argumentCount;
                }
                return p;
            }
        } else if (type == COMMA) {
            ++argumentCount;
        }
        previous = type;
    }
    return count;
}

void CCallCollector::ResolveCallees()
{
    for (CallRecord& record : records_) {
        auto found = functions_.find(CallKey {record.name, record.argumentCount});
        if (found != functions_.end()) {
            record.callee = found->second;
        }
    }
}

int32_t CCallCollector::LifelineIndex(const std::string& name)
{
    auto found = std::find(lifelineNames_.begin(), lifelineNames_.end(), name);
    if (found != lifelineNames_.end()) {
        return static_cast<int32_t>(found - lifelineNames_.begin());
    }
    lifelineNames_.push_back(name);
    return static_cast<int32_t>(lifelineNames_.size() - 1);
}

void CCallCollector::CollectLifelines()
{
    const std::string own = GetScopeName(function_, 1);
    if (!own.empty()) {
        LifelineIndex(own);
    }
    for (CallRecord& record : records_) {
        if (!record.callee) {
            continue;
        }
        const std::string name = GetScopeName(*record.callee, 1);
        if (!name.empty()) {
            record.lifeline = LifelineIndex(name);
        }
    }
}
