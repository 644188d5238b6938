#include "InfoView.h"

#include "GuiSession.h"
#include "LanguageTable.h"
#include "TextLines.h"

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

void CInfoView::AppendMessage(std::string_view text)
{
    if (text.empty())
        return;
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.beginEditBlock();
    const QTextCharFormat plain;
    const std::vector<std::string_view> pieces = SplitLines(text);
    for (size_t i = 0; i < pieces.size(); ++i) {
        const std::string_view piece = pieces[i];
        if (i + 1 == pieces.size() && text.back() != '\n') {
            // An open line: shown now, coloured when a later text ends it.
            cursor.insertText(ToQString(piece), plain);
            openLine_ += piece;
            break;
        }
        const std::string line = openLine_ + std::string(piece);
        const std::optional<COLORREF> colour = LineColour(line);
        QTextCharFormat format;
        if (colour)
            format.setForeground(
                QColor(GetRValue(*colour), GetGValue(*colour), GetBValue(*colour)));
        if (openLine_.empty()) {
            cursor.insertText(ToQString(piece), format);
        } else {
            cursor.insertText(ToQString(piece), plain);
            if (colour) {
                QTextCursor whole(cursor.block());
                whole.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
                whole.setCharFormat(format);
            }
            openLine_.clear();
        }
        cursor.insertBlock(QTextBlockFormat(), plain);
    }
    cursor.endEditBlock();
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

void CInfoView::Clear()
{
    clear();
    openLine_.clear();
}

void CInfoView::mousePressEvent(QMouseEvent* event)
{
    if (drawRunning_ && drawRunning_())
        return;
    QPlainTextEdit::mousePressEvent(event);
}
