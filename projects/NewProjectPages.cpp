#include "NewProjectPages.h"

#include "AbsolutePath.h"
#include "FileType.h"
#include "LanguageTable.h"
#include "NewProjectInfo.h"
#include "NewProjectPaths.h"
#include "Options.h"
#include "XPGroupBox.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QVBoxLayout>
#include <algorithm>

CNewProjectPage::CNewProjectPage(NewProjectInfo& info, QWidget* parent)
    : CDialog(parent), info_(info)
{
    setWindowTitle("New Project Wizard");
    // White behind every static text and around the group boxes, whose
    // title bands are filled with the window colour.
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
}

void CNewProjectPage::Close(Action action)
{
    action_ = action;
    EndDialog(IDOK);
}

bool CNewProjectPage::ConfirmProjectPath()
{
    const std::string path = ProjectFullPath(info_.location, info_.fileName);
    if (ProjectPathStatus(path) != 300)
        return true;
    return Ui().MessageBox(path + "\n" + GetLangString(310), MessageButtons::YesNo,
               MessageIcon::Question) == Answer::Yes;
}

void CNewProjectPage::LayOutPage(QWidget* group, const char* forward)
{
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Make<QPushButton>(IDC_BACK, "Back(&B)"));
    auto* next = Make<QPushButton>(IDC_NEXT, forward);
    next->setDefault(true);
    buttons->addWidget(next);
    buttons->addWidget(Make<QPushButton>(IDCANCEL, "Cancel(&C)"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);
}

// --- Page 1 ---

CDialogNewProject::CDialogNewProject(NewProjectInfo& info, COptions& options, QWidget* parent)
    : CNewProjectPage(info, parent), options_(options)
{
    auto* file = CXPGroupBox::MakeWhite("Project File");
    auto* fileGrid = new QGridLayout(file);
    fileGrid->setContentsMargins(12, 26, 12, 10);
    // A label's letter reaches its edit only through the label's buddy;
    // without one the ampersand would show.
    auto* nameLabel = new QLabel("File Name(&N)");
    auto* name = Make<QLineEdit>(IDC_FILE_NAME);
    nameLabel->setBuddy(name);
    fileGrid->addWidget(nameLabel, 0, 0);
    fileGrid->addWidget(name, 0, 1, 1, 2);
    auto* locationLabel = new QLabel("Location(&L)");
    auto* location = Make<QLineEdit>(IDC_LOCATION);
    locationLabel->setBuddy(location);
    fileGrid->addWidget(locationLabel, 1, 0);
    fileGrid->addWidget(location, 1, 1);
    fileGrid->addWidget(Make<QPushButton>(IDC_BROWSE, "Browse(&B)..."), 1, 2);
    fileGrid->addWidget(new QLabel("File Name and Location"), 2, 0);
    auto* full = Make<QLineEdit>(IDC_FULL_PATH);
    full->setReadOnly(true);
    fileGrid->addWidget(full, 2, 1, 1, 2);
    fileGrid->addWidget(Make<QLabel>(IDC_STATUS, "..."), 3, 1, 1, 2);
    fileGrid->setColumnMinimumWidth(1, 320);

    auto* contents = CXPGroupBox::MakeWhite("Project Contents");
    auto* contentsLayout = new QVBoxLayout(contents);
    contentsLayout->setContentsMargins(12, 26, 12, 10);
    contentsLayout->addWidget(Make<QRadioButton>(IDC_EMPTY, "Empty Project"));
    contentsLayout->addWidget(Make<QRadioButton>(
        IDC_FROM_WORKSPACE, "Start Project with opening Visual C++ workspace file"));
    contentsLayout->addWidget(
        Make<QRadioButton>(IDC_FROM_FOLDER, "Start Project with selecting a c/c++ source folder "));
    contentsLayout->addWidget(
        Make<QRadioButton>(IDC_FROM_FILES, "Start Project with appending each c/c++ source files"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* back = Make<QPushButton>(IDC_BACK, "Back(&B)");
    back->setEnabled(false);
    buttons->addWidget(back);
    auto* next = Make<QPushButton>(IDC_FINISH_NEXT, "Finish(&N)");
    next->setDefault(true);
    buttons->addWidget(next);
    buttons->addWidget(Make<QPushButton>(IDCANCEL, "Cancel(&C)"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(file);
    layout->addWidget(contents);
    layout->addLayout(buttons);

    const std::pair<int, int> modes[] = {{IDC_EMPTY, NewProjectInfo::kEmpty},
        {IDC_FROM_WORKSPACE, NewProjectInfo::kWorkspace},
        {IDC_FROM_FOLDER, NewProjectInfo::kFolder}, {IDC_FROM_FILES, NewProjectInfo::kFiles}};
    for (const auto& [id, mode] : modes)
        OnClicked(id, [this, mode = mode] { OnMode(mode); });
    OnTextEdited(IDC_FILE_NAME, [this] { ShowFullPath(); });
    OnTextEdited(IDC_LOCATION, [this] { ShowFullPath(); });
    OnClicked(IDC_BROWSE, [this] { OnBrowse(); });
    OnClicked(IDC_FINISH_NEXT, [this] { OnFinishNext(); });
}

bool CDialogNewProject::OnInitDialog()
{
    const int radios[] = {IDC_EMPTY, IDC_FROM_WORKSPACE, IDC_FROM_FOLDER, IDC_FROM_FILES};
    const int mode = info_.startMode >= 0 && info_.startMode <= 3 ? info_.startMode : 0;
    CheckItem(radios[mode], 1);
    OnMode(mode);
    const std::string location =
        info_.location.empty() ? StartLocation(options_.lastProjectPath) : info_.location;
    SetItemText(IDC_LOCATION, location);
    SetItemText(
        IDC_FILE_NAME, info_.fileName.empty() ? DefaultProjectName(location) : info_.fileName);
    ShowFullPath();
    return true;
}

void CDialogNewProject::OnMode(int mode)
{
    info_.startMode = mode;
    SetItemText(IDC_FINISH_NEXT, mode == NewProjectInfo::kEmpty ? "Finish(&N)" : "Next(&N)");
}

void CDialogNewProject::ShowFullPath()
{
    const std::string path = ProjectFullPath(GetItemText(IDC_LOCATION), GetItemText(IDC_FILE_NAME));
    SetItemText(IDC_FULL_PATH, path);
    const int status = ProjectPathStatus(path);
    SetItemText(IDC_STATUS, status == 0 ? std::string() : GetLangString(status));
}

void CDialogNewProject::OnBrowse()
{
    const auto choice = Ui().ChooseFolder(
        FolderRequest {"Please select a folder ", StartLocation(options_.lastProjectPath)});
    if (!choice || choice->path.empty())
        return;
    options_.lastProjectPath = choice->path;
    SetItemText(IDC_LOCATION, choice->path);
    ShowFullPath();
}

void CDialogNewProject::OnFinishNext()
{
    info_.fileName = GetItemText(IDC_FILE_NAME);
    info_.location = GetItemText(IDC_LOCATION);
    if (IsItemChecked(IDC_EMPTY) != 0) {
        info_.startMode = NewProjectInfo::kEmpty;
        if (ConfirmProjectPath())
            Close(Action::Finish);
        return;
    }
    if (IsItemChecked(IDC_FROM_WORKSPACE) != 0)
        info_.startMode = NewProjectInfo::kWorkspace;
    else if (IsItemChecked(IDC_FROM_FOLDER) != 0)
        info_.startMode = NewProjectInfo::kFolder;
    else
        info_.startMode = NewProjectInfo::kFiles;
    Close(Action::Next);
}

// --- Page 2 ---

CDialogNewProject2::CDialogNewProject2(NewProjectInfo& info, COptions& options, QWidget* parent)
    : CNewProjectPage(info, parent), options_(options)
{
    auto* group = CXPGroupBox::MakeWhite("CPP Source Folder Select");
    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(12, 26, 12, 10);
    grid->addWidget(new QLabel("Please select CPP source file folder:"), 0, 0, 1, 2);
    auto* folder = Make<QLineEdit>(IDC_FOLDER);
    folder->setMinimumWidth(360);
    grid->addWidget(folder, 1, 0);
    grid->addWidget(Make<QPushButton>(IDC_BROWSE, "Browse Folder(&F)..."), 1, 1);
    grid->addWidget(Make<QCheckBox>(IDC_RECURSE, "Recurse subfolders"), 2, 0, 1, 2);

    LayOutPage(group, "Next(&N)");

    OnClicked(IDC_BROWSE, [this] {
        const auto choice =
            Ui().ChooseFolder(FolderRequest {"Please select a folder ", options_.lastPath});
        if (!choice || choice->path.empty())
            return;
        options_.lastPath = choice->path;
        SetItemText(IDC_FOLDER, choice->path);
    });
    OnClicked(IDC_BACK, [this] {
        Store();
        Close(Action::Back);
    });
    OnClicked(IDC_NEXT, [this] {
        Store();
        ScanSourceFolder(info_.sourceFolder, info_.recurse, info_.files);
        Close(Action::Next);
    });
}

bool CDialogNewProject2::OnInitDialog()
{
    SetItemText(IDC_FOLDER, info_.sourceFolder.empty() ? options_.lastPath : info_.sourceFolder);
    CheckItem(IDC_RECURSE, info_.recurse ? 1 : 0);
    return true;
}

void CDialogNewProject2::Store()
{
    // A folder typed relative to where the program was started is kept
    // whole: the project's files must not depend on it.
    const std::string folder = GetItemText(IDC_FOLDER);
    info_.sourceFolder = folder.empty() ? folder : AbsolutePath(folder);
    info_.recurse = IsItemChecked(IDC_RECURSE) != 0;
    info_.files.clear();
}

// --- Page 3 ---

CDialogNewProject3::CDialogNewProject3(NewProjectInfo& info, COptions& options, QWidget* parent)
    : CNewProjectPage(info, parent), options_(options)
{
    auto* group = CXPGroupBox::MakeWhite("CPP Source File Manager");
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->setContentsMargins(12, 26, 12, 10);
    auto* tools = new QHBoxLayout;
    tools->addWidget(Make<QPushButton>(IDC_ADD, "Add File(s)..."));
    tools->addWidget(Make<QPushButton>(IDC_REMOVE, "Remove File(s)"));
    tools->addWidget(Make<QPushButton>(IDC_CLEAR, "Clear All"));
    tools->addStretch();
    groupLayout->addLayout(tools);
    list_ = Make<QListWidget>(IDC_LIST);
    list_->setSortingEnabled(true);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    list_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    list_->setMinimumSize(480, 240);
    groupLayout->addWidget(list_);

    LayOutPage(group, "Finish(&N)");

    OnClicked(IDC_ADD, [this] {
        FileRequest request {"Add File(s)", options_.lastPath,
            "C/C++ Source File (*.cpp *.c *.cc);;All Files (*)", {}};
        AddFiles(Ui().OpenFiles(request));
    });
    OnClicked(IDC_REMOVE, [this] { OnRemove(); });
    OnClicked(IDC_CLEAR, [this] { OnClearAll(); });
    OnClicked(IDC_BACK, [this] { Close(Action::Back); });
    OnClicked(IDC_NEXT, [this] { OnFinish(); });
}

bool CDialogNewProject3::OnInitDialog()
{
    QStringList rows;
    rows.reserve(static_cast<qsizetype>(info_.files.size()));
    for (const std::string& path : info_.files)
        rows.push_back(QString::fromStdString(path));
    AddRows(rows);
    return true;
}

void CDialogNewProject3::AddFiles(const std::vector<std::string>& paths)
{
    // The rows as keys, so that each path is looked up rather than searched
    // for through the whole list.
    QSet<QString> listed;
    listed.reserve(list_->count() + static_cast<qsizetype>(paths.size()));
    for (int row = 0; row < list_->count(); ++row)
        listed.insert(list_->item(row)->text());
    QStringList added;
    for (const std::string& path : paths) {
        QString text = QString::fromStdString(path);
        const qsizetype before = listed.size();
        listed.insert(text);
        if (listed.size() != before)
            added.push_back(std::move(text));
    }
    AddRows(added);
}

void CDialogNewProject3::AddRows(QStringList rows)
{
    // A sorted list places each row by itself as it comes, searching and
    // moving the rows after it. Sorted here as the list compares them (as the
    // locale does), the rows go in as one block at the end; the list is
    // sorted once more only when they fall among the rows it holds.
    if (rows.isEmpty())
        return;
    std::sort(rows.begin(), rows.end(),
        [](const QString& x, const QString& y) { return QString::localeAwareCompare(x, y) < 0; });
    const int first = list_->count();
    list_->setSortingEnabled(false);
    list_->addItems(rows);
    list_->setSortingEnabled(true);
    for (int row = std::max(first, 1); row < list_->count(); ++row) {
        if (*list_->item(row) < *list_->item(row - 1)) {
            list_->sortItems(Qt::AscendingOrder);
            return;
        }
    }
}

void CDialogNewProject3::OnRemove()
{
    for (int row = list_->count() - 1; row >= 0; --row)
        if (list_->item(row)->isSelected())
            delete list_->takeItem(row);
}

void CDialogNewProject3::OnClearAll()
{
    if (Ui().MessageBox(GetLangString(304), MessageButtons::OkCancel, MessageIcon::Question) ==
        Answer::Ok)
        list_->clear();
}

void CDialogNewProject3::OnFinish()
{
    if (!ConfirmProjectPath())
        return;
    info_.files.clear();
    for (int row = 0; row < list_->count(); ++row)
        info_.files.insert(list_->item(row)->text().toStdString());
    Close(Action::Finish);
}

// --- The workspace page ---

CDialogNewProjectVCFile::CDialogNewProjectVCFile(
    NewProjectInfo& info, MessageSink& sink, QWidget* parent)
    : CNewProjectPage(info, parent), sink_(sink)
{
    auto* group = CXPGroupBox::MakeWhite("Visual C++ Workspace File Select");
    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(12, 26, 12, 10);
    grid->addWidget(new QLabel("Please select Visual C++ workspace file: "), 0, 0, 1, 2);
    auto* path = Make<QLineEdit>(IDC_PATH);
    path->setMinimumWidth(360);
    grid->addWidget(path, 1, 0);
    grid->addWidget(Make<QPushButton>(IDC_BROWSE, "Browse File(&F)..."), 1, 1);

    LayOutPage(group, "Next(&N)");

    OnClicked(IDC_BROWSE, [this] {
        FileRequest request {"Browse File", GetItemText(IDC_PATH),
            "Visual C++ Workspace Files (*.dsp *.dsw *.vcproj);;All Files (*)", {}};
        if (const auto chosen = Ui().OpenFile(request))
            SetItemText(IDC_PATH, *chosen);
    });
    OnClicked(IDC_BACK, [this] {
        info_.workspaceFile = GetItemText(IDC_PATH);
        info_.files.clear();
        Close(Action::Back);
    });
    OnClicked(IDC_NEXT, [this] { OnNext(); });
}

bool CDialogNewProjectVCFile::OnInitDialog()
{
    SetItemText(IDC_PATH, info_.workspaceFile);
    return true;
}

void CDialogNewProjectVCFile::OnNext()
{
    info_.workspaceFile = GetItemText(IDC_PATH);
    info_.files.clear();
    const int type = GetFileType(info_.workspaceFile);
    if (type == 2 || type == 3 || type == 5) {
        if (!CollectWorkspace(info_, sink_) && type == 5)
            Ui().MessageBox("Folder Open Error", MessageButtons::Ok, MessageIcon::Error);
    }
    Close(Action::Next);
}
