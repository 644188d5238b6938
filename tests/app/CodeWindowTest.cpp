#include "CodeText.h"
#include "CodeView.h"
#include "CodeWindow.h"
#include "ExternalEditor.h"
#include "LanguageTable.h"
#include "Options.h"
#include "TempFolder.h"
#include "UiRecorder.h"

#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// The classes of a text as one letter per character: . plain, k keyword,
// c comment, s string (the two line ends the text gets are left out).
std::string ClassesOf(const std::string& source)
{
    CodeText text;
    text.SetText(source);
    std::string shown;
    const std::vector<uint8_t>& classes = text.Classes();
    for (size_t i = 0; i + 4 < classes.size(); ++i)
        shown += ".kcs"[classes[i]];
    return shown;
}

} // namespace

TEST(CodeText, ColoursLinesTabsAndMultiByteText)
{
    struct Case {
        const char* source;
        const char* classes;
    };
    const Case cases[] = {
        {"int print;", "kkk......."}, {"__int64 x", "..kkk...."}, // a word is a run of letters
        {"a /* b */ c", "..ccccccc.."}, {"/*/ x */y", "cccccccc."}, {"x // y\nz", "..ccccc."},
        {R"(s = "a\"b"; c)", "....ssssss;.."}, {R"('\\' if)", "ssss.kk"},
        {"\"open", "....."}, // unfinished at the end of the text
    };
    for (const Case& c : cases) {
        std::string expected = c.classes;
        std::replace(expected.begin(), expected.end(), ';', '.');
        EXPECT_EQ(ClassesOf(c.source), expected) << c.source;
    }

    // Lines: a text without a final line end keeps its last line.
    CodeText text;
    text.SetText("one\ntwo");
    ASSERT_EQ(text.LineCount(), 3);
    EXPECT_EQ(text.GetLine(1).first, 4);
    EXPECT_EQ(text.GetLine(1).last, 8); // "two\r\n"

    // Tabs reach every fourth column; a wide character takes two columns;
    // valid UTF-8 is one character per code point, anything else one per byte.
    auto xs = [](const std::string& source) {
        CodeText t;
        t.SetText(source);
        std::vector<int> result;
        for (const CodeText::Cell& cell : t.LayOutLine(
                 0, [](char32_t) { return 10; }, 7))
            result.push_back(cell.x);
        return result;
    };
    EXPECT_EQ(xs("ab\t\tc"), (std::vector<int> {0, 10, 20, 34, 62}));
    EXPECT_EQ(xs("\xe4\xb8\xad\tx"), (std::vector<int> {0, 10, 24}))
        << "U+4E2D then a tab of two columns";
    EXPECT_EQ(xs("\xe4\tx"), (std::vector<int> {0, 10, 31})) << "Latin-1: one column, then three";
    EXPECT_EQ(DecodeSourceText("caf\xc3\xa9"), U"caf\u00e9");
    EXPECT_EQ(DecodeSourceText("caf\xe9"), U"caf\u00e9");
    EXPECT_EQ(DecodeSourceText("\xc0\xaf"), U"\u00c0\u00af") << "an overlong form is no UTF-8";
}

// A line of a hundred thousand characters is laid out, and its caret placed,
// from a mark near the part wanted: the cells are those of the whole line,
// and only a few thousand characters are measured for them.
TEST(CodeText, ALongLineIsWalkedOnlyNearThePartWanted)
{
    std::string line;
    for (int i = 0; line.size() < 100000; ++i)
        line += i % 7 == 0 ? "\t" : i % 11 == 0 ? "\xe4\xb8\xad" : i % 13 == 0 ? "\xc3\xa9" : "a";
    CodeText text;
    text.SetText("short\n" + line + "\nend");
    int measured = 0;
    const CodeText::CharWidth width = [&measured](char32_t ch) {
        ++measured;
        return ch == U'a' ? 7 : 9;
    };
    int rowWidth = 0;
    const std::vector<CodeText::Cell> all = text.LayOutLine(1, width, 5, &rowWidth);
    ASSERT_GT(all.size(), 20000u);
    EXPECT_EQ(text.MeasureRows(width, 5), rowWidth);
    const auto same = [](const CodeText::Cell& a, const CodeText::Cell& b) {
        return a.x == b.x && a.width == b.width && a.index == b.index && a.ch == b.ch;
    };
    for (const int left : {0, 123456, 300000, rowWidth - 900}) {
        measured = 0;
        const std::vector<CodeText::Cell> part = text.LayOutPart(1, width, 5, left, left + 800);
        EXPECT_LT(measured, 5000) << left;
        size_t wanted = 0;
        for (const CodeText::Cell& cell : all) {
            if (cell.x < left || cell.x > left + 800)
                continue;
            ++wanted;
            EXPECT_TRUE(std::any_of(
                part.begin(), part.end(), [&](const CodeText::Cell& p) { return same(p, cell); }))
                << "cell at " << cell.x;
        }
        EXPECT_GT(wanted, 50u) << left;
    }
    const int count = static_cast<int>(all.size());
    EXPECT_EQ(text.DrawnCount(1), count);
    for (const int column : {0, 5000, 12345, count - 1}) {
        measured = 0;
        EXPECT_EQ(text.ColumnX(1, column, width, 5), all[static_cast<size_t>(column)].x);
        EXPECT_LT(measured, 5000) << column;
    }
    EXPECT_EQ(text.ColumnX(1, count + 3, width, 5), rowWidth);
    // The nearest boundary, as a click finds it.
    for (const int x : {0, 3, 40000, 123461, rowWidth - 1, rowWidth + 50}) {
        int nearest = count;
        for (int i = 0; i < count; ++i) {
            if (all[static_cast<size_t>(i)].x > x) {
                const bool before = i > 0 &&
                    x - all[static_cast<size_t>(i - 1)].x < all[static_cast<size_t>(i)].x - x;
                nearest = before ? i - 1 : i;
                break;
            }
        }
        EXPECT_EQ(text.ColumnNear(1, x, width, 5), nearest) << x;
    }
}

TEST(CodeWindow, ShowsFilesMarksLinesAndStartsTheEditorWithoutAShell)
{
    TempFolder folder;
    UiRecorder ui;
    std::string source;
    for (int i = 1; i <= 200; ++i)
        source += "int line" + std::to_string(i) + ";\r\n";
    const std::string path = folder.Write("long file.c", source);
    COptions options(folder.File("settings.ini"), folder.Path());
    options.codeFontSize = 95;
    options.codeEditProgram = "sh -c 'exit 0' editor";
    CDialogCode code(options);
    code.resize(600, 300);
    code.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&code));
    CCodeWnd& text = *code.TextWindow();

    EXPECT_TRUE(code.ShowFile(path));
    EXPECT_FALSE(code.ShowFile(path)) << "the file shown is not read again";
    EXPECT_EQ(code.windowTitle().toStdString(), path);
    EXPECT_EQ(text.LineCount(), 202);
    EXPECT_EQ(std::count(text.Text().Bytes().begin(), text.Text().Bytes().end(), '\r'), 2)
        << "the file's carriage returns are gone; only the appended line ends keep theirs";

    // Lines from 1: the first marked line stands a quarter down the window.
    const int visible = text.VisibleLines();
    ASSERT_GT(visible, 4);
    code.SelectLine(120, 122, false);
    EXPECT_EQ((std::pair(text.HighlightFirst(), text.HighlightLast())), std::pair(119, 121));
    EXPECT_EQ(text.FirstLine(), 119 - (visible + 1) / 4);
    const int first = text.FirstLine();
    code.SelectLine(121, 121, true);
    EXPECT_EQ(text.FirstLine(), first) << "in sight: kept";
    code.SelectLine(10, 10, true);
    EXPECT_EQ(text.FirstLine(), std::max(0, 9 - (visible + 1) / 4));
    code.SelectLine(0, 3, false);
    EXPECT_EQ(text.HighlightFirst(), 9) << "line 0 does not exist: nothing changes";

    // The editor: the option's program and arguments, the path as one
    // argument, blanks and all.
    ui.calls.clear();
    text.EditButton()->click();
    ASSERT_EQ(ui.Texts(UiCallKind::StartProgram), std::vector<std::string> {"sh"});
    EXPECT_EQ(
        ui.calls.back().arguments, (std::vector<std::string> {"-c", "exit 0", "editor", path}));
    ui.launchSucceeds = false;
    text.EditButton()->click();
    EXPECT_EQ(ui.Texts(UiCallKind::Message), std::vector<std::string> {GetLangString(70)});
    text.SetEditor("/no/such/folder/editor");
    text.EditButton()->click();
    EXPECT_EQ(ui.Texts(UiCallKind::Message).back(),
        std::string("\"/no/such/folder/editor\"  ") + GetLangString(74));
    text.SetEditor("no-such-editor-anywhere");
    text.EditButton()->click();
    EXPECT_EQ(ui.Texts(UiCallKind::Message).back(),
        std::string("\"no-such-editor-anywhere\"  ") + GetLangString(73));
    EXPECT_EQ(ui.Texts(UiCallKind::StartProgram).size(), 2u);
    EXPECT_EQ(SplitCommandLine(R"(ed  "b \"c\"" d\ e 'f"g' '')"),
        (std::vector<std::string> {"ed", "b \"c\"", "d e", "f\"g", ""}));

    // A file that cannot be shown leaves nothing of the old one; asking
    // again tries again.
    EXPECT_FALSE(code.ShowFile(folder.File("missing.c")));
    EXPECT_EQ(text.LineCount(), 2);
    EXPECT_TRUE(code.CurrentFile().empty());
    EXPECT_TRUE(code.ShowFile(path));
    code.Clear();
    EXPECT_TRUE(code.windowTitle().isEmpty());
    EXPECT_TRUE(code.ShowFile(path)) << "after Clear the same file is read again";

    // Lines marked in a window not shown yet (its text has no size) are
    // placed a quarter down when it shows.
    {
        CDialogCode hidden(options);
        hidden.resize(600, 300);
        ASSERT_TRUE(hidden.ShowFile(path));
        hidden.SelectLine(150, 150, false);
        EXPECT_EQ(hidden.TextWindow()->HighlightFirst(), 149);
        hidden.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&hidden));
        const int rows = hidden.TextWindow()->VisibleLines();
        ASSERT_GT(rows, 4);
        EXPECT_EQ(hidden.TextWindow()->FirstLine(), 149 - (rows + 1) / 4);
    }

    code.SetCodeFont("Monospace", 140);
    EXPECT_EQ(options.codeFontSize, 140);
    code.ShowEditButton(false);
    EXPECT_FALSE(text.EditButton()->isVisible());
}
