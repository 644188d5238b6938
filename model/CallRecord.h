#pragma once

#include "SortedVectorMap.h"

#include <cstdint>
#include <string>
#include <string_view>

class CModelScope;

// One call found in a function body: the called name without qualifiers,
// the number of arguments, the project function it resolves to (none when
// no function matches by name and argument count) and the index of the
// callee's scope in the engine's lifeline name list (0 until assigned).
struct CallRecord {
    std::string name;
    int32_t argumentCount = 0;
    CModelScope* callee = nullptr;
    int32_t lifeline = 0;
};

// A function's name and parameter count: the key of the engine's function
// table. The table's keys name the elements' own names and are emptied with
// the model; a key to look up names any string that lives while it is used.
struct CallKey {
    std::string_view name;
    int32_t count = 0;
};

struct CallKeyLess {
    bool operator()(const CallKey& a, const CallKey& b) const
    {
        const int byName = a.name.compare(b.name);
        if (byName != 0) {
            return byName < 0;
        }
        return a.count < b.count;
    }
};

// Every function of the model under its name and parameter count; of two
// functions with one key the first indexed stays.
using FunctionTable = SortedVectorMap<CallKey, CModelScope*, CallKeyLess>;
