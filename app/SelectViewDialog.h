#pragma once

#include "Dialog.h"
#include "GdiTypes.h"

class CXPGroupBox;

// Chooses the view to print or preview: "&Macro-view" (button 3) or the
// detail view (button 1197). A view whose picture is at most 10 by 10 units
// (nothing drawn) cannot be chosen: language text 51, and the chooser stays.
class CDialogSelectView : public CDialog {
    Q_OBJECT
public:
    static constexpr int IDC_MACRO = 3;
    static constexpr int IDC_GROUP = 1188;
    static constexpr int IDC_DETAIL = 1197;

    explicit CDialogSelectView(QWidget* parent = nullptr);

    void SetSizes(CSize macro, CSize detail);
    // 1 Print, 0 Print Preview; set before running.
    int mode = 0;
    // After OK: 1 the macro view, 0 the detail view.
    int chosenView = 1;

    // Whether a picture of this size can be printed.
    static bool HasPicture(CSize size) { return size.cx > 10 || size.cy > 10; }

protected:
    bool OnInitDialog() override;

private:
    void Choose(CSize size, int choice);

    CSize macro_;
    CSize detail_;
    CXPGroupBox* group_;
};
