#pragma once

#include "Dialog.h"
#include "ProjectOptionValues.h"

#include <functional>

class CDialogCode;
class COptions;

// "Project Option": the general options (same-named files, the macro view's
// arrangement and sort, the detail diagram, the code window's font and
// editor). Every change goes into the options at once, so the views follow
// while the dialog is open; Cancel puts back what it found.
class CDialogProjectOption : public CDialog {
    Q_OBJECT
public:
    // `relayout` marks the macro view for a new layout and repaints it.
    CDialogProjectOption(COptions& options, CDialogCode& code, std::function<void()> relayout,
        QWidget* parent = nullptr);

    enum : int {
        IDC_SKIP_SAME_FILE = 1008,
        IDC_PARSE_VC_HEADER = 1011,
        IDC_AUTO_RESIZE = 1012,
        IDC_SHOW_DETAIL = 1013,
        IDC_FIXED_SIZE = 1014,
        IDC_SORT_TYPE = 1068,
        IDC_FONT_NAME = 1069,
        IDC_FONT_SIZE = 1070,
        IDC_EDIT_PROGRAM = 1129,
        IDC_SHOW_EDIT_BUTTON = 1135,
        IDC_BROWSE = 1138,
        IDC_DEFAULT = 1003,
    };

protected:
    bool OnInitDialog() override;
    void OnCancel() override;

private:
    // Shows the options in the controls (opening and Default).
    void ShowOptions();
    void SelectFontLists();
    void OnFontChange();
    void OnShowEditButton();
    void OnBrowse();
    void OnDefault();

    COptions& options_;
    CDialogCode& code_;
    std::function<void()> relayout_;
    ProjectOptionValues found_;
};
