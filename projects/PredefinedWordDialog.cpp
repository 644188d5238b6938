#include "PredefinedWordDialog.h"

#include "Options.h"
#include "SetPredefinedWordDialog.h"
#include "WordListCtrl.h"
#include "XPGroupBox.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CDialogPredefinedWord::CDialogPredefinedWord(COptions& options, QWidget* parent)
    : CDialog(parent), options_(options)
{
    setWindowTitle("Predefined Word");
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MakeGroup(IDC_COMMON_GROUP, "Common Predefined Words", IDC_COMMON_LIST,
        IDC_COMMON_WORD, IDC_COMMON_VALUE, IDC_COMMON_ADD, "&Add", IDC_COMMON_REMOVE, "&Remove"));
    layout->addWidget(MakeGroup(IDC_PROJECT_GROUP, "Active Project Predefined Words",
        IDC_PROJECT_LIST, IDC_PROJECT_WORD, IDC_PROJECT_VALUE, IDC_PROJECT_ADD, "A&dd",
        IDC_PROJECT_REMOVE, "R&emove"));
    common_ = ItemAs<CMyListCtrl>(IDC_COMMON_LIST);
    project_ = ItemAs<CMyListCtrl>(IDC_PROJECT_LIST);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Make<QPushButton>(IDC_DEFAULT, "De&fault"));
    buttons->addStretch();
    buttons->addWidget(Make<QPushButton>(IDOK, "&OK"));
    buttons->addWidget(Make<QPushButton>(IDCANCEL, "&Cancel"));
    layout->addLayout(buttons);
    resize(560, 560);

    OnClicked(IDC_COMMON_ADD, [this] { Add(IDC_COMMON_LIST, IDC_COMMON_WORD, IDC_COMMON_VALUE); });
    OnClicked(
        IDC_PROJECT_ADD, [this] { Add(IDC_PROJECT_LIST, IDC_PROJECT_WORD, IDC_PROJECT_VALUE); });
    OnClicked(IDC_COMMON_REMOVE, [this] { common_->RemoveSelected(); });
    OnClicked(IDC_PROJECT_REMOVE, [this] {
        project_->RemoveSelected();
        lists_.projectChanged = true;
    });
    OnClicked(IDC_DEFAULT, [this] { Fill(); });
    connect(project_, &CMyListCtrl::rowEdited, this, [this] { lists_.projectChanged = true; });
}

CXPGroupBox* CDialogPredefinedWord::MakeGroup(int groupId, const char* title, int listId,
    int wordId, int valueId, int addId, const char* addText, int removeId, const char* removeText)
{
    auto* group = new CXPGroupBox(title, this);
    Bind(groupId, group);
    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(10, 26, 10, 10);
    grid->addWidget(Make<CMyListCtrl>(listId), 0, 0, 1, 4);
    grid->addWidget(new QLabel("Defined Word", group), 1, 0);
    grid->addWidget(new QLabel("Value", group), 1, 1);
    grid->addWidget(Make<QLineEdit>(wordId), 2, 0);
    grid->addWidget(Make<QLineEdit>(valueId), 2, 1);
    grid->addWidget(Make<QPushButton>(addId, addText), 2, 2);
    grid->addWidget(Make<QPushButton>(removeId, removeText), 2, 3);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 1);
    return group;
}

bool CDialogPredefinedWord::OnInitDialog()
{
    for (int id : {IDC_COMMON_GROUP, IDC_PROJECT_GROUP})
        ItemAs<CXPGroupBox>(id)->SetBackgroundColor(RGB(255, 255, 255));
    Fill();
    for (int id : {IDC_COMMON_VALUE, IDC_PROJECT_VALUE})
        SetItemText(id, "0");
    return true;
}

void CDialogPredefinedWord::Fill()
{
    lists_.Load(options_);
    common_->SetRows(lists_.common);
    project_->SetRows(lists_.project);
}

void CDialogPredefinedWord::Add(int listId, int wordId, int valueId)
{
    const std::string word = GetItemText(wordId);
    if (!CDialogSetPredefinedWord::CheckWord(word))
        return;
    const std::optional<int32_t> value = CDialogSetPredefinedWord::CheckValue(GetItemText(valueId));
    if (!value) {
        Item(valueId)->setFocus();
        return;
    }
    ItemAs<CMyListCtrl>(listId)->AddRow({word, *value});
    if (listId == IDC_PROJECT_LIST)
        lists_.projectChanged = true;
    SetItemText(wordId, "");
    SetItemText(valueId, "0");
}

void CDialogPredefinedWord::OnOK()
{
    lists_.common = common_->Rows();
    lists_.project = project_->Rows();
    lists_.Store(options_);
    EndDialog(IDOK);
}
