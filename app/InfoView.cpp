#include "InfoView.h"

#include "GuiSession.h"
#include "LanguageTable.h"
#include "MessageLineLimit.h"

#include <QMouseEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>

CInfoView::CInfoView(QWidget* parent, std::function<bool()> drawRunning)
    : QPlainTextEdit(parent), drawRunning_(std::move(drawRunning))
{
    setReadOnly(true);
    setUndoRedoEnabled(false);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    QPalette colours = palette();
    colours.setColor(QPalette::Base, Qt::white);
    setPalette(colours);
}

std::optional<COLORREF> CInfoView::LineColour(std::string_view line)
{
    static constexpr struct {
        int text;
        COLORREF colour;
    } kPrefixes[] = {{3, RGB(222, 82, 135)}, {1, RGB(83, 74, 238)}, {2, RGB(43, 100, 44)}};
    for (const auto& prefix : kPrefixes) {
        const std::string_view word = GetLangString(prefix.text);
        if (!word.empty() && line.substr(0, word.size()) == word)
            return prefix.colour;
    }
    return std::nullopt;
}

void CInfoView::AppendLongLine(std::string_view shown, size_t leftOut)
{
    // The line as pieces: the part given leaves it open, the bytes left out
    // count as arrived, the line end completes it.
    AppendMessage(shown);
    openLineBytes_ += leftOut;
    AppendMessage("\n");
}

void CInfoView::AppendMessage(std::string_view text)
{
    if (text.empty())
        return;
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.beginEditBlock();
    const QTextCharFormat plain;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find('\n', start);
        std::string_view piece =
            text.substr(start, end == std::string_view::npos ? text.size() - start : end - start);
        if (!piece.empty() && piece.back() == '\r')
            piece.remove_suffix(1);
        // Only the first bytes of a long line are shown; once a line was cut,
        // nothing more of it is.
        const size_t room =
            openLineBytes_ > openLine_.size() ? 0 : kMaxShownLineBytes - openLine_.size();
        const std::string_view shown = piece.substr(0, WholeCharacterPrefix(piece, room));
        if (end == std::string_view::npos) {
            // An open line: shown now, coloured when a later text ends it.
            cursor.insertText(ToQString(shown), plain);
            openLine_ += shown;
            openLineBytes_ += piece.size();
            break;
        }
        const size_t hidden = openLineBytes_ + piece.size() - openLine_.size() - shown.size();
        QString inserted = ToQString(shown);
        if (hidden > 0)
            inserted += ToQString(HiddenBytesNote(hidden));
        const std::optional<COLORREF> colour = LineColour(openLine_ + std::string(shown));
        QTextCharFormat format;
        if (colour)
            format.setForeground(
                QColor(GetRValue(*colour), GetGValue(*colour), GetBValue(*colour)));
        if (openLine_.empty()) {
            cursor.insertText(inserted, format);
        } else {
            cursor.insertText(inserted, plain);
            if (colour) {
                QTextCursor whole(cursor.block());
                whole.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
                whole.setCharFormat(format);
            }
        }
        openLine_.clear();
        openLineBytes_ = 0;
        cursor.insertBlock(QTextBlockFormat(), plain);
        start = end + 1;
    }
    cursor.endEditBlock();
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

void CInfoView::Clear()
{
    clear();
    openLine_.clear();
    openLineBytes_ = 0;
}

void CInfoView::mousePressEvent(QMouseEvent* event)
{
    if (drawRunning_ && drawRunning_())
        return;
    QPlainTextEdit::mousePressEvent(event);
}
