// Inputs that try to make the preprocessor run for ever or eat all memory:
// each is cut short with a message, and the file goes on.

#include "MfcMacros.h"
#include "PreprocessHelpers.h"
#include "MacroDefinition.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

size_t Count(const std::string& text, const std::string& what)
{
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++n;
    }
    return n;
}

} // namespace

// Bodies are stored expanded, so definitions that use an earlier one twice
// double at every step: growth stops at the bound, with one line per
// definition that is cut, and preprocessing goes on after them.
TEST(HostilePreprocessing, MacroBodiesStopGrowing)
{
    const size_t bound = CDefineProcessor::kMaxBodyTokens;
    std::string chain = "#define A0 x\n";
    for (int i = 1; i <= 24; ++i) {
        chain += "#define A" + std::to_string(i) + " A" + std::to_string(i - 1) + " A" +
            std::to_string(i - 1) + "\n";
    }
    std::string same;
    for (int i = 0; i < 40; ++i) {
        same += "#define A A A\n";
    }
    const struct {
        std::string source;
        const char* name;
        size_t body;
        long cut;
    } cases[] = {
        {chain + "#if 1\nA24 ;\n#endif\nend\n", "A24", 8192, 24 - 13},
        {same + "#if 1\nA ;\n#endif\nend\n", "A", 8192, 40 - 13},
    };
    for (const auto& c : cases) {
        PreprocessRun run;
        CapturedOutput out;
        const std::string result = run.Text(c.source);
        EXPECT_EQ(run.file->macros.at(c.name)->body.size(), c.body) << c.name;
        EXPECT_LE(run.file->macros.at(c.name)->body.size(), bound);
        EXPECT_EQ(out.Lines(), c.cut) << out.str().substr(0, 300);
        if (c.cut > 0) {
            EXPECT_NE(out.str().find("grows past"), std::string::npos);
            EXPECT_NE(result.find("\nend"), std::string::npos);
            EXPECT_EQ(result.find("# if"), std::string::npos);
        }
    }
}

// A table of entries whose body outgrows the bound is cut between two
// entries, not inside one: cut inside, its use opened a brace that nothing
// closed, and the rest of the file was read into the table.
TEST(HostilePreprocessing, ACutBodyEndsWhereItsBracketsAreClosed)
{
    std::string id;
    for (int i = 0; i < 100; ++i) {
        id += "(" + std::to_string(i) + " + ";
    }
    id += "0" + std::string(100, ')');
    std::string source = "#define ID " + id + "\n#define TERMS";
    for (int i = 0; i < 40; ++i) {
        source += " {\"t" + std::to_string(i) + "\", ID, ID},";
    }
    source += "\nint terms[] = { TERMS {0} };\n#define CLOSE ID } ID ID ID ID ID ID ID ID ID ID "
              "ID ID ID ID ID ID ID ID ID ID ID ID ID ID ID ID ID ID ID ID ID ID ID ID ID ID ID "
              "ID ID ID ID ID ID ID ID ID ID ID ID ID ID ID ID ID ID ID ID { ID\nint after;\n";
    PreprocessRun run;
    CapturedOutput out;
    const std::string result = run.Text(source);
    EXPECT_EQ(out.Lines(), 2);
    const std::vector<PPToken>& terms = run.file->macros.at("TERMS")->body;
    ASSERT_GE(terms.size(), 2u);
    EXPECT_LT(terms.size(), CDefineProcessor::kMaxBodyTokens);
    EXPECT_EQ(terms[terms.size() - 2].type, RC);
    EXPECT_EQ(terms.back().type, COMMA);
    EXPECT_NE(result.find("} , { 0 } } ;\n"), std::string::npos);
    // A body that closes what its use opened keeps that close.
    const std::vector<PPToken>& close = run.file->macros.at("CLOSE")->body;
    ASSERT_FALSE(close.empty());
    EXPECT_EQ(close.back().type, RP);
    int braces = 0;
    for (const PPToken& token : close) {
        braces += token.type == RC ? 1 : token.type == LC ? 10 : 0;
    }
    EXPECT_EQ(braces, 1);
    EXPECT_NE(result.find("int after ;"), std::string::npos);
}

// A table whose whole body is in braces never comes back to where it began:
// it ends after its last complete row and its brace is closed, so that the
// function using it keeps the statements after it and the functions after
// it are read.
TEST(HostilePreprocessing, ACutBracedTableIsClosedAfterItsLastRow)
{
    std::string source = "#define MATRIX {";
    for (int row = 0; row < 800; ++row) {
        source += " { 1, 2, 3, 4, 5, 6 },";
    }
    source += " }\nint dither(int x) {\n  static const char m[800][6] = MATRIX;\n  return x;\n}\n"
              "int after(void);\n";
    PreprocessRun run;
    CapturedOutput out;
    const std::string result = run.Text(source);
    EXPECT_EQ(out.Lines(), 1) << out.str();
    const std::vector<PPToken>& matrix = run.file->macros.at("MATRIX")->body;
    ASSERT_GE(matrix.size(), 4u);
    EXPECT_LE(matrix.size(), CDefineProcessor::kMaxBodyTokens);
    EXPECT_EQ(Spell({matrix.end() - 4, matrix.end()}), "6 } , }");
    EXPECT_NE(result.find("5 , 6 } , } ;\nreturn x ;\n}\nint after ( void ) ;"), std::string::npos);
}

// A file whose macro uses would add more tokens than the bound keeps the
// later uses as written.
TEST(HostilePreprocessing, ExpansionOfOneFileIsBounded)
{
    std::string body;
    for (int i = 0; i < 10000; ++i) {
        body += "1 ";
    }
    std::string source = "#define BIG " + body + "\n";
    const size_t uses = CPreprocessor::kMaxExpandedTokens / 10000 + 5;
    for (size_t i = 0; i < uses; ++i) {
        source += "BIG\n";
    }
    source += "#if 1\nlast\n#endif\n";
    PreprocessRun run;
    CapturedOutput out;
    run.Text(source);
    EXPECT_EQ(out.Lines(), 1);
    EXPECT_NE(out.str().find("further macro uses are left as they are"), std::string::npos);
    const auto& tokens = run.file->scan.tokens;
    EXPECT_LE(tokens.size(), CPreprocessor::kMaxExpandedTokens + 10000 + 2 * uses + 100);
    EXPECT_EQ(Spell({tokens.end() - 5, tokens.end()}), "BIG\nlast\n\n");
}

// Many message maps without an end: none is removed, and a search made for
// one serves the later ones exactly as a search of its own would.
TEST(HostilePreprocessing, MessageMapSearchGivesTheSameLengths)
{
    const char* sources[] = {
        "BEGIN_MESSAGE_MAP ( A , B ) x END_MESSAGE_MAP y BEGIN_MESSAGE_MAP ( C , D ) "
        "END_MESSAGE_MAP ( ) BEGIN_MESSAGE_MAP END_MESSAGE_MAP ( ) z BEGIN_MESSAGE_MAP",
        "BEGIN_MESSAGE_MAP BEGIN_MESSAGE_MAP END_MESSAGE_MAP ( BEGIN_MESSAGE_MAP "
        "END_MESSAGE_MAP )",
        "BEGIN_MESSAGE_MAP x BEGIN_MESSAGE_MAP END_MESSAGE_MAP (",
    };
    for (const char* source : sources) {
        const std::vector<PPToken> tokens = ScanText(source);
        MessageMapSearch search;
        for (size_t i = 0; i < tokens.size(); ++i) {
            EXPECT_EQ(MfcMacroLength(tokens, i, &search), MfcMacroLength(tokens, i))
                << source << " at " << i;
        }
    }
    std::string many;
    for (int i = 0; i < 20000; ++i) {
        many += "BEGIN_MESSAGE_MAP(C, B)\n";
    }
    PreprocessRun run;
    const std::string result = run.Text(many + "int z;\n");
    EXPECT_EQ(Count(result, "BEGIN_MESSAGE_MAP"), 20000u);
}

// Memory running out in the middle of an expansion fails that file cleanly:
// the process goes on. Run in a child process with a small address space.
TEST(HostilePreprocessing, RunningOutOfMemoryFailsTheFileOnly)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer reserves more address space than the limit";
#else
    std::string body;
    for (int i = 0; i < 10000; ++i) {
        body += "word" + std::to_string(i % 10) + " ";
    }
    std::string source = "#define BIG " + body + "\n";
    for (int i = 0; i < 390; ++i) {
        source += "BIG BIG\n";
    }
    const std::vector<PPToken> scanned = ScanText(source);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        rlimit limit {};
        getrlimit(RLIMIT_AS, &limit);
        limit.rlim_cur = 160u << 20;
        setrlimit(RLIMIT_AS, &limit);
        CInputSet input;
        CFileIndex index;
        CProjectFile file("/nowhere/big.c", &input, input.defines);
        file.scan.tokens = scanned;
        std::ostringstream lines;
        StreamSink sink(lines);
        input.messages = &sink;
        CPreprocessor(&file, &input, &index).Run();
        const bool reported =
            lines.str().find("Out of memory while preprocessing") != std::string::npos;
        _exit(reported ? 0 : 3);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "the child ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
#endif
}

// A quoted include that names a FIFO, or a link to a device, gives a header
// without tokens and a message; the including file goes on.
TEST(HostilePreprocessing, IncludesOfFifosAndDevicesAreNotRead)
{
    TempFolder folder;
    ASSERT_EQ(::mkfifo(folder.File("pipe.h").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", folder.File("zero.h"));
    const std::string main =
        folder.Write("main.c", "#include \"pipe.h\"\n#include \"zero.h\"\nint after;\n");
    PreprocessRun run;
    CapturedOutput out;
    EXPECT_EQ(run.File(main), "# include \"pipe.h\"\n# include \"zero.h\"\nint after ;\n");
    ASSERT_EQ(run.file->includes.size(), 2u);
    for (int32_t number : run.file->includes) {
        EXPECT_TRUE(run.index.files.at(static_cast<size_t>(number))->scan.tokens.empty());
    }
    EXPECT_EQ(Count(out.str(), "is not a regular file"), 2u) << out.str();
}
