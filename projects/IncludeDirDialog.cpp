#include "IncludeDirDialog.h"

#include "DirListBox.h"
#include "Options.h"
#include "VcProductDirs.h"
#include "XPGroupBox.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const char* const kVersionTexts[] = {"Use Visual C++ 6.0 Path", "Use Visual C++ .Net Path",
    "Use Visual C++ .Net 2003 Path", "Use Visual C++ 2005 Path"};

} // namespace

CDialogIncludeDir::CDialogIncludeDir(COptions& options, QWidget* parent)
    : CDialog(parent), options_(options)
{
    setWindowTitle("Include File Directory");
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    vcGroup_ = new CXPGroupBox("Visual C++ Include Directory", this);
    Bind(IDC_VC_GROUP, vcGroup_);
    auto* version = Make<QComboBox>(IDC_VERSION);
    for (const char* text : kVersionTexts)
        version->addItem(text);
    versionList_ = Make<CDirListBox>(IDC_VC_LIST);
    auto* vcButtons = new QHBoxLayout;
    vcButtons->addWidget(version, 1);
    vcButtons->addWidget(Make<QPushButton>(IDC_VC_APPEND, "&Append"));
    vcButtons->addWidget(Make<QPushButton>(IDC_VC_REMOVE, "&Remove"));
    vcButtons->addWidget(Make<QPushButton>(IDC_RESET_PATH, "Reset Path(&P)"));
    auto* vcLayout = new QVBoxLayout(vcGroup_);
    vcLayout->setContentsMargins(10, 26, 10, 10);
    vcLayout->addLayout(vcButtons);
    vcLayout->addWidget(versionList_);

    userGroup_ = new CXPGroupBox("User Custom Directory", this);
    Bind(IDC_USER_GROUP, userGroup_);
    userList_ = Make<CDirListBox>(IDC_USER_LIST);
    auto* userButtons = new QHBoxLayout;
    userButtons->addStretch();
    userButtons->addWidget(Make<QPushButton>(IDC_USER_APPEND, "&Append"));
    userButtons->addWidget(Make<QPushButton>(IDC_USER_REMOVE, "&Remove"));
    auto* userLayout = new QVBoxLayout(userGroup_);
    userLayout->setContentsMargins(10, 26, 10, 10);
    userLayout->addLayout(userButtons);
    userLayout->addWidget(userList_);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Make<QPushButton>(IDC_DEFAULT, "Default(&D)"));
    buttons->addStretch();
    AddOkCancel(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(vcGroup_);
    layout->addWidget(userGroup_);
    layout->addLayout(buttons);
    resize(560, 480);

    OnActivated(IDC_VERSION, [this](int index) { ChooseVersion(index); });
    OnClicked(IDC_VC_APPEND, [this] { Append(versionList_); });
    OnClicked(IDC_USER_APPEND, [this] { Append(userList_); });
    OnClicked(IDC_VC_REMOVE, [this] { Remove(versionList_); });
    OnClicked(IDC_USER_REMOVE, [this] { Remove(userList_); });
    OnClicked(IDC_RESET_PATH, [this] { ResetPath(); });
    OnClicked(IDC_DEFAULT, [this] { Fill(); });
}

bool CDialogIncludeDir::OnInitDialog()
{
    Fill();
    versionList_->SetEditing(true);
    userList_->SetEditing(true);
    for (CXPGroupBox* group : {vcGroup_, userGroup_})
        group->SetBackgroundColor(RGB(255, 255, 255));
    return true;
}

void CDialogIncludeDir::Fill()
{
    lists_.Load(options_);
    SetCurSel(IDC_VERSION, lists_.chosen);
    versionList_->SetRows(lists_.versions[lists_.chosen]);
    userList_->SetRows(lists_.user);
}

void CDialogIncludeDir::ChooseVersion(int index)
{
    if (index < 0 || index >= IncludeDirLists::kVersions)
        return;
    lists_.versions[lists_.chosen] = versionList_->Rows();
    lists_.chosen = index;
    versionList_->SetRows(lists_.versions[index]);
}

void CDialogIncludeDir::Append(CDirListBox* list)
{
    const std::string folder = CDirListBox::AskFolder("Cannot get folder.");
    if (!folder.empty())
        list->addItem(QString::fromStdString(folder));
}

void CDialogIncludeDir::Remove(CDirListBox* list)
{
    const std::vector<int> rows = list->SelectedRows();
    for (auto it = rows.rbegin(); it != rows.rend(); ++it)
        delete list->takeItem(*it);
}

void CDialogIncludeDir::ResetPath()
{
    VcProductDirs dirs;
    dirs.Read();
    lists_.ResetPath(dirs);
    versionList_->SetRows(lists_.versions[lists_.chosen]);
}

void CDialogIncludeDir::OnOK()
{
    lists_.user = userList_->Rows();
    lists_.versions[lists_.chosen] = versionList_->Rows();
    lists_.Store(options_);
    EndDialog(IDOK);
}
