// Every step of the analysis that fails says so on the message stream, with
// an error line. Most failures are made by one allocation that fails: this
// program's operator new fails the n-th allocation made on the thread that
// armed it, for every n the steps make, and nothing while it is not armed.

#include "AnalysisHelpers.h"
#include "LanguageTable.h"
#include "MessageSink.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <stdexcept>

namespace {

// Allocations left before the one that fails (0: none is armed), and
// whether it was made.
thread_local long t_untilFailure = 0;
thread_local bool t_failed = false;

void ArmFailingAllocation(long n)
{
    t_failed = false;
    t_untilFailure = n;
}

// Keeps the error lines. Armed, it makes the n-th allocation after the
// run's end line fail (the steps after the files: unreached headers and the
// model), or it cannot take the dump's lines.
class ErrorLines : public MessageSink {
public:
    void Write(MessageKind kind, std::string_view line) override
    {
        if (kind == MessageKind::Error) {
            errors.emplace_back(line);
        } else if (kind == MessageKind::Verbose && refuseDump) {
            throw std::runtime_error("no room for the dump");
        } else if (failAfterEnd > 0 && line == endLine) {
            ArmFailingAllocation(failAfterEnd);
        }
    }

    std::vector<std::string> errors;
    long failAfterEnd = 0;
    bool refuseDump = false;
    const std::string endLine = std::string(GetLangString(1)) + ": " + GetLangString(8);
};

// Two project files and their headers, analysed once; the model is built
// again on the next run, which no longer reaches b.h.
struct Project {
    ProjectFolder folder;
    ErrorLines messages;
    std::unique_ptr<Analysis> analysis;

    Project()
    {
        folder.Write("a.h", "struct Point { int x; int y; };\nint twice(int v);\n");
        folder.Write("b.h", "int other();\n");
        folder.Write("a.cpp",
            "#include \"a.h\"\nint twice(int v) { return v * 2; }\n"
            "int main() { Point p; p.x = twice(1); return p.x; }\n");
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
    if (void* block = std::malloc(size == 0 ? 1 : size)) {
        return block;
    }
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

TEST(FailureLines, FailedStepsAfterTheFilesWriteAnErrorLine)
{
    for (long n = 1;; ++n) {
        Project p;
        ASSERT_TRUE(p.messages.errors.empty());
        p.messages.failAfterEnd = n;
        p.analysis->analyzer.Run(3, false);
        const bool failed = t_failed;
        ArmFailingAllocation(0);
        if (!failed) {
            ASSERT_GT(n, 10); // the model was built again
            EXPECT_TRUE(p.messages.errors.empty());
            EXPECT_NE(p.analysis->Find("main"), nullptr);
            break;
        }
        EXPECT_FALSE(p.messages.errors.empty()) << "allocation " << n;
        EXPECT_FALSE(p.analysis->analyzer.Busy());
    }
}

TEST(FailureLines, DumpThatCannotBeWrittenWritesAnErrorLine)
{
    Project p;
    p.messages.refuseDump = true;
    p.analysis->analyzer.Run(3, true);
    ASSERT_EQ(p.messages.errors.size(), 1u);
    EXPECT_EQ(p.messages.errors[0],
        std::string(GetLangString(3)) +
            ": The analysis dump could not be written: no room for the dump");
}

TEST(FailureLines, FailedCallCollectionWritesAnErrorLine)
{
    Project p;
    CModelScope* main = p.analysis->Find("main");
    ASSERT_NE(main, nullptr);
    const std::vector<std::string> calls =
        DescribeCalls(p.analysis->Engine().GetCalledFunctions(main));
    ASSERT_EQ(calls, (std::vector<std::string> {"twice/1@0+"}));
    for (long n = 1;; ++n) {
        p.messages.errors.clear();
        ArmFailingAllocation(n);
        const std::vector<CallRecord> records = p.analysis->Engine().GetCalledFunctions(main);
        const bool failed = t_failed;
        ArmFailingAllocation(0);
        if (!failed) {
            ASSERT_GT(n, 1);
            EXPECT_EQ(DescribeCalls(records), calls);
            break;
        }
        ASSERT_EQ(p.messages.errors.size(), 1u) << "allocation " << n;
        EXPECT_NE(p.messages.errors[0].find("The calls of main could not be collected"),
            std::string::npos)
            << p.messages.errors[0];
    }
}
