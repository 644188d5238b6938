#include "InfoView.h"
#include "LanguageTable.h"
#include "MessageLineLimit.h"
#include "PaneMessageSink.h"
#include "TempFolder.h"

#include <QCoreApplication>
#include <QTextBlock>
#include <gtest/gtest.h>
#include <thread>

namespace {

// The colour of a pane line's text; none for the default colour.
std::optional<COLORREF> ColourOfLine(const CInfoView& pane, int line)
{
    const QTextBlock block = pane.document()->findBlockByNumber(line);
    const QTextCharFormat format = block.begin().fragment().charFormat();
    if (!format.hasProperty(QTextFormat::ForegroundBrush))
        return std::nullopt;
    const QColor colour = format.foreground().color();
    return RGB(colour.red(), colour.green(), colour.blue());
}

// Uses a language table of the test's own while it lives.
class ScopedLanguage {
public:
    explicit ScopedLanguage(const std::string& content)
    {
        const std::string path = folder_.Path() + "/language.ini";
        std::ofstream(path) << content;
        LoadLanguageFileFrom(path);
    }
    ~ScopedLanguage() { LoadLanguageFile(); }

private:
    TempFolder folder_;
};

constexpr COLORREF kError = RGB(222, 82, 135);
constexpr COLORREF kInfo = RGB(83, 74, 238);
constexpr COLORREF kWarning = RGB(43, 100, 44);

} // namespace

TEST(MessagePaneTest, CompletedLinesAreColouredByTheirPrefix)
{
    struct Case {
        const char* language;
        std::vector<const char*> appends;
        std::vector<std::optional<COLORREF>> colours; // per completed line
    };
    const std::optional<COLORREF> none;
    const Case cases[] = {
        // Plain prefixes, CR LF or LF, a line completed by a later call.
        {"0001 Info\n0002 Warning\n0003 Error\n",
            {"Info: one\r\nplain\nError: two\nWarn", "ing: three\n"},
            {kInfo, none, kError, kWarning}},
        // Text 3 is tested before text 1, even when 1 is a prefix of 3.
        {"0001 Err\n0003 Error\n", {"Error: both\nErr: one\n"}, {kError, kInfo}},
        // A missing text matches nothing; a prefix must be whole.
        {"0001 Info\n", {"anything\nInf\nInfo\n"}, {none, none, kInfo}},
    };
    for (const Case& c : cases) {
        ScopedLanguage language(c.language);
        CInfoView pane;
        for (const char* text : c.appends)
            pane.AppendMessage(text);
        ASSERT_EQ(pane.document()->blockCount(), static_cast<int>(c.colours.size()) + 1);
        for (size_t line = 0; line < c.colours.size(); ++line)
            EXPECT_EQ(ColourOfLine(pane, static_cast<int>(line)), c.colours[line])
                << c.language << " line " << line << ": "
                << pane.document()->findBlockByNumber(static_cast<int>(line)).text().toStdString();
    }
}

TEST(MessagePaneTest, TextGoesToTheEndWhateverTheUserSelected)
{
    CInfoView pane;
    pane.AppendMessage("first\nsecond\n");
    QTextCursor selection(pane.document());
    selection.setPosition(2);
    selection.setPosition(8, QTextCursor::KeepAnchor);
    pane.setTextCursor(selection);
    pane.AppendMessage("third\n");
    EXPECT_EQ(pane.toPlainText().toStdString(), "first\nsecond\nthird\n");
    pane.Clear();
    pane.AppendMessage("open");
    pane.Clear();
    pane.AppendMessage("Error: after clearing\n");
    EXPECT_EQ(ColourOfLine(pane, 0), kError) << "the open line was forgotten";
}

TEST(MessagePaneTest, LinesFromManyThreadsArriveWholeAndInOrder)
{
    PaneMessageSink sink;
    CInfoView pane;
    constexpr int kThreads = 4;
    constexpr int kLines = 300;
    std::vector<std::thread> writers;
    for (int t = 0; t < kThreads; ++t) {
        writers.emplace_back([&sink, t] {
            for (int i = 0; i < kLines; ++i)
                MessageLine(sink) << "writer " << t << " line " << i << ' '
                                  << std::string(40, char('a' + t));
        });
    }
    sink.Write(MessageKind::Info, "before the pane");
    for (std::thread& writer : writers)
        writer.join();
    sink.Attach(&pane);
    sink.Deliver();

    const QStringList lines = pane.toPlainText().split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), kThreads * kLines + 1);
    std::vector<int> next(kThreads, 0);
    for (const QString& line : lines) {
        if (line == "before the pane")
            continue;
        const QStringList words = line.split(' ');
        ASSERT_EQ(words.size(), 5) << line.toStdString();
        const int t = words[1].toInt();
        EXPECT_EQ(words[3].toInt(), next[t]++) << "in the order written";
        EXPECT_EQ(words[4], QString(40, QChar('a' + t))) << "whole";
    }
}

// A line of a megabyte (a path or a token of a damaged file) is shown
// shortened, whether it comes whole, in pieces or through the sink: its first
// part, cut between characters, and a note of what was left out. The lines
// after it are untouched and the prefix still colours it.
TEST(MessagePaneTest, HugeLinesAreShownShortened)
{
    ScopedLanguage language("0003 Error\n");
    // "é" is two bytes: the limit falls inside one of them.
    std::string utf8 = "Error: " + std::string(kMaxShownLineBytes - 8, 'x');
    for (int i = 0; i < 250000; ++i)
        utf8 += "\xC3\xA9";
    const std::string note = HiddenBytesNote(utf8.size() - (kMaxShownLineBytes - 1));
    const std::string expected = utf8.substr(0, kMaxShownLineBytes - 1) + note;

    CInfoView whole;
    whole.AppendMessage(utf8 + "\nnext\n");
    CInfoView pieces;
    pieces.AppendMessage(utf8.substr(0, 100));
    pieces.AppendMessage(utf8.substr(100, 300000));
    pieces.AppendMessage(utf8.substr(300100) + "\r\nnext\n");
    PaneMessageSink sink;
    CInfoView delivered;
    sink.Attach(&delivered);
    sink.Write(MessageKind::Error, utf8);
    sink.Write(MessageKind::Info, "next");
    sink.Deliver();
    for (const CInfoView* pane : {&whole, &pieces, &delivered}) {
        ASSERT_EQ(pane->document()->blockCount(), 3);
        EXPECT_EQ(pane->document()->firstBlock().text().toStdString(), expected);
        EXPECT_EQ(pane->document()->findBlockByNumber(1).text().toStdString(), "next");
        EXPECT_EQ(ColourOfLine(*pane, 0), kError);
    }
    // Bytes that are no UTF-8 at all are cut where the limit says.
    const std::string huge = "Error: " + std::string(600000, '\x80');
    EXPECT_EQ(ShortenedLine(huge).size(),
        kMaxShownLineBytes + HiddenBytesNote(huge.size() - kMaxShownLineBytes).size());
    EXPECT_EQ(ShortenedLine("short"), "short");
}

// Thousands of lines (an import's found files) reach the pane in pieces of
// at most 64000 bytes, a long line alone, so that the window's other events
// come between them; the pieces together hold every line once, in order.
TEST(MessagePaneTest, ManyLinesReachThePaneInPieces)
{
    PaneMessageSink sink;
    std::string written;
    const auto write = [&](const std::string& line) {
        sink.Write(MessageKind::Info, line);
        written += line + "\n";
    };
    for (int i = 0; i < 3000; ++i)
        write("/project/src/file" + std::to_string(i) + ".cpp" + std::string(30, 'p'));
    const std::string longLine(70000, 'l');
    write(longLine);
    write("last");
    std::string joined;
    int pieces = 0;
    while (sink.HasPending()) {
        const PaneMessageSink::Pending piece = sink.TakePiece();
        ASSERT_FALSE(piece.text.empty());
        if (piece.leftOut > 0) {
            // The long line alone, kept as far as the pane shows it.
            EXPECT_EQ(piece.text + std::string(piece.leftOut, 'l'), longLine);
            joined += longLine + "\n";
        } else {
            EXPECT_EQ(piece.text.back(), '\n');
            EXPECT_LE(piece.text.size(), PaneMessageSink::kPieceBytes);
            joined += piece.text;
        }
        ++pieces;
    }
    EXPECT_EQ(joined, written);
    EXPECT_GE(pieces, 4);

    // The pane's own deliveries: the first shows one piece, the next ones
    // follow on later turns of the event loop.
    CInfoView pane;
    for (int i = 0; i < 3000; ++i)
        sink.Write(MessageKind::Info, "line " + std::to_string(i) + std::string(40, 'q'));
    sink.Attach(&pane);
    // One turn at a time (each waits for an event: the delivery timer's at
    // the latest).
    for (int turn = 0; turn < 1000 && pane.document()->blockCount() <= 1; ++turn)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    EXPECT_GT(pane.document()->blockCount(), 1);
    EXPECT_LT(pane.document()->blockCount(), 3000);
    sink.Deliver();
    EXPECT_EQ(pane.document()->blockCount(), 3001);
    EXPECT_FALSE(sink.HasPending());
}

// The sink keeps of a huge line only what the pane shows and how many bytes
// it leaves out: a name of 50 MB in a line is not held again on its way.
TEST(MessagePaneTest, TheSinkKeepsOfAHugeLineWhatThePaneShows)
{
    PaneMessageSink sink;
    sink.Write(MessageKind::Info, "before");
    sink.Write(MessageKind::Info, std::string(3 << 20, 'n') + " selected");
    sink.Write(MessageKind::Info, "after");
    size_t kept = 0;
    for (const PaneMessageSink::Pending& piece : sink.TakePending())
        kept += piece.text.size();
    EXPECT_LE(kept, kMaxShownLineBytes + 20);
}
