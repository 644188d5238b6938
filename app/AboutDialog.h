#pragma once

#include "Dialog.h"

class CHyperLink;

// "About Kestrin": the program's version (read-only edit 1056), its web page
// (link 1021) and support address (link 1022), a picture and the notices.
class CDialogAbout : public CDialog {
    Q_OBJECT
public:
    static constexpr int IDC_SUPPORT_LINK = 1022;
    static constexpr int IDC_HOME_LINK = 1021;
    static constexpr int IDC_VERSION = 1056;

    explicit CDialogAbout(QWidget* parent = nullptr);

protected:
    bool OnInitDialog() override;

private:
    CHyperLink* home_;
    CHyperLink* support_;
};
