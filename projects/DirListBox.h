#pragma once

#include <QListWidget>
#include <string>
#include <vector>

// A list of folders: extended selection; once editing is switched on, a
// double click edits a row in place, Delete deletes the caret row and Insert
// asks for a folder and puts it before the caret row (at the end without
// one). A folder holding a line break is refused with a message box.
class CDirListBox : public QListWidget {
    Q_OBJECT
public:
    explicit CDirListBox(QWidget* parent = nullptr);

    void SetEditing(bool editing) { editing_ = editing; }
    bool Editing() const { return editing_; }

    void SetRows(const std::vector<std::string>& rows);
    std::vector<std::string> Rows() const;
    // The selected row indices, ascending.
    std::vector<int> SelectedRows() const;

    // Asks for a folder (title language text 104) and returns it; empty when
    // the user cancelled or the folder cannot be kept. `noPath` is the
    // message when the choice has no path.
    static std::string AskFolder(const char* noPath);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void EditRow(QListWidgetItem* item);
    void KeepEditedRow(QListWidgetItem* item);

    bool editing_ = false;
    QString editedText_;
};
