#pragma once

#include "NSDSettingForm.h"
#include "VisualSettingDialog.h"

class CNSDPreviewView;

// "NSD Visual Setting": the Nassi-Shneiderman diagram's background,
// shading, title, exception colour, a font and colours per block kind, and
// its start position, sizes and margins. The preview repaints at once.
// Themes are ".ncx" files.
class CDialogNSDSetting : public CVisualSettingDialog {
    Q_OBJECT
public:
    explicit CDialogNSDSetting(COptions& options, QWidget* parent = nullptr,
        std::string userColorFolder = {}, std::string programColorFolder = {});
    ~CDialogNSDSetting() override;

    CNSDSetting& Setting() { return form.working; }
    CNSDPreviewView* NSDPreview() const;

    NSDSettingForm form;

protected:
    CPreviewView* CreatePreview() override;
    void GiveSetting() override;
};
