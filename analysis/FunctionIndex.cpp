#include "FunctionIndex.h"

#include "ChildRuns.h"
#include "ForEachOnThreads.h"
#include "UnitDetail.h"
#include "UnitKind.h"
#include "VoidParameterList.h"

#include <algorithm>
#include <vector>
#include <utility>

namespace {

// The first eight bytes of a name as a number that orders as the bytes do
// (a shorter name is padded with zeros, which come before any character).
uint64_t PrefixOf(std::string_view name)
{
    uint64_t prefix = 0;
    for (size_t i = 0; i < 8; ++i) {
        prefix <<= 8;
        if (i < name.size()) {
            prefix |= static_cast<unsigned char>(name[i]);
        }
    }
    return prefix;
}

} // namespace

void FunctionIndex::AddTree(CModelScope& root)
{
    Add(root);
    if (root.scopeChildren) {
        for (CModelScope* child : *root.scopeChildren) {
            AddTree(*child);
        }
    }
}

void FunctionIndex::AddTree(CModelScope& root, unsigned threads)
{
    const ChildRuns cut = CutChildrenIntoRuns(root, threads);
    if (cut.runs <= 1) {
        AddTree(root);
        return;
    }
    const auto& below = cut.chunks;
    const size_t runs = cut.runs;
    Add(root);
    std::vector<FunctionIndex> walked(runs);
    ForEachRunOnThreads(below.size(), runs, threads, [&](size_t run, size_t first, size_t end) {
        for (size_t i = first; i < end; ++i) {
            for (CModelScope* child : below[i]) {
                walked[run].AddTree(*child);
            }
        }
    });
    // The runs in order, each function at its place in one walk; each
    // run's notes go once taken.
    size_t total = noted_.size();
    for (const FunctionIndex& run : walked) {
        total += run.noted_.size();
    }
    noted_.reserve(total);
    for (FunctionIndex& run : walked) {
        for (Noted noted : run.noted_) {
            noted.order = static_cast<uint32_t>(noted_.size());
            noted_.push_back(noted);
        }
        std::vector<Noted>().swap(run.noted_);
    }
}

void FunctionIndex::Add(CModelScope& scope)
{
    if (scope.kind != UNIT_FUNCTION) {
        return;
    }
    // The parameter count comes from the first unit that is a function (a
    // variable and a function without parameters of one name are one
    // element, whose first unit may be the variable). A call of f(void)
    // passes no arguments.
    int32_t parameters = -1;
    for (const auto* list : {&scope.declarations, &scope.definitions}) {
        for (const CUnit* unit : *list) {
            const CFunctionInfo* record = parameters < 0 && unit ? AsFunctionInfo(*unit) : nullptr;
            if (record) {
                parameters = IsVoidParameterList(*unit, *record)
                    ? 0
                    : static_cast<int32_t>(record->parameters.size());
            }
        }
    }
    noted_.push_back(
        {PrefixOf(scope.name.view()), &scope, parameters, static_cast<uint32_t>(noted_.size())});
}

void FunctionIndex::FileInto(FunctionTable& table, FunctionMap& map)
{
    // By name; of one name, in walk order (a sort that needs no room, which
    // could not fail to get it).
    std::sort(noted_.begin(), noted_.end(), [](const Noted& a, const Noted& b) {
        if (a.prefix != b.prefix) {
            return a.prefix < b.prefix;
        }
        const int byName = a.scope->name.view().compare(b.scope->name.view());
        return byName != 0 ? byName < 0 : a.order < b.order;
    });
    // Both take at most an entry per function; what is left over goes
    // back at the end.
    table.reserve(table.size() + noted_.size());
    map.reserve(map.size() + noted_.size());
    std::vector<std::pair<int32_t, CModelScope*>> counts;
    for (size_t first = 0; first < noted_.size();) {
        size_t end = first + 1;
        const std::string_view name = noted_[first].scope->name.view();
        while (end < noted_.size() && noted_[end].prefix == noted_[first].prefix &&
            noted_[end].scope->name.view() == name) {
            ++end;
        }
        // The table: the first of each parameter count, filed by count.
        counts.clear();
        for (size_t i = first; i < end; ++i) {
            const int32_t count = noted_[i].parameters;
            if (count >= 0 &&
                std::none_of(counts.begin(), counts.end(),
                    [count](const auto& known) { return known.first == count; })) {
                counts.emplace_back(count, noted_[i].scope);
            }
        }
        std::sort(counts.begin(), counts.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
        for (const auto& [count, scope] : counts) {
            // A key filed before keeps its function.
            table.try_emplace(CallKey {scope->name.view(), count}, scope);
        }
        // The map: every function of the name, in walk order.
        auto place = map.try_emplace(name).first;
        FunctionDefinitions& entry = place->second;
        for (size_t i = first; i < end; ++i) {
            CModelScope& scope = *noted_[i].scope;
            if (entry.element == nullptr ||
                (entry.element->definitions.empty() && !scope.definitions.empty())) {
                entry.element = &scope;
            }
            for (CUnit* unit : scope.definitions) {
                entry.units.push_back(unit);
            }
        }
        entry.count = static_cast<int32_t>(entry.units.size());
        first = end;
    }
    table.shrink_to_fit();
    map.shrink_to_fit();
    std::vector<Noted>().swap(noted_);
}
