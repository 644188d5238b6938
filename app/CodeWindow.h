#pragma once

#include <QDialog>
#include <optional>
#include <string>
#include <utility>

class CCodeWnd;
class COptions;

// The modeless code window: the source file of the macro view's selection,
// with the selection's lines highlighted, in the text window CCodeWnd. The
// frame shows and hides it and forwards the file and lines to show; closing
// it only hides it. The font and the editor come from the options.
class CDialogCode : public QDialog {
    Q_OBJECT
public:
    explicit CDialogCode(COptions& options, QWidget* parent = nullptr);

    // Shows a file unless it is the one shown; true when it was loaded. A
    // file that cannot be read (or is empty) leaves the window empty, with
    // the path in the caption, and false; asking for it again tries again.
    bool ShowFile(const std::string& path);
    // Highlights lines first to last (from 1) and scrolls so that the first
    // stands about a quarter down the window; with `keepIfVisible` the view
    // does not move when they are in sight already. A hidden window places
    // them when it is shown.
    void SelectLine(int first, int last, bool keepIfVisible);
    // Empties the window and its caption / only the text.
    void Clear();
    void ClearText();
    // The font as face and size in tenths of a point; kept in the options.
    void SetCodeFont(const std::string& face, int tenths);
    void ShowEditButton(bool show);
    // The editor's command line (a program and its own arguments).
    void SetEditProgram(const std::string& commandLine);

    const std::string& CurrentFile() const { return currentFile_; }
    CCodeWnd* TextWindow() const { return text_; }

signals:
    // The user closed the window (it is only hidden).
    void Closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // Keys that run one of the window's commands (the frame's keys) are not
    // taken by the text: they reach the commands.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    COptions& options_;
    std::string currentFile_;
    CCodeWnd* text_;
    std::optional<std::pair<int, int>> pendingLines_;
};
