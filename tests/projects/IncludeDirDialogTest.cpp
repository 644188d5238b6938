#include "DirListBox.h"
#include "IncludeDirDialog.h"
#include "LanguageTable.h"
#include "OptionsFixture.h"
#include "VcProductDirs.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using Rows = std::vector<std::string>;

class IncludeDirDialogTest : public OptionsFixture {
protected:
    IncludeDirDialogTest()
    {
        options->includeLists = {
            Rows {"/vc6/include"}, Rows {"/vc7/a", "/vc7/b"}, Rows {}, Rows {"/vc8/include"}};
        options->userIncludeList = {"/mine/one", "/mine/two"};
        options->includeDirectory = 1;
    }

    void Choose(CDialogIncludeDir& dialog, int version)
    {
        auto* combo = dialog.ItemAs<QComboBox>(CDialogIncludeDir::IDC_VERSION);
        combo->setCurrentIndex(version);
        emit combo->activated(version);
    }
    CDirListBox* List(CDialogIncludeDir& dialog, int id) { return dialog.ItemAs<CDirListBox>(id); }
    void Click(CDialogIncludeDir& dialog, int id) { dialog.ItemAs<QPushButton>(id)->click(); }
};

} // namespace

TEST_F(IncludeDirDialogTest, ListsLoadSafelyAndResetFromTheInstallations)
{
    IncludeDirLists lists;
    for (const int stored : {-1, 4, 99}) {
        options->includeDirectory = stored;
        lists.Load(*options);
        EXPECT_EQ(lists.chosen, 0) << stored;
    }
    VcProductDirs dirs;
    dirs.folders[0] = "C:\\VS6";
    lists.ResetPath(dirs);
    EXPECT_EQ(lists.versions[0],
        (Rows {"C:\\VS6\\INCLUDE", "C:\\VS6\\MFC\\INCLUDE", "C:\\VS6\\ATL\\INCLUDE"}));
    for (int i = 1; i < 4; ++i)
        EXPECT_TRUE(lists.versions[i].empty()) << i;
    EXPECT_EQ(lists.user, (Rows {"/mine/one", "/mine/two"}));
    EXPECT_FALSE(IncludeDirLists::CanKeep("/a\nb"));
    EXPECT_FALSE(IncludeDirLists::CanKeep("/a\rb"));
    EXPECT_TRUE(IncludeDirLists::CanKeep("/a b"));
}

TEST_F(IncludeDirDialogTest, OkStoresEditsOfEveryVersionVisited)
{
    ui.Reply(UiReply::Folder("/added", false))
        .Reply(UiReply::Folder("/added", false))
        .Reply(UiReply::Folder("/user/new", false));
    CDialogIncludeDir dialog(*options);
    dialog.Initialize();
    EXPECT_EQ(List(dialog, CDialogIncludeDir::IDC_VC_LIST)->Rows(), (Rows {"/vc7/a", "/vc7/b"}));
    // The same folder can be appended twice.
    Click(dialog, CDialogIncludeDir::IDC_VC_APPEND);
    Click(dialog, CDialogIncludeDir::IDC_VC_APPEND);
    EXPECT_EQ(ui.Texts(UiCallKind::ChooseFolder), (Rows(2, GetLangString(104))));
    Choose(dialog, 3);
    EXPECT_EQ(List(dialog, CDialogIncludeDir::IDC_VC_LIST)->Rows(), (Rows {"/vc8/include"}));
    Choose(dialog, 1);
    EXPECT_EQ(List(dialog, CDialogIncludeDir::IDC_VC_LIST)->Rows(),
        (Rows {"/vc7/a", "/vc7/b", "/added", "/added"}));
    Choose(dialog, 0);
    Click(dialog, CDialogIncludeDir::IDC_USER_APPEND);
    EXPECT_EQ(options->includeDirectory, 1) << "nothing is stored before OK";

    Click(dialog, IDOK);
    EXPECT_EQ(dialog.result(), IDOK);
    EXPECT_EQ(options->includeDirectory, 0);
    EXPECT_EQ(options->includeLists[1], (Rows {"/vc7/a", "/vc7/b", "/added", "/added"}));
    EXPECT_EQ(options->includeLists[3], (Rows {"/vc8/include"}));
    EXPECT_EQ(options->userIncludeList, (Rows {"/mine/one", "/mine/two", "/user/new"}));
}

TEST_F(IncludeDirDialogTest, OkStoresTheShownVersionsEditsWithoutTheComboBoxTouched)
{
    CDialogIncludeDir dialog(*options);
    dialog.Initialize();
    CDirListBox* list = List(dialog, CDialogIncludeDir::IDC_VC_LIST);
    list->item(0)->setSelected(true);
    Click(dialog, CDialogIncludeDir::IDC_VC_REMOVE);
    ui.Reply(UiReply::Folder("/vc7/new", false));
    Click(dialog, CDialogIncludeDir::IDC_VC_APPEND);
    Click(dialog, IDOK);
    EXPECT_EQ(options->includeLists[1], (Rows {"/vc7/b", "/vc7/new"}));
    EXPECT_EQ(options->includeDirectory, 1);
}

TEST_F(IncludeDirDialogTest, RemoveDefaultAndCancel)
{
    options->includeLists[1] = {"r0", "r1", "r2", "r3", "r4"};
    const auto before = options->includeLists;
    CDialogIncludeDir dialog(*options);
    dialog.Initialize();
    CDirListBox* list = List(dialog, CDialogIncludeDir::IDC_VC_LIST);
    for (int row : {1, 3, 4})
        list->item(row)->setSelected(true);
    Click(dialog, CDialogIncludeDir::IDC_VC_REMOVE);
    EXPECT_EQ(list->Rows(), (Rows {"r0", "r2"}));
    Click(dialog, CDialogIncludeDir::IDC_RESET_PATH);
    EXPECT_TRUE(list->Rows().empty()) << "no Visual C++ is ever found here";
    Click(dialog, CDialogIncludeDir::IDC_DEFAULT);
    EXPECT_EQ(list->Rows(), before[1]);

    list->clear();
    Click(dialog, IDCANCEL);
    EXPECT_EQ(dialog.result(), IDCANCEL);
    EXPECT_EQ(options->includeLists, before);
}

TEST_F(IncludeDirDialogTest, ListKeysInsertAtTheCaretAndRefuseLineBreaks)
{
    ui.Reply(UiReply::Folder("/inserted", false))
        .Reply(UiReply::Folder("/bad\nname", false))
        .Reply(UiReply::Folder("/at/end", false));
    CDirListBox list;
    list.SetRows({"a", "b", "c"});
    list.setCurrentRow(2);
    QTest::keyClick(&list, Qt::Key_Insert);
    EXPECT_EQ(list.Rows(), (Rows {"a", "b", "/inserted", "c"}));
    QTest::keyClick(&list, Qt::Key_Insert);
    EXPECT_EQ(list.Rows().size(), 4u);
    EXPECT_EQ(ui.Texts(UiCallKind::Message).size(), 1u);
    list.setCurrentRow(0);
    QTest::keyClick(&list, Qt::Key_Delete);
    EXPECT_EQ(list.Rows(), (Rows {"b", "/inserted", "c"}));

    CDirListBox empty;
    QTest::keyClick(&empty, Qt::Key_Delete);
    QTest::keyClick(&empty, Qt::Key_Insert);
    EXPECT_EQ(empty.Rows(), (Rows {"/at/end"}));
}

TEST_F(IncludeDirDialogTest, DoubleClickEditsARowInPlaceOnceEditingIsOn)
{
    CDirListBox list;
    list.SetRows({"/old", "/other"});
    list.resize(300, 200);
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    const QPoint first = list.visualItemRect(list.item(0)).center();
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, first);
    EXPECT_EQ(QApplication::focusWidget(), &list) << "no editor before editing is on";

    list.SetEditing(true);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, first);
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, first);
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, "/new");
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents(); // the view closes its editor later
    EXPECT_EQ(list.Rows(), (Rows {"/new", "/other"}));
    EXPECT_EQ(list.currentRow(), 0);
}
