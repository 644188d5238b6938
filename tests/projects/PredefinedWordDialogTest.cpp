#include "LanguageTable.h"
#include "OptionsFixture.h"
#include "PredefinedWordDialog.h"
#include "SetPredefinedWordDialog.h"
#include "WordListCtrl.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using Rows = std::vector<WordRow>;
using Words = std::map<std::string, int32_t>;

class PredefinedWordDialogTest : public OptionsFixture {
protected:
    PredefinedWordDialogTest()
    {
        options->commonWords = {{"WIN32", 1}, {"_MSC_VER", 1200}};
        options->projectWords = {{"APP", 0}};
    }

    void Add(CDialogPredefinedWord& dialog, const std::string& word, const std::string& value,
        bool project = false)
    {
        using D = CDialogPredefinedWord;
        dialog.SetItemText(project ? D::IDC_PROJECT_WORD : D::IDC_COMMON_WORD, word);
        dialog.SetItemText(project ? D::IDC_PROJECT_VALUE : D::IDC_COMMON_VALUE, value);
        Click(dialog, project ? D::IDC_PROJECT_ADD : D::IDC_COMMON_ADD);
    }
    void Click(CDialog& dialog, int id) { dialog.ItemAs<QPushButton>(id)->click(); }
    CMyListCtrl* List(CDialog& dialog, int id) { return dialog.ItemAs<CMyListCtrl>(id); }

    // A reply that types into the row editor and presses its OK.
    static UiReply Edit(std::string word, std::string value)
    {
        return UiReply::Dialog([word, value](QDialog& d) {
            auto& editor = static_cast<CDialogSetPredefinedWord&>(d);
            editor.SetItemText(CDialogSetPredefinedWord::IDC_WORD, word);
            editor.SetItemText(CDialogSetPredefinedWord::IDC_VALUE, value);
            editor.ItemAs<QPushButton>(IDOK)->click();
            return editor.result();
        });
    }
};

} // namespace

TEST(PredefinedWordListsTest, WordsAndValuesAreChecked)
{
    EXPECT_EQ(PredefinedWordLists::WordProblem(""), 102);
    EXPECT_EQ(PredefinedWordLists::WordProblem("9ABC"), 103);
    EXPECT_EQ(PredefinedWordLists::WordProblem(" A"), 103);
    EXPECT_EQ(PredefinedWordLists::WordProblem("A\nB"), 103);
    EXPECT_EQ(PredefinedWordLists::WordProblem("_WIN32"), 0);
    EXPECT_EQ(PredefinedWordLists::WordProblem("x(y)"), 0);

    EXPECT_EQ(PredefinedWordLists::ParseValue("-5"), -5);
    EXPECT_EQ(PredefinedWordLists::ParseValue(" 7 "), 7);
    EXPECT_EQ(PredefinedWordLists::ParseValue("2147483647"), 2147483647);
    EXPECT_EQ(PredefinedWordLists::ParseValue("-2147483648"), INT32_MIN);
    for (const char* bad :
        {"2147483648", "-2147483649", "99999999999999999999", "", " ", "12abc", "1.5", "-", "0x10"})
        EXPECT_FALSE(PredefinedWordLists::ParseValue(bad).has_value()) << bad;
}

TEST_F(PredefinedWordDialogTest, AddRefusesBadWordsAndOkKeepsTheUpperRow)
{
    CDialogPredefinedWord dialog(*options);
    dialog.Initialize();
    EXPECT_EQ(List(dialog, CDialogPredefinedWord::IDC_COMMON_LIST)->Rows(),
        (Rows {{"WIN32", 1}, {"_MSC_VER", 1200}}));
    Add(dialog, "_WIN32", "1");
    EXPECT_EQ(dialog.GetItemText(CDialogPredefinedWord::IDC_COMMON_WORD), "");
    EXPECT_EQ(dialog.GetItemText(CDialogPredefinedWord::IDC_COMMON_VALUE), "0");
    Add(dialog, "9ABC", "1");
    Add(dialog, "", "1");
    Add(dialog, "BIG", "4294967296");
    EXPECT_EQ(ui.calls.size(), 3u);
    EXPECT_EQ(ui.Texts(UiCallKind::Message)[0], GetLangString(103));
    EXPECT_EQ(ui.Texts(UiCallKind::Message)[1], GetLangString(102));
    Add(dialog, "WIN32", "2");
    Add(dialog, "NEG", "-5");
    EXPECT_EQ(List(dialog, CDialogPredefinedWord::IDC_COMMON_LIST)->topLevelItem(4)->text(1), "-5");
    EXPECT_FALSE(dialog.ProjectWordsChanged()) << "only common words changed";

    Click(dialog, IDOK);
    EXPECT_EQ(dialog.result(), IDOK);
    EXPECT_EQ(options->commonWords,
        (Words {{"WIN32", 1}, {"_MSC_VER", 1200}, {"_WIN32", 1}, {"NEG", -5}}));
    EXPECT_EQ(options->projectWords, (Words {{"APP", 0}}));
}

TEST_F(PredefinedWordDialogTest, RemoveDefaultAndCancelLeaveTheOptions)
{
    options->commonWords = {{"A", 1}, {"B", 2}, {"C", 3}, {"D", 4}};
    const Words before = options->commonWords;
    CDialogPredefinedWord dialog(*options);
    dialog.Initialize();
    CMyListCtrl* list = List(dialog, CDialogPredefinedWord::IDC_COMMON_LIST);
    list->topLevelItem(0)->setSelected(true);
    list->topLevelItem(2)->setSelected(true);
    Click(dialog, CDialogPredefinedWord::IDC_COMMON_REMOVE);
    EXPECT_EQ(list->Rows(), (Rows {{"B", 2}, {"D", 4}}));
    Add(dialog, "E", "5");
    Click(dialog, CDialogPredefinedWord::IDC_DEFAULT);
    EXPECT_EQ(list->Rows(), (Rows {{"A", 1}, {"B", 2}, {"C", 3}, {"D", 4}}));
    Add(dialog, "E", "5", true);
    Click(dialog, IDCANCEL);
    EXPECT_EQ(dialog.result(), IDCANCEL);
    EXPECT_EQ(options->commonWords, before);
    EXPECT_EQ(options->projectWords, (Words {{"APP", 0}}));
}

TEST_F(PredefinedWordDialogTest, ProjectWordChangesOfEveryKindMarkTheProject)
{
    {
        CDialogPredefinedWord dialog(*options);
        dialog.Initialize();
        Add(dialog, "LIB", "3", true);
        EXPECT_TRUE(dialog.ProjectWordsChanged());
    }
    {
        CDialogPredefinedWord dialog(*options);
        dialog.Initialize();
        List(dialog, CDialogPredefinedWord::IDC_PROJECT_LIST)->topLevelItem(0)->setSelected(true);
        Click(dialog, CDialogPredefinedWord::IDC_PROJECT_REMOVE);
        EXPECT_TRUE(dialog.ProjectWordsChanged());
    }
    // The row editor: a refused word keeps it open, Cancel changes nothing,
    // OK changes the row and marks the project.
    ui.Reply(UiReply::Cancel())
        .Reply(UiReply::Dialog([](QDialog& d) {
            auto& editor = static_cast<CDialogSetPredefinedWord&>(d);
            editor.SetItemText(CDialogSetPredefinedWord::IDC_WORD, "1BAD");
            editor.ItemAs<QPushButton>(IDOK)->click();
            editor.SetItemText(CDialogSetPredefinedWord::IDC_WORD, "OK");
            editor.SetItemText(CDialogSetPredefinedWord::IDC_VALUE, "99999999999");
            editor.ItemAs<QPushButton>(IDOK)->click();
            return editor.result();
        }))
        .Reply(Edit("APP2", "-7"));
    CDialogPredefinedWord dialog(*options);
    dialog.Initialize();
    CMyListCtrl* project = List(dialog, CDialogPredefinedWord::IDC_PROJECT_LIST);
    EXPECT_FALSE(project->EditRow(0));
    EXPECT_FALSE(project->EditRow(0));
    EXPECT_EQ(ui.Texts(UiCallKind::Message).size(), 2u);
    EXPECT_FALSE(dialog.ProjectWordsChanged());
    EXPECT_TRUE(project->EditRow(0));
    EXPECT_TRUE(dialog.ProjectWordsChanged());
    Click(dialog, IDOK);
    EXPECT_EQ(options->projectWords, (Words {{"APP2", -7}}));
}

TEST_F(PredefinedWordDialogTest, DoubleClickOpensTheRowEditorOnlyOnARow)
{
    ui.Reply(Edit("X", "1"));
    CDialogPredefinedWord dialog(*options);
    dialog.Initialize();
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    CMyListCtrl* common = List(dialog, CDialogPredefinedWord::IDC_COMMON_LIST);
    QWidget* area = common->viewport();
    QTest::mouseDClick(area, Qt::LeftButton, {}, QPoint(20, area->height() - 3));
    EXPECT_TRUE(ui.calls.empty()) << "below the last row";
    const QRect first = common->visualItemRect(common->topLevelItem(0));
    QTest::mouseDClick(area, Qt::LeftButton, {}, first.center());
    EXPECT_EQ(common->Rows().front(), (WordRow {"X", 1}));
}
