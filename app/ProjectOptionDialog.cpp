#include "ProjectOptionDialog.h"

#include "CodeWindow.h"
#include "Options.h"
#include "XPGroupBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CDialogProjectOption::CDialogProjectOption(
    COptions& options, CDialogCode& code, std::function<void()> relayout, QWidget* parent)
    : CDialog(parent), options_(options), code_(code), relayout_(std::move(relayout))
{
    setWindowTitle("Project Option");
    // White behind every static text and around the group boxes, whose
    // title bands are filled with the window colour.
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    auto* analysis = CXPGroupBox::MakeWhite("Analysis Engine");
    auto* analysisLayout = new QVBoxLayout(analysis);
    analysisLayout->setContentsMargins(12, 24, 12, 10);
    analysisLayout->addWidget(Make<QCheckBox>(IDC_SKIP_SAME_FILE, "Skip preprocess same file"));
    auto* vcHeader = Make<QCheckBox>(IDC_PARSE_VC_HEADER, "parsing visual c++ header");
    vcHeader->setEnabled(false);
    vcHeader->hide();

    auto* macro = CXPGroupBox::MakeWhite("Macro-View");
    auto* macroLayout = new QGridLayout(macro);
    macroLayout->setContentsMargins(12, 24, 12, 10);
    macroLayout->addWidget(
        Make<QCheckBox>(IDC_AUTO_RESIZE, "Auto resize contents when window resized"), 0, 0, 1, 2);
    macroLayout->addWidget(Make<QCheckBox>(IDC_FIXED_SIZE, "Fixed size arrangement"), 1, 0, 1, 2);
    macroLayout->addWidget(new QLabel("sort type by"), 2, 0);
    auto* sort = Make<QComboBox>(IDC_SORT_TYPE);
    sort->addItems({"Size", "Name"});
    macroLayout->addWidget(sort, 2, 1);

    auto* flow = CXPGroupBox::MakeWhite("Flow-View");
    auto* flowLayout = new QVBoxLayout(flow);
    flowLayout->setContentsMargins(12, 24, 12, 10);
    flowLayout->addWidget(Make<QCheckBox>(IDC_SHOW_DETAIL, "Always show detail diagram "));

    auto* codeBox = CXPGroupBox::MakeWhite("Code-View");
    auto* codeLayout = new QGridLayout(codeBox);
    codeLayout->setContentsMargins(12, 24, 12, 10);
    codeLayout->addWidget(new QLabel("Font Name"), 0, 0);
    codeLayout->addWidget(Make<QComboBox>(IDC_FONT_NAME), 0, 1, 1, 2);
    codeLayout->addWidget(new QLabel("Font Size"), 1, 0);
    auto* sizes = Make<QComboBox>(IDC_FONT_SIZE);
    for (int points = kFirstCodeFontPoints; points <= kLastCodeFontPoints; ++points)
        sizes->addItem(QString::number(points));
    codeLayout->addWidget(sizes, 1, 1);
    codeLayout->addWidget(
        Make<QCheckBox>(IDC_SHOW_EDIT_BUTTON, "Show edit button (use below program)"), 2, 0, 1, 3);
    codeLayout->addWidget(Make<QLineEdit>(IDC_EDIT_PROGRAM), 3, 0, 1, 2);
    codeLayout->addWidget(Make<QPushButton>(IDC_BROWSE, "&Browse..."), 3, 2);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(analysis);
    layout->addWidget(macro);
    layout->addWidget(flow);
    layout->addWidget(codeBox);
    // The buttons are made after the boxes have joined the dialog, so that
    // the keyboard reaches them last: the dialog opens with the focus on its
    // first check box, and Enter presses OK, never Default.
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Make<QPushButton>(IDC_DEFAULT, "Default(&D)"));
    buttons->addStretch();
    AddOkCancel(buttons);
    layout->addLayout(buttons);

    OnClicked(IDC_SKIP_SAME_FILE,
        [this] { options_.preprocessingSameNameFile = IsItemChecked(IDC_SKIP_SAME_FILE) == 0; });
    OnClicked(IDC_AUTO_RESIZE,
        [this] { options_.autoResizeMacroView = IsItemChecked(IDC_AUTO_RESIZE) != 0; });
    OnClicked(IDC_SHOW_DETAIL,
        [this] { options_.autoShowDetailContent = IsItemChecked(IDC_SHOW_DETAIL) != 0; });
    OnClicked(IDC_FIXED_SIZE, [this] {
        options_.fixedSizeArrange = IsItemChecked(IDC_FIXED_SIZE) != 0;
        relayout_();
    });
    OnActivated(IDC_SORT_TYPE, [this](int index) {
        if (index == options_.macroViewSort)
            return;
        options_.macroViewSort = index;
        relayout_();
    });
    OnActivated(IDC_FONT_NAME, [this](int) { OnFontChange(); });
    OnActivated(IDC_FONT_SIZE, [this](int) { OnFontChange(); });
    OnClicked(IDC_SHOW_EDIT_BUTTON, [this] { OnShowEditButton(); });
    OnTextEdited(IDC_EDIT_PROGRAM, [this] {
        options_.codeEditProgram = GetItemText(IDC_EDIT_PROGRAM);
        code_.SetEditProgram(options_.codeEditProgram);
    });
    OnClicked(IDC_BROWSE, [this] { OnBrowse(); });
    OnClicked(IDC_DEFAULT, [this] { OnDefault(); });
}

bool CDialogProjectOption::OnInitDialog()
{
    options_.EnumFontNames();
    auto* faces = ItemAs<QComboBox>(IDC_FONT_NAME);
    for (const std::string& name : options_.fontNames)
        faces->addItem(QString::fromStdString(name));
    found_ = ProjectOptionValues::Take(options_);
    ShowOptions();
    return true;
}

void CDialogProjectOption::ShowOptions()
{
    CheckItem(IDC_SKIP_SAME_FILE, options_.preprocessingSameNameFile ? 0 : 1);
    CheckItem(IDC_AUTO_RESIZE, options_.autoResizeMacroView ? 1 : 0);
    CheckItem(IDC_SHOW_DETAIL, options_.autoShowDetailContent ? 1 : 0);
    CheckItem(IDC_FIXED_SIZE, options_.fixedSizeArrange ? 1 : 0);
    CheckItem(IDC_SHOW_EDIT_BUTTON, options_.codeEditButtonShow ? 1 : 0);
    SetItemText(IDC_EDIT_PROGRAM, options_.codeEditProgram);
    EnableItem(IDC_EDIT_PROGRAM, options_.codeEditButtonShow);
    EnableItem(IDC_BROWSE, options_.codeEditButtonShow);
    SetCurSel(IDC_SORT_TYPE, options_.macroViewSort);
    SelectFontLists();
}

void CDialogProjectOption::SelectFontLists()
{
    const auto* faces = ItemAs<QComboBox>(IDC_FONT_NAME);
    SetCurSel(IDC_FONT_NAME,
        faces->findText(QString::fromStdString(options_.codeFontName), Qt::MatchExactly));
    SetCurSel(IDC_FONT_SIZE, CodeFontSizeIndex(options_.codeFontSize));
}

void CDialogProjectOption::OnFontChange()
{
    const std::string face =
        GetCurSel(IDC_FONT_NAME) >= 0 ? GetItemText(IDC_FONT_NAME) : std::string();
    const CodeFontChoice choice = ChooseCodeFont(options_, face, GetCurSel(IDC_FONT_SIZE));
    code_.SetCodeFont(choice.face, choice.tenths);
    SelectFontLists();
}

void CDialogProjectOption::OnShowEditButton()
{
    options_.codeEditButtonShow = IsItemChecked(IDC_SHOW_EDIT_BUTTON) != 0;
    EnableItem(IDC_EDIT_PROGRAM, options_.codeEditButtonShow);
    EnableItem(IDC_BROWSE, options_.codeEditButtonShow);
    code_.ShowEditButton(options_.codeEditButtonShow);
    code_.SetEditProgram(options_.codeEditProgram);
}

void CDialogProjectOption::OnBrowse()
{
    FileRequest request {"Browse", {}, "Programs (*);;All files (*)", {}};
    const auto path = Ui().OpenFile(request);
    if (!path)
        return;
    options_.codeEditProgram = QuoteProgramPath(*path);
    SetItemText(IDC_EDIT_PROGRAM, options_.codeEditProgram);
    code_.SetEditProgram(options_.codeEditProgram);
}

void CDialogProjectOption::OnDefault()
{
    SetProjectOptionDefaults(options_);
    code_.SetCodeFont(options_.codeFontName, options_.codeFontSize);
    code_.ShowEditButton(options_.codeEditButtonShow);
    code_.SetEditProgram(options_.codeEditProgram);
    ShowOptions();
    relayout_();
}

void CDialogProjectOption::OnCancel()
{
    found_.PutBack(options_);
    code_.SetCodeFont(options_.codeFontName, options_.codeFontSize);
    code_.ShowEditButton(options_.codeEditButtonShow);
    code_.SetEditProgram(options_.codeEditProgram);
    relayout_();
    CDialog::OnCancel();
}
