#include "SelectViewDialog.h"

#include "LanguageTable.h"
#include "XPGroupBox.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

CDialogSelectView::CDialogSelectView(QWidget* parent) : CDialog(parent)
{
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    group_ = new CXPGroupBox("Select View", this);
    Bind(IDC_GROUP, group_);
    auto* macro = Make<QPushButton>(IDC_MACRO, "&Macro-view");
    auto* detail = Make<QPushButton>(IDC_DETAIL, "&Detail-view\n(Flow, Sequence,\nMulti-Seq.)");
    for (QPushButton* button : {macro, detail})
        button->setMinimumSize(120, 70);
    auto* choices = new QHBoxLayout(group_);
    choices->setContentsMargins(12, 28, 12, 12);
    choices->addWidget(macro);
    choices->addWidget(detail);
    connect(macro, &QPushButton::clicked, this, [this] { Choose(macro_, 1); });
    connect(detail, &QPushButton::clicked, this, [this] { Choose(detail_, 0); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Make<QPushButton>(IDCANCEL, "Close(&C)"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group_);
    layout->addLayout(buttons);
}

void CDialogSelectView::SetSizes(CSize macro, CSize detail)
{
    macro_ = macro;
    detail_ = detail;
}

bool CDialogSelectView::OnInitDialog()
{
    setWindowTitle(QString::fromUtf8(GetLangString(mode == 1 ? 52 : 53)));
    group_->SetHeaderStyle(0);
    group_->SetBackgroundColor(RGB(255, 255, 255));
    return true;
}

void CDialogSelectView::Choose(CSize size, int choice)
{
    if (!HasPicture(size)) {
        Ui().MessageBox(GetLangString(51), MessageButtons::Ok, MessageIcon::Information);
        return;
    }
    chosenView = choice;
    EndDialog(IDOK);
}
