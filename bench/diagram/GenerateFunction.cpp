// Writes a C file with one large function for the diagram benchmark: an
// interpreter loop of the old style with every kind of statement (if chains,
// for, while and do loops, a switch with fall-through, gotos and labels,
// returns inside loops, nested blocks), plus a few small helpers. With
// --switch-cases, a function "dispatch" follows that is one switch of N cases
// (every third falls through to the next). With --literal-bytes, a function
// "long_literal" follows whose one statement passes a string literal of N
// bytes; with --identifier-bytes, a global variable with a name of N bytes
// and a function "long_name_user" that sets it.
//
// diagram_function_gen [--statements N] [--name NAME] [--switch-cases N]
//                      [--literal-bytes N] [--identifier-bytes N] OUTFILE

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

// A small fixed pseudo-random sequence, so that every run writes the same file.
class Sequence {
public:
    unsigned Next(unsigned bound)
    {
        state_ = state_ * 1103515245u + 12345u;
        return (state_ >> 16) % bound;
    }

private:
    unsigned state_ = 2024;
};

class FunctionWriter {
public:
    explicit FunctionWriter(int statements) : budget_(statements) { }

    std::string Body()
    {
        out_.clear();
        while (written_ < budget_)
            Statement(1, false, false);
        Line(1, "return acc;");
        return out_;
    }
    int Written() const { return written_; }

private:
    void Line(int depth, const std::string& text)
    {
        out_.append(static_cast<size_t>(depth) * 4, ' ');
        out_ += text;
        out_ += '\n';
    }
    std::string N(int k) const { return std::to_string(k); }
    std::string Var() { return "v" + N(static_cast<int>(random_.Next(8))); }
    std::string Condition()
    {
        static const char* const forms[] = {
            "%s > %d", "%s == %d", "(%s & %d) != 0", "%s < limit && %s != %d", "check(%s, %d)"};
        const std::string v = Var();
        std::string form = forms[random_.Next(5)];
        std::string text;
        for (size_t i = 0; i < form.size(); ++i) {
            if (form.compare(i, 2, "%s") == 0) {
                text += v;
                ++i;
            } else if (form.compare(i, 2, "%d") == 0) {
                text += N(static_cast<int>(random_.Next(100)));
                ++i;
            } else {
                text += form[i];
            }
        }
        return text;
    }
    void Expression(int depth)
    {
        static const char* const forms[] = {"acc += %s * 3;", "%s = step(%s, acc);",
            "table[%s & 15] = acc;", "count++;", "emit(out, %s);", "acc ^= (%s << 2) | 1;"};
        const std::string v = Var();
        std::string text = forms[random_.Next(6)];
        for (size_t p; (p = text.find("%s")) != std::string::npos;)
            text.replace(p, 2, v);
        Line(depth, text);
        ++written_;
    }
    void Block(int depth, bool inLoop, bool inSwitch, int count)
    {
        for (int i = 0; i < count && written_ < budget_; ++i)
            Statement(depth, inLoop, inSwitch);
    }

    void Statement(int depth, bool inLoop, bool inSwitch)
    {
        const unsigned pick = depth > 5 ? 0 : random_.Next(100);
        ++written_;
        if (pick < 45) {
            --written_;
            Expression(depth);
        } else if (pick < 58) {
            Line(depth, "if (" + Condition() + ") {");
            Block(depth + 1, inLoop, inSwitch, 1 + static_cast<int>(random_.Next(3)));
            for (unsigned k = random_.Next(3); k > 0; --k) {
                Line(depth, "} else if (" + Condition() + ") {");
                ++written_;
                Block(depth + 1, inLoop, inSwitch, 1 + static_cast<int>(random_.Next(2)));
            }
            if (random_.Next(2) == 0) {
                Line(depth, "} else {");
                ++written_;
                Block(depth + 1, inLoop, inSwitch, 1 + static_cast<int>(random_.Next(2)));
            }
            Line(depth, "}");
        } else if (pick < 65) {
            const std::string i = "i" + N(depth);
            Line(depth, "for (" + i + " = 0; " + i + " < limit; " + i + "++) {");
            Block(depth + 1, true, false, 2 + static_cast<int>(random_.Next(3)));
            if (random_.Next(4) == 0) {
                Line(depth + 1, "if (" + Condition() + ")");
                Line(depth + 2, random_.Next(2) ? "continue;" : "return acc;");
                written_ += 2;
            }
            Line(depth, "}");
        } else if (pick < 70) {
            Line(depth, "while (" + Condition() + ") {");
            Block(depth + 1, true, false, 2 + static_cast<int>(random_.Next(2)));
            Line(depth + 1, "if (count > limit) break;");
            written_ += 2;
            Line(depth, "}");
        } else if (pick < 73) {
            Line(depth, "do {");
            Block(depth + 1, true, false, 1 + static_cast<int>(random_.Next(3)));
            Line(depth, "} while (" + Condition() + ");");
        } else if (pick < 80) {
            Line(depth, "switch (" + Var() + " & 7) {");
            const int cases = 2 + static_cast<int>(random_.Next(5));
            for (int c = 0; c < cases; ++c) {
                Line(depth, "case " + N(c) + ":");
                ++written_;
                if (random_.Next(4) == 0)
                    continue; // falls through to the next case
                Block(depth + 1, inLoop, true, 1 + static_cast<int>(random_.Next(2)));
                if (random_.Next(3) != 0) {
                    Line(depth + 1, "break;");
                    ++written_;
                }
            }
            Line(depth, "default:");
            Line(depth + 1, "fail(state);");
            Line(depth + 1, "break;");
            written_ += 3;
            Line(depth, "}");
        } else if (pick < 84 && depth == 1) {
            const std::string label = "stage" + N(labels_++);
            Line(depth, "if (" + Condition() + ") goto " + label + ";");
            Block(depth, false, false, 2);
            Line(0, label + ":");
            written_ += 2;
            Expression(depth);
        } else if (pick < 87) {
            Line(depth, "{");
            Block(depth + 1, inLoop, inSwitch, 2);
            Line(depth, "}");
        } else if (pick < 90 && inLoop) {
            Line(depth, "if (" + Condition() + ") continue;");
            ++written_;
        } else {
            --written_;
            Expression(depth);
        }
    }

    int budget_;
    int written_ = 0;
    int labels_ = 0;
    Sequence random_;
    std::string out_;
};

std::string SwitchFunction(int cases)
{
    std::string text = "\nint dispatch(int code)\n{\n    int acc = 0;\n    switch (code) {\n";
    for (int k = 0; k < cases; ++k) {
        text += "    case " + std::to_string(k) + ":\n";
        if (k % 3 != 2)
            text += "        acc += " + std::to_string(k) + ";\n        break;\n";
    }
    text += "    default:\n        acc = -1;\n    }\n    return acc;\n}\n";
    return text;
}

// Words of letters and blanks, `bytes` long.
std::string Prose(size_t bytes)
{
    static const std::string words = "lorem ipsum dolor sit amet consectetur adipiscing elit ";
    std::string text;
    text.reserve(bytes);
    while (text.size() < bytes)
        text.append(words, 0, std::min(words.size(), bytes - text.size()));
    return text;
}

std::string LongLiteralFunction(size_t bytes)
{
    return "\nvoid emit_text(struct machine *out, const char *text);\n\n"
           "void long_literal(struct machine *out)\n{\n    emit_text(out, \"" +
        Prose(bytes) + "\");\n}\n";
}

// A name of letters and underscores, `bytes` long.
std::string LongName(size_t bytes)
{
    std::string name = Prose(bytes);
    std::replace(name.begin(), name.end(), ' ', '_');
    if (!name.empty())
        name.front() = 'v';
    return name;
}

std::string LongNameUser(size_t bytes)
{
    const std::string name = LongName(bytes);
    return "\nint " + name + ";\n\nvoid long_name_user(int value)\n{\n    " + name +
        " = value;\n}\n";
}

constexpr const char* kUsage =
    "usage: diagram_function_gen [--statements N] [--name NAME] [--switch-cases N] "
    "[--literal-bytes N] [--identifier-bytes N] OUTFILE\n";

size_t ByteCount(const char* text)
{
    return static_cast<size_t>(std::max(0LL, std::atoll(text)));
}

} // namespace

int main(int argc, char** argv)
{
    int statements = 5000;
    std::string name = "run_machine";
    int switchCases = 0;
    size_t literalBytes = 0;
    size_t identifierBytes = 0;
    std::string path;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--statements" && i + 1 < argc) {
            statements = std::max(1, std::atoi(argv[++i]));
        } else if (arg == "--name" && i + 1 < argc) {
            name = argv[++i];
        } else if (arg == "--switch-cases" && i + 1 < argc) {
            switchCases = std::max(0, std::atoi(argv[++i]));
        } else if (arg == "--literal-bytes" && i + 1 < argc) {
            literalBytes = ByteCount(argv[++i]);
        } else if (arg == "--identifier-bytes" && i + 1 < argc) {
            identifierBytes = ByteCount(argv[++i]);
        } else if (!arg.empty() && arg[0] != '-' && path.empty()) {
            path = arg;
        } else {
            std::fprintf(stderr, "%s", kUsage);
            return 2;
        }
    }
    if (path.empty()) {
        std::fprintf(stderr, "%s", kUsage);
        return 2;
    }
    FunctionWriter writer(statements);
    const std::string body = writer.Body();
    std::ofstream file(path);
    file << "/* Generated input of the diagram benchmark. */\n"
            "struct machine { int pc; int flags; int stack[64]; };\n"
            "extern int table[16];\nint check(int value, int bound);\nint step(int value, int "
            "acc);\n"
            "void emit(struct machine *out, int value);\nvoid fail(struct machine *state);\n\n"
            "int " +
            name +
            "(struct machine *state, struct machine *out, int limit)\n{\n"
            "    int v0 = 0, v1 = 1, v2 = 2, v3 = 3, v4 = 4, v5 = 5, v6 = 6, v7 = 7;\n"
            "    int i1, i2, i3, i4, i5, i6, acc = 0, count = 0;\n";
    file << body << "}\n";
    if (switchCases > 0)
        file << SwitchFunction(switchCases);
    if (literalBytes > 0)
        file << LongLiteralFunction(literalBytes);
    if (identifierBytes > 0)
        file << LongNameUser(identifierBytes);
    if (!file) {
        std::fprintf(stderr, "diagram_function_gen: cannot write %s\n", path.c_str());
        return 1;
    }
    std::printf("statements %d\n", writer.Written());
    return 0;
}
