#include "AppFixture.h"

#include "CheckListRows.h"
#include "CodeWindow.h"
#include "CommandIds.h"
#include "ExternalEditor.h"
#include "InputSet.h"
#include "LanguageTable.h"
#include "Options.h"
#include "PowerListView.h"
#include "ProgramFolder.h"
#include "ProjectInfoDialog.h"
#include "ProjectOptionDialog.h"
#include "TotalView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

void Choose(CDialog& dialog, int id, const QString& text)
{
    auto* combo = dialog.ItemAs<QComboBox>(id);
    const int index = combo->findText(text);
    ASSERT_GE(index, 0) << text.toStdString();
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

void Click(CDialog& dialog, int id)
{
    dialog.ItemAs<QAbstractButton>(id)->click();
}

// The option dialog over options and a code window of the test's own.
struct OptionDialogFixture : testing::Test {
    ScopedConfigFolder config;
    COptions options {config.File("Kestrin.ini"), config.Path()};
    CDialogCode code {options};
    int relayouts = 0;
    CDialogProjectOption dialog {options, code, [this] { ++relayouts; }};
    UiRecorder ui;
};

using D = CDialogProjectOption;

} // namespace

TEST(ProjectOptionValuesTest, FontChoicesKeepWhatTheListsCannotShow)
{
    OptionValues options;
    options.codeFontName = "Courier New";
    options.codeFontSize = 100;
    const CodeFontChoice size = ChooseCodeFont(options, "", 6);
    EXPECT_EQ(size.face, "Courier New") << "a face the list does not hold stays";
    EXPECT_EQ(size.tenths, 120);
    const CodeFontChoice face = ChooseCodeFont(options, "Mono", -1);
    EXPECT_EQ(face.face, "Mono");
    EXPECT_EQ(face.tenths, 100);
    EXPECT_EQ(CodeFontSizeIndex(100), 4);
    EXPECT_EQ(CodeFontSizeIndex(50), -1);
    EXPECT_EQ(CodeFontSizeIndex(330), -1);
}

TEST(ProjectOptionValuesTest, BrowsedProgramsStayOneWordOfTheCommandLine)
{
    EXPECT_EQ(QuoteProgramPath("/usr/bin/gedit"), "/usr/bin/gedit");
    for (const std::string path :
        {"/opt/My Editor/edit", "/opt/a\"b/ed it", "/opt/back\\slash", "/opt/it's"}) {
        const std::vector<std::string> words = SplitCommandLine(QuoteProgramPath(path));
        EXPECT_EQ(words, std::vector<std::string> {path}) << path;
    }
}

TEST_F(OptionDialogFixture, ChangesGoIntoTheOptionsAtOnceAndCancelPutsThemBack)
{
    options.preprocessingSameNameFile = true;
    options.macroViewSort = 1;
    options.codeFontName = "No Such Face";
    dialog.Initialize();
    EXPECT_EQ(dialog.IsItemChecked(D::IDC_SKIP_SAME_FILE), 0);
    EXPECT_EQ(dialog.GetCurSel(D::IDC_FONT_NAME), -1);

    Click(dialog, D::IDC_SKIP_SAME_FILE);
    EXPECT_FALSE(options.preprocessingSameNameFile);
    Choose(dialog, D::IDC_SORT_TYPE, "Name");
    EXPECT_EQ(relayouts, 0) << "the sort the view has already";
    Choose(dialog, D::IDC_SORT_TYPE, "Size");
    EXPECT_EQ(options.macroViewSort, 0);
    EXPECT_EQ(relayouts, 1);
    Choose(dialog, D::IDC_FONT_SIZE, "12");
    EXPECT_EQ(options.codeFontSize, 120);
    EXPECT_EQ(options.codeFontName, "No Such Face") << "the face list showed none";
    EXPECT_EQ(dialog.GetItemText(D::IDC_FONT_SIZE), "12");

    Click(dialog, D::IDC_SHOW_EDIT_BUTTON);
    EXPECT_FALSE(options.codeEditButtonShow);
    EXPECT_FALSE(dialog.Item(D::IDC_EDIT_PROGRAM)->isEnabled());
    EXPECT_FALSE(dialog.Item(D::IDC_BROWSE)->isEnabled());

    Click(dialog, IDCANCEL);
    EXPECT_EQ(dialog.result(), IDCANCEL);
    EXPECT_TRUE(options.preprocessingSameNameFile);
    EXPECT_EQ(options.macroViewSort, 1);
    EXPECT_EQ(options.codeFontSize, 100);
    EXPECT_EQ(options.codeFontName, "No Such Face");
    EXPECT_TRUE(options.codeEditButtonShow);
}

TEST_F(OptionDialogFixture, DefaultAndBrowseAndOk)
{
    options.codeEditProgram = "vi";
    options.codeEditButtonShow = false;
    options.macroViewSort = 0;
    options.codeFontSize = 200;
    dialog.Initialize();
    Click(dialog, D::IDC_DEFAULT);
    const OptionValues fresh;
    EXPECT_EQ(options.codeEditProgram, fresh.codeEditProgram);
    EXPECT_EQ(dialog.GetItemText(D::IDC_EDIT_PROGRAM), fresh.codeEditProgram);
    EXPECT_TRUE(dialog.Item(D::IDC_EDIT_PROGRAM)->isEnabled());
    EXPECT_EQ(dialog.GetItemText(D::IDC_FONT_SIZE), "10");
    EXPECT_EQ(dialog.GetItemText(D::IDC_SORT_TYPE), "Name");
    EXPECT_EQ(options.codeFontName, fresh.codeFontName);
    EXPECT_EQ(relayouts, 1);

    ui.Reply(UiReply::Path("/opt/My Editor/edit"));
    Click(dialog, D::IDC_BROWSE);
    EXPECT_EQ(options.codeEditProgram, "\"/opt/My Editor/edit\"");
    ui.Reply(UiReply::Cancel());
    Click(dialog, D::IDC_BROWSE);
    EXPECT_EQ(options.codeEditProgram, "\"/opt/My Editor/edit\"");

    Click(dialog, IDOK);
    EXPECT_EQ(dialog.result(), IDOK);
    EXPECT_EQ(options.codeEditProgram, "\"/opt/My Editor/edit\"") << "OK keeps the changes";
}

// Enter right after the dialog opens presses OK: the options stay as they
// were set, not reset to their defaults.
TEST_F(OptionDialogFixture, EnterAtOnceIsOk)
{
    options.codeEditProgram = "vi";
    options.macroViewSort = 0;
    QWidget* focus = nullptr;
    ui.Reply(UiReply::Dialog([&](QDialog& d) {
        d.show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&d));
        focus = QApplication::focusWidget();
        QTest::keyClick(focus != nullptr ? focus : &d, Qt::Key_Return);
        return d.result();
    }));
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(options.codeEditProgram, "vi");
    EXPECT_EQ(options.macroViewSort, 0);
    EXPECT_EQ(relayouts, 0);
}

namespace {

// The program with five files in its project, and the information dialog.
struct InfoDialogFixture : testing::Test {
    InfoDialogFixture()
    {
        for (const char* name : {"a.c", "b.c", "c.c", "d.c", "e.c"})
            program.context->Input().AddFile(folder.Write(name, "int x;\n"), true, true);
    }
    CInputSet& Input() { return program.context->Input(); }
    std::string File(const char* name) const { return folder.File(name); }
    const std::vector<CheckListRow>& Rows() { return dialog->List()->Rows().Rows(); }
    void Open()
    {
        dialog = std::make_unique<CDialogProjectInfo>(program.Doc(), program.Frame(), Input());
        dialog->Initialize();
    }

    TempFolder folder;
    RunningApp program;
    UiRecorder ui;
    std::unique_ptr<CDialogProjectInfo> dialog;
};

using I = CDialogProjectInfo;

} // namespace

TEST_F(InfoDialogFixture, ColumnButtonsAndOkWriteTheFlagsBack)
{
    Input().fileFlags[File("b.c")].draw = false;
    Open();
    ASSERT_EQ(Rows().size(), 5u);
    EXPECT_EQ(Rows()[1].path, File("b.c"));
    EXPECT_FALSE(Rows()[1].draw);
    EXPECT_EQ(dialog->List()->Rows().displayMode, 0) << "names only at first";
    Click(*dialog, I::IDC_PATH);
    EXPECT_EQ(dialog->List()->Rows().displayMode, 1);

    Click(*dialog, I::IDC_ANALYSIS_ALL);
    EXPECT_FALSE(dialog->List()->AllAnalysisChecked() || Rows()[0].analyse);
    Click(*dialog, I::IDC_ANALYSIS_ALL);
    EXPECT_TRUE(dialog->List()->AllAnalysisChecked());
    Click(*dialog, I::IDC_DRAW_ALL);
    EXPECT_TRUE(dialog->List()->AllDrawChecked()) << "one was clear: all get checked";
    EXPECT_FALSE(Input().fileFlags[File("b.c")].draw) << "nothing goes back before OK";

    Click(*dialog, IDOK);
    EXPECT_TRUE(dialog->Changed());
    EXPECT_TRUE(Input().fileFlags[File("b.c")].draw);

    Open();
    Click(*dialog, IDOK);
    EXPECT_FALSE(dialog->Changed()) << "OK without changes";
}

// OK builds the model again from the parse results when a flag changed: a
// file no longer drawn leaves the macro view at once. OK without changes
// leaves the model alone.
TEST_F(InfoDialogFixture, OkRebuildsTheModelOnlyWhenAFlagChanged)
{
    Input().AddFile(folder.Write("fern.c", "struct Fern { int frond; };\n"), true, true);
    program.Frame().Commands().Execute(ID_DRAW);
    ASSERT_TRUE(WaitFor([this] { return !program.context->drawRunning; }));
    CTotalView& view = *program.Frame().MacroView();
    view.RedrawNow();
    ASSERT_NE(FindNode(view.Nodes(), "Fern"), nullptr);
    int resets = 0;
    ModelHolders::Registration holder(program.context->Holders(), "test", [&] { ++resets; });

    Open();
    Click(*dialog, IDOK);
    EXPECT_EQ(resets, 0) << "nothing changed";

    Open();
    ASSERT_EQ(Rows()[5].path, File("fern.c"));
    dialog->List()->EditRows().Rows()[5].draw = false;
    Click(*dialog, IDOK);
    EXPECT_EQ(resets, 1);
    view.RedrawNow();
    EXPECT_EQ(FindNode(view.Nodes(), "Fern"), nullptr);
    EXPECT_NE(FindNode(view.Nodes(), "Global Variable(s)"), nullptr) << "the other files stay";
}

TEST_F(InfoDialogFixture, RemoveAsksWithTheCountAndKeepsTheOtherRows)
{
    Input().fileFlags[File("e.c")].analyse = false;
    Open();
    Click(*dialog, I::IDC_REMOVE);
    EXPECT_TRUE(ui.calls.empty()) << "nothing selected, nothing asked";

    auto& rows = dialog->List()->EditRows();
    for (int i : {0, 2, 3})
        rows.Rows()[static_cast<size_t>(i)].selected = true;
    ui.Reply(UiReply::Answer(Answer::No));
    Click(*dialog, I::IDC_REMOVE);
    EXPECT_EQ(Input().paths.size(), 5u);

    ui.Reply(UiReply::Answer(Answer::Yes));
    Click(*dialog, I::IDC_REMOVE);
    EXPECT_EQ(ui.Texts(UiCallKind::Message).back(), "Remove 3 selected item(s)?");
    EXPECT_EQ(Input().paths, (std::set<std::string> {File("b.c"), File("e.c")}));
    ASSERT_EQ(Rows().size(), 2u);
    EXPECT_FALSE(Rows()[1].analyse);
    EXPECT_TRUE(dialog->Changed());
}

TEST_F(InfoDialogFixture, TheRemoveQuestionIsNeverUsedAsAFormat)
{
    TempFolder texts;
    const std::string file = texts.Write("language.ini", "0205 Drop %s of %d files %n?\n");
    LoadLanguageFileFrom(file);
    Open();
    dialog->List()->SelectAll();
    ui.Reply(UiReply::Answer(Answer::No));
    Click(*dialog, I::IDC_REMOVE);
    LoadLanguageFileFrom(GetAppDirectory() + "/language.ini");
    EXPECT_EQ(ui.Texts(UiCallKind::Message).back(), "Drop %s of 5 files %n?");
}

TEST_F(InfoDialogFixture, AddedFilesJoinAndUncheckedRowsStayUnchecked)
{
    Open();
    dialog->List()->EditRows().Rows()[0].draw = false;
    ui.Reply(UiReply::Paths({folder.Write("f.c", "int f;\n")}));
    Click(*dialog, I::IDC_ADD_FILES);
    ASSERT_EQ(Rows().size(), 6u);
    EXPECT_FALSE(Rows()[0].draw);
    EXPECT_EQ(Rows()[5].path, File("f.c"));
    EXPECT_TRUE(dialog->Changed());

    dialog->DropFiles({folder.Write("g.cpp", "int g;\n")});
    EXPECT_EQ(Rows().size(), 7u) << "dropped files show at once";

    // Closing with Escape writes no flags, but the document still hears of
    // the change.
    ui.Reply(UiReply::Dialog([](QDialog& d) {
        d.reject();
        return d.result();
    }));
    program.Doc().SetModifiedFlag(false);
    program.Frame().Commands().Execute(ID_PROJECT_INFO);
    EXPECT_FALSE(program.Doc().IsModified());
}
