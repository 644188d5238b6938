#include "MacroTable.h"

void TakeKeptDefinitions(const MacroTable& reading, const MacroTable& kept, MacroTable& macros)
{
    auto instance = kept.begin();
    for (const auto& [name, def] : reading) {
        while (instance != kept.end() && instance->first < name) {
            ++instance;
        }
        if (instance == kept.end() || instance->first != name) {
            continue;
        }
        auto held = macros.find(name);
        if (held != macros.end() && held->second.SameDefinition(def)) {
            held->second = instance->second;
        }
    }
}
