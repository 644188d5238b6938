// Writes a generated C++ project for the analysis benchmark: headers with
// namespaces, classes, structs, enums and declarations that include each
// other, and one source file per header with method bodies full of control
// flow and calls. Optionally one big C file as well.
//
// analysis_project_gen OUTDIR MODULES [BIG_C_MEGABYTES]

#include "GeneratedSource.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace {

std::string N(int k)
{
    return std::to_string(k);
}

std::string Header(int k)
{
    std::string h;
    h += "#ifndef MOD" + N(k) + "_H\n#define MOD" + N(k) + "_H\n\n#include \"common.h\"\n";
    // Each header includes the one before it (except at every tenth) and
    // the one at half its number, so include chains stay a few dozen deep.
    const bool previous = k % 10 != 0;
    if (previous) {
        h += "#include \"mod" + N(k - 1) + ".h\"\n";
    }
    if (k > 2) {
        h += "#include \"mod" + N(k / 2) + ".h\"\n";
    }
    const int peerModule = previous ? k - 1 : k / 2;
    const std::string peer =
        k > 2 || previous ? "mod" + N(peerModule) + "::Widget" + N(peerModule) : "Base";
    h += "\nnamespace mod" + N(k) + " {\n\n";
    h += "enum Mode" + N(k) + " { MODE" + N(k) + "_OFF, MODE" + N(k) + "_ON = 4, MODE" + N(k) +
        "_AUTO };\n\n";
    h += "struct Record" + N(k) +
        " {\n    int id;\n    double weight;\n    char name[32];\n"
        "    unsigned flags : 4;\n};\n\n";
    h += "union Value" + N(k) + " {\n    int i;\n    float f;\n};\n\n";
    h += "class Widget" + N(k) + " : public Base {\npublic:\n    Widget" + N(k) + "();\n";
    h += "    virtual ~Widget" + N(k) + "();\n    int Update(int step);\n";
    h += "    double Weigh(const Record" + N(k) + "& r) const;\n";
    h += "    void Reset(Mode" + N(k) + " mode = MODE" + N(k) + "_OFF);\n";
    h += "    static int Count();\n";
    h += "protected:\n    virtual void OnChange(int what);\n";
    h += "private:\n    Record" + N(k) + " record;\n    " + peer + "* peer;\n";
    h += "    Value" + N(k) + " value;\n    int count;\n};\n\n";
    h += "int helper" + N(k) + "(int a, int b);\n";
    h += "template <class T> T pick" + N(k) + "(T a, T b) { return a < b ? b : a; }\n";
    h += "extern int total" + N(k) + ";\n\n} // namespace mod" + N(k) + "\n\n";
    h += "extern \"C\" int c_entry" + N(k) + "(int code);\n\n#endif\n";
    return h;
}

std::string Source(int k)
{
    const std::string ns = "mod" + N(k);
    const std::string w = ns + "::Widget" + N(k);
    std::string s;
    s += "#include \"../include/mod" + N(k) + ".h\"\n\n";
    s += "int " + ns + "::total" + N(k) + " = 0;\n\n";
    s += "static int local_state = 0;\n\n";
    s += w + "::Widget" + N(k) + "() : peer(0), count(0)\n{\n    record.id = " + N(k) +
        ";\n    record.weight = 1.5;\n}\n\n";
    s += w + "::~Widget" + N(k) + "()\n{\n    if (peer)\n        peer = 0;\n}\n\n";
    s += "int " + w + "::Update(int step)\n{\n";
    s += "    int result = 0;\n";
    s += "    for (int i = 0; i < step; ++i) {\n";
    s += "        if (i % 3 == 0) {\n            result += " + ns + "::helper" + N(k) +
        "(i, step);\n";
    s += "        } else if (i % 3 == 1) {\n            result -= pick" + N(k) + "(i, result);\n";
    s += "        } else {\n            OnChange(i);\n            continue;\n        }\n    }\n";
    s += "    while (result > 1000)\n        result /= 2;\n";
    s += "    do {\n        ++count;\n    } while (count < 10);\n";
    s += "    switch (result & 3) {\n    case 0:\n    case 1:\n        Reset(MODE" + N(k) +
        "_ON);\n        break;\n";
    s += "    case 2:\n        local_state = c_entry" + N(k) + "(result);\n        break;\n";
    s += "    default:\n        return -1;\n    }\n";
    s += "    try {\n        result += Count();\n    } catch (...) {\n        result = 0;\n    }\n";
    s += "    return result;\n}\n\n";
    s += "double " + w + "::Weigh(const Record" + N(k) + "& r) const\n{\n";
    s += "    double sum = r.weight * record.weight;\n";
    s += "    if (r.id < 0)\n        goto done;\n";
    s += "    sum += r.name[0] ? 1.0 : 0.5;\ndone:\n    return sum;\n}\n\n";
    s += "void " + w + "::Reset(Mode" + N(k) + " mode)\n{\n";
    s += "    count = mode == MODE" + N(k) + "_AUTO ? 1 : 0;\n    value.i = count;\n}\n\n";
    s +=
        "int " + w + "::Count()\n{\n    return local_state + " + ns + "::total" + N(k) + ";\n}\n\n";
    s += "void " + w + "::OnChange(int what)\n{\n    local_state ^= what;\n}\n\n";
    s += "int " + ns + "::helper" + N(k) + "(int a, int b)\n{\n    return a * b + total" + N(k) +
        ";\n}\n\n";
    s += "extern \"C\" int c_entry" + N(k) +
        "(int code)\n{\n    return code > 0 ? code : -code;\n}\n";
    return s;
}

void WriteFile(const fs::path& path, const std::string& text)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: analysis_project_gen OUTDIR MODULES [BIG_C_MEGABYTES]\n");
        return 2;
    }
    const fs::path out = argv[1];
    const int modules = std::atoi(argv[2]);
    const double bigMegabytes = argc > 3 ? std::atof(argv[3]) : 0.0;
    if (modules < 0 || bigMegabytes < 0) {
        std::fprintf(stderr, "analysis_project_gen: counts must not be negative\n");
        return 2;
    }
    WriteFile(out / "include" / "common.h",
        "#ifndef COMMON_H\n#define COMMON_H\n#define LIMIT 100\n"
        "class Base {\npublic:\n    virtual ~Base() {}\n    int id() const;\n};\n#endif\n");
    for (int k = 0; k < modules; ++k) {
        WriteFile(out / "include" / ("mod" + N(k) + ".h"), Header(k));
        WriteFile(out / "src" / ("mod" + N(k) + ".cpp"), Source(k));
    }
    if (bigMegabytes > 0) {
        WriteFile(out / "big" / "local.h", "#define LOCAL_LIMIT 10\n");
        WriteFile(out / "big" / "big.c",
            GenerateCSource(static_cast<std::size_t>(bigMegabytes * 1024 * 1024)));
    }
    return 0;
}
