#pragma once

#include "SequenceSetting.h"
#include "SettingForm.h"

// The controls of the sequence diagram's Visual Setting dialog and the
// fields of CSequenceSetting they write. Every change asks for a new layout.
class SequenceSettingForm : public SettingForm {
public:
    SequenceSettingForm();

    void TakeSnapshot() override { snapshot = working; }
    void RestoreSnapshot() override { working = snapshot; }
    std::vector<std::string> ThemeExtensions() const override { return {"scx"}; }
    bool LoadTheme(const std::string& path) override;
    bool SaveTheme(const std::string& path) const override;
    int ThemeFailureText() const override { return 210; }

    CSequenceSetting working;
    CSequenceSetting snapshot;
};
