#pragma once

#include "MacroSettingForm.h"
#include "VisualSettingDialog.h"

class CMacroPreviewView;

// "Macro View Visual Setting": the macro view's font and colours per element
// kind, the marks of functions with content and of public, protected and
// private methods, and its global values. The preview repaints at once.
// Themes are read from ".cif" and ".mcx" files and written as ".mcx".
class CDialogMacroSetting : public CVisualSettingDialog {
    Q_OBJECT
public:
    explicit CDialogMacroSetting(COptions& options, QWidget* parent = nullptr,
        std::string userColorFolder = {}, std::string programColorFolder = {});
    ~CDialogMacroSetting() override;

    CVisualSetting& Fonts() { return form.working.fonts; }
    ElementStyleTable& Style() { return form.working.styles; }
    CMacroPreviewView* MacroPreview() const;

    MacroSettingForm form;

protected:
    CPreviewView* CreatePreview() override;
    void GiveSetting() override;
};
