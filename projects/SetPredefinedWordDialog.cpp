#include "SetPredefinedWordDialog.h"

#include "LanguageTable.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

CDialogSetPredefinedWord::CDialogSetPredefinedWord(WordRow row, QWidget* parent)
    : CDialog(parent), row_(std::move(row))
{
    setWindowTitle("Set Predefined Word");
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel("Defined Word", this), 0, 0);
    grid->addWidget(Make<QLineEdit>(IDC_WORD), 1, 0);
    grid->addWidget(new QLabel("Value", this), 0, 1);
    grid->addWidget(Make<QLineEdit>(IDC_VALUE), 1, 1);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    AddOkCancel(buttons);
    grid->addLayout(buttons, 2, 0, 1, 2);
    resize(380, 110);
}

bool CDialogSetPredefinedWord::CheckWord(const std::string& word)
{
    if (const int problem = PredefinedWordLists::WordProblem(word)) {
        Ui().MessageBox(GetLangString(problem), MessageButtons::Ok, MessageIcon::Warning);
        return false;
    }
    return true;
}

std::optional<int32_t> CDialogSetPredefinedWord::CheckValue(const std::string& text)
{
    const std::optional<int32_t> value = PredefinedWordLists::ParseValue(text);
    if (!value)
        Ui().MessageBox("Please enter an integer between -2147483648 and 2147483647.",
            MessageButtons::Ok, MessageIcon::Warning);
    return value;
}

bool CDialogSetPredefinedWord::OnInitDialog()
{
    SetItemText(IDC_WORD, row_.first);
    SetItemText(IDC_VALUE, std::to_string(row_.second));
    return true;
}

void CDialogSetPredefinedWord::OnOK()
{
    const std::string word = GetItemText(IDC_WORD);
    if (!CheckWord(word)) {
        Item(IDC_WORD)->setFocus();
        return;
    }
    const std::optional<int32_t> value = CheckValue(GetItemText(IDC_VALUE));
    if (!value) {
        Item(IDC_VALUE)->setFocus();
        return;
    }
    row_ = {word, *value};
    EndDialog(IDOK);
}
