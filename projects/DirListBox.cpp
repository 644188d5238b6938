#include "DirListBox.h"

#include "IncludeDirLists.h"
#include "LanguageTable.h"
#include "UiService.h"

#include <QKeyEvent>
#include <QMouseEvent>

CDirListBox::CDirListBox(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(this, &QListWidget::itemChanged, this, &CDirListBox::KeepEditedRow);
}

void CDirListBox::SetRows(const std::vector<std::string>& rows)
{
    const QSignalBlocker quiet(this);
    clear();
    for (const std::string& row : rows)
        addItem(QString::fromStdString(row));
}

std::vector<std::string> CDirListBox::Rows() const
{
    std::vector<std::string> rows;
    for (int i = 0; i < count(); ++i)
        rows.push_back(item(i)->text().toStdString());
    return rows;
}

std::vector<int> CDirListBox::SelectedRows() const
{
    std::vector<int> rows;
    for (int i = 0; i < count(); ++i)
        if (item(i)->isSelected())
            rows.push_back(i);
    return rows;
}

std::string CDirListBox::AskFolder(const char* noPath)
{
    const std::optional<FolderChoice> choice = Ui().ChooseFolder({GetLangString(104)});
    if (!choice)
        return {};
    if (choice->path.empty()) {
        Ui().MessageBox(noPath, MessageButtons::Ok, MessageIcon::Warning);
        return {};
    }
    if (!IncludeDirLists::CanKeep(choice->path)) {
        Ui().MessageBox("A folder whose name holds a line break cannot be kept.",
            MessageButtons::Ok, MessageIcon::Warning);
        return {};
    }
    return choice->path;
}

void CDirListBox::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Delete && count() > 0 && currentRow() >= 0) {
        delete takeItem(currentRow());
        return;
    }
    if (event->key() == Qt::Key_Insert) {
        const std::string folder = AskFolder("Cannot Get Folder");
        if (folder.empty())
            return;
        const QString text = QString::fromStdString(folder);
        if (currentRow() >= 0)
            insertItem(currentRow(), text);
        else
            addItem(text);
        return;
    }
    QListWidget::keyPressEvent(event);
}

void CDirListBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (editing_ && currentItem() != nullptr) {
        EditRow(currentItem());
        return;
    }
    QListWidget::mouseDoubleClickEvent(event);
}

void CDirListBox::EditRow(QListWidgetItem* row)
{
    editedText_ = row->text();
    {
        const QSignalBlocker quiet(this);
        row->setFlags(row->flags() | Qt::ItemIsEditable);
    }
    editItem(row);
}

void CDirListBox::KeepEditedRow(QListWidgetItem* row)
{
    const QSignalBlocker quiet(this);
    row->setFlags(row->flags() & ~Qt::ItemIsEditable);
    if (!IncludeDirLists::CanKeep(row->text().toStdString()))
        row->setText(editedText_);
    setCurrentItem(row);
}
