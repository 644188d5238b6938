#pragma once

#include "SequenceSettingForm.h"
#include "VisualSettingDialog.h"

class CSequencePreviewView;

// "Sequence View Visual Setting": the sequence diagram's background,
// shading, the colours of arrows, objects, caller texts and called entries,
// three fonts and twelve placement numbers. Every change lays the preview
// out again. Themes are ".scx" files.
class CDialogSequenceSetting : public CVisualSettingDialog {
    Q_OBJECT
public:
    explicit CDialogSequenceSetting(COptions& options, QWidget* parent = nullptr,
        std::string userColorFolder = {}, std::string programColorFolder = {});
    ~CDialogSequenceSetting() override;

    CSequenceSetting& Setting() { return form.working; }
    CSequencePreviewView* SequencePreview() const;

    SequenceSettingForm form;

protected:
    CPreviewView* CreatePreview() override;
    void GiveSetting() override;
};
