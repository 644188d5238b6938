#include "ScrollView.h"

#include "DeviceContext.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace {

unsigned FlagsOf(Qt::MouseButtons buttons, Qt::KeyboardModifiers keys)
{
    unsigned flags = 0;
    if (buttons & Qt::LeftButton)
        flags |= MK_LBUTTON;
    if (buttons & Qt::RightButton)
        flags |= MK_RBUTTON;
    if (buttons & Qt::MiddleButton)
        flags |= MK_MBUTTON;
    if (keys & Qt::ShiftModifier)
        flags |= MK_SHIFT;
    if (keys & Qt::ControlModifier)
        flags |= MK_CONTROL;
    return flags;
}

CPoint ToCPoint(const QPointF& point)
{
    return {static_cast<int>(std::floor(point.x())), static_cast<int>(std::floor(point.y()))};
}

} // namespace

CScrollView::CScrollView(QWidget* parent) : QAbstractScrollArea(parent)
{
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAttribute(Qt::WA_NoSystemBackground);
    viewport()->setMouseTracking(true);
    connect(horizontalScrollBar(), &QScrollBar::actionTriggered, this,
        [this](int action) { AdjustPageStep(action, true); });
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this,
        [this](int action) { AdjustPageStep(action, false); });
    SetScrollSizes({10, 10});
}

CScrollView::~CScrollView() = default;

void CScrollView::SetScrollSizes(CSize total, CSize page, CSize line)
{
    total_ = {std::max(total.cx, 0), std::max(total.cy, 0)};
    page_ = {page.cx > 0 ? page.cx : total_.cx / 10, page.cy > 0 ? page.cy : total_.cy / 10};
    line_ = {line.cx > 0 ? line.cx : page_.cx / 10, line.cy > 0 ? line.cy : page_.cy / 10};
    page_ = {std::max(page_.cx, 1), std::max(page_.cy, 1)};
    line_ = {std::max(line_.cx, 1), std::max(line_.cy, 1)};
    UpdateScrollBars();
    viewport()->update();
}

void CScrollView::UpdateScrollBars()
{
    const QSize client = viewport()->size();
    QScrollBar* h = horizontalScrollBar();
    QScrollBar* v = verticalScrollBar();
    h->setRange(0, std::max(0, total_.cx - client.width()));
    v->setRange(0, std::max(0, total_.cy - client.height()));
    h->setPageStep(std::max(1, client.width()));
    v->setPageStep(std::max(1, client.height()));
    h->setSingleStep(line_.cx);
    v->setSingleStep(line_.cy);
}

void CScrollView::AdjustPageStep(int action, bool horizontal)
{
    QScrollBar* bar = horizontal ? horizontalScrollBar() : verticalScrollBar();
    const int page = horizontal ? page_.cx : page_.cy;
    if (action == QAbstractSlider::SliderPageStepAdd)
        bar->setSliderPosition(bar->value() + page);
    else if (action == QAbstractSlider::SliderPageStepSub)
        bar->setSliderPosition(bar->value() - page);
}

CPoint CScrollView::GetScrollPosition() const
{
    return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

void CScrollView::ScrollToPosition(CPoint position)
{
    horizontalScrollBar()->setValue(position.x);
    verticalScrollBar()->setValue(position.y);
}

CRect CScrollView::GetClientRect() const
{
    return {0, 0, viewport()->width(), viewport()->height()};
}

CPoint CScrollView::ClientToLogical(CPoint client) const
{
    const CPoint scroll = GetScrollPosition();
    return {client.x + scroll.x, client.y + scroll.y};
}

void CScrollView::Invalidate()
{
    viewport()->update();
}

void CScrollView::InvalidateRect(const CRect& logical)
{
    const CPoint scroll = GetScrollPosition();
    viewport()->update(
        QRect(logical.left - scroll.x, logical.top - scroll.y, logical.Width(), logical.Height()));
}

void CScrollView::RedrawNow()
{
    viewport()->repaint();
}

void CScrollView::paintEvent(QPaintEvent* event)
{
    const QSize size = viewport()->size();
    if (size.isEmpty())
        return;
    if (buffer_.size() != size) {
        buffer_ = QImage(size, QImage::Format_RGB32);
        buffer_.fill(Qt::white);
    }
    const QRect part = event->rect().intersected(QRect(QPoint(0, 0), size));
    if (part.isEmpty())
        return;
    const CPoint scroll = GetScrollPosition();
    {
        CDC dc;
        dc.AttachImage(&buffer_);
        dc.SetWindowOrg(scroll.x, scroll.y);
        dc.IntersectClipRect(CRect(part.left() + scroll.x, part.top() + scroll.y,
            part.left() + part.width() + scroll.x, part.top() + part.height() + scroll.y));
        OnDraw(&dc);
    }
    QPainter painter(viewport());
    painter.drawImage(part, buffer_, part);
}

void CScrollView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
    OnSize(viewport()->width(), viewport()->height());
}

void CScrollView::mousePressEvent(QMouseEvent* event)
{
    const unsigned flags = FlagsOf(event->buttons(), event->modifiers());
    const CPoint point = ClientToLogical(ToCPoint(event->position()));
    if (event->button() == Qt::LeftButton)
        OnLButtonDown(flags, point);
    else if (event->button() == Qt::RightButton)
        OnRButtonDown(flags, point);
}

void CScrollView::mouseReleaseEvent(QMouseEvent* event)
{
    const unsigned flags = FlagsOf(event->buttons(), event->modifiers());
    const CPoint point = ClientToLogical(ToCPoint(event->position()));
    if (event->button() == Qt::LeftButton)
        OnLButtonUp(flags, point);
    else if (event->button() == Qt::RightButton)
        OnRButtonUp(flags, point);
}

void CScrollView::mouseDoubleClickEvent(QMouseEvent* event)
{
    const unsigned flags = FlagsOf(event->buttons(), event->modifiers());
    const CPoint point = ClientToLogical(ToCPoint(event->position()));
    if (event->button() == Qt::LeftButton)
        OnLButtonDblClk(flags, point);
    else if (event->button() == Qt::RightButton)
        OnRButtonDown(flags, point);
}

void CScrollView::mouseMoveEvent(QMouseEvent* event)
{
    OnMouseMove(FlagsOf(event->buttons(), event->modifiers()),
        ClientToLogical(ToCPoint(event->position())));
}

void CScrollView::wheelEvent(QWheelEvent* event)
{
    const int delta = event->angleDelta().y();
    if (delta != 0 &&
        OnMouseWheel(FlagsOf(event->buttons(), event->modifiers()), delta,
            ClientToLogical(ToCPoint(event->position())))) {
        event->accept();
        return;
    }
    QAbstractScrollArea::wheelEvent(event);
}
