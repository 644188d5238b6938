#pragma once

#include "FlowSetting.h"
#include "SettingForm.h"

#include <array>

// The controls of the flow chart's Visual Setting dialog and the fields of
// CFlowSetting they write. Every change asks for a new layout.
class FlowSettingForm : public SettingForm {
public:
    // The controls of one zoom level.
    struct LevelControls {
        int showText;
        int group; // the level's group box
        int markedGroup; // the same box marked as the one the preview shows
        std::array<int, 15> fontControls; // five rows of face, bold, size
        int explain;
    };
    static constexpr int IDC_PREVIEW_RATIO = 1068;
    static const std::array<LevelControls, 3>& Levels();
    // The controls "Show Text" of a level enables: its fonts and its
    // explanation list.
    static std::vector<int> TextControls(const LevelControls& level);

    FlowSettingForm();

    void TakeSnapshot() override { snapshot = working; }
    void RestoreSnapshot() override { working = snapshot; }
    std::vector<std::string> ThemeExtensions() const override { return {"fcx"}; }
    bool LoadTheme(const std::string& path) override;
    bool SaveTheme(const std::string& path) const override;
    int ThemeFailureText() const override { return 208; }

    // The level of a zoom (1, 4 or 16).
    CFlowLayout& Level(size_t index);

    CFlowSetting working;
    CFlowSetting snapshot;
};
