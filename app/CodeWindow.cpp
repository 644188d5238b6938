#include "CodeWindow.h"

#include "AtomicFile.h"
#include "CodeView.h"
#include "GuiSession.h"
#include "LanguageTable.h"
#include "Options.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QVBoxLayout>

namespace {

constexpr size_t kMaxShownFile = size_t(64) << 20;

} // namespace

CDialogCode::CDialogCode(COptions& options, QWidget* parent)
    : QDialog(parent, Qt::Tool), options_(options)
{
    setModal(false);
    text_ = new CCodeWnd(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(text_);
    resize(740, 370);
    text_->SetFont(options.codeFontName, options.codeFontSize / 10);
    text_->ShowEditButton(options.codeEditButtonShow);
    text_->SetEditor(options.codeEditProgram);
    text_->SetMessages(
        {GetLangString(70), GetLangString(72), GetLangString(73), GetLangString(74)});
    text_->installEventFilter(this);
}

bool CDialogCode::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        const QKeySequence key(static_cast<QKeyEvent*>(event)->keyCombination());
        for (const QAction* action : actions())
            if (action->isEnabled() && action->shortcuts().contains(key))
                return true;
    }
    return QDialog::eventFilter(watched, event);
}

bool CDialogCode::ShowFile(const std::string& path)
{
    if (path == currentFile_)
        return false;
    setWindowTitle(ToQString(path));
    std::string content;
    if (path.empty() || ReadWholeFile(path, content, kMaxShownFile) != ReadResult::Ok ||
        content.empty()) {
        // Nothing of another file may stay under this caption, and the
        // next request for the path reads it again.
        ClearText();
        return false;
    }
    std::erase(content, '\r');
    currentFile_ = path;
    text_->SetFileName(path);
    text_->SetText(content);
    return true;
}

void CDialogCode::SelectLine(int first, int last, bool keepIfVisible)
{
    if (first < 1 || last < 1)
        return;
    text_->SetHighlight(first - 1, last - 1);
    // A hidden window's text has no size yet: the lines are placed when it
    // is shown.
    pendingLines_.reset();
    if (!isVisible()) {
        pendingLines_ = {first, last};
        return;
    }
    const int visible = text_->VisibleLines();
    const int shownFirst = text_->FirstLine();
    if (text_->LineCount() <= visible + 1)
        text_->ScrollToLine(0);
    else if (keepIfVisible && last - 1 >= shownFirst && first - 1 <= shownFirst + visible + 1)
        return;
    else
        text_->ScrollToLine(first - 1 - (visible + 1) / 4);
}

void CDialogCode::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (const auto lines = pendingLines_)
        SelectLine(lines->first, lines->second, false);
}

void CDialogCode::Clear()
{
    ClearText();
    setWindowTitle(QString());
}

void CDialogCode::ClearText()
{
    pendingLines_.reset();
    currentFile_.clear();
    text_->SetFileName(" ");
    text_->SetText(" ");
}

void CDialogCode::SetCodeFont(const std::string& face, int tenths)
{
    text_->SetFont(face, tenths / 10);
    options_.codeFontName = face;
    options_.codeFontSize = tenths;
}

void CDialogCode::ShowEditButton(bool show)
{
    text_->ShowEditButton(show);
}

void CDialogCode::SetEditProgram(const std::string& commandLine)
{
    text_->SetEditor(commandLine);
}

void CDialogCode::closeEvent(QCloseEvent* event)
{
    // Closing only hides the window; the frame keeps it.
    event->ignore();
    hide();
    emit Closed();
}
