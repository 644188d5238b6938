#pragma once

#include "ElementStyleTable.h"
#include "SettingForm.h"
#include "VisualSetting.h"

// What the macro view draws with: fonts and colours per element kind.
struct MacroSettingPair {
    CVisualSetting fonts;
    ElementStyleTable styles;
};

// The controls of the macro view's Visual Setting dialog: a row of font and
// colours per element kind (the row "Unknown" is the default entry, which
// kinds without an entry of their own also use), the marks of functions and
// methods, and the global values. Fonts, unit space and grouping lay the
// preview out again; everything else only repaints it. Themes are read from
// ".cif" (text) files first, then ".mcx" (XML) files, and written as ".mcx".
class MacroSettingForm : public SettingForm {
public:
    // The kinds of the element rows, top to bottom; 0 is the default entry.
    static constexpr int kUnknownRow = 0;

    // The working pair starts with the macro view's built-in values.
    MacroSettingForm();

    void TakeSnapshot() override;
    void RestoreSnapshot() override;
    std::vector<std::string> ThemeExtensions() const override { return {"cif", "mcx"}; }
    std::string ThemeWriteExtension() const override { return "mcx"; }
    bool LoadTheme(const std::string& path) override;
    bool SaveTheme(const std::string& path) const override;
    int ThemeFailureText() const override { return 208; }

    MacroSettingPair working;
    MacroSettingPair snapshot;
};
