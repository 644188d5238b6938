#include "IncludedFile.h"
#include "ScannedFiles.h"
#include "TempFolder.h"
#include "TokenType.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <sys/stat.h>

namespace {

// Words become identifiers, a newline an end-of-line token (no text), a '"'
// an identifier with an empty text; a '?' is reported on the message
// stream. Counts its scans.
class CountingScanner : public CTokenScanner {
public:
    using CTokenScanner::Scan;
    void Scan(std::istream& in, std::vector<PPToken>& out, MessageSink& messages) const override
    {
        ++scans;
        int line = 1;
        std::string word;
        auto flush = [&] {
            if (!word.empty())
                out.emplace_back(line, IDENTIFIER, word.c_str());
            word.clear();
        };
        for (char c; in.get(c);) {
            if (std::isalnum(static_cast<unsigned char>(c))) {
                word += c;
                continue;
            }
            flush();
            if (c == '\n')
                out.emplace_back(++line, ENDLINE, nullptr);
            else if (c == '"')
                out.emplace_back(line, IDENTIFIER, "");
            else if (c == '?')
                MessageLine(messages, MessageKind::Error) << "odd character at line " << line;
        }
        flush();
    }
    mutable int scans = 0;
};

// What a load gives: the tokens as text, size, time, success and the lines.
struct Loaded {
    std::string tokens;
    int32_t size = 0;
    int32_t mtime = 0;
    bool ok = false;
    std::string lines;

    bool operator==(const Loaded&) const = default;
};

template <typename LoadFn> Loaded LoadWith(const std::string& path, LoadFn load)
{
    CIncludedFile file(path.c_str(), nullptr, true);
    std::ostringstream lines;
    StreamSink sink(lines);
    Loaded loaded;
    loaded.ok = load(file, sink);
    for (const PPToken& token : file.scan.tokens)
        loaded.tokens += std::to_string(token.line) + ":" + std::to_string(token.type) + ":" +
            (token.text ? token.text : "-") + " ";
    loaded.size = file.size;
    loaded.mtime = file.mtime;
    loaded.lines = lines.str();
    return loaded;
}

} // namespace

// A file loaded through the store gives, the first time and every time
// after, what reading it directly gives, including its message lines; it is
// scanned only once while it stays as it is.
TEST(ScannedFiles, RepeatedLoadsGiveWhatAFreshReadGives)
{
    TempFolder folder;
    CountingScanner scanner;
    ScannedFiles store;
    for (const std::string& content : {std::string("alpha beta\n?gamma \"\n"), std::string()}) {
        const std::string path = folder.Write("h" + std::to_string(content.size()) + ".h", content);
        const Loaded direct = LoadWith(
            path, [&](CIncludedFile& file, MessageSink& sink) { return file.Load(scanner, sink); });
        scanner.scans = 0;
        for (int i = 0; i < 3; ++i) {
            const Loaded stored = LoadWith(path, [&](CIncludedFile& file, MessageSink& sink) {
                return store.Load(file, scanner, sink);
            });
            EXPECT_EQ(stored, direct) << i;
        }
        EXPECT_EQ(scanner.scans, 1);
    }
    EXPECT_EQ(store.Read(), 2u);
    EXPECT_EQ(store.Reused(), 4u);

    // A missing file fails as a direct read does, every time.
    const std::string missing = folder.File("missing.h");
    const Loaded direct = LoadWith(
        missing, [&](CIncludedFile& file, MessageSink& sink) { return file.Load(scanner, sink); });
    EXPECT_FALSE(direct.ok);
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(LoadWith(missing,
                      [&](CIncludedFile& file, MessageSink& sink) {
                          return store.Load(file, scanner, sink);
                      }),
            direct);
}

// An edited file is read afresh: other content, or another file put in its
// place with the same size and modification time.
TEST(ScannedFiles, AChangedFileIsReadAgain)
{
    TempFolder folder;
    CountingScanner scanner;
    ScannedFiles store;
    auto load = [&](const std::string& path) {
        return LoadWith(path, [&](CIncludedFile& file, MessageSink& sink) {
            return store.Load(file, scanner, sink);
        });
    };
    const std::string path = folder.Write("a.h", "one two\n");
    EXPECT_NE(load(path).tokens.find("one"), std::string::npos);

    folder.Write("a.h", "three four five\n");
    EXPECT_NE(load(path).tokens.find("five"), std::string::npos);

    // Same size, same time, another file (inode) under the name.
    const std::string other = folder.Write("b.h", "sixsixsix seven\n");
    folder.Write("a.h", "eighteight nine\n");
    std::filesystem::last_write_time(other, std::filesystem::last_write_time(path));
    ASSERT_EQ(std::filesystem::file_size(other), std::filesystem::file_size(path));
    EXPECT_NE(load(path).tokens.find("nine"), std::string::npos);
    std::filesystem::rename(other, path);
    EXPECT_NE(load(path).tokens.find("seven"), std::string::npos);
    EXPECT_EQ(scanner.scans, 4);

    // After Clear the file is read again.
    store.Clear();
    EXPECT_NE(load(path).tokens.find("seven"), std::string::npos);
    EXPECT_EQ(scanner.scans, 5);
}
