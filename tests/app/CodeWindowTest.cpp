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
    EXPECT_EQ(std::count(text.Text().Chars().begin(), text.Text().Chars().end(), U'\r'), 2)
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
