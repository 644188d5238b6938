#include "CodeView.h"

#include "ExternalEditor.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>

namespace {

// Text colours by class: plain, keyword, comment, string.
const QColor kClassColours[4] = {
    QColor(0, 0, 0), QColor(0, 0, 255), QColor(0, 100, 0), QColor(200, 0, 0)};
const QColor kBackground(255, 255, 255);
const QColor kHighlight(180, 180, 255);

constexpr int kHorizontalLine = 4;
constexpr int kHorizontalPage = 12;
constexpr int kVerticalPage = 3;
constexpr int kButtonSize = 20;

} // namespace

CCodeWnd::CCodeWnd(QWidget* parent) : QAbstractScrollArea(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    edit_ = new QPushButton(QStringLiteral("E"), this);
    edit_->setFocusPolicy(Qt::NoFocus);
    connect(edit_, &QPushButton::clicked, this, &CCodeWnd::OnEditButton);
    font_ = QFont(QStringLiteral("Monospace"));
    font_.setStyleHint(QFont::TypeWriter);
    SetText({});
}

void CCodeWnd::SetText(std::string_view text)
{
    text_.SetText(text);
    caretLine_ = caretColumn_ = 0;
    highlightFirst_ = highlightLast_ = -1;
    Measure();
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
    viewport()->update();
}

void CCodeWnd::SetFont(const std::string& face, int points)
{
    font_ = QFont(QString::fromStdString(face));
    font_.setStyleHint(QFont::TypeWriter);
    font_.setPointSize(std::max(1, points));
    widths_.clear();
    asciiWidths_.fill(-1);
    Measure();
    viewport()->update();
}

// The font's sizes, the widest line of the text and the scroll ranges. The
// characters' widths stay known while the font stays.
void CCodeWnd::Measure()
{
    const QFontMetrics metrics(font_);
    lineHeight_ = std::max(1, metrics.lineSpacing());
    blankWidth_ = std::max(1, metrics.horizontalAdvance(QLatin1Char(' ')));
    widestChar_ = std::max(1, metrics.maxWidth());
    widestLine_ = text_.MeasureRows(Widths(), blankWidth_) + 10;
    UpdateScrollBars();
}

int CCodeWnd::CharWidth(char32_t ch)
{
    if (ch < asciiWidths_.size() && asciiWidths_[ch] >= 0)
        return asciiWidths_[ch];
    const auto found = widths_.find(ch);
    if (found != widths_.end())
        return found->second;
    const int width = QFontMetrics(font_).horizontalAdvance(QString::fromUcs4(&ch, 1));
    widths_.emplace(ch, width);
    if (ch < asciiWidths_.size())
        asciiWidths_[ch] = width;
    return width;
}

CodeText::CharWidth CCodeWnd::Widths()
{
    return [this](char32_t ch) { return CharWidth(ch); };
}

int CCodeWnd::VisibleLines() const
{
    return viewport()->height() / lineHeight_;
}

int CCodeWnd::LastFirstLine() const
{
    return std::max(0, text_.LineCount() - VisibleLines() - 1);
}

int CCodeWnd::FirstLine() const
{
    return verticalScrollBar()->value();
}

int CCodeWnd::HorizontalPosition() const
{
    return horizontalScrollBar()->value();
}

void CCodeWnd::UpdateScrollBars()
{
    const int width = viewport()->width();
    const bool tall = text_.LineCount() * lineHeight_ > viewport()->height();
    verticalScrollBar()->setRange(0, tall ? LastFirstLine() : 0);
    verticalScrollBar()->setSingleStep(1);
    verticalScrollBar()->setPageStep(kVerticalPage);
    horizontalScrollBar()->setRange(0, std::max(0, widestLine_ - width));
    horizontalScrollBar()->setSingleStep(kHorizontalLine);
    horizontalScrollBar()->setPageStep(kHorizontalPage);
}

void CCodeWnd::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
    PlaceEditButton();
}

void CCodeWnd::PlaceEditButton()
{
    const QRect area = viewport()->geometry();
    if (area.width() > kButtonSize && area.height() > kButtonSize && editShown_) {
        edit_->setGeometry(area.right() + 1 - kButtonSize, area.top(), kButtonSize, kButtonSize);
        edit_->show();
        edit_->raise();
    } else {
        edit_->hide();
    }
}

void CCodeWnd::ShowEditButton(bool show)
{
    editShown_ = show;
    PlaceEditButton();
}

void CCodeWnd::scrollContentsBy(int, int)
{
    viewport()->update();
}

void CCodeWnd::SetHighlight(int first, int last)
{
    highlightFirst_ = first;
    highlightLast_ = last;
    viewport()->update();
}

void CCodeWnd::ScrollToLine(int index)
{
    SetFirstLine(index);
    viewport()->repaint();
}

void CCodeWnd::SetFirstLine(int line)
{
    const int limit = text_.LineCount() > VisibleLines() + 1 ? LastFirstLine() : 0;
    verticalScrollBar()->setValue(std::clamp(line, 0, limit));
}

void CCodeWnd::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    const int width = viewport()->width();
    painter.fillRect(viewport()->rect(), kBackground);
    painter.setFont(font_);
    const int ascent = QFontMetrics(font_).ascent();
    const std::vector<uint8_t>& classes = text_.Classes();
    const int first = FirstLine();
    const int left = HorizontalPosition();
    const int rows = std::min(VisibleLines() + 1, text_.LineCount() - first - 1);
    int shownClass = -1;
    for (int row = 0; row < rows; ++row) {
        const int line = first + row;
        const int y = row * lineHeight_;
        if (line >= highlightFirst_ && line <= highlightLast_)
            painter.fillRect(0, y, width, lineHeight_, kHighlight);
        for (const CodeText::Cell& cell :
            text_.LayOutPart(line, Widths(), blankWidth_, left - widestChar_, left + width)) {
            const int x = cell.x - left;
            if (cell.ch == U'\t' || x <= -widestChar_ || x >= width)
                continue;
            const int cls = classes[static_cast<size_t>(cell.index)] & 3;
            if (cls != shownClass) {
                painter.setPen(kClassColours[cls]);
                shownClass = cls;
            }
            painter.drawText(x, y + ascent, QString::fromUcs4(&cell.ch, 1));
        }
    }
    // The caret: two pixels wide, one line high, while the window has the focus.
    if (hasFocus() && caretLine_ >= first && caretLine_ < first + rows)
        painter.fillRect(
            CaretX() - left, (caretLine_ - first) * lineHeight_, 2, lineHeight_, Qt::black);
}

// The caret's x on its row (before horizontal scrolling): at its column's
// character, or after the row's last one.
int CCodeWnd::CaretX()
{
    return text_.ColumnX(caretLine_, caretColumn_, Widths(), blankWidth_);
}

// --- Caret and keys ---

// Columns are the drawn characters of a line (line ends not counted).
int CCodeWnd::LineEndColumn(int line) const
{
    return text_.DrawnCount(line);
}

// The first shown line follows a caret that left the window.
void CCodeWnd::FollowCaret()
{
    const int first = FirstLine();
    const int visible = std::max(1, VisibleLines());
    if (caretLine_ < first)
        SetFirstLine(caretLine_);
    else if (caretLine_ >= first + visible)
        SetFirstLine(caretLine_ - visible + 1);
    // And the horizontal position, when the caret left the window sideways
    // (the scroll bar keeps it within its range).
    const int x = CaretX();
    const int left = HorizontalPosition();
    if (x < left)
        horizontalScrollBar()->setValue(x - 4 * widestChar_);
    else if (x + widestChar_ > left + viewport()->width())
        horizontalScrollBar()->setValue(x + widestChar_ - viewport()->width());
    viewport()->update();
}

void CCodeWnd::keyPressEvent(QKeyEvent* event)
{
    const bool control = event->modifiers() & Qt::ControlModifier;
    const int lastLine = std::max(0, text_.LineCount() - 2);
    const int visible = std::max(1, VisibleLines());
    const bool fits = text_.LineCount() <= visible + 1;
    const int step = (3 * visible + 3) / 4;
    switch (event->key()) {
    case Qt::Key_PageUp:
        if (!fits) {
            const int first = FirstLine();
            if (first == 0)
                caretLine_ = 0;
            else
                caretLine_ = std::max(0, caretLine_ - step);
            SetFirstLine(first - step);
        }
        break;
    case Qt::Key_PageDown:
        if (!fits) {
            const int first = FirstLine();
            if (first >= LastFirstLine())
                caretLine_ = lastLine;
            else
                caretLine_ = std::min(lastLine, caretLine_ + step);
            SetFirstLine(first + step);
        }
        break;
    case Qt::Key_End:
        if (control) {
            caretLine_ = lastLine;
            caretColumn_ = 0;
            horizontalScrollBar()->setValue(0);
            SetFirstLine(LastFirstLine());
        } else {
            caretColumn_ = LineEndColumn(caretLine_);
        }
        break;
    case Qt::Key_Home:
        caretColumn_ = 0;
        horizontalScrollBar()->setValue(0);
        if (control) {
            caretLine_ = 0;
            SetFirstLine(0);
        }
        break;
    case Qt::Key_Left:
        caretColumn_ = std::min(caretColumn_, LineEndColumn(caretLine_));
        if (caretColumn_ > 0) {
            --caretColumn_;
        } else if (caretLine_ > 0) {
            --caretLine_;
            caretColumn_ = LineEndColumn(caretLine_);
        }
        break;
    case Qt::Key_Right:
        if (caretColumn_ < LineEndColumn(caretLine_)) {
            ++caretColumn_;
        } else if (caretLine_ < lastLine) {
            ++caretLine_;
            caretColumn_ = 0;
        }
        break;
    case Qt::Key_Up:
        caretLine_ = std::max(0, caretLine_ - 1);
        break;
    case Qt::Key_Down:
        caretLine_ = std::min(lastLine, caretLine_ + 1);
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    FollowCaret();
    event->accept();
}

void CCodeWnd::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    const QPoint point = event->position().toPoint();
    const int line = FirstLine() + point.y() / lineHeight_;
    if (line < 0 || line > std::max(0, text_.LineCount() - 2))
        return;
    caretLine_ = line;
    caretColumn_ = text_.ColumnNear(line, point.x() + HorizontalPosition(), Widths(), blankWidth_);
    viewport()->update();
}

void CCodeWnd::wheelEvent(QWheelEvent* event)
{
    const int delta = event->angleDelta().y();
    if (delta != 0)
        SetFirstLine(FirstLine() + (delta > 0 ? -kVerticalPage : kVerticalPage));
    event->accept();
}

void CCodeWnd::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void CCodeWnd::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

// --- The editor ---

void CCodeWnd::OnEditButton()
{
    StartExternalEditor(editor_, fileName_, messages_);
}
