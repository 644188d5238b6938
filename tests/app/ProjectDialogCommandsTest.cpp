#include "AppFixture.h"
#include "CommandIds.h"
#include "LanguageTable.h"
#include "Options.h"
#include "PredefinedWordDialog.h"

#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

// Adds a project word in the predefined-word dialog and presses OK.
UiReply AddProjectWord(const std::string& word)
{
    return UiReply::Dialog([word](QDialog& d) {
        auto& dialog = static_cast<CDialogPredefinedWord&>(d);
        dialog.SetItemText(CDialogPredefinedWord::IDC_PROJECT_WORD, word);
        dialog.SetItemText(CDialogPredefinedWord::IDC_PROJECT_VALUE, "2");
        dialog.ItemAs<QPushButton>(CDialogPredefinedWord::IDC_PROJECT_ADD)->click();
        dialog.ItemAs<QPushButton>(IDOK)->click();
        return dialog.result();
    });
}

} // namespace

TEST(ProjectDialogCommandsTest, RefusedDuringADrawAndProjectWordsMarkTheProject)
{
    RunningApp program;
    CommandRegistry& commands = program.Frame().Commands();
    UiRecorder ui;
    program.context->drawRunning = true;
    for (int id : {ID_OPTION_DIRECTORY, ID_OPTION_PREDEFINED, ID_SYSTEM_INFO})
        commands.Execute(id);
    EXPECT_EQ(ui.Texts(UiCallKind::Message), std::vector<std::string>(3, GetLangString(18)));
    EXPECT_TRUE(ui.Texts(UiCallKind::Dialog).empty());
    program.context->drawRunning = false;
    ui.calls.clear();

    ui.Reply(UiReply::Accept()).Reply(UiReply::Accept()).Reply(AddProjectWord("LIB"));
    commands.Execute(ID_OPTION_DIRECTORY);
    commands.Execute(ID_SYSTEM_INFO);
    EXPECT_FALSE(program.Doc().IsModified());
    commands.Execute(ID_OPTION_PREDEFINED);
    EXPECT_EQ(ui.Texts(UiCallKind::Dialog),
        (std::vector<std::string> {
            "Include File Directory", "System Information", "Predefined Word"}));
    EXPECT_EQ(program.context->Options().projectWords.at("LIB"), 2);
    EXPECT_TRUE(program.Doc().IsModified());
}
