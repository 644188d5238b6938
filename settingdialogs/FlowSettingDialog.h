#pragma once

#include "FlowSettingForm.h"
#include "VisualSettingDialog.h"

class CFlowPreviewView;

// "Flow View Visual Setting": the flow chart's colours, shared by its three
// zoom levels, and per level whether texts show, the box sizes and spaces,
// the arrow size, the explanation type and five fonts. The preview shows one
// level at a time, chosen in the list above it; that level's group is marked
// "(*)". A level's fonts and explanation list are enabled only while its
// "Show Text" is checked. Themes are ".fcx" files.
class CDialogFlowSetting : public CVisualSettingDialog {
    Q_OBJECT
public:
    explicit CDialogFlowSetting(COptions& options, QWidget* parent = nullptr,
        std::string userColorFolder = {}, std::string programColorFolder = {});
    ~CDialogFlowSetting() override;

    // The record the dialog edits: filled by the caller before the run,
    // read back after OK.
    CFlowSetting& Setting() { return form.working; }
    CFlowPreviewView* FlowPreview() const;

    FlowSettingForm form;

protected:
    CPreviewView* CreatePreview() override;
    void GiveSetting() override;
    void AfterFill() override;
    void AfterPreview() override;

private:
    void OnShowText(size_t level);
    void OnSelectPreviewRatio();
};
