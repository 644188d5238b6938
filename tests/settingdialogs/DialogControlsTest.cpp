#include "ColorComboBox.h"
#include "DetailPreviewView.h"
#include "DialogFixture.h"
#include "FlowSettingDialog.h"
#include "LanguageTable.h"
#include "MacroPreviewView.h"
#include "MacroSettingDialog.h"
#include "ModelScope.h"
#include "ProgramFolder.h"
#include "NSDSettingDialog.h"
#include "SequenceSettingDialog.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <set>
#include <QTest>

namespace {

using DialogControlsTest = DialogFixture;
using Strings = std::vector<std::string>;

// Types into a field as the user does, after selecting all of its text.
void TypeOver(QLineEdit* edit, const char* text)
{
    edit->selectAll();
    if (*text == '\0')
        QTest::keyClick(edit, Qt::Key_Backspace);
    else
        QTest::keyClicks(edit, text);
}

TEST_F(DialogControlsTest, NumberFieldsTakeOneToThousand)
{
    CDialogFlowSetting dialog(options);
    dialog.Setting().Ratio1x.XSize = 40;
    Open(dialog);
    auto* edit = dialog.ItemAs<QLineEdit>(1129);
    const std::string refused = GetLangString(302);

    TypeOver(edit, "");
    EXPECT_EQ(ui.Texts(UiCallKind::Message), Strings {refused});
    EXPECT_EQ(edit->text().toStdString(), "40");

    TypeOver(edit, "1000");
    EXPECT_EQ(dialog.Setting().Ratio1x.XSize, 1000);
    // The fourth key makes 10001 from 1000: refused, 1000 goes back.
    QTest::keyClick(edit, Qt::Key_1);
    EXPECT_EQ(dialog.Setting().Ratio1x.XSize, 1000);
    EXPECT_EQ(edit->text().toStdString(), "1000");
    TypeOver(edit, "0");
    EXPECT_EQ(ui.Texts(UiCallKind::Message).size(), 3u);
    EXPECT_EQ(dialog.Setting().Ratio1x.XSize, 1000);

    // A paste over a selection is one change of the whole text.
    QApplication::clipboard()->setText("25");
    edit->setSelection(1, 2); // "1[00]0"
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(ui.Texts(UiCallKind::Message).size(), 4u); // 1250 is refused
    EXPECT_EQ(edit->text().toStdString(), "1000");
    edit->setSelection(0, 4);
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(dialog.Setting().Ratio1x.XSize, 25);
    EXPECT_EQ(ui.Texts(UiCallKind::Message).size(), 4u);
}

TEST_F(DialogControlsTest, FaceListsOfferStorableFacesInListOrderAndKeepSizeAndBold)
{
    options.fontNames = {"Zeta", "arial", "Beta", std::string(40, 'x')};
    CDialogFlowSetting dialog(options);
    dialog.Setting().Ratio4x.StartEndFont.Create("ARIAL", 11, 1);
    dialog.Setting().Ratio4x.LoopFont.Create("Missing", 9, 0);
    Open(dialog);
    EXPECT_EQ(Rows(dialog, 1078), (Strings {"arial", "Beta", "Zeta"}));
    EXPECT_EQ(dialog.GetCurSel(1078), 0); // the face whatever its case
    EXPECT_EQ(dialog.GetCurSel(1176), -1); // a face not installed

    Pick(dialog, 1078, 2);
    const CFontHolder& font = dialog.Setting().Ratio4x.StartEndFont;
    EXPECT_EQ(font.faceName, "Zeta");
    EXPECT_EQ(font.size, 11);
    EXPECT_EQ(font.bold, 1);
}

TEST_F(DialogControlsTest, NumberListsTakePicksAndTypingWithoutAddingRows)
{
    CDialogNSDSetting dialog(options);
    Open(dialog);
    auto* list = dialog.ItemAs<QComboBox>(1120); // "Loop Width"
    Pick(dialog, 1120, 49);
    EXPECT_EQ(dialog.Setting().LoopWidth, 50);

    TypeOver(list->lineEdit(), "777");
    QTest::keyClick(list->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(dialog.Setting().LoopWidth, 777);
    EXPECT_EQ(list->count(), 50);

    TypeOver(list->lineEdit(), "1001");
    EXPECT_EQ(dialog.Setting().LoopWidth, 100);
    EXPECT_EQ(ui.Texts(UiCallKind::Message), Strings {GetLangString(302)});
    EXPECT_EQ(list->currentText().toStdString(), "100");
    EXPECT_EQ(list->count(), 50);
}

TEST_F(DialogControlsTest, ColoursRepaintAndFontsLayOutAgain)
{
    CDialogNSDSetting dialog(options);
    Open(dialog);
    CNSDPreviewView* preview = dialog.NSDPreview();
    ASSERT_NE(preview->Function(), nullptr);
    const int layouts = preview->LayoutCount();
    ASSERT_GT(layouts, 0);

    Pick(dialog, 1209, 5); // "General" background
    EXPECT_EQ(preview->LayoutCount(), layouts);
    Pick(dialog, 1206, 10); // "General" font size
    EXPECT_EQ(preview->LayoutCount(), layouts + 1);
    EXPECT_EQ(dialog.Setting().ProcessFont.size, 16);

    // A theme, and "Current", lay the preview out once each.
    Pick(dialog, 1126, 0);
    EXPECT_EQ(preview->LayoutCount(), layouts + 2);
    EXPECT_EQ(dialog.Setting().ProcessFont.size, CNSDSetting().ProcessFont.size);
}

TEST_F(DialogControlsTest, TwoChangesBeforeARepaintLayOutOnce)
{
    CDialogFlowSetting dialog(options);
    Open(dialog);
    const int layouts = dialog.FlowPreview()->LayoutCount();
    Pick(dialog, 1156, 3); // 1x "Start End" size
    Pick(dialog, 1072, 9); // 1x arrow size
    QApplication::processEvents();
    EXPECT_EQ(dialog.FlowPreview()->LayoutCount(), layouts + 1);
    EXPECT_EQ(dialog.Setting().Ratio1x.StartEndFont.size, 9);
    EXPECT_EQ(dialog.Setting().Ratio1x.ArrowSize, 9);
}

TEST_F(DialogControlsTest, PreviewRatioMarksItsLevelAndChangesNoField)
{
    CDialogFlowSetting dialog(options);
    const std::string before = dialog.Setting().Ratio16x.StartEndFont.faceName;
    Open(dialog);
    auto title = [&dialog](int id) { return dialog.ItemAs<QGroupBox>(id)->title().toStdString(); };
    EXPECT_EQ(dialog.FlowPreview()->Zoom(), 1);
    EXPECT_EQ(title(1170), "1x(*)");

    Pick(dialog, FlowSettingForm::IDC_PREVIEW_RATIO, 2);
    EXPECT_EQ(dialog.FlowPreview()->Zoom(), 16);
    EXPECT_EQ((Strings {title(1170), title(1171), title(1178)}), (Strings {"1x", "4x", "16x(*)"}));
    QApplication::processEvents();
    EXPECT_EQ(dialog.FlowPreview()->Diagram()->Zoom(), 16);
    EXPECT_EQ(dialog.Setting().Ratio16x.StartEndFont.faceName, before);
}

TEST_F(DialogControlsTest, ShowTextEnablesExactlyItsLevelsTextControls)
{
    CDialogFlowSetting dialog(options);
    dialog.Setting().Ratio1x.ShowText = 0;
    Open(dialog);
    // The widgets disabled themselves (not through a disabled parent).
    auto disabled = [&dialog] {
        std::set<QWidget*> widgets;
        for (QWidget* w : dialog.findChildren<QWidget*>()) {
            if (w->testAttribute(Qt::WA_ForceDisabled))
                widgets.insert(w);
        }
        return widgets;
    };
    std::set<QWidget*> textControls;
    for (int id : FlowSettingForm::TextControls(FlowSettingForm::Levels()[0]))
        textControls.insert(dialog.Item(id));
    ASSERT_EQ(textControls.size(), 16u);
    EXPECT_EQ(disabled(), textControls);

    dialog.ItemAs<QCheckBox>(1135)->click();
    EXPECT_EQ(dialog.Setting().Ratio1x.ShowText, 1);
    EXPECT_TRUE(disabled().empty());

    dialog.ItemAs<QCheckBox>(1135)->click();
    EXPECT_EQ(dialog.Setting().Ratio1x.ShowText, 0);
    EXPECT_EQ(disabled(), textControls);
}

TEST_F(DialogControlsTest, AColourChangeReachesEveryMacroBox)
{
    CDialogMacroSetting dialog(options);
    dialog.Style().HighColorShading = 0;
    Open(dialog);
    CMacroPreviewView* preview = dialog.MacroPreview();
    preview->setFixedSize(900, 900);
    preview->RedrawNow();
    const int layouts = preview->LayoutCount();

    const COLORREF green = 0x00FF00; // "lime"
    auto* list = dialog.ItemAs<CColorComboBox>(1099); // "Function" background
    list->SelectColor(green);
    emit list->activated(list->currentIndex());
    EXPECT_EQ(preview->LayoutCount(), layouts);
    const QImage picture = preview->viewport()->grab().toImage();

    int functions = 0;
    std::function<void(const std::vector<MacroLayoutNode>&)> check =
        [&](const std::vector<MacroLayoutNode>& nodes) {
            for (const MacroLayoutNode& node : nodes) {
                if (node.scope != nullptr && node.scope->kind == 18 && node.children.empty()) {
                    ++functions;
                    const QColor pixel = picture.pixelColor(node.absX + 2, node.absY + 2);
                    EXPECT_EQ(pixel, QColor(0, 255, 0)) << node.scope->name;
                }
                check(node.children);
            }
        };
    check(preview->Nodes());
    EXPECT_GE(functions, 5); // the methods, and CountPlants in its group
}

TEST_F(DialogControlsTest, APreviewWithoutItsSampleDrawsOnlyTheBackground)
{
    TempFolder program;
    SetAppDirectory(program.Path());
    CFlowSetting setting;
    setting.BackGroundColor = 0x0000FF;
    CFlowPreviewView preview(options);
    preview.Refresh();
    preview.SetSetting(&setting);
    preview.resize(200, 200);
    const QImage picture = preview.viewport()->grab().toImage();
    SetAppDirectory("");
    EXPECT_EQ(preview.Function(), nullptr);
    EXPECT_EQ(picture.pixelColor(50, 50), QColor(255, 0, 0));
}

TEST_F(DialogControlsTest, APaintWhileUpdatingDrawsOnlyTheBackground)
{
    CSequenceSetting setting;
    setting.BackGroundColor = 0x00FFFF;
    CSequencePreviewView preview(options);
    preview.Refresh();
    ASSERT_NE(preview.Function(), nullptr);
    EXPECT_EQ(preview.Function()->name, "Measure");
    preview.SetSetting(&setting);
    preview.resize(300, 300);
    preview.updating = true;
    const QImage blank = preview.viewport()->grab().toImage();
    EXPECT_EQ(preview.LayoutCount(), 0);
    EXPECT_EQ(blank.pixelColor(10, 10), QColor(255, 255, 0));
    preview.updating = false;
    preview.viewport()->grab();
    EXPECT_EQ(preview.LayoutCount(), 1);
}

} // namespace
