#include "WordListCtrl.h"

#include "LanguageTable.h"
#include "MyHeaderCtrl.h"
#include "SetPredefinedWordDialog.h"

#include <QHeaderView>
#include <QMouseEvent>

CMyListCtrl::CMyListCtrl(QWidget* parent) : QTreeWidget(parent)
{
    setHeader(new CMyHeaderCtrl(this));
    setColumnCount(2);
    setHeaderLabels({QString::fromUtf8(GetLangString(100)), QString::fromUtf8(GetLangString(101))});
    setColumnWidth(0, 340);
    setColumnWidth(1, 164);
    setRootIsDecorated(false);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setAllColumnsShowFocus(true);
    setSortingEnabled(false);
}

void CMyListCtrl::SetRows(const std::vector<WordRow>& rows)
{
    clear();
    for (const WordRow& row : rows)
        AddRow(row);
}

std::vector<WordRow> CMyListCtrl::Rows() const
{
    std::vector<WordRow> rows;
    for (int i = 0; i < topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = topLevelItem(i);
        rows.emplace_back(item->text(0).toStdString(),
            PredefinedWordLists::ParseValue(item->text(1).toStdString()).value_or(0));
    }
    return rows;
}

void CMyListCtrl::AddRow(const WordRow& row)
{
    addTopLevelItem(
        new QTreeWidgetItem({QString::fromStdString(row.first), QString::number(row.second)}));
}

void CMyListCtrl::RemoveSelected()
{
    for (int i = topLevelItemCount() - 1; i >= 0; --i)
        if (topLevelItem(i)->isSelected())
            delete takeTopLevelItem(i);
}

bool CMyListCtrl::EditRow(int row)
{
    const std::vector<WordRow> rows = Rows();
    if (row < 0 || row >= static_cast<int>(rows.size()))
        return false;
    CDialogSetPredefinedWord editor(rows[row], this);
    if (editor.DoModal() != IDOK)
        return false;
    QTreeWidgetItem* item = topLevelItem(row);
    item->setText(0, QString::fromStdString(editor.Row().first));
    item->setText(1, QString::number(editor.Row().second));
    emit rowEdited(row);
    return true;
}

void CMyListCtrl::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QModelIndex hit = indexAt(event->position().toPoint());
    if (!hit.isValid())
        return;
    EditRow(hit.row());
}
