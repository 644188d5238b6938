#pragma once

#include "UiService.h"

#include <QWidget>
#include <memory>

class QFileDialog;
class QMessageBox;

// The user-interface service on Qt widgets: message boxes, Qt's file, folder
// and colour dialogs, the fading notice, the desktop's link handler and
// detached processes. Dialogs open over the active modal dialog, else over the
// active window.
class DesktopUi : public UiService {
public:
    // From another thread a prompt is handed to the user-interface thread and
    // shown there later; every other call made off that thread shows nothing
    // and gives what cancelling gives.
    void Show(PromptKind kind, const std::string& text) override;

    Answer MessageBox(const std::string& text, MessageButtons buttons, MessageIcon icon,
        const std::string& caption) override;
    void Notice(const std::string& text) override;
    std::optional<std::string> OpenFile(const FileRequest& request) override;
    std::vector<std::string> OpenFiles(const FileRequest& request) override;
    std::optional<std::string> SaveFile(const FileRequest& request) override;
    std::optional<FolderChoice> ChooseFolder(const FolderRequest& request) override;
    std::optional<COLORREF> ChooseColor(COLORREF initial) override;
    bool OpenUrl(const std::string& urlOrPath) override;
    bool StartProgram(
        const std::string& program, const std::vector<std::string>& arguments) override;
    int RunModal(QDialog& dialog) override;

    // The window dialogs open over.
    QWidget* DialogParent() const;

    // The pieces the calls above run, built but not shown, so that they can be
    // looked at without a modal loop.
    static std::unique_ptr<QMessageBox> BuildMessageBox(const std::string& text,
        MessageButtons buttons, MessageIcon icon, const std::string& caption, QWidget* parent);
    // The answer of a message box that was closed (by a button or Escape).
    static Answer AnswerOf(const QMessageBox& box, MessageButtons buttons);
    // A folder chooser; with a check text it has that check box, named "check".
    static std::unique_ptr<QFileDialog> BuildFolderDialog(
        const FolderRequest& request, QWidget* parent);
};

// The program's name, the caption of message boxes without one.
inline constexpr const char* kProgramCaption = "Kestrin";
