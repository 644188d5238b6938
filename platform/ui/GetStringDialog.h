#pragma once

#include "Dialog.h"

#include <string>

// "Input Name": asks for a name (edit 1049); OK with an empty edit shows
// language text 211 and keeps the dialog open.
class CDialogGetString : public CDialog {
    Q_OBJECT
public:
    static constexpr int IDC_NAME = 1049;

    explicit CDialogGetString(QWidget* parent = nullptr);
    // The name typed, after OK.
    const std::string& Result() const { return result_; }

protected:
    void OnOK() override;

private:
    std::string result_;
};
