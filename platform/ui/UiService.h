#pragma once

#include "GdiTypes.h"
#include "Prompt.h"

#include <optional>
#include <string>
#include <vector>

class QDialog;

// Everything the program asks of the user through the desktop: message boxes,
// the save question, short fading notices, file, folder and colour choosers,
// modal dialogs, and handing a link or a program to the desktop. Windows ask
// through Ui(); a program installs the desktop service (DesktopUi), tests
// install a recorder (UiRecorder) that answers from a script, so that no test
// ever waits on a modal window.
//
// Texts are 8-bit strings (UTF-8, or Latin-1 when not valid UTF-8); paths
// come back as UTF-8.

enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageIcon { None, Information, Question, Warning, Error };
enum class Answer { Ok, Cancel, Yes, No };

// Result codes of a modal dialog ended by its OK or Cancel operation.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;

struct FileRequest {
    std::string caption {};
    // The folder to start in, or a file in it to preselect.
    std::string start {};
    // Qt filter entries separated by ";;": "Kestrin Project files (*.kst);;All files (*)".
    std::string filters {};
    // Saving: the suffix added to a name typed without one ("kst").
    std::string defaultSuffix {};
};

struct FolderRequest {
    std::string caption {};
    std::string start {};
    // When not empty, a check box with this text under the folder list
    // ("Recurse sub-folders"), checked at start when `checked`.
    std::string checkText {};
    bool checked = false;
};

struct FolderChoice {
    std::string path {};
    bool checked = false;
    friend bool operator==(const FolderChoice&, const FolderChoice&) = default;
};

class UiService : public Prompt {
public:
    // A message box with an OK button and the icon of the kind.
    void Show(PromptKind kind, const std::string& text) override;

    // A modal message box; the answer is the button pressed, or what Escape
    // gives (Cancel, or No for a Yes/No box). `caption` empty: the program's name.
    virtual Answer MessageBox(const std::string& text, MessageButtons buttons,
        MessageIcon icon = MessageIcon::None, const std::string& caption = {}) = 0;

    // A notice that shows for a moment and fades out by itself; returns at once.
    virtual void Notice(const std::string& text) = 0;

    virtual std::optional<std::string> OpenFile(const FileRequest& request) = 0;
    // Several files; empty when the user cancels.
    virtual std::vector<std::string> OpenFiles(const FileRequest& request) = 0;
    virtual std::optional<std::string> SaveFile(const FileRequest& request) = 0;
    virtual std::optional<FolderChoice> ChooseFolder(const FolderRequest& request) = 0;
    virtual std::optional<COLORREF> ChooseColor(COLORREF initial) = 0;

    // Hands a link ("https://...", "mailto:...") or a local file to the
    // desktop's handler. False when no handler took it.
    virtual bool OpenUrl(const std::string& urlOrPath) = 0;
    // Starts a program with its arguments, detached and without a shell.
    virtual bool StartProgram(
        const std::string& program, const std::vector<std::string>& arguments) = 0;

    // Runs the dialog modally and returns its result code.
    virtual int RunModal(QDialog& dialog) = 0;

    // The question before a modified document is closed: Yes saves, No
    // discards, Cancel keeps the document open.
    Answer AskSaveChanges(const std::string& documentName);
    // The text of that question.
    static std::string SaveChangesText(const std::string& documentName);
};

// The installed service, or the desktop service when none is installed.
UiService& Ui();

// Installs a service (nullptr: the desktop service) and returns the one
// installed before. The caller keeps ownership.
UiService* SetUiService(UiService* service);

// Installs a service, as the user interface and as the prompt service, for
// the lifetime of this object, then puts back both that were installed before.
class ScopedUiService {
public:
    explicit ScopedUiService(UiService* service)
        : previous_(SetUiService(service)), previousPrompt_(SetPrompt(service))
    {
    }
    ~ScopedUiService()
    {
        SetPrompt(previousPrompt_);
        SetUiService(previous_);
    }
    ScopedUiService(const ScopedUiService&) = delete;
    ScopedUiService& operator=(const ScopedUiService&) = delete;

private:
    UiService* previous_;
    Prompt* previousPrompt_;
};
