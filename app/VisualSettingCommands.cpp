// The Option menu's four Visual Setting commands: each runs its dialog on a
// copy of the live setting and hands the copy to its view after OK.
#include "MainFrame.h"

#include "AppContext.h"
#include "CommandIds.h"
#include "DetailView.h"
#include "FlowSettingDialog.h"
#include "LanguageTable.h"
#include "MacroSettingDialog.h"
#include "NSDSettingDialog.h"
#include "SequenceSettingDialog.h"
#include "TotalView.h"

void CMainFrame::RegisterVisualSettingCommands()
{
    CommandRegistry& c = commands_;
    // The previews run an analysis of their own, which may not overlap a
    // Draw: the commands are greyed during one and refuse if reached anyway.
    auto refused = [this] {
        if (!context_.drawRunning)
            return false;
        Ui().MessageBox(GetLangString(18), MessageButtons::Ok, MessageIcon::Warning);
        return true;
    };
    c.OnCommand(ID_FLOW_VISUAL_SETTING, [this, refused] {
        if (refused())
            return;
        CDialogFlowSetting dialog(context_.Options(), this);
        dialog.Setting() = detailView_->FlowSetting();
        if (dialog.DoModal() == IDOK)
            detailView_->ApplyFlowSetting(dialog.Setting());
    });
    c.OnCommand(ID_NSD_VISUAL_SETTING, [this, refused] {
        if (refused())
            return;
        CDialogNSDSetting dialog(context_.Options(), this);
        dialog.Setting() = detailView_->NSDSetting();
        if (dialog.DoModal() == IDOK)
            detailView_->ApplyNSDSetting(dialog.Setting());
    });
    c.OnCommand(ID_SEQUENCE_VISUAL_SETTING, [this, refused] {
        if (refused())
            return;
        CDialogSequenceSetting dialog(context_.Options(), this);
        dialog.Setting() = detailView_->SequenceSetting();
        if (dialog.DoModal() == IDOK)
            detailView_->ApplySequenceSetting(dialog.Setting());
    });
    c.OnCommand(ID_MACRO_VISUAL_SETTING, [this, refused] {
        if (refused())
            return;
        CDialogMacroSetting dialog(context_.Options(), this);
        dialog.Fonts() = macroView_->Fonts();
        dialog.Style() = macroView_->Style();
        if (dialog.DoModal() == IDOK)
            macroView_->ApplyMacroSetting(dialog.Fonts(), dialog.Style());
    });
    for (int id : {ID_FLOW_VISUAL_SETTING, ID_NSD_VISUAL_SETTING, ID_SEQUENCE_VISUAL_SETTING,
             ID_MACRO_VISUAL_SETTING})
        c.OnUpdate(id, [this](CommandUpdate& u) { u.Enable(!context_.drawRunning); });
}
