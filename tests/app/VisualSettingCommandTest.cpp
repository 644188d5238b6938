#include "AppFixture.h"

#include "AppContext.h"
#include "ColorComboBox.h"
#include "CommandIds.h"
#include "Dialog.h"
#include "DetailView.h"
#include "LanguageTable.h"
#include "TotalView.h"

#include <QComboBox>
#include <gtest/gtest.h>

namespace {

// Works the dialog the command opens: picks "lime" in the colour list `id`,
// then ends it with OK or Cancel.
UiReply PickLime(int id, bool ok)
{
    return UiReply::Dialog([id, ok](QDialog& dialog) {
        auto* list = static_cast<CDialog&>(dialog).ItemAs<CColorComboBox>(id);
        list->SelectColor(0x00FF00);
        emit list->activated(list->currentIndex());
        if (ok)
            dialog.accept();
        else
            dialog.reject();
        return dialog.result();
    });
}

TEST(VisualSettingCommand, OkHandsTheEditedCopyToTheViewAndCancelNothing)
{
    RunningApp program;
    ASSERT_TRUE(program.started);
    CMainFrame& frame = program.Frame();
    UiRecorder ui;
    const COLORREF background = frame.DetailView()->FlowSetting().BackGroundColor;

    ui.Reply(PickLime(1104, false));
    frame.Commands().Execute(ID_FLOW_VISUAL_SETTING);
    EXPECT_EQ(frame.DetailView()->FlowSetting().BackGroundColor, background);

    ui.Reply(PickLime(1104, true)).Reply(PickLime(1094, true)).Reply(PickLime(1138, true));
    ui.Reply(PickLime(1094, true));
    frame.Commands().Execute(ID_FLOW_VISUAL_SETTING);
    frame.Commands().Execute(ID_NSD_VISUAL_SETTING);
    frame.Commands().Execute(ID_SEQUENCE_VISUAL_SETTING);
    frame.Commands().Execute(ID_MACRO_VISUAL_SETTING);
    EXPECT_EQ(ui.Texts(UiCallKind::Dialog),
        (std::vector<std::string> {"Flow View Visual Setting", "Flow View Visual Setting",
            "NSD Visual Setting", "Sequence View Visual Setting", "Macro View Visual Setting"}));
    EXPECT_EQ(frame.DetailView()->FlowSetting().BackGroundColor, 0x00FF00u);
    EXPECT_EQ(frame.DetailView()->NSDSetting().BackGroundColor, 0x00FF00u);
    EXPECT_EQ(frame.DetailView()->SequenceSetting().BackGroundColor, 0x00FF00u);
    EXPECT_EQ(frame.MacroView()->Style().BackGroundColor, 0x00FF00u);
}

TEST(VisualSettingCommand, RefusedWhileADrawRuns)
{
    RunningApp program;
    ASSERT_TRUE(program.started);
    UiRecorder ui;
    program.context->drawRunning = true;
    EXPECT_FALSE(program.Frame().Commands().IsEnabled(ID_NSD_VISUAL_SETTING));
    program.Frame().Commands().Execute(ID_NSD_VISUAL_SETTING);
    program.context->drawRunning = false;
    EXPECT_TRUE(ui.Texts(UiCallKind::Dialog).empty());
}

} // namespace
