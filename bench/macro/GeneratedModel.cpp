#include "GeneratedModel.h"

#include "DetailRecords.h"
#include "UnitKind.h"

#include <string>

namespace {

// A small fixed-seed generator, so that every run draws the same picture.
struct Random {
    uint32_t state = 12345;
    int Next(int below)
    {
        state = state * 1664525u + 1013904223u;
        return static_cast<int>((state >> 8) % static_cast<uint32_t>(below));
    }
};

const char* const kWords[] = {"Buffer", "Window", "Parser", "Token", "Stream", "Cache", "Layout",
    "Shape", "Node", "Table", "Record", "Driver", "Event", "Socket", "Image", "Font", "Path",
    "Timer", "Queue", "Matrix"};
const char* const kVerbs[] = {"get", "set", "read", "write", "draw", "find", "make", "clear",
    "open", "close", "parse", "update", "measure", "load", "save"};

} // namespace

GeneratedModel::GeneratedModel(int lines)
{
    Random random;
    auto add = [&](CModelScope* parent, const std::string& name, int32_t kind, int32_t access,
                   bool defined) {
        CModelScope key;
        key.name = name;
        key.kind = kind;
        CModelScope* scope = parent->AddChild(key);
        if (scope->declarations.empty() && scope->definitions.empty()) {
            scope->declarations.push_back(MakeUnit(kind, access));
            if (defined)
                scope->definitions.push_back(MakeUnit(kind, access));
            ++elements;
        }
        return scope;
    };

    // Roughly: one type per 120 lines, one free function per 40, one global
    // variable per 150, spread over one namespace per 4000 lines.
    const int namespaces = std::max(1, lines / 4000);
    const int types = std::max(1, lines / 120);
    const int functions = std::max(1, lines / 40);
    const int variables = std::max(1, lines / 150);
    std::vector<CModelScope*> spaces {&root};
    for (int n = 0; n < namespaces; ++n)
        spaces.push_back(add(&root, std::string("ns") + kWords[n % 20] + std::to_string(n),
            UNIT_NAMESPACE, 0, true));

    for (int t = 0; t < types; ++t) {
        CModelScope* space = spaces[random.Next(static_cast<int>(spaces.size()))];
        const int pick = random.Next(20);
        const int32_t kind = pick < 12 ? UNIT_CLASS
            : pick < 16                ? UNIT_STRUCT
            : pick < 17                ? UNIT_UNION
                                       : UNIT_ENUM;
        std::string name = std::string(kind == UNIT_ENUM ? "E"
                                   : kind == UNIT_STRUCT ? "S"
                                   : kind == UNIT_UNION  ? "U"
                                                         : "C") +
            kWords[random.Next(20)] + kWords[random.Next(20)] + std::to_string(t);
        CModelScope* type = add(space, name, kind, 0, true);
        if (kind == UNIT_ENUM)
            continue;
        type->isTemplate = random.Next(15) == 0;
        const int members = 2 + random.Next(kind == UNIT_CLASS ? 24 : 8);
        for (int m = 0; m < members; ++m) {
            const int32_t access = 1 + random.Next(3);
            if (random.Next(3) == 0) {
                add(type, std::string("m_") + kVerbs[random.Next(15)] + std::to_string(m),
                    UNIT_VARIABLE, access, false);
            } else {
                add(type,
                    std::string(kVerbs[random.Next(15)]) + kWords[random.Next(20)] +
                        std::to_string(m),
                    UNIT_FUNCTION, access, random.Next(4) != 0);
            }
        }
        if (random.Next(10) == 0)
            add(type, std::string("Inner") + kWords[random.Next(20)], UNIT_ENUM, 0, true);
    }
    for (int f = 0; f < functions; ++f) {
        CModelScope* space = spaces[random.Next(static_cast<int>(spaces.size()))];
        add(space,
            std::string(kVerbs[random.Next(15)]) + kWords[random.Next(20)] + std::to_string(f),
            UNIT_FUNCTION, 0, random.Next(5) != 0);
    }
    for (int v = 0; v < variables; ++v) {
        CModelScope* space = spaces[random.Next(static_cast<int>(spaces.size()))];
        add(space, std::string("g_") + kWords[random.Next(20)] + std::to_string(v), UNIT_VARIABLE,
            0, true);
    }
}
