#include "HyperLink.h"

#include "GuiSession.h"
#include "UiService.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

CHyperLink::CHyperLink(QWidget* parent) : QLabel(parent)
{
    setMouseTracking(true);
}

void CHyperLink::SetText(const std::string& text)
{
    setText(ToQString(text));
    update();
}

void CHyperLink::SetURL(const std::string& link)
{
    link_ = link;
}

QFont CHyperLink::LinkFont() const
{
    QFont linkFont = font();
    linkFont.setUnderline(true);
    return linkFont;
}

QSize CHyperLink::TextExtent() const
{
    const QFontMetrics metrics(LinkFont());
    return {metrics.horizontalAdvance(text()), metrics.height()};
}

bool CHyperLink::IsOnText(const QPoint& point) const
{
    const QSize extent = TextExtent();
    return point.x() >= 0 && point.x() < extent.width() && point.y() >= 0 &&
        point.y() < extent.height();
}

void CHyperLink::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setFont(LinkFont());
    painter.setPen(QColor(0, 0, 255));
    const QFontMetrics metrics(painter.font());
    painter.drawText(0, metrics.ascent(), text());
}

void CHyperLink::mouseMoveEvent(QMouseEvent* event)
{
    setCursor(IsOnText(event->position().toPoint()) ? Qt::PointingHandCursor : Qt::ArrowCursor);
    QLabel::mouseMoveEvent(event);
}

void CHyperLink::leaveEvent(QEvent* event)
{
    setCursor(Qt::ArrowCursor);
    QLabel::leaveEvent(event);
}

void CHyperLink::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && IsOnText(event->position().toPoint()) &&
        !link_.empty())
        Ui().OpenUrl(link_);
    QLabel::mousePressEvent(event);
}
