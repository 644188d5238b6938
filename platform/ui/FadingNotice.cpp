#include "FadingNotice.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTimerEvent>

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 64;
const QColor kFrameColour(194, 207, 226);
const QColor kInnerColour(200, 210, 232);
const QColor kBackground(208, 227, 244);

} // namespace

FadingNotice* FadingNotice::Start(const QString& text, QWidget* parent)
{
    auto* notice = new FadingNotice(text, parent);
    notice->setAttribute(Qt::WA_DeleteOnClose);
    const QRect area = parent != nullptr ? parent->window()->frameGeometry()
        : QGuiApplication::primaryScreen() != nullptr
        ? QGuiApplication::primaryScreen()->availableGeometry()
        : QRect(0, 0, kWidth, kHeight);
    QRect box(0, 0, notice->width(), notice->height());
    box.moveCenter(area.center());
    notice->move(box.topLeft());
    notice->show();
    return notice;
}

FadingNotice::FadingNotice(const QString& text, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      text_(text),
      font_(QStringLiteral("Tahoma"))
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_OpaquePaintEvent);
    font_.setPixelSize(20);
    font_.setWeight(QFont::ExtraBold);
    resize(kWidth, kHeight);
    FitText();
}

void FadingNotice::FitText()
{
    const int textWidth = QFontMetrics(font_).horizontalAdvance(text_);
    if (width() > textWidth + 40)
        return;
    const int grow = textWidth - width() + 40;
    setGeometry(geometry().adjusted(-grow, 0, grow, 0));
}

void FadingNotice::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!timer_.isActive() && ticksLeft_ > 0)
        timer_.start(kTickMs, this);
}

void FadingNotice::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == timer_.timerId())
        Tick();
    else
        QWidget::timerEvent(event);
}

void FadingNotice::Tick()
{
    if (ticksLeft_ <= 0)
        return;
    if (--ticksLeft_ > 0) {
        grey_ = (grey_ + 20) % 256;
        update();
        return;
    }
    timer_.stop();
    close();
}

void FadingNotice::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect all = rect();
    painter.fillRect(all, kBackground);
    // The 3-pixel frame lies inside the box, the 1-pixel line 2 pixels in.
    painter.setPen(QPen(kFrameColour, 3, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.drawRect(QRectF(all).adjusted(1, 1, -2, -2));
    painter.setPen(QPen(kInnerColour, 1));
    painter.drawRect(all.adjusted(2, 2, -3, -3));
    painter.setFont(font_);
    painter.setPen(QColor(grey_, grey_, grey_));
    painter.drawText(all, Qt::AlignCenter | Qt::TextSingleLine, text_);
}
