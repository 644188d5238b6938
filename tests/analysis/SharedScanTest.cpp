#include "BackgroundDisposal.h"
#include "IncludedFile.h"
#include "ScannedFiles.h"
#include "SourceScanner.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <sstream>
#include <string>

namespace {

size_t TokensLoaded(ScannedFiles& store, const std::string& path, const CSourceScanner& scanner)
{
    CIncludedFile file(path.c_str(), nullptr, true);
    std::ostringstream lines;
    StreamSink sink(lines);
    EXPECT_TRUE(store.Load(file, scanner, sink));
    return file.scan.tokens.size();
}

} // namespace

// Reading threads share their scans; one of them being stopped must not
// leave a half read header for another that goes on (or for the next file
// of a run whose read-ahead was called off).
TEST(SharedScan, AScanCutByAStopIsNeverHandedOn)
{
    TempFolder folder;
    std::string text;
    for (int line = 0; line < 20000; ++line) {
        text += "int value" + std::to_string(line) + " = " + std::to_string(line) + ";\n";
    }
    const std::string path = folder.Write("big.h", text);

    ScannedFiles store;
    std::atomic<bool> stopped {true};
    std::atomic<bool> running {false};
    const CSourceScanner stoppedScanner(&stopped);
    const CSourceScanner runningScanner(&running);

    ScannedFiles direct;
    const size_t whole = TokensLoaded(direct, path, runningScanner);
    ASSERT_GE(whole, 20000u * 5);

    EXPECT_LT(TokensLoaded(store, path, stoppedScanner), whole);
    EXPECT_EQ(TokensLoaded(store, path, runningScanner), whole);
    EXPECT_EQ(store.Read(), 2u);

    // A whole scan is kept, and handed to a stopped reading as well.
    EXPECT_EQ(TokensLoaded(store, path, stoppedScanner), whole);
    EXPECT_EQ(store.Reused(), 1u);
}

// Clearing through a disposal forgets the kept scans as clearing here does:
// the next load reads the file again.
TEST(SharedScan, ClearingThroughADisposalForgetsEveryScan)
{
    TempFolder folder;
    const std::string path = folder.Write("small.h", "int small;\n");
    std::atomic<bool> running {false};
    const CSourceScanner scanner(&running);
    ScannedFiles store;
    const size_t tokens = TokensLoaded(store, path, scanner);
    EXPECT_EQ(TokensLoaded(store, path, scanner), tokens);
    ASSERT_EQ(store.Reused(), 1u);
    {
        BackgroundDisposal disposal;
        store.Clear(disposal);
    }
    EXPECT_EQ(store.Reused(), 0u);
    EXPECT_EQ(TokensLoaded(store, path, scanner), tokens);
    EXPECT_EQ(store.Read(), 1u);
    EXPECT_EQ(store.Reused(), 0u);
}
