#pragma once

#include "Dialog.h"
#include "PredefinedWordLists.h"

// "Set Predefined Word": edits one word and its value. OK refuses an empty
// or badly beginning word (language texts 102 and 103) and a value that is
// not a whole number within 32 bits, and stays open then.
class CDialogSetPredefinedWord : public CDialog {
    Q_OBJECT
public:
    static constexpr int IDC_WORD = 1031;
    static constexpr int IDC_VALUE = 1032;

    explicit CDialogSetPredefinedWord(WordRow row, QWidget* parent = nullptr);

    // The edited pair after OK.
    const WordRow& Row() const { return row_; }

    // Shows the message that refuses a word or a value; false when refused.
    static bool CheckWord(const std::string& word);
    static std::optional<int32_t> CheckValue(const std::string& text);

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    WordRow row_;
};
