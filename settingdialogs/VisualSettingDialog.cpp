#include "VisualSettingDialog.h"

#include "ColorComboBox.h"
#include "DefaultColorFiles.h"
#include "GetStringDialog.h"
#include "LanguageTable.h"
#include "Options.h"
#include "PreviewView.h"
#include "ProgressDialog.h"
#include "UserFolders.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>
#include <algorithm>

namespace {

std::string OrDefault(std::string folder, std::string fallback)
{
    return folder.empty() ? fallback : folder;
}

QValidator* DigitsOnly(QObject* parent)
{
    return new QRegularExpressionValidator(QRegularExpression("[0-9]*"), parent);
}

} // namespace

std::string RemoveQuestion(int count)
{
    std::string text = GetLangString(205);
    const size_t place = text.find("%d");
    if (place != std::string::npos)
        text.replace(place, 2, std::to_string(count));
    return text;
}

CVisualSettingDialog::CVisualSettingDialog(SettingForm& form, COptions& options, QWidget* parent,
    std::string userColorFolder, std::string programColorFolder)
    : CDialog(parent),
      form_(form),
      options_(options),
      userColorFolder_(OrDefault(std::move(userColorFolder), GetUserConfigDirectory() + "/Color")),
      programColorFolder_(OrDefault(std::move(programColorFolder), ColorFolderPath()))
{
}

ThemeCatalog CVisualSettingDialog::Catalog() const
{
    return ThemeCatalog(form_.ThemeExtensions(), form_.ThemeWriteExtension(), userColorFolder_,
        programColorFolder_);
}

CVisualSettingDialog::~CVisualSettingDialog()
{
    DeletePreview();
}

void CVisualSettingDialog::DeletePreview()
{
    delete preview_;
    preview_ = nullptr;
}

// --- Building ---

void CVisualSettingDialog::BuildFrame(QSize previewSize, QWidget* settings, QWidget* abovePreview)
{
    previewSize_ = previewSize;
    auto* left = new QVBoxLayout;
    if (abovePreview != nullptr)
        left->addWidget(abovePreview);
    previewFrame_ = new QGroupBox("Preview");
    auto* frameLayout = new QVBoxLayout(previewFrame_);
    frameLayout->setContentsMargins(6, 6, 6, 6);
    left->addWidget(previewFrame_);
    left->addStretch();

    auto* theme = new QGroupBox("Theme");
    auto* themeLayout = new QHBoxLayout(theme);
    auto* themes = Make<QComboBox>(IDC_THEME);
    themes->setMinimumWidth(160);
    themeLayout->addWidget(themes, 1);
    themeLayout->addWidget(Make<QPushButton>(IDC_SAVE_AS, "&Save As..."));
    themeLayout->addWidget(Make<QPushButton>(IDC_REMOVE, "&Remove"));

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(theme, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Make<QPushButton>(IDOK, "&OK"));
    buttons->addWidget(Make<QPushButton>(IDCANCEL, "&Cancel"));
    bottom->addLayout(buttons);

    auto* right = new QVBoxLayout;
    right->addWidget(settings);
    right->addStretch();
    right->addLayout(bottom);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(right, 1);
}

QComboBox* CVisualSettingDialog::MakeColor(int id)
{
    return Make<CColorComboBox>(id);
}

QComboBox* CVisualSettingDialog::MakeChoice(int id)
{
    auto* list = Make<QComboBox>(id);
    if (const SettingForm::ChoiceField* choice = form_.FindChoice(id)) {
        for (const std::string& item : choice->items)
            list->addItem(QString::fromStdString(item));
    }
    return list;
}

QLineEdit* CVisualSettingDialog::MakeNumberEdit(int id)
{
    auto* edit = Make<QLineEdit>(id);
    edit->setAlignment(Qt::AlignCenter);
    edit->setValidator(DigitsOnly(edit));
    edit->setMaximumWidth(56);
    return edit;
}

QComboBox* CVisualSettingDialog::MakeNumberList(int id)
{
    auto* list = Make<QComboBox>(id);
    list->setEditable(true);
    list->setInsertPolicy(QComboBox::NoInsert);
    for (int value = 1; value <= 50; ++value)
        list->addItem(QString::number(value));
    list->lineEdit()->setValidator(DigitsOnly(list));
    list->setMaximumWidth(72);
    numberLists_.push_back(id);
    return list;
}

QCheckBox* CVisualSettingDialog::MakeFlag(int id, const char* text)
{
    return Make<QCheckBox>(id, text);
}

void CVisualSettingDialog::AddFontRow(
    QGridLayout* grid, int row, int column, const SettingForm::FontField& font)
{
    auto* face = Make<QComboBox>(font.face);
    face->setMinimumContentsLength(12);
    face->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    auto* bold = Make<QPushButton>(font.bold, "B");
    bold->setCheckable(true);
    bold->setFixedWidth(26);
    QFont boldFont = bold->font();
    boldFont.setBold(true);
    bold->setFont(boldFont);
    auto* size = Make<QComboBox>(font.size);
    for (const std::string& item : FontSizeItems())
        size->addItem(QString::fromStdString(item));
    grid->addWidget(face, row, column);
    grid->addWidget(bold, row, column + 1);
    grid->addWidget(size, row, column + 2);
}

void CVisualSettingDialog::AddStyleRow(QGridLayout* grid, int row, const char* label,
    const SettingForm::FontField* font, std::vector<int> colors, int firstColor)
{
    grid->addWidget(new QLabel(label), row, 0);
    if (font != nullptr)
        AddFontRow(grid, row, 1, *font);
    int column = firstColor >= 0 ? 4 + firstColor : 4 + 3 - static_cast<int>(colors.size());
    for (int id : colors)
        grid->addWidget(MakeColor(id), row, column++);
}

// --- Running ---

bool CVisualSettingDialog::OnInitDialog()
{
    auto* progress = new CDialogProgress(this);
    progress->Bar()->setRange(0, 100);
    progress->show();
    progress->Bar()->setValue(10);
    BindControls();
    progress->Bar()->setValue(30);
    FillFaceLists();
    progress->Bar()->setValue(40);
    FillControls();
    AfterFill();
    progress->Bar()->setValue(50);
    FillThemeList();
    progress->Bar()->setValue(60);

    preview_ = CreatePreview();
    preview_->setFixedSize(previewSize_);
    previewFrame_->layout()->addWidget(preview_);
    preview_->show();
    progress->Bar()->setValue(80);
    preview_->Refresh();
    GiveSetting();
    preview_->Repaint(false);
    AfterPreview();

    initialized_ = true;
    progress->Bar()->setValue(100);
    progress->close();
    delete progress;
    return true;
}

void CVisualSettingDialog::BindControls()
{
    for (const auto& color : form_.Colors()) {
        const int id = color.id;
        OnActivated(id, [this, id](int) {
            ApplyRefresh(form_.PickColor(id, ItemAs<CColorComboBox>(id)->GetSelectedColor()));
        });
    }
    for (const auto& choice : form_.Choices()) {
        const int id = choice.id;
        OnActivated(id, [this, id](int index) { ApplyRefresh(form_.PickChoice(id, index)); });
    }
    for (const auto& flag : form_.Flags()) {
        const int id = flag.id;
        OnClicked(id, [this, id] { ApplyRefresh(form_.SetFlag(id, IsItemChecked(id) == 1)); });
    }
    for (const auto& font : form_.Fonts()) {
        const int face = font.face;
        const int bold = font.bold;
        const int size = font.size;
        OnActivated(
            face, [this, face](int) { ApplyRefresh(form_.PickFace(face, GetItemText(face))); });
        OnClicked(
            bold, [this, bold] { ApplyRefresh(form_.SetBold(bold, IsItemChecked(bold) == 1)); });
        OnActivated(size, [this, size](int row) { ApplyRefresh(form_.PickSize(size, row)); });
    }
    for (const auto& number : form_.Numbers()) {
        const int id = number.id;
        OnTextEdited(id, [this, id] { OnNumberEdited(id); });
        // A row picked from an editable list shows in its edit first.
        OnActivated(id, [this, id](int) { OnNumberEdited(id); });
    }
    OnActivated(IDC_THEME, [this](int) { OnSelectTheme(); });
    OnClicked(IDC_SAVE_AS, [this] { OnSaveAs(); });
    OnClicked(IDC_REMOVE, [this] { OnRemove(); });
}

void CVisualSettingDialog::FillFaceLists()
{
    options_.EnumFontNames();
    QStringList faces;
    for (const std::string& name : options_.fontNames) {
        if (IsStorableFaceName(name))
            faces.push_back(QString::fromStdString(name));
    }
    // As a sorted list shows them: whatever the case of the first letter.
    std::stable_sort(faces.begin(), faces.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    for (const auto& font : form_.Fonts()) {
        if (auto* list = ItemAs<QComboBox>(font.face))
            list->addItems(faces);
    }
}

void CVisualSettingDialog::FillControls()
{
    for (const auto& color : form_.Colors()) {
        if (auto* list = ItemAs<CColorComboBox>(color.id))
            list->SelectColor(color.field());
    }
    for (const auto& choice : form_.Choices())
        SetCurSel(choice.id, choice.field());
    for (const auto& flag : form_.Flags())
        CheckItem(flag.id, flag.field() == 1 ? 1 : 0);
    for (const auto& font : form_.Fonts()) {
        const CFontHolder& holder = font.field();
        SetItemText(font.face, holder.faceName);
        CheckItem(font.bold, holder.bold == 1 ? 1 : 0);
        // A size the list does not offer selects nothing.
        const bool listed = holder.size >= kSmallestFontSize && holder.size <= kFontSizeMax;
        SetCurSel(font.size, listed ? holder.size - kSmallestFontSize : -1);
    }
    for (const auto& number : form_.Numbers())
        SetItemInt(number.id, number.field());
}

void CVisualSettingDialog::ApplyRefresh(Refresh refresh)
{
    if (preview_ == nullptr || refresh == Refresh::None)
        return;
    if (refresh == Refresh::Rebuild)
        preview_->MarkDirty();
    preview_->Repaint(repaintNow_);
}

void CVisualSettingDialog::ShowMessage(int text)
{
    Ui().MessageBox(GetLangString(text), MessageButtons::Ok, MessageIcon::Warning);
}

void CVisualSettingDialog::OnNumberEdited(int id)
{
    if (!initialized_)
        return;
    const SettingForm::NumberOutcome outcome = form_.EditNumber(id, GetItemText(id));
    if (outcome.accepted) {
        ApplyRefresh(outcome.refresh);
        return;
    }
    ShowMessage(302);
    SetItemText(id, outcome.text);
}

// --- Themes ---

void CVisualSettingDialog::FillThemeList()
{
    auto* list = ItemAs<QComboBox>(IDC_THEME);
    themes_ = Catalog().List();
    list->clear();
    list->addItem("Current");
    for (const ThemeCatalog::Entry& entry : themes_)
        list->addItem(QString::fromStdString(entry.name));
    SetCurSel(IDC_THEME, 0);
    form_.TakeSnapshot();
}

void CVisualSettingDialog::OnSelectTheme()
{
    const int row = GetCurSel(IDC_THEME);
    if (row < 0)
        return;
    if (preview_ != nullptr)
        preview_->updating = true;
    if (row == 0) {
        form_.RestoreSnapshot();
    } else {
        const ThemeCatalog::Entry& entry = themes_[static_cast<size_t>(row - 1)];
        std::vector<std::string> files = Catalog().FilesOf(entry.name);
        if (files.empty()) // gone since it was listed: the reader says so
            files.push_back(
                userColorFolder_ + "/" + entry.name + "." + form_.ThemeWriteExtension());
        bool loaded = false;
        for (const std::string& file : files) {
            if ((loaded = form_.LoadTheme(file)))
                break;
        }
        if (!loaded)
            ShowMessage(form_.ThemeFailureText());
    }
    FillControls();
    AfterFill();
    if (preview_ != nullptr) {
        preview_->updating = false;
        ApplyRefresh(Refresh::Rebuild);
    }
}

void CVisualSettingDialog::OnSaveAs()
{
    CDialogGetString prompt(this);
    if (prompt.DoModal() != IDOK)
        return;
    const std::string name = prompt.Result();
    const ThemeCatalog catalog = Catalog();
    switch (
        catalog.SaveAs(name, [this](const std::string& path) { return form_.SaveTheme(path); })) {
    case ThemeCatalog::SaveResult::Exists:
        ShowMessage(207);
        return;
    case ThemeCatalog::SaveResult::BadName:
        ShowMessage(215);
        return;
    case ThemeCatalog::SaveResult::Failed:
        return; // the writer has told the user
    case ThemeCatalog::SaveResult::Saved:
        break;
    }
    const std::vector<std::string> files = Catalog().FilesOf(name);
    themes_.insert(
        themes_.begin(), ThemeCatalog::Entry {name, files.empty() ? std::string() : files.back()});
    auto* list = ItemAs<QComboBox>(IDC_THEME);
    list->insertItem(1, QString::fromStdString(name));
    SetCurSel(IDC_THEME, 1);
}

void CVisualSettingDialog::OnRemove()
{
    const int row = GetCurSel(IDC_THEME);
    if (row <= 0)
        return;
    if (Ui().MessageBox(RemoveQuestion(1), MessageButtons::OkCancel, MessageIcon::Question) !=
        Answer::Ok)
        return;
    ThemeCatalog::Entry& entry = themes_[static_cast<size_t>(row - 1)];
    ThemeCatalog::Entry instead;
    switch (Catalog().Remove(entry.name, &instead)) {
    case ThemeCatalog::RemoveResult::Failed:
        ShowMessage(206);
        return;
    case ThemeCatalog::RemoveResult::ProgramTheme:
        ShowMessage(213);
        return;
    case ThemeCatalog::RemoveResult::ProgramThemeStays:
        // The row stays: it now stands for the program's theme.
        entry = instead;
        Ui().MessageBox(GetLangString(214), MessageButtons::Ok, MessageIcon::Information);
        return;
    case ThemeCatalog::RemoveResult::Removed:
        break;
    }
    themes_.erase(themes_.begin() + (row - 1));
    ItemAs<QComboBox>(IDC_THEME)->removeItem(row);
    SetCurSel(IDC_THEME, row - 1);
}
