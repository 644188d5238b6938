#include "LineReader.h"
#include "TempFolder.h"
#include "TextLines.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

using Lines = std::vector<std::string>;

Lines LinesOf(LineReader& reader)
{
    Lines lines;
    for (std::string_view line; reader.Next(line);)
        lines.emplace_back(line);
    return lines;
}

Lines TextLinesOf(std::string_view text, LineEnds ends)
{
    LineReader reader(ends);
    reader.Assign(text);
    return LinesOf(reader);
}

} // namespace

TEST(LineReaderTest, LinesEndWhereTheChosenLineEndsSay)
{
    // LF or CR LF: the lines SplitLines gives.
    for (const char* text : {"", "\n", "a\r\n\nb", "a\nb\r\n", "a\rb\r\r\n", "last\r", "\r", "x"}) {
        const std::vector<std::string_view> split = SplitLines(text);
        EXPECT_EQ(TextLinesOf(text, LineEnds::Lf), Lines(split.begin(), split.end())) << text;
    }
    // A CR alone ends a line too; CR LF is still one line end.
    EXPECT_EQ(TextLinesOf("a\rb\r\nc\nd\r", LineEnds::LfOrCr), (Lines {"a", "b", "c", "d"}));
    EXPECT_EQ(TextLinesOf("\r\r\n\n", LineEnds::LfOrCr), (Lines {"", "", ""}));
    EXPECT_EQ(TextLinesOf("open", LineEnds::LfOrCr), Lines {"open"});
    EXPECT_EQ(TextLinesOf("", LineEnds::LfOrCr), Lines {});
}

// A file is read in pieces of 64 KiB: line ends that fall across a piece's
// edge, a line longer than a piece and a last open line read as they do from
// the text in one.
TEST(LineReaderTest, FilesReadInPiecesGiveTheLinesOfTheirText)
{
    TempFolder folder;
    std::string text;
    for (int i = 0; text.size() < 65535; ++i)
        text += "line " + std::to_string(i) + (i % 3 == 0 ? "\r" : i % 3 == 1 ? "\n" : "\r\n");
    text.resize(65535);
    text += "\r\n" + std::string(200000, 'x') + "\r" + std::string(65534, 'y') + "\r\nend";
    const std::string path = folder.Write("lines.txt", text);
    for (const LineEnds ends : {LineEnds::Lf, LineEnds::LfOrCr}) {
        LineReader reader(ends);
        ASSERT_EQ(reader.Open(path, text.size()), ReadResult::Ok);
        EXPECT_EQ(LinesOf(reader), TextLinesOf(text, ends));
        EXPECT_FALSE(reader.Failed());
    }

    // What cannot be read: a larger file, a missing one, a folder, a FIFO
    // (never waited for).
    LineReader reader;
    EXPECT_EQ(reader.Open(path, text.size() - 1), ReadResult::ReadFailed);
    EXPECT_EQ(reader.Open(folder.File("none"), 100), ReadResult::CannotOpen);
    EXPECT_EQ(reader.Open(folder.Path(), 100), ReadResult::ReadFailed);
    ASSERT_EQ(::mkfifo(folder.File("fifo").c_str(), 0600), 0);
    EXPECT_EQ(reader.Open(folder.File("fifo"), 100), ReadResult::ReadFailed);
    std::string_view line;
    EXPECT_FALSE(reader.Next(line));

    // A file that grows past its limit while it is read is not read whole.
    const std::string growing = folder.Write("growing.txt", "one\ntwo\n");
    ASSERT_EQ(reader.Open(growing, 8), ReadResult::Ok);
    std::ofstream(growing, std::ios::app) << std::string(100000, 'x');
    EXPECT_EQ(LinesOf(reader), Lines {});
    EXPECT_TRUE(reader.Failed());
}
