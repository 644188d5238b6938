// Every step of the analysis that fails says so with an error line. Most
// failures are made by this program's operator new, which, once armed, fails
// the n-th allocation of the arming thread, for every n the steps make.

#include "AnalysisHelpers.h"
#include "LanguageTable.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <stdexcept>

namespace {

thread_local long t_untilFailure = 0; // 0: not armed
thread_local bool t_failed = false;

void Arm(long n)
{
    t_failed = false;
    t_untilFailure = n;
}

// Keeps the error lines; arms the failing allocation at the run's end line
// (so that the steps after the files fail), or refuses the dump's lines.
struct ErrorLines : MessageSink {
    void Write(MessageKind kind, std::string_view line) override
    {
        if (kind == MessageKind::Error)
            errors.emplace_back(line);
        else if (kind == MessageKind::Verbose && refuseDump)
            throw std::runtime_error("no room for the dump");
        else if (failAfterEnd > 0 &&
            line == std::string(GetLangString(1)) + ": " + GetLangString(8))
            Arm(failAfterEnd);
    }
    std::vector<std::string> errors;
    long failAfterEnd = 0;
    bool refuseDump = false;
};

// Two project files analysed once; the next run no longer reaches b.h and
// builds the model again.
struct Project {
    ProjectFolder folder;
    ErrorLines messages;
    std::unique_ptr<Analysis> analysis;

    Project()
    {
        folder.Write("a.h", "struct Point { int x; };\nint twice(int v);\n");
        folder.Write("a.cpp",
            "#include \"a.h\"\nint twice(int v) { return v * 2; }\n"
            "int main() { Point p; p.x = twice(1); return p.x; }\n");
        folder.Write("b.h", "int other();\n");
        folder.Write("b.cpp", "#include \"b.h\"\nint other() { return 0; }\n");
        analysis = std::make_unique<Analysis>(folder, std::vector<std::string> {"a.cpp", "b.cpp"});
        analysis->input.messages = &messages;
        analysis->analyzer.Run(3, false);
        analysis->input.RemoveFile(folder.Path("b.cpp"));
    }
};

} // namespace

void* operator new(std::size_t size)
{
    if (t_untilFailure > 0 && --t_untilFailure == 0) {
        t_failed = true;
        throw std::bad_alloc();
    }
    if (void* block = std::malloc(size == 0 ? 1 : size))
        return block;
    throw std::bad_alloc();
}

void operator delete(void* block) noexcept
{
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept
{
    std::free(block);
}

// The form that does not throw (a temporary buffer of std::stable_sort)
// takes its block from malloc too, so that the deletes above give back
// what it took, also where a sanitizer brings allocators of its own.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    return std::malloc(size == 0 ? 1 : size);
}

void operator delete(void* block, const std::nothrow_t&) noexcept
{
    std::free(block);
}

TEST(FailureLines, StepsAfterTheFilesAndTheDumpReportTheirFailures)
{
    for (long n = 1;; ++n) {
        Project p;
        p.messages.failAfterEnd = n;
        p.analysis->analyzer.Run(3, false);
        const bool failed = t_failed;
        Arm(0);
        if (!failed) {
            ASSERT_GT(n, 10); // unreached headers were dropped, the model built again
            EXPECT_TRUE(p.messages.errors.empty());
            break;
        }
        EXPECT_FALSE(p.messages.errors.empty()) << "allocation " << n;
    }

    Project p;
    p.messages.refuseDump = true;
    p.analysis->analyzer.Run(3, true);
    EXPECT_EQ(p.messages.errors,
        std::vector<std::string> {std::string(GetLangString(3)) +
            ": The analysis dump could not be written: no room for the dump"});
}

TEST(FailureLines, CallCollectionReportsItsFailure)
{
    Project p;
    CModelScope* main = p.analysis->Find("main");
    ASSERT_NE(main, nullptr);
    for (long n = 1;; ++n) {
        Arm(n);
        const std::vector<CallRecord> calls = p.analysis->Engine().GetCalledFunctions(main);
        const bool failed = t_failed;
        Arm(0);
        if (!failed) {
            EXPECT_EQ(DescribeCalls(calls), std::vector<std::string> {"twice/1@0+"});
            break;
        }
        ASSERT_EQ(p.messages.errors.size(), static_cast<size_t>(n)) << "allocation " << n;
        EXPECT_NE(p.messages.errors.back().find("The calls of main could not be collected"),
            std::string::npos);
    }
}

// Whatever allocation of a warm run fails, nothing escapes the run, no list
// is left with holes, and the run after it gives the model a cold one does.
TEST(FailureLines, ARunThatFailsAnywhereLeavesTheNextRunWhole)
{
    ProjectFolder folder;
    folder.Write("shape.h", "struct Shape { int sides; };\n");
    folder.Write("a.cpp", "#include \"shape.h\"\nint a(Shape s) { return s.sides; }\n");
    folder.Write("b.cpp", "#include \"shape.h\"\nint b(Shape s) { return s.sides + 1; }\n");
    folder.Write("c.cpp", "int c() { return 3; }\n");
    const std::vector<std::string> files {"a.cpp", "b.cpp", "c.cpp"};
    Analysis cold(folder, files);
    cold.Run();
    const std::string expected = cold.Outline();

    for (long n = 1;; ++n) {
        Analysis warm(folder, files);
        ErrorLines messages;
        warm.input.messages = &messages;
        warm.analyzer.Run(3, false);
        Arm(n);
        warm.analyzer.Run(3, false);
        const bool failed = t_failed;
        Arm(0);
        if (!failed) {
            EXPECT_TRUE(messages.errors.empty());
            break;
        }
        warm.analyzer.Run(3, false);
        EXPECT_EQ(warm.Outline(), expected) << "allocation " << n;
    }
}
