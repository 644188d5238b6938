#include "CapturedOutput.h"
#include "TempFolder.h"
#include "IncludedFile.h"
#include "ProjectFile.h"
#include "SourceTokens.h"
#include "TokenType.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A tiny stand-in scanner: letters form identifiers, '\' is a backslash
// token, a newline is an end-of-line token; everything else is skipped.
class LetterScanner : public CTokenScanner {
public:
    using CTokenScanner::Scan;
    void Scan(std::istream& in, std::vector<PPToken>& out, MessageSink&) const override
    {
        int line = 1;
        std::string word;
        auto flush = [&] {
            if (!word.empty()) {
                out.emplace_back(line, IDENTIFIER, word.c_str());
                word.clear();
            }
        };
        for (char c; in.get(c);) {
            if (std::isalpha(static_cast<unsigned char>(c))) {
                word += c;
                continue;
            }
            flush();
            if (c == '\\') {
                out.emplace_back(line, SLASH, nullptr);
            } else if (c == '\n') {
                ++line;
                out.emplace_back(line, ENDLINE, nullptr);
            }
        }
        flush();
    }
};

std::vector<int> TypesOf(const std::vector<PPToken>& tokens)
{
    std::vector<int> types;
    for (const PPToken& t : tokens) {
        types.push_back(t.type);
    }
    return types;
}

} // namespace

TEST(SourceFile, LineContinuationDropsBackslashAndLineEnd)
{
    TempFolder folder;
    const std::string path = folder.Write("cont.c", "a\\\n\nb \\ c\\\\\nd");
    CIncludedFile file(path.c_str(), nullptr, true);
    ASSERT_TRUE(file.Load(LetterScanner()));
    // a, (\ + newline dropped), newline kept, b, \ kept, c, \ kept, (\ + newline dropped), d
    EXPECT_EQ(TypesOf(file.scan.tokens),
        (std::vector<int> {IDENTIFIER, ENDLINE, IDENTIFIER, SLASH, IDENTIFIER, SLASH, IDENTIFIER}));
    EXPECT_EQ(file.scan.fileName, path);
    EXPECT_GT(file.size, 0);
    EXPECT_GT(file.mtime, 0);
}

TEST(SourceFile, EmptyFileLoadsWithNoTokens)
{
    TempFolder folder;
    const std::string path = folder.Write("empty.c", "");
    CIncludedFile file(path.c_str(), nullptr, false);
    EXPECT_TRUE(file.Load(LetterScanner()));
    EXPECT_TRUE(file.scan.tokens.empty());
    EXPECT_EQ(file.size, 0);
    EXPECT_FALSE(file.quoted);
}

TEST(SourceFile, MissingFileWritesOneLineAndKeepsNoTokens)
{
    CIncludedFile file("/nonexistent/kestrin/missing.h", nullptr, true);
    CapturedOutput out;
    EXPECT_FALSE(file.Load(LetterScanner()));
    EXPECT_TRUE(file.scan.tokens.empty());
    EXPECT_EQ(file.size, 0);
    EXPECT_EQ(file.mtime, 0);
    EXPECT_NE(out.str().find("/nonexistent/kestrin/missing.h : "), std::string::npos);
    EXPECT_EQ(out.Lines(), 1);
}

TEST(SourceFile, ProjectFileSeedsPredefinedWords)
{
    std::vector<PredefinedWord> defines = {
        {"WIN32", 1}, {"_MSC_VER", 1310}, {"NEG", -5}, {"WIN32", 7}};
    CProjectFile file("x.cpp", nullptr, defines);
    ASSERT_EQ(file.macros.size(), 3u);
    const CMacroDef& win32 = *file.macros.at("WIN32");
    EXPECT_FALSE(win32.functionLike);
    ASSERT_EQ(win32.body.size(), 1u);
    EXPECT_STREQ(win32.body[0].text, "7"); // the later word wins
    EXPECT_EQ(win32.body[0].type, INTEGERNUMBER);
    EXPECT_EQ(win32.body[0].line, 0);
    ASSERT_EQ(file.macros.at("NEG")->body.size(), 1u);
    EXPECT_STREQ(file.macros.at("NEG")->body[0].text, "-5");
    EXPECT_TRUE(CIncludedFile("h.h", nullptr, true).macros.empty());
    EXPECT_TRUE(CProjectFile(nullptr).macros.empty());
}

TEST(SourceFile, RecordsAreDeletedThroughTheBase)
{
    struct CountedFile : CProjectFile {
        explicit CountedFile(int& destroyed)
            : CProjectFile("a.c", nullptr, std::vector<PredefinedWord> {}), destroyed(&destroyed)
        {
        }
        ~CountedFile() override { ++*destroyed; }
        int* destroyed;
    };
    int destroyed = 0;
    std::unique_ptr<CSourceFile> file = std::make_unique<CountedFile>(destroyed);
    file->scan.tokens.emplace_back(1, IDENTIFIER, "x");
    static_cast<CProjectFile*>(file.get())->onceFiles.insert("a.h");
    file.reset(); // a leak checker sees the members of every level go too
    EXPECT_EQ(destroyed, 1);
}

// Paths that name no regular file are never opened for reading: a FIFO would
// block for ever, a device never ends. Everything is made inside the
// temporary folder; the devices are only ever the targets of links there.
TEST(SourceFile, OnlyRegularFilesAreRead)
{
    TempFolder folder;
    const std::string fifo = folder.File("pipe.c");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // Should a read block after all, a writer lets it go on (the test then
    // fails instead of hanging).
    std::atomic<bool> finished {false};
    std::thread watchdog([&] {
        for (int i = 0; i < 100 && !finished; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        if (!finished) {
            const int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) {
                ::close(fd);
            }
        }
    });
    std::filesystem::create_directory_symlink(folder.Path(), folder.File("folder.c"));
    std::filesystem::create_symlink(fifo, folder.File("to-pipe.c"));
    std::filesystem::create_symlink("/dev/zero", folder.File("zero.c"));
    std::filesystem::create_symlink("/dev/urandom", folder.File("random.h"));
    std::filesystem::create_symlink(folder.Write("real.c", "a b\n"), folder.File("to-real.c"));
    for (const char* name : {"pipe.c", "to-pipe.c", "zero.c", "random.h", "folder.c"}) {
        CapturedOutput out;
        CIncludedFile file(folder.File(name).c_str(), nullptr, 1);
        EXPECT_FALSE(file.Load(LetterScanner())) << name;
        EXPECT_TRUE(file.scan.tokens.empty()) << name;
        EXPECT_EQ(file.size, 0) << name;
        EXPECT_EQ(out.Lines(), 1) << name;
        EXPECT_NE(out.str().find("is not a regular file"), std::string::npos) << out.str();
        CSourceTokens tokens;
        EXPECT_FALSE(
            tokens.Tokenize(folder.File(name).c_str(), LetterScanner(), StandardOutputSink()))
            << name;
    }
    finished = true;
    watchdog.join();
    // A link to a regular file is followed.
    CIncludedFile linked(folder.File("to-real.c").c_str(), nullptr, 1);
    EXPECT_TRUE(linked.Load(LetterScanner()));
    EXPECT_EQ(TypesOf(linked.scan.tokens), (std::vector<int> {IDENTIFIER, IDENTIFIER, ENDLINE}));
}
