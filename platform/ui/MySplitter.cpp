#include "MySplitter.h"

#include <QResizeEvent>
#include <algorithm>

CMySplitter::CMySplitter(Qt::Orientation orientation, QWidget* parent)
    : QSplitter(orientation, parent)
{
    setChildrenCollapsible(true);
    setOpaqueResize(true);
    connect(this, &QSplitter::splitterMoved, this, [this] { OnBarMoved(); });
}

void CMySplitter::SetMode(int mode)
{
    mode_ = (mode == 0 || mode == 1) ? mode : 2;
}

int CMySplitter::Extent() const
{
    return orientation() == Qt::Vertical ? height() : width();
}

int CMySplitter::GetSecondPaneSize() const
{
    switch (mode_) {
    case 0:
        return Extent();
    case 1:
        return size_;
    default:
        return 0;
    }
}

void CMySplitter::ApplyLayout(int total)
{
    if (count() < 2)
        return;
    // The bar between the panes takes its width from the extent.
    const int available = std::max(0, total - handleWidth());
    const int first = std::clamp(available - GetSecondPaneSize(), 0, available);
    // The first pane takes any space the sizes leave over or lack.
    setStretchFactor(0, 1);
    setStretchFactor(1, 0);
    setSizes({first, available - first});
}

void CMySplitter::ShowTwoThirds()
{
    mode_ = 1;
    size_ = 2 * Extent() / 3;
    Relayout();
}

void CMySplitter::ShowHalf()
{
    mode_ = 1;
    size_ = Extent() / 2;
    Relayout();
}

void CMySplitter::ShowThird()
{
    mode_ = 1;
    size_ = Extent() / 3;
    Relayout();
}

void CMySplitter::SetSecondPaneSize(int size)
{
    if (size > Extent()) {
        mode_ = 0;
    } else if (size == 0) {
        mode_ = 2;
    } else {
        mode_ = 1;
        size_ = size;
    }
    Relayout();
}

void CMySplitter::CollapseLess()
{
    if (mode_ == 0)
        return;
    mode_ = mode_ == 1 ? 0 : 1;
    Relayout();
}

void CMySplitter::CollapseMore()
{
    if (mode_ == 2)
        return;
    mode_ = mode_ == 0 ? 1 : 2;
    Relayout();
}

int CMySplitter::FirstPaneSize() const
{
    const QList<int> current = sizes();
    return current.isEmpty() ? 0 : current[0];
}

int CMySplitter::SecondPaneCurrentSize() const
{
    const QList<int> current = sizes();
    return current.size() < 2 ? 0 : current[1];
}

void CMySplitter::resizeEvent(QResizeEvent* event)
{
    ApplyLayout(orientation() == Qt::Vertical ? event->size().height() : event->size().width());
    QSplitter::resizeEvent(event);
}

void CMySplitter::OnBarMoved()
{
    // The user's drag decides the second pane's size from now on.
    size_ = SecondPaneCurrentSize();
    if (mode_ == 2 && size_ != 0)
        mode_ = 1;
    else if (mode_ == 0 && FirstPaneSize() != 0)
        mode_ = 1;
}
