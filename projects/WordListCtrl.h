#pragma once

#include "PredefinedWordLists.h"

#include <QTreeWidget>

// A two-column list of predefined words (word, value) under a caption-coloured
// header, with whole-row and extended selection. A double click on a row
// opens the row editor ("Set Predefined Word"); OK there changes the row and
// reports it with rowEdited.
class CMyListCtrl : public QTreeWidget {
    Q_OBJECT
public:
    explicit CMyListCtrl(QWidget* parent = nullptr);

    void SetRows(const std::vector<WordRow>& rows);
    std::vector<WordRow> Rows() const;
    void AddRow(const WordRow& row);
    // Deletes every selected row.
    void RemoveSelected();
    // Runs the row editor on a row; true when it changed the row.
    bool EditRow(int row);

signals:
    void rowEdited(int row);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};
