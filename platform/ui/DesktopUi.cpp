#include "DesktopUi.h"

#include "AbsolutePath.h"
#include "FadingNotice.h"
#include "GuiSession.h"
#include "UiThreadPoster.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QMessageBox>
#include <QProcess>
#include <QUrl>
#include <cstdio>

namespace {

QString Caption(const std::string& caption)
{
    return caption.empty() ? QString::fromLatin1(kProgramCaption) : ToQString(caption);
}

QMessageBox::Icon QtIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// The buttons of a box, the first being the default, and the one Escape presses.
struct ButtonSet {
    QMessageBox::StandardButtons all;
    QMessageBox::StandardButton first;
    QMessageBox::StandardButton escape;
};

ButtonSet ButtonsOf(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::OkCancel:
        return {QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok, QMessageBox::Cancel};
    case MessageButtons::YesNo:
        return {QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes, QMessageBox::No};
    case MessageButtons::YesNoCancel:
        return {QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes,
            QMessageBox::Cancel};
    case MessageButtons::Ok:
        break;
    }
    return {QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Ok};
}

Answer AnswerOfButton(QMessageBox::StandardButton button)
{
    switch (button) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

void SetUpFileDialog(QFileDialog& dialog, const FileRequest& request)
{
    if (!request.filters.empty())
        dialog.setNameFilters(ToQString(request.filters).split(QStringLiteral(";;")));
    if (request.start.empty())
        return;
    const QFileInfo start(ToQString(request.start));
    if (start.isDir()) {
        dialog.setDirectory(start.absoluteFilePath());
    } else {
        dialog.setDirectory(start.absolutePath());
        dialog.selectFile(start.fileName());
    }
}

// Windows can only be made on the user-interface thread.
bool OffUiThread(const char* what)
{
    if (IsUiThread())
        return false;
    std::fprintf(
        stderr, "Kestrin: %s asked for outside the user-interface thread; cancelled.\n", what);
    return true;
}

} // namespace

void DesktopUi::Show(PromptKind kind, const std::string& text)
{
    if (IsUiThread()) {
        UiService::Show(kind, text);
        return;
    }
    UiThreadPoster(QCoreApplication::instance()).Post([this, kind, text] {
        UiService::Show(kind, text);
    });
}

QWidget* DesktopUi::DialogParent() const
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

std::unique_ptr<QMessageBox> DesktopUi::BuildMessageBox(const std::string& text,
    MessageButtons buttons, MessageIcon icon, const std::string& caption, QWidget* parent)
{
    const ButtonSet set = ButtonsOf(buttons);
    auto box = std::make_unique<QMessageBox>(
        QtIcon(icon), Caption(caption), ToQString(text), set.all, parent);
    box->setDefaultButton(set.first);
    box->setEscapeButton(set.escape);
    return box;
}

Answer DesktopUi::AnswerOf(const QMessageBox& box, MessageButtons buttons)
{
    QAbstractButton* clicked = box.clickedButton();
    if (clicked == nullptr)
        return AnswerOfButton(ButtonsOf(buttons).escape);
    return AnswerOfButton(box.standardButton(clicked));
}

Answer DesktopUi::MessageBox(
    const std::string& text, MessageButtons buttons, MessageIcon icon, const std::string& caption)
{
    if (OffUiThread("A message box"))
        return AnswerOfButton(ButtonsOf(buttons).escape);
    std::unique_ptr<QMessageBox> box =
        BuildMessageBox(text, buttons, icon, caption, DialogParent());
    box->exec();
    return AnswerOf(*box, buttons);
}

void DesktopUi::Notice(const std::string& text)
{
    if (OffUiThread("A notice"))
        return;
    FadingNotice::Start(ToQString(text), DialogParent());
}

std::optional<std::string> DesktopUi::OpenFile(const FileRequest& request)
{
    if (OffUiThread("A file chooser"))
        return std::nullopt;
    QFileDialog dialog(DialogParent(), Caption(request.caption));
    dialog.setFileMode(QFileDialog::ExistingFile);
    SetUpFileDialog(dialog, request);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return ToUtf8(dialog.selectedFiles().first());
}

std::vector<std::string> DesktopUi::OpenFiles(const FileRequest& request)
{
    if (OffUiThread("A file chooser"))
        return {};
    QFileDialog dialog(DialogParent(), Caption(request.caption));
    dialog.setFileMode(QFileDialog::ExistingFiles);
    SetUpFileDialog(dialog, request);
    std::vector<std::string> paths;
    if (dialog.exec() == QDialog::Accepted) {
        for (const QString& path : dialog.selectedFiles())
            paths.push_back(ToUtf8(path));
    }
    return paths;
}

std::optional<std::string> DesktopUi::SaveFile(const FileRequest& request)
{
    if (OffUiThread("A file chooser"))
        return std::nullopt;
    QFileDialog dialog(DialogParent(), Caption(request.caption));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(ToQString(request.defaultSuffix));
    SetUpFileDialog(dialog, request);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return ToUtf8(dialog.selectedFiles().first());
}

std::unique_ptr<QFileDialog> DesktopUi::BuildFolderDialog(
    const FolderRequest& request, QWidget* parent)
{
    auto dialog = std::make_unique<QFileDialog>(parent, Caption(request.caption));
    dialog->setFileMode(QFileDialog::Directory);
    dialog->setOption(QFileDialog::ShowDirsOnly);
    if (!request.start.empty())
        dialog->setDirectory(ToQString(request.start));
    if (request.checkText.empty())
        return dialog;
    // The check box needs Qt's own dialog: the desktop's cannot take one.
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    auto* check = new QCheckBox(ToQString(request.checkText), dialog.get());
    check->setObjectName(QStringLiteral("check"));
    check->setChecked(request.checked);
    if (auto* grid = qobject_cast<QGridLayout*>(dialog->layout()))
        grid->addWidget(check, grid->rowCount(), 0, 1, grid->columnCount());
    return dialog;
}

std::optional<FolderChoice> DesktopUi::ChooseFolder(const FolderRequest& request)
{
    if (OffUiThread("A folder chooser"))
        return std::nullopt;
    std::unique_ptr<QFileDialog> dialog = BuildFolderDialog(request, DialogParent());
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return std::nullopt;
    FolderChoice choice {ToUtf8(dialog->selectedFiles().first()), request.checked};
    if (auto* check = dialog->findChild<QCheckBox*>(QStringLiteral("check")))
        choice.checked = check->isChecked();
    return choice;
}

std::optional<COLORREF> DesktopUi::ChooseColor(COLORREF initial)
{
    if (OffUiThread("A colour chooser"))
        return std::nullopt;
    const QColor colour = QColorDialog::getColor(
        QColor(GetRValue(initial), GetGValue(initial), GetBValue(initial)), DialogParent());
    if (!colour.isValid())
        return std::nullopt;
    return RGB(colour.red(), colour.green(), colour.blue());
}

bool DesktopUi::OpenUrl(const std::string& urlOrPath)
{
    const QString text = ToQString(urlOrPath);
    QUrl url(text);
    // A text without a scheme (or with a one-letter one, a drive) is a file.
    if (url.scheme().size() <= 1)
        url = QUrl::fromLocalFile(ToQString(AbsolutePath(urlOrPath)));
    if (!url.isValid())
        return false;
    return QDesktopServices::openUrl(url);
}

bool DesktopUi::StartProgram(const std::string& program, const std::vector<std::string>& arguments)
{
    QStringList list;
    for (const std::string& argument : arguments)
        list << ToQString(argument);
    return QProcess::startDetached(ToQString(program), list);
}

int DesktopUi::RunModal(QDialog& dialog)
{
    if (OffUiThread("A dialog"))
        return QDialog::Rejected;
    return dialog.exec();
}
