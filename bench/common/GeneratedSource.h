#pragma once

// A generated C source of a requested size for the benchmarks: a mix of
// declarations, functions with control flow, comments, strings and numbers,
// macro definitions and conditional groups, much like a big real C file.

#include <string>

inline std::string GenerateCSource(std::size_t targetBytes)
{
    std::string out;
    out.reserve(targetBytes + 4096);
    out += "/* Generated benchmark input. */\n#include <stdio.h>\n#include \"local.h\"\n\n";
    out += "#define BUFFER_SIZE 1024\n#define MAX(a, b) ((a) > (b) ? (a) : (b))\n";
    out += "#define SQUARE(x) ((x) * (x))\n#define FLAG_A 0x0001\n#define FLAG_B 0x0002\n\n";
    for (unsigned n = 0; out.size() < targetBytes; ++n) {
        const std::string id = std::to_string(n);
        out += "/*\n * Function number " + id + ": computes a value from a record.\n */\n";
        out += "typedef struct record_" + id + " {\n    int count;\n    unsigned long flags;\n";
        out += "    char name[BUFFER_SIZE];\n    double weight;\n} record_" + id + "_t;\n\n";
        out += "#if defined(FLAG_A) && FLAG_B > 1\n";
        out += "static int compute_" + id + "(record_" + id + "_t *r, int limit)\n{\n";
        out += "    int i, total = 0; // running sum\n";
        out += "    for (i = 0; i < limit; ++i) {\n";
        out += "        if (r->flags & FLAG_A) {\n            total += SQUARE(i) % 7;\n";
        out += "        } else if (r->count >= 0x7fffL) {\n";
        out += "            total -= MAX(i, r->count) >> 2;\n        }\n";
        out += "        r->weight = r->weight * 1.5e3 + 0.25f;\n    }\n";
        out += "    switch (total & 3) {\n    case 0: printf(\"zero %d\\n\", total); break;\n";
        out += "    case 1: return -1;\n    default: break;\n    }\n";
        out += "    return total != 0 ? total : 'x';\n}\n#else\n";
        out += "static int compute_" + id + "(void) { return 0; }\n#endif\n\n";
    }
    return out;
}
