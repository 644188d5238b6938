#pragma once

#include <QDialog>
#include <string>

class QPlainTextEdit;

// The modeless code window: the source file of the macro view's selection,
// with the selection's lines highlighted. The frame shows and hides it and
// forwards the file and lines to show.
class CDialogCode : public QDialog {
    Q_OBJECT
public:
    explicit CDialogCode(QWidget* parent = nullptr);

    // Shows a file unless it is the one shown; true when it was loaded.
    bool ShowFile(const std::string& path);
    // Highlights lines first to last (from 1) and scrolls to them; with
    // `keepIfVisible` the view does not move when they are in sight.
    void SelectLine(int first, int last, bool keepIfVisible);
    // Empties the window and its caption / only the text.
    void Clear();
    void ClearText();

    const std::string& CurrentFile() const { return currentFile_; }

signals:
    // The user closed the window (it is only hidden).
    void Closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    // Keys that run one of the window's commands (the frame's keys) are not
    // taken by the text: they reach the commands.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::string currentFile_;
    QPlainTextEdit* text_;
};
