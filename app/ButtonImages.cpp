#include "ButtonImages.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace {

constexpr int kSize = 16;

const QColor kInk(40, 60, 110);
const QColor kPane(160, 190, 230);

void Triangle(QPainter& p, QPointF a, QPointF b, QPointF c, const QColor& fill)
{
    p.setBrush(fill);
    p.setPen(fill.darker(140));
    p.drawPolygon(QPolygonF({a, b, c}));
}

// Two panes side by side, the right one `share` of the width.
void Panes(QPainter& p, double share)
{
    const QRectF frame(1.5, 3.5, 13, 9);
    p.setPen(kInk);
    p.setBrush(Qt::white);
    p.drawRect(frame);
    const double split = frame.right() - frame.width() * share;
    p.fillRect(
        QRectF(split, frame.top() + 0.5, frame.right() - split - 0.5, frame.height() - 1), kPane);
    p.drawLine(QPointF(split, frame.top()), QPointF(split, frame.bottom()));
}

void BoxWithSign(QPainter& p, bool plus)
{
    p.setPen(kInk);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(2.5, 2.5, 11, 11));
    p.drawLine(QPointF(5, 8), QPointF(11, 8));
    if (plus)
        p.drawLine(QPointF(8, 5), QPointF(8, 11));
}

void Paint(QPainter& p, int bitmap)
{
    switch (bitmap) {
    case 175:
        Panes(p, 2.0 / 3.0);
        break;
    case 176:
        Panes(p, 0.5);
        break;
    case 177:
        Panes(p, 1.0 / 3.0);
        break;
    case 178:
        Panes(p, 0.5);
        Triangle(p, {4, 8}, {7, 6}, {7, 10}, kInk);
        Triangle(p, {12, 8}, {9, 6}, {9, 10}, kInk);
        break;
    case 179:
        Triangle(p, {8, 3}, {2, 12}, {14, 12}, kInk);
        break;
    case 180:
        Triangle(p, {8, 13}, {2, 4}, {14, 4}, kInk);
        break;
    case 181:
        Triangle(p, {1, 8}, {8, 3}, {8, 13}, kInk);
        Triangle(p, {7, 8}, {14, 3}, {14, 13}, kInk);
        break;
    case 182:
        Triangle(p, {15, 8}, {8, 3}, {8, 13}, kInk);
        Triangle(p, {9, 8}, {2, 3}, {2, 13}, kInk);
        break;
    case 183:
        p.setPen(kInk);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(2.5, 1.5, 11, 13));
        for (int y = 4, w = 7; y <= 12; y += 2, w = w == 7 ? 5 : 7)
            p.drawLine(QPointF(4.5 + (w == 5 ? 2 : 0), y + 0.5), QPointF(4.5 + w, y + 0.5));
        break;
    case 184:
        p.setPen(kInk);
        for (int i = 0; i < 4; ++i)
            p.drawLine(QPointF(2, 3.5 + 3 * i), QPointF(5 + 2 * i, 3.5 + 3 * i));
        Triangle(p, {12, 14}, {9, 10}, {15, 10}, kInk);
        p.drawLine(QPointF(12, 2), QPointF(12, 10));
        break;
    case 185:
        BoxWithSign(p, false);
        break;
    case 186:
        BoxWithSign(p, true);
        break;
    case 187:
        Triangle(p, {4, 2}, {4, 14}, {14, 8}, QColor(40, 160, 60));
        break;
    case 188:
        p.setPen(QColor(150, 20, 20));
        p.setBrush(QColor(210, 50, 40));
        p.drawRect(QRectF(3.5, 3.5, 9, 9));
        break;
    default:
        break;
    }
}

} // namespace

QIcon ButtonImage(int bitmap)
{
    if (bitmap < 175 || bitmap > 188)
        return {};
    QIcon icon;
    for (int scale : {1, 2}) {
        QPixmap pixmap(kSize * scale, kSize * scale);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(scale, scale);
        Paint(painter, bitmap);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QPixmap AboutPicture(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    // Three boxes joined like the macro view's classes, under a kestrel's wing.
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(QColor(255, 240, 200));
    p.drawRoundedRect(QRectF(6, 30, 22, 14), 3, 3);
    p.setBrush(QColor(210, 230, 255));
    p.drawRoundedRect(QRectF(36, 30, 22, 14), 3, 3);
    p.setBrush(QColor(220, 245, 220));
    p.drawRoundedRect(QRectF(21, 48, 22, 12), 3, 3);
    p.drawLine(QPointF(17, 44), QPointF(28, 48));
    p.drawLine(QPointF(47, 44), QPointF(36, 48));
    QPainterPath wing;
    wing.moveTo(4, 22);
    wing.cubicTo(18, 4, 40, 2, 60, 10);
    wing.cubicTo(44, 12, 34, 16, 30, 24);
    wing.cubicTo(22, 18, 12, 18, 4, 22);
    p.setBrush(QColor(170, 100, 50));
    p.setPen(QPen(QColor(110, 60, 30), 1.2));
    p.drawPath(wing);
    return pixmap;
}
