#include "DialogFixture.h"
#include "FlowSettingDialog.h"
#include "LanguageTable.h"
#include "MacroPreviewView.h"
#include "MacroSettingDialog.h"
#include "NSDSettingDialog.h"
#include "SequenceSettingDialog.h"

#include "DetailPreviewView.h"
#include "SettingBytes.h"
#include "TextColorFile.h"
#include "UndeletableFile.h"
#include "XmlColorFiles.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QTest>
#include <regex>

namespace {

using VisualSettingDialogTest = DialogFixture;
using Strings = std::vector<std::string>;

// A record with every value changed, as a caller's live record may be.
CNSDSetting ChangedNSD()
{
    CNSDSetting setting;
    setting.LoopWidth = 77;
    setting.TitleMarginHeight = 9;
    setting.IfColor.background = 0x123456;
    setting.ShowTitle = 0;
    return setting;
}

TEST_F(VisualSettingDialogTest, OkWithoutAChangeHandsBackTheRecordAsGiven)
{
    const CNSDSetting live = ChangedNSD();
    CDialogNSDSetting nsd(options);
    nsd.Setting() = live;
    ui.Reply(UiReply::Accept());
    EXPECT_EQ(nsd.DoModal(), IDOK);
    EXPECT_EQ(Bytes(nsd.Setting()), Bytes(live));

    CFlowSetting flow;
    flow.Ratio4x.ShowText = 0;
    flow.Ratio1x.XSize = 33;
    CDialogFlowSetting flowDialog(options);
    flowDialog.Setting() = flow;
    ui.Reply(UiReply::Accept());
    EXPECT_EQ(flowDialog.DoModal(), IDOK);
    EXPECT_EQ(Bytes(flowDialog.Setting()), Bytes(flow));

    CDialogSequenceSetting sequence(options);
    ui.Reply(UiReply::Accept());
    EXPECT_EQ(sequence.DoModal(), IDOK);
    EXPECT_EQ(Bytes(sequence.Setting()), Bytes(CSequenceSetting()));

    CDialogMacroSetting macro(options);
    const std::string opened = Bytes(macro.Fonts(), macro.Style());
    ui.Reply(UiReply::Accept());
    EXPECT_EQ(macro.DoModal(), IDOK);
    EXPECT_EQ(Bytes(macro.Fonts(), macro.Style()), opened);
}

TEST_F(VisualSettingDialogTest, CancelAndEscapeEndAsCancel)
{
    CDialogSequenceSetting dialog(options);
    ui.Reply(UiReply::Dialog([](QDialog& d) {
        QTest::keyClick(&d, Qt::Key_Escape);
        return d.result();
    }));
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

TEST_F(VisualSettingDialogTest, ThemesCurrentLoadAndCapitals)
{
    CNSDSetting wide;
    wide.LoopWidth = 44;
    wide.TitleMarginHeight = 17; // no control shows it
    ASSERT_TRUE(SaveNSDColorFile(folder.Write("program/Color/Wide.NCX", ""), wide));
    folder.Write("program/Color/.ncx", "");
    folder.Write("user/Color/broken.ncx", "not a colour file");
    CDialogNSDSetting dialog(options, nullptr, UserThemes(), ProgramThemes());
    dialog.Setting() = ChangedNSD();
    Open(dialog);
    EXPECT_EQ(Rows(dialog, 1126), (Strings {"Current", "Wide", "broken"}));

    Pick(dialog, 1126, 1);
    EXPECT_EQ(dialog.Setting().LoopWidth, 44);
    EXPECT_EQ(dialog.Setting().TitleMarginHeight, 17);
    EXPECT_EQ(dialog.GetItemText(1120), "44");

    Pick(dialog, 1126, 0);
    EXPECT_EQ(Bytes(dialog.Setting()), Bytes(ChangedNSD()));
    EXPECT_EQ(dialog.GetItemText(1120), "77");

    ui.calls.clear();
    Pick(dialog, 1126, 2);
    const std::string unreadable = GetLangString(210);
    EXPECT_EQ(ui.Texts(UiCallKind::Message), (Strings {unreadable, unreadable}));
}

// The colour file with every decimal value replaced by the text.
std::string WithEveryNumber(const std::string& text, const std::string& value)
{
    static const std::regex number("=\"-?[0-9]+\"");
    return std::regex_replace(text, number, "=\"" + value + "\"");
}

TEST_F(VisualSettingDialogTest, ThemesOfExtremeNumbersAreShownAndPreviewed)
{
    const MacroPair macroPair;
    for (const std::string value : {"-2147483648", "2147483647"}) {
        const std::string name = "program/Color/" + std::string(value[0] == '-' ? "low" : "high");
        folder.Write(name + ".fcx", WithEveryNumber(Bytes(CFlowSetting()), value));
        folder.Write(name + ".ncx", WithEveryNumber(Bytes(CNSDSetting()), value));
        folder.Write(name + ".scx", WithEveryNumber(Bytes(CSequenceSetting()), value));
        folder.Write(name + ".mcx", WithEveryNumber(Bytes(macroPair), value));
    }
    CDialogFlowSetting flow(options, nullptr, UserThemes(), ProgramThemes());
    CDialogNSDSetting nsd(options, nullptr, UserThemes(), ProgramThemes());
    CDialogSequenceSetting sequence(options, nullptr, UserThemes(), ProgramThemes());
    CDialogMacroSetting macro(options, nullptr, UserThemes(), ProgramThemes());
    // A record handed in may hold any size; its size list then shows none.
    nsd.Setting().TitleFont.Create("Verdana", INT32_MIN, 1);
    auto fontSizes = [&] {
        return std::vector<int32_t> {flow.Setting().Ratio16x.ExplainFont.size,
            nsd.Setting().TitleFont.size, sequence.Setting().CalledFont.size,
            macro.Fonts().defaultFont.size};
    };
    for (CDialog* dialog : std::initializer_list<CDialog*> {&flow, &nsd, &sequence, &macro}) {
        Open(*dialog);
        if (dialog == &nsd) {
            EXPECT_EQ(nsd.GetCurSel(1200), -1);
        }
        ASSERT_EQ(Rows(*dialog, 1126), (Strings {"Current", "high", "low"}));
        Pick(*dialog, 1126, 1);
        QApplication::processEvents(); // the preview lays out and draws the theme
    }
    EXPECT_EQ(fontSizes(), (std::vector<int32_t> {32, 32, 32, 32}));
    for (CDialog* dialog : std::initializer_list<CDialog*> {&flow, &nsd, &sequence, &macro}) {
        Pick(*dialog, 1126, 2);
        QApplication::processEvents();
    }
    EXPECT_EQ(fontSizes(), (std::vector<int32_t> {6, 6, 6, 6}));
    EXPECT_EQ(nsd.GetItemText(1200), "6");
}

TEST_F(VisualSettingDialogTest, AFlowThemeSetsWhichLevelsShowTheirTextControls)
{
    CFlowSetting texts;
    texts.Ratio1x.ShowText = 1;
    texts.Ratio16x.ShowText = 0;
    ASSERT_TRUE(SaveFlowColorFile(folder.Write("program/Color/texts.fcx", ""), texts));
    CDialogFlowSetting dialog(options, nullptr, UserThemes(), ProgramThemes());
    dialog.Setting().Ratio1x.ShowText = 0;
    dialog.Setting().Ratio16x.ShowText = 1;
    Open(dialog);
    auto shown = [&dialog] {
        return std::vector<bool> {dialog.IsItemChecked(1135) == 1, dialog.Item(1076)->isEnabled(),
            dialog.Item(1069)->isEnabled(), dialog.IsItemChecked(1138) == 1,
            dialog.Item(1110)->isEnabled()};
    };
    EXPECT_EQ(shown(), (std::vector<bool> {false, false, false, true, true}));
    Pick(dialog, 1126, 1);
    EXPECT_EQ(shown(), (std::vector<bool> {true, true, true, false, false}));
    Pick(dialog, 1126, 0);
    EXPECT_EQ(shown(), (std::vector<bool> {false, false, false, true, true}));
}

TEST_F(VisualSettingDialogTest, SaveAsListsTheNewThemeBelowCurrent)
{
    folder.Write("program/Color/shipped.fcx", "");
    CDialogFlowSetting dialog(options, nullptr, UserThemes(), ProgramThemes());
    Open(dialog);
    ui.Reply(Name("mine"));
    dialog.ItemAs<QPushButton>(1128)->click();
    EXPECT_EQ(Rows(dialog, 1126), (Strings {"Current", "mine", "shipped"}));
    EXPECT_EQ(dialog.GetCurSel(1126), 1);
    CFlowSetting read;
    read.Ratio1x.XSize = 1;
    ASSERT_TRUE(LoadFlowColorFile(folder.File("user/Color/mine.fcx"), read));
    EXPECT_EQ(Bytes(read), Bytes(dialog.Setting()));

    // Names that exist (in either folder) or cannot be file names are not
    // written; a cancelled prompt does nothing.
    ui.calls.clear();
    ui.Reply(Name("shipped")).Reply(Name("mine")).Reply(Name("a/b")).Reply(UiReply::Cancel());
    for (int i = 0; i < 4; ++i)
        dialog.ItemAs<QPushButton>(1128)->click();
    const std::string exists = GetLangString(207);
    const std::string unusable = GetLangString(215);
    ASSERT_FALSE(unusable.empty());
    EXPECT_EQ(ui.Texts(UiCallKind::Message), (Strings {exists, exists, unusable}));
    EXPECT_EQ(Rows(dialog, 1126), (Strings {"Current", "mine", "shipped"}));
}

TEST_F(VisualSettingDialogTest, SaveAsThatCannotWriteListsNothing)
{
    folder.Write("user", "a file where the folder should be");
    CDialogSequenceSetting dialog(options, nullptr, UserThemes(), ProgramThemes());
    Open(dialog);
    ui.Reply(Name("new"));
    dialog.ItemAs<QPushButton>(1128)->click();
    EXPECT_EQ(Rows(dialog, 1126), Strings {"Current"});
    // The user learns that nothing was written.
    EXPECT_EQ(ui.Texts(UiCallKind::Message),
        Strings {std::string(GetLangString(3)) + ": " + GetLangString(209)});
}

TEST_F(VisualSettingDialogTest, RemoveDeletesTheUsersThemeOnly)
{
    folder.Write("user/Color/mine.scx", "");
    folder.Write("program/Color/shipped.scx", "");
    CDialogSequenceSetting dialog(options, nullptr, UserThemes(), ProgramThemes());
    Open(dialog);
    ASSERT_EQ(Rows(dialog, 1126), (Strings {"Current", "mine", "shipped"}));

    // "Current" is never removed; a cancelled question removes nothing.
    dialog.ItemAs<QPushButton>(1025)->click();
    EXPECT_TRUE(ui.calls.empty());
    dialog.SetCurSel(1126, 1);
    ui.Reply(UiReply::Answer(Answer::Cancel));
    dialog.ItemAs<QPushButton>(1025)->click();
    EXPECT_EQ(ui.Texts(UiCallKind::Message), Strings {"Remove 1 selected item(s)?"});
    EXPECT_TRUE(std::filesystem::exists(folder.File("user/Color/mine.scx")));

    ui.Reply(UiReply::Answer(Answer::Ok));
    dialog.ItemAs<QPushButton>(1025)->click();
    EXPECT_FALSE(std::filesystem::exists(folder.File("user/Color/mine.scx")));
    EXPECT_EQ(Rows(dialog, 1126), (Strings {"Current", "shipped"}));
    EXPECT_EQ(dialog.GetCurSel(1126), 0);

    ui.calls.clear();
    dialog.SetCurSel(1126, 1);
    ui.Reply(UiReply::Answer(Answer::Ok));
    dialog.ItemAs<QPushButton>(1025)->click();
    EXPECT_EQ(ui.Texts(UiCallKind::Message).back(), GetLangString(213));
    EXPECT_TRUE(std::filesystem::exists(folder.File("program/Color/shipped.scx")));
    EXPECT_EQ(Rows(dialog, 1126), (Strings {"Current", "shipped"}));
}

TEST_F(VisualSettingDialogTest, RemoveSaysWhyAThemeStaysListed)
{
    folder.Write("user/Color/same.scx", "");
    folder.Write("program/Color/same.scx", "");
    const std::string mine = folder.Write("user/Color/mine.scx", "");
    CDialogSequenceSetting dialog(options, nullptr, UserThemes(), ProgramThemes());
    Open(dialog);
    ASSERT_EQ(Rows(dialog, 1126), (Strings {"Current", "mine", "same"}));
    auto remove = [&](int row) {
        ui.calls.clear();
        dialog.SetCurSel(1126, row);
        ui.Reply(UiReply::Answer(Answer::Ok));
        dialog.ItemAs<QPushButton>(1025)->click();
        const Strings messages = ui.Texts(UiCallKind::Message);
        return messages.size() == 2 ? messages[1] : std::string("(no message)");
    };

    // The user's copy goes and the program's theme of the name is listed
    // in its place, as it will be the next time.
    EXPECT_EQ(remove(2), GetLangString(214));
    EXPECT_FALSE(std::filesystem::exists(folder.File("user/Color/same.scx")));
    EXPECT_EQ(Rows(dialog, 1126), (Strings {"Current", "mine", "same"}));
    EXPECT_EQ(dialog.GetCurSel(1126), 2);
    // Now it is the program's own.
    EXPECT_EQ(remove(2), GetLangString(213));

    UndeletableFile keep(mine);
    if (!keep.Works())
        GTEST_SKIP() << "no way here to keep a file from being deleted";
    EXPECT_EQ(remove(1), GetLangString(206));
    EXPECT_EQ(Rows(dialog, 1126), (Strings {"Current", "mine", "same"}));
}

TEST_F(VisualSettingDialogTest, MacroThemesReadTextFilesFirst)
{
    CVisualSetting fonts;
    ElementStyleTable text;
    text.BackGroundColor = 0x111111;
    ElementStyleTable xml;
    xml.BackGroundColor = 0x222222;
    ASSERT_TRUE(SaveColorInfoFile(folder.Write("user/Color/both.cif", ""), fonts, text));
    ASSERT_TRUE(SaveMacroColorFile(folder.Write("user/Color/both.mcx", ""), fonts, xml));
    CDialogMacroSetting dialog(options, nullptr, UserThemes(), ProgramThemes());
    Open(dialog);
    ASSERT_EQ(Rows(dialog, 1126), (Strings {"Current", "both", "both"}));
    Pick(dialog, 1126, 2);
    EXPECT_EQ(dialog.Style().BackGroundColor, 0x111111u);

    ui.Reply(UiReply::Answer(Answer::Ok));
    dialog.ItemAs<QPushButton>(1025)->click();
    EXPECT_FALSE(std::filesystem::exists(folder.File("user/Color/both.cif")));
    ASSERT_EQ(Rows(dialog, 1126), (Strings {"Current", "both"}));
    Pick(dialog, 1126, 1);
    EXPECT_EQ(dialog.Style().BackGroundColor, 0x222222u);
    EXPECT_TRUE(ui.Texts(UiCallKind::Message).size() == 1u); // only the question

    // Removed behind the dialog's back: the XML reader says so, then the
    // dialog.
    std::filesystem::remove(folder.File("user/Color/both.mcx"));
    ui.calls.clear();
    Pick(dialog, 1126, 1);
    EXPECT_EQ(ui.Texts(UiCallKind::Message), (Strings {GetLangString(210), GetLangString(208)}));
}

} // namespace
