#include "MyHeaderCtrl.h"

#include <QPainter>

CMyHeaderCtrl::CMyHeaderCtrl(QWidget* parent) : QHeaderView(Qt::Horizontal, parent)
{
    const QPalette colours = palette();
    // An inactive title bar: the window's colour a shade darker, under the
    // window's text; the frame in the border shade.
    background_ = colours.color(QPalette::Inactive, QPalette::Window).darker(112);
    line_ = colours.color(QPalette::Active, QPalette::Mid);
    text_ = colours.color(QPalette::Inactive, QPalette::WindowText);
    setSectionsClickable(false);
    setHighlightSections(false);
}

void CMyHeaderCtrl::paintEvent(QPaintEvent* event)
{
    // The space right of the last column carries the titles' colour too.
    {
        QPainter painter(viewport());
        painter.fillRect(viewport()->rect(), background_);
    }
    QHeaderView::paintEvent(event);
}

void CMyHeaderCtrl::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    if (!rect.isValid())
        return;
    painter->save();
    painter->fillRect(rect, background_);
    painter->setPen(line_);
    painter->drawLine(rect.bottomLeft(), rect.topLeft());
    painter->drawLine(rect.topLeft(), rect.topRight());
    const QString title = model() != nullptr
        ? model()->headerData(logicalIndex, orientation(), Qt::DisplayRole).toString()
        : QString();
    const QVariant format = model() != nullptr
        ? model()->headerData(logicalIndex, orientation(), Qt::TextAlignmentRole)
        : QVariant();
    const bool right = format.isValid() && (format.toInt() & Qt::AlignRight) != 0;
    painter->setPen(text_);
    painter->drawText(rect.adjusted(4, 0, -4, 0),
        Qt::TextSingleLine | Qt::AlignVCenter | (right ? Qt::AlignRight : Qt::AlignHCenter), title);
    painter->restore();
}
