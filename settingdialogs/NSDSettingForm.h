#pragma once

#include "NSDSetting.h"
#include "SettingForm.h"

// The controls of the Nassi-Shneiderman diagram's Visual Setting dialog and
// the fields of CNSDSetting they write. Colours and shading only repaint the
// preview; fonts, numbers and "Show Title" (which the layout measures) lay it
// out again. The two title margins have no control: only a theme or the
// snapshot changes them.
class NSDSettingForm : public SettingForm {
public:
    NSDSettingForm();

    void TakeSnapshot() override { snapshot = working; }
    void RestoreSnapshot() override { working = snapshot; }
    std::vector<std::string> ThemeExtensions() const override { return {"ncx"}; }
    bool LoadTheme(const std::string& path) override;
    bool SaveTheme(const std::string& path) const override;
    int ThemeFailureText() const override { return 210; }

    CNSDSetting working;
    CNSDSetting snapshot;
};
