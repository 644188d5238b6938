#include "ProjectInfoDialog.h"

#include "CheckListRows.h"
#include "InputSet.h"
#include "KestrinDoc.h"
#include "LanguageTable.h"
#include "MainFrame.h"
#include "PowerListView.h"
#include "ProjectInfoRows.h"

#include <QCheckBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMimeData>
#include <QPushButton>
#include <QVBoxLayout>

CDialogProjectInfo::CDialogProjectInfo(
    CKestrinDoc& document, CMainFrame& frame, CInputSet& input, QWidget* parent)
    : CDialog(parent), document_(document), frame_(frame), input_(input)
{
    setWindowTitle("Project Information");
    resize(640, 440);

    auto* group = new QGroupBox;
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Make<QCheckBox>(IDC_PATH, "&Path"));
    buttons->addWidget(Make<QPushButton>(IDC_REMOVE, "&Remove"));
    buttons->addWidget(Make<QPushButton>(IDC_SELECT_ALL, "&Select A/N"));
    buttons->addWidget(Make<QPushButton>(IDC_ANALYSIS_ALL, "&Analysis A/N"));
    buttons->addWidget(Make<QPushButton>(IDC_DRAW_ALL, "&Draw A/N"));
    buttons->addWidget(Make<QPushButton>(IDC_ADD_FILES, "Add F&iles"));
    buttons->addWidget(Make<QPushButton>(IDC_ADD_FOLDER, "Add &Folder"));
    buttons->addStretch();
    AddOkCancel(buttons, false);

    list_ = new CPowerListView(this);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addLayout(buttons);
    groupLayout->addWidget(list_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(15, 15, 15, 15);
    layout->addWidget(group);

    OnClicked(IDC_PATH, [this] { list_->SetDisplayMode(IsItemChecked(IDC_PATH) != 0 ? 1 : 0); });
    OnClicked(IDC_SELECT_ALL, [this] {
        if (list_->AllSelected())
            list_->DeselectAll();
        else
            list_->SelectAll();
    });
    OnClicked(IDC_ANALYSIS_ALL, [this] {
        if (list_->AllAnalysisChecked())
            list_->UncheckAllAnalysis();
        else
            list_->CheckAllAnalysis();
    });
    OnClicked(IDC_DRAW_ALL, [this] {
        if (list_->AllDrawChecked())
            list_->UncheckAllDraw();
        else
            list_->CheckAllDraw();
    });
    OnClicked(IDC_REMOVE, [this] { OnRemove(); });
    OnClicked(IDC_ADD_FILES, [this] {
        document_.OnAppendFiles();
        Refill();
    });
    OnClicked(IDC_ADD_FOLDER, [this] {
        document_.OnAddFolder(this);
        Refill();
    });
}

bool CDialogProjectInfo::OnInitDialog()
{
    Fill();
    list_->SetDisplayMode(0);
    setAcceptDrops(true);
    return true;
}

void CDialogProjectInfo::Fill()
{
    list_->DeleteAllItems();
    FillCheckList(input_, list_->EditRows());
    list_->Refresh();
}

void CDialogProjectInfo::OnRemove()
{
    const std::vector<int> selected = list_->GetSelectedFiles();
    if (selected.empty())
        return;
    // The count goes into the text; the text itself is never a format.
    std::string question = GetLangString(205);
    const size_t mark = question.find("%d");
    if (mark != std::string::npos)
        question.replace(mark, 2, std::to_string(selected.size()));
    else
        question += " (" + std::to_string(selected.size()) + ")";
    if (Ui().MessageBox(question, MessageButtons::YesNo, MessageIcon::Question) != Answer::Yes)
        return;
    std::vector<std::string> paths;
    for (int index : selected)
        paths.push_back(list_->Rows().Rows()[static_cast<size_t>(index)].path);
    document_.RemoveFiles(paths);
    list_->RemoveSelectedRows();
    changed_ = true;
}

void CDialogProjectInfo::Refill()
{
    changed_ = true;
    WriteChecksBack(list_->Rows(), input_);
    const int mode = list_->Rows().displayMode;
    Fill();
    list_->SetDisplayMode(mode);
}

void CDialogProjectInfo::DropFiles(const std::vector<std::string>& paths)
{
    frame_.OnDropFiles(paths);
    Refill();
}

void CDialogProjectInfo::OnOK()
{
    if (WriteChecksBack(list_->Rows(), input_))
        changed_ = true;
    if (changed_)
        frame_.Reanalyze();
    CDialog::OnOK();
}

void CDialogProjectInfo::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CDialogProjectInfo::dropEvent(QDropEvent* event)
{
    std::vector<std::string> paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            paths.push_back(url.toLocalFile().toStdString());
    event->acceptProposedAction();
    if (!paths.empty())
        DropFiles(paths);
}
