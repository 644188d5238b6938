#include "GetStringDialog.h"

#include "LanguageTable.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CDialogGetString::CDialogGetString(QWidget* parent) : CDialog(parent)
{
    setWindowTitle("Input Name");
    auto* layout = new QVBoxLayout(this);
    auto* edit = Make<QLineEdit>(IDC_NAME);
    edit->setMinimumWidth(240);
    layout->addWidget(edit);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Make<QPushButton>(IDOK, "OK(&O)"));
    buttons->addWidget(Make<QPushButton>(IDCANCEL, "Cancel(&C)"));
    layout->addLayout(buttons);
}

void CDialogGetString::OnOK()
{
    const std::string text = GetItemText(IDC_NAME);
    if (text.empty()) {
        Ui().MessageBox(GetLangString(211), MessageButtons::Ok, MessageIcon::Warning);
        return;
    }
    result_ = text;
    EndDialog(IDOK);
}
