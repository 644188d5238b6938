#pragma once

#include "Dialog.h"

class QProgressBar;

// The modeless "Loading Progress" box with one progress bar (control 1130).
// Its users set the bar's range and position and show and hide it.
class CDialogProgress : public CDialog {
    Q_OBJECT
public:
    static constexpr int IDC_PROGRESS = 1130;

    explicit CDialogProgress(QWidget* parent = nullptr);
    QProgressBar* Bar() const { return bar_; }

private:
    QProgressBar* bar_;
};
