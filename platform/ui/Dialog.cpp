#include "Dialog.h"

#include "GuiSession.h"
#include "LanguageTable.h"
#include "NumberText.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>
#include <cstdio>

namespace {

// Counts the dialog as filling its own controls for the life of the object.
class Filling {
public:
    explicit Filling(int& depth) : depth_(depth) { ++depth_; }
    ~Filling() { --depth_; }
    Filling(const Filling&) = delete;
    Filling& operator=(const Filling&) = delete;

private:
    int& depth_;
};

} // namespace

CDialog::CDialog(QWidget* parent) : QDialog(parent)
{
}

CDialog::~CDialog() = default;

void CDialog::Initialize()
{
    if (initialized_)
        return;
    initialized_ = true;
    OnInitDialog();
}

int CDialog::DoModal()
{
    Initialize();
    return Ui().RunModal(*this);
}

void CDialog::EndDialog(int result)
{
    done(result);
}

void CDialog::accept()
{
    OnOK();
}

void CDialog::reject()
{
    OnCancel();
}

void CDialog::Bind(int id, QWidget* control)
{
    items_[id] = control;
    auto* button = qobject_cast<QPushButton*>(control);
    if (button == nullptr)
        return;
    if (id == IDOK) {
        button->setDefault(true);
        connect(button, &QAbstractButton::clicked, this, &CDialog::accept);
    } else if (id == IDCANCEL) {
        connect(button, &QAbstractButton::clicked, this, &CDialog::reject);
    }
}

void CDialog::AddOkCancel(QBoxLayout* row, bool withCancel)
{
    auto* ok = Make<QPushButton>(IDOK, "OK(&O)");
    ok->setDefault(true);
    row->addWidget(ok);
    if (withCancel)
        row->addWidget(Make<QPushButton>(IDCANCEL, "Cancel(&C)"));
}

QWidget* CDialog::Item(int id) const
{
    auto it = items_.find(id);
    return it == items_.end() ? nullptr : it->second.data();
}

void CDialog::EnableItem(int id, bool enable)
{
    if (QWidget* item = Item(id))
        item->setEnabled(enable);
}

void CDialog::ShowItem(int id, bool show)
{
    if (QWidget* item = Item(id))
        item->setVisible(show);
}

void CDialog::SetItemText(int id, const std::string& text)
{
    QWidget* item = Item(id);
    const QString value = ToQString(text);
    Filling filling(filling_);
    if (auto* edit = qobject_cast<QLineEdit*>(item)) {
        edit->setText(value);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(item)) {
        plain->setPlainText(value);
    } else if (auto* rich = qobject_cast<QTextEdit*>(item)) {
        rich->setPlainText(value);
    } else if (auto* combo = qobject_cast<QComboBox*>(item)) {
        if (combo->isEditable())
            combo->setEditText(value);
        else
            combo->setCurrentIndex(combo->findText(value, Qt::MatchFixedString));
    } else if (auto* label = qobject_cast<QLabel*>(item)) {
        label->setText(value);
    } else if (auto* button = qobject_cast<QAbstractButton*>(item)) {
        button->setText(value);
    } else if (auto* group = qobject_cast<QGroupBox*>(item)) {
        group->setTitle(value);
    } else if (item != nullptr) {
        item->setWindowTitle(value);
    }
}

std::string CDialog::GetItemText(int id) const
{
    QWidget* item = Item(id);
    if (auto* edit = qobject_cast<QLineEdit*>(item))
        return ToUtf8(edit->text());
    if (auto* plain = qobject_cast<QPlainTextEdit*>(item))
        return ToUtf8(plain->toPlainText());
    if (auto* rich = qobject_cast<QTextEdit*>(item))
        return ToUtf8(rich->toPlainText());
    if (auto* combo = qobject_cast<QComboBox*>(item))
        return ToUtf8(combo->currentText());
    if (auto* label = qobject_cast<QLabel*>(item))
        return ToUtf8(label->text());
    if (auto* button = qobject_cast<QAbstractButton*>(item))
        return ToUtf8(button->text());
    if (auto* group = qobject_cast<QGroupBox*>(item))
        return ToUtf8(group->title());
    return item != nullptr ? ToUtf8(item->windowTitle()) : std::string();
}

void CDialog::SetItemInt(int id, int value)
{
    SetItemText(id, std::to_string(value));
}

int CDialog::GetItemInt(int id) const
{
    return DecimalOrZero(GetItemText(id));
}

std::optional<double> CDialog::GetItemDouble(int id, double low, double high)
{
    const QString text = ToQString(GetItemText(id)).trimmed();
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (ok && value >= low && value <= high)
        return value;
    char range[64];
    std::snprintf(range, sizeof range, " %g - %g", low, high);
    Ui().MessageBox(
        GetLangString(212) + std::string(range), MessageButtons::Ok, MessageIcon::Warning);
    if (QWidget* item = Item(id)) {
        item->setFocus();
        if (auto* edit = qobject_cast<QLineEdit*>(item))
            edit->selectAll();
    }
    return std::nullopt;
}

void CDialog::CheckItem(int id, int check)
{
    Filling filling(filling_);
    auto* button = qobject_cast<QAbstractButton*>(Item(id));
    if (button == nullptr)
        return;
    if (auto* box = qobject_cast<QCheckBox*>(button); box != nullptr && check == 2) {
        box->setTristate(true);
        box->setCheckState(Qt::PartiallyChecked);
        return;
    }
    button->setChecked(check != 0);
}

int CDialog::IsItemChecked(int id) const
{
    auto* button = qobject_cast<QAbstractButton*>(Item(id));
    if (button == nullptr)
        return 0;
    if (auto* box = qobject_cast<QCheckBox*>(button))
        return box->checkState() == Qt::PartiallyChecked ? 2 : box->isChecked() ? 1 : 0;
    return button->isChecked() ? 1 : 0;
}

void CDialog::SetCurSel(int id, int index)
{
    Filling filling(filling_);
    QWidget* item = Item(id);
    if (auto* combo = qobject_cast<QComboBox*>(item))
        combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
    else if (auto* list = qobject_cast<QListWidget*>(item))
        list->setCurrentRow(index >= 0 && index < list->count() ? index : -1);
}

int CDialog::GetCurSel(int id) const
{
    QWidget* item = Item(id);
    if (auto* combo = qobject_cast<QComboBox*>(item))
        return combo->currentIndex();
    if (auto* list = qobject_cast<QListWidget*>(item))
        return list->currentRow();
    return -1;
}

void CDialog::Notify(const std::function<void()>& handler) const
{
    if (filling_ == 0 && handler)
        handler();
}

void CDialog::OnClicked(int id, std::function<void()> handler)
{
    if (auto* button = qobject_cast<QAbstractButton*>(Item(id)))
        connect(button, &QAbstractButton::clicked, this,
            [this, handler = std::move(handler)] { Notify(handler); });
}

void CDialog::OnActivated(int id, std::function<void(int)> handler)
{
    QWidget* item = Item(id);
    if (auto* combo = qobject_cast<QComboBox*>(item)) {
        connect(combo, &QComboBox::activated, this,
            [this, handler = std::move(handler)](int index) { Notify([&] { handler(index); }); });
    } else if (auto* list = qobject_cast<QListWidget*>(item)) {
        connect(list, &QListWidget::itemSelectionChanged, this,
            [this, list, handler = std::move(handler)] {
                Notify([&] { handler(list->currentRow()); });
            });
    }
}

void CDialog::OnTextEdited(int id, std::function<void()> handler)
{
    auto run = [this, handler = std::move(handler)] { Notify(handler); };
    QWidget* item = Item(id);
    if (auto* combo = qobject_cast<QComboBox*>(item))
        item = combo->lineEdit();
    if (auto* edit = qobject_cast<QLineEdit*>(item))
        connect(edit, &QLineEdit::textEdited, this, run);
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(item))
        connect(plain, &QPlainTextEdit::textChanged, this, run);
    else if (auto* rich = qobject_cast<QTextEdit*>(item))
        connect(rich, &QTextEdit::textChanged, this, run);
}
