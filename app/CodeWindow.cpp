#include "CodeWindow.h"

#include "AtomicFile.h"
#include "GuiSession.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QVBoxLayout>

namespace {

constexpr size_t kMaxShownFile = size_t(64) << 20;

} // namespace

CDialogCode::CDialogCode(QWidget* parent) : QDialog(parent, Qt::Tool)
{
    setModal(false);
    text_ = new QPlainTextEdit(this);
    text_->setReadOnly(true);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont mono("Monospace");
    mono.setStyleHint(QFont::TypeWriter);
    text_->setFont(mono);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(text_);
    resize(520, 400);
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
    std::string content;
    if (ReadWholeFile(path, content, kMaxShownFile) != ReadResult::Ok)
        content.clear();
    std::erase(content, '\r');
    text_->setPlainText(ToQString(content));
    currentFile_ = path;
    setWindowTitle(ToQString(path));
    return true;
}

void CDialogCode::SelectLine(int first, int last, bool keepIfVisible)
{
    QTextDocument* document = text_->document();
    const QTextBlock begin = document->findBlockByNumber(std::max(0, first - 1));
    const QTextBlock end = document->findBlockByNumber(std::max(first, last) - 1);
    if (!begin.isValid())
        return;
    QTextCursor cursor(begin);
    cursor.setPosition(end.isValid() ? end.position() + end.length() - 1 : begin.position(),
                       QTextCursor::KeepAnchor);
    QTextEdit::ExtraSelection highlight;
    highlight.cursor = cursor;
    highlight.format.setBackground(QColor(180, 180, 255));
    text_->setExtraSelections({highlight});
    const int top = text_->verticalScrollBar()->value();
    const int shown = text_->verticalScrollBar()->pageStep();
    const bool visible = begin.blockNumber() >= top && begin.blockNumber() < top + shown;
    if (!(keepIfVisible && visible))
        text_->verticalScrollBar()->setValue(begin.blockNumber());
}

void CDialogCode::Clear()
{
    ClearText();
    setWindowTitle(QString());
}

void CDialogCode::ClearText()
{
    text_->clear();
    text_->setExtraSelections({});
    currentFile_.clear();
}

void CDialogCode::closeEvent(QCloseEvent* event)
{
    // Closing only hides the window; the frame keeps it.
    event->ignore();
    hide();
    emit Closed();
}
